#include "ProEdit_Unit.h"

#include "ProDirectoryEdit.h"
#include "ProEdit.h"
#include "vcl/ActiveX.h"
#include "vcl/SysUtils.h"

namespace ProEdit {

void InitProEditUnit() {
    // Form descriptions find the edit by its class name.
    RegisterClass(TProEdit::ClassInfo());
    ProDirectoryEdit::RegisterDirectoryEdits();
    const HRESULT result = OleInitialize(nullptr);
    if (result != S_OK && result != S_FALSE)
        throw Exception(Format("OleInitialize failed ($%x)", {static_cast<Integer>(result)}));
}

void DoneProEditUnit() { OleUninitialize(); }

}  // namespace ProEdit
