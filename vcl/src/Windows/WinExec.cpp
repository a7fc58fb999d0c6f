// Starting a program from a command line without a shell: the line is cut into arguments as a
// Windows program's run time would cut it, and the program is spawned with exactly those arguments,
// so nothing in an argument (quotes, semicolons, "$(...)") can start a second command.
#include <cerrno>
#include <mutex>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <utility>

#include "vcl/Windows.h"

extern char** environ;

namespace {

constexpr UINT Started = 33;

struct TLauncherState {
    std::mutex Lock;
    TWinExecLauncher Launcher;
};

TLauncherState& LauncherState() {
    static TLauncherState state;
    return state;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The program name: quotes group without being kept, backslashes have no special meaning.
std::size_t ReadProgramName(const AnsiString& line, std::size_t at, AnsiString& name) {
    bool quoted = false;
    for (; at < line.size() && (quoted || !IsBlank(line[at])); ++at) {
        if (line[at] == '"') {
            quoted = !quoted;
        } else {
            name += line[at];
        }
    }
    return at;
}

// One argument after the program name; returns the position after it.
std::size_t ReadArgument(const AnsiString& line, std::size_t at, AnsiString& arg) {
    bool quoted = false;
    while (at < line.size() && (quoted || !IsBlank(line[at]))) {
        if (line[at] == '\\') {
            std::size_t slashes = 0;
            for (; at < line.size() && line[at] == '\\'; ++at) ++slashes;
            const bool beforeQuote = at < line.size() && line[at] == '"';
            arg.append(beforeQuote ? slashes / 2 : slashes, '\\');
            if (beforeQuote && slashes % 2 == 1) {
                arg += '"';
                ++at;
            }
        } else if (line[at] == '"') {
            if (quoted && at + 1 < line.size() && line[at + 1] == '"') {
                arg += '"';
                at += 2;
            } else {
                quoted = !quoted;
                ++at;
            }
        } else {
            arg += line[at++];
        }
    }
    return at;
}

std::size_t SkipBlanks(const AnsiString& line, std::size_t at) {
    while (at < line.size() && IsBlank(line[at])) ++at;
    return at;
}

UINT ResultOfSpawnError(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR: return static_cast<UINT>(ERROR_FILE_NOT_FOUND);
        case EACCES:
        case EPERM: return static_cast<UINT>(ERROR_ACCESS_DENIED);
        case ENOEXEC: return static_cast<UINT>(ERROR_BAD_FORMAT);
        default: return 0;  // out of resources
    }
}

UINT Spawn(const std::vector<AnsiString>& args) {
    std::vector<char*> argv;
    for (const AnsiString& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    const int error = posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ);
    if (error != 0) return ResultOfSpawnError(error);
    // The program outlives the call; its exit is collected so that no zombie remains.
    std::thread([child] {
        int status = 0;
        waitpid(child, &status, 0);
    }).detach();
    return Started;
}

}  // namespace

std::vector<AnsiString> SplitCommandLine(const AnsiString& CommandLine) {
    std::vector<AnsiString> args;
    std::size_t at = SkipBlanks(CommandLine, 0);
    if (at == CommandLine.size()) return args;
    AnsiString program;
    at = ReadProgramName(CommandLine, at, program);
    args.push_back(std::move(program));
    while ((at = SkipBlanks(CommandLine, at)) < CommandLine.size()) {
        AnsiString arg;
        at = ReadArgument(CommandLine, at, arg);
        args.push_back(std::move(arg));
    }
    return args;
}

AnsiString QuoteCommandLineArgument(const AnsiString& Arg) {
    if (!Arg.empty() && Arg.find_first_of(" \t\"") == AnsiString::npos) return Arg;
    AnsiString quoted = "\"";
    std::size_t slashes = 0;
    for (char c : Arg) {
        if (c == '\\') {
            ++slashes;
            continue;
        }
        // Backslashes before a quote are doubled and the quote escaped; elsewhere they stand.
        quoted.append(c == '"' ? 2 * slashes + 1 : slashes, '\\');
        quoted += c;
        slashes = 0;
    }
    quoted.append(2 * slashes, '\\');  // before the closing quote
    return quoted + '"';
}

UINT WinExec(const char* lpCmdLine, UINT uCmdShow) {
    const std::vector<AnsiString> args = SplitCommandLine(lpCmdLine != nullptr ? lpCmdLine : "");
    if (args.empty() || args[0].empty()) return static_cast<UINT>(ERROR_FILE_NOT_FOUND);
    TWinExecLauncher launcher;
    {
        std::lock_guard guard(LauncherState().Lock);
        launcher = LauncherState().Launcher;
    }
    return launcher ? launcher(args, uCmdShow) : Spawn(args);
}

void SetWinExecLauncherForTest(TWinExecLauncher Launcher) {
    std::lock_guard guard(LauncherState().Lock);
    LauncherState().Launcher = std::move(Launcher);
}
