# Speed buttons, panels, bevels, timers, images, status bar, spin button, menus and message dialogs.
target_sources(vcl PRIVATE
  src/Buttons/SpeedButton.cpp
  src/ComCtrls/StatusBar.cpp
  src/ComCtrls/CoolBar.cpp
  src/ComCtrls/RichEdit.cpp
  src/Dialogs/MessageDialogs.cpp
  src/ExtCtrls/Bevel.cpp
  src/ExtCtrls/Image.cpp
  src/ExtCtrls/Panel.cpp
  src/ExtCtrls/Register.cpp
  src/Menus/Menus.cpp
  src/Dialogs/OpenDialog.cpp
  src/Spin/SpinButton.cpp
  src/Spin/SpinEdit.cpp
  src/ExtCtrls/Timer.cpp
  src/ComCtrls/TrackBar.cpp
  src/qt/DialogsQt.cpp
  src/qt/MenuQt.cpp
  src/qt/OpenDialogQt.cpp
  src/qt/RichEditPeer.cpp
  src/qt/SpinEditPeer.cpp
  src/qt/TimerQt.cpp
  src/qt/TrackBarPeer.cpp
)
