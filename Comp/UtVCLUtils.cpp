#include "UtVCLUtils.h"

#include "UnitStart.h"

namespace UtVCLUtils {

namespace {
TUnitStart Unit;
HMODULE Library = nullptr;
TGradientFill Entry = nullptr;
}  // namespace

void InitGradientFill() {
    Unit.Start([] {
        Library = LoadLibrary("msimg32.dll");
        if (!Library) return;
        Entry = reinterpret_cast<TGradientFill>(GetProcAddress(Library, "GradientFill"));
        if (Entry) return;
        FreeLibrary(Library);
        Library = nullptr;
    });
}

void FreeGradientFill() {
    Unit.End([] {
        Entry = nullptr;
        if (Library) FreeLibrary(Library);
        Library = nullptr;
    });
}

HMODULE GradientFillLibrary() { return Library; }
TGradientFill GradientFillEntry() { return Entry; }

}  // namespace UtVCLUtils
