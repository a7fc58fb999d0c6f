// ShellExecuteA's "open": the desktop's opener with the target as its one argument.
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "SysUtils/HexDigits.h"
#include "vcl/ShellAPI.h"
#include "vcl/SysUtils.h"

namespace {

constexpr const char* DesktopOpener = "xdg-open";

bool IsFileAddress(const AnsiString& Target) { return Target.size() >= 5 && SameText(Target.substr(0, 5), "file:"); }

// The local path a file: address names, read as the desktop opener reads it: query and fragment
// dropped, the host empty or "localhost", escapes decoded. False when it names no local path or an
// escape is malformed or decodes to NUL.
bool FileAddressPath(const AnsiString& Address, AnsiString& Path) {
    std::string_view rest(Address);
    rest.remove_prefix(5);
    rest = rest.substr(0, rest.find_first_of("?#"));
    if (rest.starts_with("//")) {
        rest.remove_prefix(2);
        const std::size_t slash = rest.find('/');
        const AnsiString host(rest.substr(0, slash));
        if (slash == std::string_view::npos || (!host.empty() && !SameText(host, "localhost"))) return false;
        rest.remove_prefix(slash);
    }
    if (!rest.starts_with('/')) return false;
    Path.clear();
    for (std::size_t i = 0; i < rest.size(); ++i) {
        char c = rest[i];
        if (c == '%') {
            const int high = i + 2 < rest.size() ? HexDigitValue(rest[i + 1]) : -1;
            const int low = i + 2 < rest.size() ? HexDigitValue(rest[i + 2]) : -1;
            if (high < 0 || low < 0 || high + low == 0) return false;
            c = static_cast<char>(high * 16 + low);
            i += 2;
        }
        Path += c;
    }
    return true;
}

}  // namespace

bool IsProgramOrDesktopLauncher(const AnsiString& Target) {
    AnsiString path = Target;
    if (IsFileAddress(Target) && !FileAddressPath(Target, path)) return true;
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
