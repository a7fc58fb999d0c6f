# Operating-system services: version, run-time libraries and the theme library, global memory,
# clipboard, OLE and drag and drop, INI files and the registry's INI-style access.
target_sources(vcl PRIVATE
  src/ActiveX/BlockDataObject.cpp
  src/ActiveX/Com.cpp
  src/ActiveX/DragDrop.cpp
  src/ActiveX/FormatBlocks.cpp
  src/ActiveX/GlobalStream.cpp
  src/Clipbrd/Clipboard.cpp
  src/ComObj/ComObj.cpp
  src/ComObj/SheetRange.cpp
  src/ComObj/SpreadsheetServer.cpp
  src/IniFiles/IniFile.cpp
  src/IniFiles/IniText.cpp
  src/IniFiles/RegIniFile.cpp
  src/UxTheme/UxThemeModule.cpp
  src/Windows/Clipboard.cpp
  src/Windows/FileAttributes.cpp
  src/Windows/GlobalMemory.cpp
  src/Windows/OemCodePage.cpp
  src/Windows/Modules.cpp
  src/Windows/SettingsFiles.cpp
  src/Windows/SystemInfo.cpp
  src/Windows/Version.cpp
  src/qt/ClipboardQt.cpp
  src/qt/DragDropQt.cpp
  src/qt/MimeFormats.cpp
  src/qt/OlePicture.cpp
  src/qt/ThemeDrawingQt.cpp
  src/qt/ThemeComboQt.cpp
)
