target_sources(vcl PRIVATE
  src/Clock.cpp
  src/Codepage.cpp
  src/DateTime.cpp
  src/RunTimeChecks.cpp
  src/SysUtilsCollate.cpp
  src/SysUtilsFloatFormat.cpp
  src/SysUtilsFormat.cpp
  src/SysUtilsNumbers.cpp
  src/SysUtilsPaths.cpp
  src/SysUtilsStrings.cpp
  src/SystemCommandLine.cpp
  src/SystemFpu.cpp
  src/Variant.cpp
  src/WinTime.cpp
  src/qt/QtText.cpp
)
