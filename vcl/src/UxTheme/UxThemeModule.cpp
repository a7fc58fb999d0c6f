// "uxtheme.dll": the push button, radio button and check box of the "button" class, the drop-down button of
// the "combobox" class, the "header" item, the "Progress" bar and chunk and the "spin" buttons are drawn
// for real; the other entries answer as a system that has no theme data for them.
#include <map>

#include "UxTheme/ThemeDrawing.h"
#include "Windows/BuiltInModules.h"
#include "vcl/SysUtils.h"

namespace {

enum TThemeClass { tcButton, tcComboBox, tcHeader, tcProgress, tcSpin };

struct TThemeState {
    bool Active = true;
    std::map<HTHEME, TThemeClass> Open;
    std::uintptr_t Next = 0x7E000000;
};

TThemeState& State() {
    static TThemeState state;
    return state;
}

// "Button", "BUTTON;EDIT", " combobox ": the first class of the list that has theme data.
bool FindThemeClass(LPCWSTR ClassList, TThemeClass& Class) {
    if (!ClassList) return false;
    const AnsiString list = WideToAnsi(ClassList);
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(';', start);
        if (end == AnsiString::npos) end = list.size();
        const AnsiString name = Trim(list.substr(start, end - start));
        static const std::pair<const char*, TThemeClass> known[] = {{"button", tcButton},
                                                                    {"combobox", tcComboBox},
                                                                    {"header", tcHeader},
                                                                    {"progress", tcProgress},
                                                                    {"spin", tcSpin}};
        for (const auto& [knownName, knownClass] : known)
            if (SameText(name, knownName)) {
                Class = knownClass;
                return true;
            }
        start = end + 1;
    }
    return false;
}

HTHEME OpenThemeDataEntry(HWND, LPCWSTR pszClassList) {
    TThemeState& s = State();
    TThemeClass themeClass;
    if (!s.Active || !FindThemeClass(pszClassList, themeClass)) return nullptr;
    s.Next += 0x10;
    HTHEME theme = reinterpret_cast<HTHEME>(s.Next);
    s.Open.emplace(theme, themeClass);
    return theme;
}

HRESULT CloseThemeDataEntry(HTHEME hTheme) { return State().Open.erase(hTheme) ? S_OK : E_HANDLE; }

HRESULT DrawThemeBackgroundEntry(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, const RECT* pRect,
                                 const RECT* pClipRect) {
    const auto open = State().Open.find(hTheme);
    if (open == State().Open.end()) return E_HANDLE;
    if (!pRect) return E_POINTER;
    const auto result = [](bool Drawn) { return Drawn ? S_OK : E_HANDLE; };
    switch (open->second) {
        case tcButton:
            if (iPartId == BP_RADIOBUTTON || iPartId == BP_CHECKBOX) {
                if (iStateId != RBS_UNCHECKEDNORMAL && iStateId != RBS_UNCHECKEDDISABLED &&
                    iStateId != RBS_CHECKEDNORMAL && iStateId != RBS_CHECKEDDISABLED)
                    return E_NOTIMPL;
                return result(DrawCheckBackground(hdc, iPartId, iStateId, *pRect, pClipRect));
            }
            if (iPartId != BP_PUSHBUTTON || iStateId < PBS_NORMAL || iStateId > PBS_PRESSED) return E_NOTIMPL;
            return result(DrawPushButtonBackground(hdc, iStateId, *pRect, pClipRect));
        case tcComboBox:
            if (iPartId != CP_DROPDOWNBUTTON || iStateId < CBXS_NORMAL || iStateId > CBXS_PRESSED) return E_NOTIMPL;
            return result(DrawDropDownButtonBackground(hdc, iStateId, *pRect, pClipRect));
        case tcHeader:
            if (iPartId != HP_HEADERITEM || iStateId < HIS_NORMAL || iStateId > HIS_PRESSED) return E_NOTIMPL;
            return result(DrawHeaderItemBackground(hdc, iStateId, *pRect, pClipRect));
        case tcProgress:
            if (iPartId != PP_BAR && iPartId != PP_CHUNK) return E_NOTIMPL;
            return result(DrawProgressBackground(hdc, iPartId, iStateId, *pRect, pClipRect));
        case tcSpin:
            if (iPartId < SPNP_UP || iPartId > SPNP_DOWNHORZ || iStateId < UPS_NORMAL || iStateId > UPS_PRESSED)
                return E_NOTIMPL;
            return result(DrawSpinButtonBackground(hdc, iPartId, iStateId, *pRect, pClipRect));
    }
    return E_NOTIMPL;
}

BOOL IsThemeActiveEntry() { return State().Active ? TRUE : FALSE; }

// An entry without theme data: the same answer for any arguments.
template <typename Signature, auto Value>
struct TFixedAnswer;

template <typename R, typename... Args, auto Value>
struct TFixedAnswer<R (*)(Args...), Value> {
    static R Call(Args...) {
        if constexpr (std::is_void_v<R>) return;
        else return static_cast<R>(Value);
    }
};

template <typename Signature, auto Value>
FARPROC Fixed() {
    return ExportAddress<Signature>(&TFixedAnswer<Signature, Value>::Call);
}

}  // namespace

void SetThemesActiveForTest(bool Active) { State().Active = Active; }

const std::vector<TModuleExport>& UxThemeExports() {
    static const std::vector<TModuleExport> exports{
        {"OpenThemeData", ExportAddress<TOpenThemeData>(&OpenThemeDataEntry)},
        {"CloseThemeData", ExportAddress<TCloseThemeData>(&CloseThemeDataEntry)},
        {"DrawThemeBackground", ExportAddress<TDrawThemeBackground>(&DrawThemeBackgroundEntry)},
        {"DrawThemeText", Fixed<TDrawThemeText, E_NOTIMPL>()},
        {"GetThemeBackgroundContentRect", Fixed<TGetThemeBackgroundContentRect, E_NOTIMPL>()},
        {"GetThemeBackgroundExtent", Fixed<TGetThemeBackgroundExtent, E_NOTIMPL>()},
        {"GetThemePartSize", Fixed<TGetThemePartSize, E_NOTIMPL>()},
        {"GetThemeTextExtent", Fixed<TGetThemeTextExtent, E_NOTIMPL>()},
        {"GetThemeTextMetrics", Fixed<TGetThemeTextMetrics, E_NOTIMPL>()},
        {"GetThemeBackgroundRegion", Fixed<TGetThemeBackgroundRegion, E_NOTIMPL>()},
        {"HitTestThemeBackground", Fixed<THitTestThemeBackground, E_NOTIMPL>()},
        {"DrawThemeEdge", Fixed<TDrawThemeEdge, E_NOTIMPL>()},
        {"DrawThemeIcon", Fixed<TDrawThemeIcon, E_NOTIMPL>()},
        {"IsThemePartDefined", Fixed<TIsThemePartDefined, FALSE>()},
        {"IsThemeBackgroundPartiallyTransparent", Fixed<TIsThemeBackgroundPartiallyTransparent, FALSE>()},
        {"GetThemeColor", Fixed<TGetThemeColor, E_NOTIMPL>()},
        {"GetThemeMetric", Fixed<TGetThemeMetric, E_NOTIMPL>()},
        {"GetThemeString", Fixed<TGetThemeString, E_NOTIMPL>()},
        {"GetThemeBool", Fixed<TGetThemeBool, E_NOTIMPL>()},
        {"GetThemeInt", Fixed<TGetThemeInt, E_NOTIMPL>()},
        {"GetThemeEnumValue", Fixed<TGetThemeEnumValue, E_NOTIMPL>()},
        {"GetThemePosition", Fixed<TGetThemePosition, E_NOTIMPL>()},
        {"GetThemeFont", Fixed<TGetThemeFont, E_NOTIMPL>()},
        {"GetThemeRect", Fixed<TGetThemeRect, E_NOTIMPL>()},
        {"GetThemeMargins", Fixed<TGetThemeMargins, E_NOTIMPL>()},
        {"GetThemeIntList", Fixed<TGetThemeIntList, E_NOTIMPL>()},
        {"GetThemePropertyOrigin", Fixed<TGetThemePropertyOrigin, E_NOTIMPL>()},
        {"SetWindowTheme", Fixed<TSetWindowTheme, E_NOTIMPL>()},
        {"GetThemeFilename", Fixed<TGetThemeFilename, E_NOTIMPL>()},
        {"GetThemeSysColor", Fixed<TGetThemeSysColor, 0>()},
        {"GetThemeSysColorBrush", Fixed<TGetThemeSysColorBrush, nullptr>()},
        {"GetThemeSysBool", Fixed<TGetThemeSysBool, FALSE>()},
        {"GetThemeSysSize", Fixed<TGetThemeSysSize, 0>()},
        {"GetThemeSysFont", Fixed<TGetThemeSysFont, E_NOTIMPL>()},
        {"GetThemeSysString", Fixed<TGetThemeSysString, E_NOTIMPL>()},
        {"GetThemeSysInt", Fixed<TGetThemeSysInt, E_NOTIMPL>()},
        {"IsThemeActive", ExportAddress<TIsThemeActive>(&IsThemeActiveEntry)},
        {"IsAppThemed", Fixed<TIsAppThemed, FALSE>()},
        {"GetWindowTheme", Fixed<TGetWindowTheme, nullptr>()},
        {"EnableThemeDialogTexture", Fixed<TEnableThemeDialogTexture, E_NOTIMPL>()},
        {"IsThemeDialogTextureEnabled", Fixed<TIsThemeDialogTextureEnabled, FALSE>()},
        {"GetThemeAppProperties", Fixed<TGetThemeAppProperties, 0>()},
        {"SetThemeAppProperties", Fixed<TSetThemeAppProperties, 0>()},
        {"GetCurrentThemeName", Fixed<TGetCurrentThemeName, E_NOTIMPL>()},
        {"GetThemeDocumentationProperty", Fixed<TGetThemeDocumentationProperty, E_NOTIMPL>()},
        {"DrawThemeParentBackground", Fixed<TDrawThemeParentBackground, E_NOTIMPL>()},
        {"EnableTheming", Fixed<TEnableTheming, E_NOTIMPL>()},
    };
    return exports;
}
