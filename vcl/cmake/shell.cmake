# The shell: the folder browser, its item lists and allocator, and opening documents with the desktop.
target_sources(vcl PRIVATE
  src/Shell/BrowseForFolder.cpp
  src/Shell/ShellExecute.cpp
  src/qt/BrowseDialogQt.cpp
  src/qt/ShellIconsQt.cpp
)
