#include "ProEdit_Unit.h"

#include "ProDirectoryEdit.h"
#include "ProEdit.h"
#include "UnitStart.h"
#include "vcl/ActiveX.h"
#include "vcl/SysUtils.h"

namespace ProEdit {

namespace {
TUnitStart Unit;
}

void InitProEditUnit() {
    Unit.Start([] {
        // Form descriptions find the edit by its class name.
        RegisterClass(TProEdit::ClassInfo());
        ProDirectoryEdit::RegisterDirectoryEdits();
        const HRESULT result = OleInitialize(nullptr);
        if (result != S_OK && result != S_FALSE)
            throw Exception(Format("OleInitialize failed ($%x)", {static_cast<Integer>(result)}));
    });
}

void DoneProEditUnit() { Unit.End(OleUninitialize); }

}  // namespace ProEdit
