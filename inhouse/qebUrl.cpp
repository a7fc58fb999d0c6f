#include "qebUrl.h"

#include <array>

#include "vcl/SysUtils.h"

namespace qebUrl {

namespace {

const TEnumNames<TUrlShowCmd>& UrlShowCmdNames() {
    static const TEnumNames<TUrlShowCmd> names{{"ssHide", ssHide},
                                               {"ssMaximize", ssMaximize},
                                               {"ssMinimize", ssMinimize},
                                               {"ssRestore", ssRestore},
                                               {"ssShow", ssShow},
                                               {"ssShowDefault", ssShowDefault},
                                               {"ssShowMaximized", ssShowMaximized},
                                               {"ssShowMinimized", ssShowMinimized},
                                               {"ssShowMinNoActivate", ssShowMinNoActivate},
                                               {"ssShowNA", ssShowNA},
                                               {"ssShowNoActivate", ssShowNoActivate},
                                               {"ssShowNormal", ssShowNormal}};
    return names;
}

void PublishTqebUrl(TPublisher& p) {
    using C = TqebUrl;
    TPublishOf<C> P(p);
    P.Str("Url", &C::Url, &C::SetUrl);
    P.Enum<TUrlShowCmd>("UrlShowCommand", &C::UrlShowCommand, &C::SetUrlShowCommand, UrlShowCmdNames());
}

constexpr std::size_t RegistryBufferSize = 260;
const char* const LaunchFailure = "Couldn't launch default browser";

}  // namespace

VCL_IMPLEMENT_CLASS(TqebUrl, VCL_CREATOR(TqebUrl), &PublishTqebUrl)

int ShowCommandOf(TUrlShowCmd Value) {
    static constexpr std::array<int, 12> commands{
        SW_HIDE,          SW_MAXIMIZE,      SW_MINIMIZE,        SW_RESTORE, SW_SHOW,           SW_SHOWDEFAULT,
        SW_SHOWMAXIMIZED, SW_SHOWMINIMIZED, SW_SHOWMINNOACTIVE, SW_SHOWNA,  SW_SHOWNOACTIVATE, SW_SHOWNORMAL};
    const auto index = static_cast<std::size_t>(Value);
    return index < commands.size() ? commands[index] : SW_SHOWDEFAULT;
}

AnsiString CommandBeforePlaceholder(const AnsiString& OpenCommand) {
    std::size_t cut = OpenCommand.find("\"%1\"");
    if (cut == AnsiString::npos) cut = OpenCommand.find("%1");
    return OpenCommand.substr(0, cut);
}

Integer ReadRegDefault(HKEY Root, const AnsiString& Key, AnsiString& Value) {
    HKEY key = nullptr;
    const LONG opened = RegOpenKeyExA(Root, Key.c_str(), 0, KEY_QUERY_VALUE, &key);
    if (opened != ERROR_SUCCESS) return opened;
    // A value too long for the buffer reads as empty rather than cut short.
    std::array<char, RegistryBufferSize> buffer{};
    auto size = static_cast<LONG>(buffer.size());
    Value =
        RegQueryValueA(key, nullptr, buffer.data(), &size) == ERROR_SUCCESS ? AnsiString(buffer.data()) : AnsiString();
    RegCloseKey(key);
    return opened;
}

void TqebUrl::Execute() {
    AnsiString fileClass;
    if (ReadRegDefault(HKEY_CLASSES_ROOT, ".htm", fileClass) != ERROR_SUCCESS) return;
    AnsiString openCommand;
    if (ReadRegDefault(HKEY_CLASSES_ROOT, fileClass + "\\shell\\open\\command", openCommand) != ERROR_SUCCESS) return;
    // Without a program before the placeholder the address itself would be started as one. An address
    // with blanks or quotes is quoted so that it still reaches the browser as one argument.
    const AnsiString program = CommandBeforePlaceholder(openCommand);
    const AnsiString commandLine = program + " " + QuoteCommandLineArgument(url_);
    const bool noProgram = program.find_first_not_of(" \t") == AnsiString::npos;
    if (noProgram) throw Exception(LaunchFailure);
    // The desktop opener runs on its own and tells by its exit status whether a browser came up; a
    // failure then reaches the user through the application's exception handling.
    const UINT started =
        WinExecWatched(commandLine.c_str(), static_cast<UINT>(ShowCommandOf(urlShowCommand_)), [](int ExitStatus) {
            if (ExitStatus != 0) throw Exception(LaunchFailure);
        });
    if (started < 32) throw Exception(LaunchFailure);
}

}  // namespace qebUrl
