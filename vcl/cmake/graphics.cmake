target_sources(vcl PRIVATE
  src/GraphicsColors.cpp
  src/qt/Surface.cpp
)
