target_sources(vcl PRIVATE
  src/Graphics/Colors.cpp
  src/Graphics/Objects.cpp
  src/Graphics/Picture.cpp
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
  src/qt/ImageListQt.cpp
  src/qt/Surface.cpp
)
