// The process command line, taken from main's argv (UTF-8) and kept as Windows-1252 text.
#include <unistd.h>

#include <vector>

#include "System/Codepage.h"
#include "vcl/System.h"
#include "vcl/Windows.h"

namespace {

std::vector<AnsiString>& Arguments() {
    static std::vector<AnsiString> arguments;
    return arguments;
}

AnsiString& ProgramPath() {
    static AnsiString path;
    return path;
}

// The executable's own path, as the system reports it; argv[0] when it cannot.
AnsiString ExecutablePath(const char* argv0) {
    std::vector<char> buffer(4096);
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    return codepage::Utf8ToAnsi(n > 0 ? std::string(buffer.data(), static_cast<std::size_t>(n))
                                      : std::string(argv0 ? argv0 : ""));
}

}  // namespace

void InitCommandLine(int argc, char** argv) {
    Arguments().clear();
    for (int i = 0; i < argc; ++i) Arguments().push_back(codepage::Utf8ToAnsi(argv[i] ? argv[i] : ""));
    ProgramPath() = ExecutablePath(argc > 0 ? argv[0] : nullptr);
}

AnsiString CmdLine() {
    if (Arguments().empty()) return {};
    // In the program name quotes only group and are never kept, so one there cannot be written; it is
    // left out, or it would swallow the blanks after it and run the arguments together.
    AnsiString program;
    for (char c : Arguments()[0])
        if (c != '"') program += c;
    const bool quote = program.empty() || program.find_first_of(" \t") != AnsiString::npos;
    AnsiString line = quote ? '"' + program + '"' : program;
    for (std::size_t i = 1; i < Arguments().size(); ++i) line += ' ' + QuoteCommandLineArgument(Arguments()[i]);
    return line;
}

Integer ParamCount() { return Arguments().empty() ? 0 : static_cast<Integer>(Arguments().size()) - 1; }

AnsiString ParamStr(Integer Index) {
    if (Index == 0) return ProgramPath();
    if (Index < 0 || Index > ParamCount()) return {};
    return Arguments()[static_cast<std::size_t>(Index)];
}
