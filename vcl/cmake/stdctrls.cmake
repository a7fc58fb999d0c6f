target_sources(vcl PRIVATE
  src/Grids/CustomGrid.cpp
  src/Grids/DrawGrid.cpp
  src/Grids/GridAxis.cpp
  src/Grids/GridCellStore.cpp
  src/Grids/GridInput.cpp
  src/Grids/GridPaint.cpp
  src/Grids/StringGrid.cpp
  src/Mask/MaskEdit.cpp
  src/StdCtrls/Buttons.cpp
  src/StdCtrls/ComboBox.cpp
  src/StdCtrls/Edit.cpp
  src/StdCtrls/EditCommands.cpp
  src/StdCtrls/Label.cpp
  src/StdCtrls/Memo.cpp
  src/StdCtrls/Register.cpp
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
  src/qt/TypingLimit.cpp
)
