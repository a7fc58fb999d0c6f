# Operating-system services: version, run-time libraries and the theme library, global memory,
# clipboard, OLE and drag and drop.
target_sources(vcl PRIVATE
  src/UxTheme/UxThemeModule.cpp
  src/Windows/Modules.cpp
  src/Windows/Version.cpp
  src/qt/ThemeDrawingQt.cpp
)
