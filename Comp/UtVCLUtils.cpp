#include "UtVCLUtils.h"

namespace UtVCLUtils {

namespace {
HMODULE Library = nullptr;
TGradientFill Entry = nullptr;
}  // namespace

void InitGradientFill() {
    Library = LoadLibrary("msimg32.dll");
    if (!Library) return;
    Entry = reinterpret_cast<TGradientFill>(GetProcAddress(Library, "GradientFill"));
    if (Entry) return;
    FreeLibrary(Library);
    Library = nullptr;
}

void FreeGradientFill() {
    Entry = nullptr;
    if (Library) FreeLibrary(Library);
    Library = nullptr;
}

HMODULE GradientFillLibrary() { return Library; }
TGradientFill GradientFillEntry() { return Entry; }

}  // namespace UtVCLUtils
