// The support units' theme loader.
#include "UtUxTheme.h"

#include <iterator>

namespace UtUxTheme {

namespace {

struct TUnitState {
    bool Loaded = false;
    bool ThemesAvailable = false;
    HMODULE Library = nullptr;
    TUxThemeEntries Entries;
};

TUnitState& Unit() {
    static TUnitState unit;
    return unit;
}

struct TEntrySlot {
    const char* Name;
    void (*Store)(TUxThemeEntries& Entries, FARPROC Address);
};

// clang-format off
#define UTUXTHEME_ENTRY(Entry)                                                    \
    TEntrySlot {                                                                  \
        #Entry, [](TUxThemeEntries& e, FARPROC address) {                         \
            e.Entry = reinterpret_cast<decltype(TUxThemeEntries::Entry)>(address); \
        }                                                                         \
    }
// clang-format on

const TEntrySlot Slots[] = {
    UTUXTHEME_ENTRY(IsThemeActive),
    UTUXTHEME_ENTRY(EnableTheming),
    UTUXTHEME_ENTRY(OpenThemeData),
    UTUXTHEME_ENTRY(CloseThemeData),
    UTUXTHEME_ENTRY(DrawThemeParentBackground),
    UTUXTHEME_ENTRY(DrawThemeBackground),
    UTUXTHEME_ENTRY(DrawThemeText),
    UTUXTHEME_ENTRY(GetThemeBackgroundContentRect),
    UTUXTHEME_ENTRY(GetThemeBackgroundExtent),
    UTUXTHEME_ENTRY(GetThemePartSize),
    UTUXTHEME_ENTRY(GetThemeTextExtent),
    UTUXTHEME_ENTRY(GetThemeTextMetrics),
    UTUXTHEME_ENTRY(GetThemeBackgroundRegion),
    UTUXTHEME_ENTRY(HitTestThemeBackground),
    UTUXTHEME_ENTRY(DrawThemeEdge),
    UTUXTHEME_ENTRY(DrawThemeIcon),
    UTUXTHEME_ENTRY(IsThemePartDefined),
    UTUXTHEME_ENTRY(IsThemeBackgroundPartiallyTransparent),
    UTUXTHEME_ENTRY(GetThemeColor),
    UTUXTHEME_ENTRY(GetThemeMetric),
    UTUXTHEME_ENTRY(GetThemeString),
    UTUXTHEME_ENTRY(GetThemeBool),
    UTUXTHEME_ENTRY(GetThemeInt),
    UTUXTHEME_ENTRY(GetThemeEnumValue),
    UTUXTHEME_ENTRY(GetThemeFileName),
    UTUXTHEME_ENTRY(GetThemePosition),
    UTUXTHEME_ENTRY(GetThemeFont),
    UTUXTHEME_ENTRY(GetThemeRect),
    UTUXTHEME_ENTRY(GetThemeMargins),
    UTUXTHEME_ENTRY(GetThemeIntList),
    UTUXTHEME_ENTRY(GetThemePropertyOrigin),
    UTUXTHEME_ENTRY(SetWindowTheme),
    UTUXTHEME_ENTRY(GetThemeSysColor),
    UTUXTHEME_ENTRY(GetThemeSysColorBrush),
    UTUXTHEME_ENTRY(GetThemeSysSize),
    UTUXTHEME_ENTRY(GetThemeSysBool),
    UTUXTHEME_ENTRY(GetThemeSysFont),
    UTUXTHEME_ENTRY(GetThemeSysString),
    UTUXTHEME_ENTRY(GetThemeSysInt),
    UTUXTHEME_ENTRY(IsAppThemed),
    UTUXTHEME_ENTRY(GetWindowTheme),
    UTUXTHEME_ENTRY(EnableThemeDialogTexture),
    UTUXTHEME_ENTRY(IsThemeDialogTextureEnabled),
    UTUXTHEME_ENTRY(GetThemeAppProperties),
    UTUXTHEME_ENTRY(SetThemeAppProperties),
    UTUXTHEME_ENTRY(GetThemeDocumentationProperty),
    UTUXTHEME_ENTRY(GetCurrentThemeName),
};

#undef UTUXTHEME_ENTRY

static_assert(std::size(Slots) == 47);

}  // namespace

void InitThemeLibrary() {
    TUnitState& unit = Unit();
    if (unit.Loaded || !IsNTFiveOneOrLater()) return;
    unit.Library = LoadLibrary("uxtheme.dll");
    if (!unit.Library) return;
    for (const TEntrySlot& slot : Slots) slot.Store(unit.Entries, GetProcAddress(unit.Library, slot.Name));
    unit.ThemesAvailable = true;
    unit.Loaded = true;
}

void FreeThemeLibrary() {
    TUnitState& unit = Unit();
    if (unit.Loaded && unit.Library) {
        unit.Entries = {};
        FreeLibrary(unit.Library);
        unit.Library = nullptr;
    }
    unit.ThemesAvailable = false;
    unit.Loaded = false;
}

bool ThemeLibraryLoaded() { return Unit().Loaded; }
bool ThemesAvailable() { return Unit().ThemesAvailable; }
const TUxThemeEntries& ThemeEntries() { return Unit().Entries; }

}  // namespace UtUxTheme
