// Run-time libraries over one built-in module map: counted pseudo handles, exports by exact name,
// and the small libraries whose answers need no unit of their own.
#include <map>
#include <set>
#include <string>

#include "Windows/BuiltInModules.h"
#include "vcl/SysUtils.h"

namespace {

HRESULT CommonControlsDllGetVersion(DLLVERSIONINFO* pdvi) {
    if (!pdvi || pdvi->cbSize != sizeof(DLLVERSIONINFO)) return E_INVALIDARG;
    pdvi->dwMajorVersion = CommonControlsMajor;
    pdvi->dwMinorVersion = CommonControlsMinor;
    pdvi->dwBuildNumber = CommonControlsBuild;
    pdvi->dwPlatformID = DLLVER_PLATFORM_NT;
    return S_OK;
}

// "msimg32.dll": nothing calls its gradient fill, so it only reports failure.
BOOL GradientFillUnavailable(HDC, TRIVERTEX*, ULONG, void*, ULONG, ULONG) { return FALSE; }

struct TModule {
    TModule(const char* name, const std::vector<TModuleExport>& (*exports)(), bool (*present)(), bool loadedAtStart)
        : Name(name), Exports(exports), Present(present), LoadedAtStart(loadedAtStart), Loads(loadedAtStart ? 1 : 0) {}

    const char* Name;
    const std::vector<TModuleExport>& (*Exports)();
    bool (*Present)();   // nullptr: always there
    bool LoadedAtStart;  // linked by the program
    int Loads;
    bool Absent = false;                   // test seam
    std::set<std::string> Missing;         // test seam
    std::map<std::string, FARPROC> Extra;  // test seam
};

const std::vector<TModuleExport>& CommonControlsExports() {
    static const std::vector<TModuleExport> exports{
        {"DllGetVersion", ExportAddress<DLLGETVERSIONPROC>(&CommonControlsDllGetVersion)},
    };
    return exports;
}

const std::vector<TModuleExport>& GradientExports() {
    static const std::vector<TModuleExport> exports{
        {"GradientFill", ExportAddress<GRADIENTFILLPROC>(&GradientFillUnavailable)},
    };
    return exports;
}

std::vector<TModule>& Modules() {
    static std::vector<TModule> modules{
        {"uxtheme.dll", &UxThemeExports, &IsNTFiveOneOrLater, false},
        {"msimg32.dll", &GradientExports, nullptr, false},
        {"comctl32.dll", &CommonControlsExports, nullptr, true},
    };
    return modules;
}

constexpr std::uintptr_t HandleBase = 0x10000;

HMODULE HandleOf(std::size_t index) { return reinterpret_cast<HMODULE>(HandleBase * (index + 1)); }

TModule* FindModule(const char* Name) {
    if (!Name) return nullptr;
    const std::string key = ModuleKey(Name);
    for (TModule& m : Modules()) {
        if (key == m.Name) return &m;
    }
    return nullptr;
}

TModule* ModuleOfHandle(HMODULE Handle) {
    auto value = reinterpret_cast<std::uintptr_t>(Handle);
    if (value < HandleBase || value % HandleBase != 0) return nullptr;
    std::size_t index = value / HandleBase - 1;
    return index < Modules().size() ? &Modules()[index] : nullptr;
}

bool Available(const TModule& m) { return !m.Absent && (!m.Present || m.Present()); }

}  // namespace

std::string ModuleKey(const char* Name) {
    std::string key = LowerCase(Name);
    if (key.find('.') == std::string::npos) key += ".dll";
    return key;
}

HMODULE LoadLibrary(const char* lpLibFileName) {
    TModule* m = FindModule(lpLibFileName);
    if (!m || !Available(*m)) return nullptr;
    ++m->Loads;
    return HandleOf(static_cast<std::size_t>(m - Modules().data()));
}

BOOL FreeLibrary(HMODULE hLibModule) {
    TModule* m = ModuleOfHandle(hLibModule);
    if (!m || m->Loads == 0) return FALSE;
    --m->Loads;
    return TRUE;
}

FARPROC GetProcAddress(HMODULE hModule, const char* lpProcName) {
    TModule* m = ModuleOfHandle(hModule);
    // A "name" below 0x10000 is an ordinal; no built-in module exports by ordinal.
    if (!m || m->Loads == 0 || reinterpret_cast<std::uintptr_t>(lpProcName) < 0x10000) return nullptr;
    const std::string name = lpProcName;
    if (m->Missing.count(name)) return nullptr;
    if (const auto extra = m->Extra.find(name); extra != m->Extra.end()) return extra->second;
    for (const TModuleExport& e : m->Exports()) {
        if (name == e.Name) return e.Address;
    }
    return nullptr;
}

HMODULE GetModuleHandle(const char* lpModuleName) {
    TModule* m = FindModule(lpModuleName);
    if (!m || m->Loads == 0) return nullptr;
    return HandleOf(static_cast<std::size_t>(m - Modules().data()));
}

void SetModuleAbsentForTest(const AnsiString& Module, bool Absent) {
    if (TModule* m = FindModule(Module.c_str())) m->Absent = Absent;
}

void SetExportMissingForTest(const AnsiString& Module, const AnsiString& Export, bool Missing) {
    TModule* m = FindModule(Module.c_str());
    if (!m) return;
    if (Missing) m->Missing.insert(Export);
    else m->Missing.erase(Export);
}

void SetExportForTest(const AnsiString& Module, const AnsiString& Export, FARPROC Address) {
    TModule* m = FindModule(Module.c_str());
    if (!m) return;
    if (Address) m->Extra[Export] = Address;
    else m->Extra.erase(Export);
}

void ResetModulesForTest() {
    std::vector<TModule>& modules = Modules();
    for (TModule& m : modules) {
        m.Loads = m.LoadedAtStart ? 1 : 0;
        m.Absent = false;
        m.Missing.clear();
        m.Extra.clear();
    }
}
