target_sources(vcl PRIVATE
  src/StdCtrls_Buttons.cpp
  src/StdCtrls_ComboBox.cpp
  src/StdCtrls_Edit.cpp
  src/StdCtrls_Label.cpp
  src/StdCtrls_Memo.cpp
  src/StdCtrls_Register.cpp
)
