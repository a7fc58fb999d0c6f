// ShellExecuteA's "open": the desktop's opener with the target as its one argument.
#include <cstdint>
#include <filesystem>
#include <system_error>

#include "vcl/ShellAPI.h"
#include "vcl/SysUtils.h"

namespace {

constexpr const char* DesktopOpener = "xdg-open";

AnsiString LocalPathOf(const AnsiString& Target) {
    const AnsiString scheme = "file://";
    if (Target.size() >= scheme.size() && SameText(Target.substr(0, scheme.size()), scheme))
        return Target.substr(scheme.size());
    return Target;
}

}  // namespace

bool IsProgramOrDesktopLauncher(const AnsiString& Target) {
    const AnsiString path = LocalPathOf(Target);
    if (SameText(ExtractFileExt(path), ".desktop")) return true;
    std::error_code error;
    const auto status = std::filesystem::status(path.c_str(), error);
    if (error || !std::filesystem::is_regular_file(status)) return false;
    using std::filesystem::perms;
    return (status.permissions() & (perms::owner_exec | perms::group_exec | perms::others_exec)) != perms::none;
}

HINSTANCE ShellExecuteA(HWND, const char* lpOperation, const char* lpFile, const char*, const char*, int nShowCmd) {
    auto result = [](std::uintptr_t Code) { return reinterpret_cast<HINSTANCE>(Code); };
    const AnsiString verb = lpOperation ? lpOperation : "";
    if (!verb.empty() && !SameText(verb, "open")) return result(SE_ERR_NOASSOC);
    const AnsiString target = lpFile ? lpFile : "";
    if (target.empty()) return result(ERROR_FILE_NOT_FOUND);
    if (IsProgramOrDesktopLauncher(target)) return result(SE_ERR_ACCESSDENIED);
    const AnsiString commandLine = AnsiString(DesktopOpener) + " " + QuoteCommandLineArgument(target);
    return result(WinExec(commandLine.c_str(), static_cast<UINT>(nShowCmd)));
}
