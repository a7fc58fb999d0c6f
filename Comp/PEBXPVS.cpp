// The edit controls' theme loader. Each entry point has its own line in the table below, so a missing
// one is reported with a line that identifies it.
#include "PEBXPVS.h"

#include <cstdint>
#include <iterator>

#include "vcl/SysUtils.h"

namespace PEBXPVS {

namespace {

struct TEntrySlot {
    const char* Name;
    int Line;
    void (*Store)(TThemeEntries& Entries, FARPROC Address);
};

// clang-format off
#define PEBXPVS_ENTRY(Entry)                                                   \
    TEntrySlot {                                                               \
        #Entry, __LINE__, [](TThemeEntries& e, FARPROC address) {              \
            e.Entry = reinterpret_cast<decltype(TThemeEntries::Entry)>(address); \
        }                                                                      \
    }
// clang-format on

const TEntrySlot Slots[] = {
    PEBXPVS_ENTRY(OpenThemeData),
    PEBXPVS_ENTRY(CloseThemeData),
    PEBXPVS_ENTRY(DrawThemeBackground),
    PEBXPVS_ENTRY(DrawThemeText),
    PEBXPVS_ENTRY(GetThemeBackgroundContentRect),
    PEBXPVS_ENTRY(GetThemeBackgroundExtent),
    PEBXPVS_ENTRY(GetThemeTextExtent),
    PEBXPVS_ENTRY(GetThemeTextMetrics),
    PEBXPVS_ENTRY(GetThemeBackgroundRegion),
    PEBXPVS_ENTRY(HitTestThemeBackground),
    PEBXPVS_ENTRY(DrawThemeEdge),
    PEBXPVS_ENTRY(DrawThemeIcon),
    PEBXPVS_ENTRY(IsThemePartDefined),
    PEBXPVS_ENTRY(IsThemeBackgroundPartiallyTransparent),
    PEBXPVS_ENTRY(GetThemeColor),
    PEBXPVS_ENTRY(GetThemeMetric),
    PEBXPVS_ENTRY(GetThemeString),
    PEBXPVS_ENTRY(GetThemeBool),
    PEBXPVS_ENTRY(GetThemeInt),
    PEBXPVS_ENTRY(GetThemeEnumValue),
    PEBXPVS_ENTRY(GetThemePosition),
    PEBXPVS_ENTRY(GetThemeFont),
    PEBXPVS_ENTRY(GetThemeRect),
    PEBXPVS_ENTRY(GetThemeMargins),
    PEBXPVS_ENTRY(GetThemeIntList),
    PEBXPVS_ENTRY(SetWindowTheme),
    PEBXPVS_ENTRY(GetThemeFilename),
    PEBXPVS_ENTRY(GetThemeSysColor),
    PEBXPVS_ENTRY(GetThemeSysColorBrush),
    PEBXPVS_ENTRY(GetThemeSysBool),
    PEBXPVS_ENTRY(GetThemeSysSize),
    PEBXPVS_ENTRY(GetThemeSysFont),
    PEBXPVS_ENTRY(GetThemeSysString),
    PEBXPVS_ENTRY(GetThemeSysInt),
    PEBXPVS_ENTRY(IsThemeActive),
    PEBXPVS_ENTRY(IsAppThemed),
    PEBXPVS_ENTRY(GetWindowTheme),
    PEBXPVS_ENTRY(EnableThemeDialogTexture),
    PEBXPVS_ENTRY(IsThemeDialogTextureEnabled),
    PEBXPVS_ENTRY(GetThemeAppProperties),
    PEBXPVS_ENTRY(SetThemeAppProperties),
    PEBXPVS_ENTRY(GetCurrentThemeName),
    PEBXPVS_ENTRY(GetThemeDocumentationProperty),
    PEBXPVS_ENTRY(DrawThemeParentBackground),
    PEBXPVS_ENTRY(EnableTheming),
};

#undef PEBXPVS_ENTRY

static_assert(std::size(Slots) == 45);

TThemeInterface& Unit() {
    static TThemeInterface unit;
    return unit;
}

}  // namespace

void LoadThemeInterface(TThemeInterface& Interface, const char* UnitName) {
    if (Interface.Loaded) return;
    HMODULE library = LoadLibrary("UXTHEME.DLL");
    if (reinterpret_cast<std::uintptr_t>(library) < 32) return;
    Interface.Library = library;
    Interface.Loaded = true;
    for (const TEntrySlot& slot : Slots) {
        FARPROC address = GetProcAddress(library, slot.Name);
        slot.Store(Interface.Entries, address);
        if (!address) AssertFailed("Assertion failure", UnitName, slot.Line);
    }
}

void UnloadThemeInterface(TThemeInterface& Interface, TThemeUnloadRule Rule) {
    if (!Interface.Loaded) return;
    // Forgetting the freed handle keeps a repeated unload from freeing another holder's load.
    if (Interface.Library) FreeLibrary(Interface.Library);
    Interface.Library = nullptr;
    if (Rule == urClearLoaded) Interface.Loaded = false;
}

void InitThemeLibrary() { LoadThemeInterface(Unit(), "PEBXPVS"); }

void FreeThemeLibrary() { UnloadThemeInterface(Unit(), urKeepLoaded); }

bool ThemeLibraryLoaded() { return Unit().Loaded; }

const TThemeEntries& ThemeEntries() { return Unit().Entries; }

}  // namespace PEBXPVS
