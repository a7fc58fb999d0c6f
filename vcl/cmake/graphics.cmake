target_sources(vcl PRIVATE
  src/GraphicsColors.cpp
  src/GraphicsObjects.cpp
  src/GraphicsPicture.cpp
  src/qt/Bitmap.cpp
  src/qt/Canvas.cpp
  src/qt/FontMetrics.cpp
  src/qt/GdiBlit.cpp
  src/qt/GdiEdges.cpp
  src/qt/GdiObjects.cpp
  src/qt/GdiPaint.cpp
  src/qt/GdiRegions.cpp
  src/qt/GdiShapes.cpp
  src/qt/GdiState.cpp
  src/qt/GdiText.cpp
  src/qt/Surface.cpp
)
