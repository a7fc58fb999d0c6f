# Panels, bevels, timers, images, status bar, spin button, menus and message dialogs.
target_sources(vcl PRIVATE
  src/ComCtrlsStatusBar.cpp
  src/CoolBar.cpp
  src/Dialogs.cpp
  src/ExtCtrlsBevel.cpp
  src/ExtCtrlsImage.cpp
  src/ExtCtrlsPanel.cpp
  src/ExtCtrlsRegister.cpp
  src/Menus.cpp
  src/OpenDialog.cpp
  src/Spin.cpp
  src/SpinEdit.cpp
  src/Timer.cpp
  src/TrackBar.cpp
  src/qt/DialogsQt.cpp
  src/qt/MenuQt.cpp
  src/qt/OpenDialogQt.cpp
  src/qt/SpinEditPeer.cpp
  src/qt/TimerQt.cpp
  src/qt/TrackBarPeer.cpp
)
