target_sources(vcl PRIVATE
  src/Grids.cpp
  src/MaskEdit.cpp
  src/StdCtrls_Buttons.cpp
  src/StdCtrls_ComboBox.cpp
  src/StdCtrls_Edit.cpp
  src/StdCtrls_Label.cpp
  src/StdCtrls_Memo.cpp
  src/StdCtrls_Register.cpp
)
target_sources(vcl PRIVATE
  src/qt/ButtonPeer.cpp
  src/qt/CheckBoxPeer.cpp
  src/qt/ComboBoxPeer.cpp
  src/qt/EditPeer.cpp
  src/qt/MemoPeer.cpp
  src/qt/MemoView.cpp
  src/qt/MemoViewText.cpp
  src/qt/RadioButtonPeer.cpp
)
