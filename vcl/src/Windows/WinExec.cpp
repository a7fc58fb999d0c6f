// Starting a program from a command line without a shell: the line is cut into arguments as a
// Windows program's run time would cut it, and the program is spawned with exactly those arguments,
// so nothing in an argument (quotes, semicolons, "$(...)") can start a second command.
//
// A started program is waited for on a thread of its own, so that no zombie remains; a watched one's
// end is picked up on the GUI thread by a timer of the event loop, which never waits for it.
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <iterator>
#include <memory>
#include <mutex>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <utility>

#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/Windows.h"

extern char** environ;

namespace {

constexpr UINT Started = 33;
constexpr Cardinal ExitPollInterval = 100;  // milliseconds

// A program's end as its waiting thread (or the test launcher) reports it; the first report counts.
struct TExitState {
    std::atomic<bool> Reported{false};
    std::atomic<bool> Ended{false};
    std::atomic<int> Status{0};
    void Report(int ExitStatus) {
        if (Reported.exchange(true)) return;
        Status.store(ExitStatus, std::memory_order_relaxed);
        Ended.store(true, std::memory_order_release);
    }
};

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

UINT Spawn(const std::vector<AnsiString>& args, const std::shared_ptr<TExitState>& exit) {
    std::vector<char*> argv;
    for (const AnsiString& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    const int error = posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ);
    if (error != 0) return ResultOfSpawnError(error);
    std::thread([child, exit] {
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        exit->Report(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
    }).detach();
    return Started;
}

// Watched programs whose end is not reported yet (GUI thread only).
struct TWatch {
    std::shared_ptr<TExitState> Exit;
    TProgramExitEvent OnExit;
};

struct TWatchList {
    std::vector<TWatch> Watches;
    TTimerService* Service = nullptr;
    Cardinal Timer = 0;
};

TWatchList& WatchList() {
    static TWatchList list;
    return list;
}

// A tick of the watching timer: reports every program that has ended. With none left to watch the timer
// stops itself (through the service that ticks it, alive while it does).
void ReportEndedPrograms(TTimerService& Service, Cardinal Timer) {
    TWatchList& list = WatchList();
    std::vector<TWatch> ended;
    auto running = std::stable_partition(list.Watches.begin(), list.Watches.end(), [](const TWatch& w) {
        return !w.Exit->Ended.load(std::memory_order_acquire);
    });
    std::move(running, list.Watches.end(), std::back_inserter(ended));
    list.Watches.erase(running, list.Watches.end());
    if (list.Watches.empty()) {
        Service.Stop(Timer);
        if (list.Service == &Service && list.Timer == Timer) list.Timer = 0;
    }
    // A handler may start and watch another program: the list is settled before any runs.
    for (const TWatch& w : ended) {
        try {
            w.OnExit(w.Exit->Status.load(std::memory_order_relaxed));
        } catch (...) {
            Application->HandleException(nullptr);
        }
    }
}

void Watch(std::shared_ptr<TExitState> exit, TProgramExitEvent onExit) {
    TWatchList& list = WatchList();
    list.Watches.push_back({std::move(exit), std::move(onExit)});
    // A timer of a service no longer installed (a test's) does not count.
    TTimerService* service = &TimerService();
    if (list.Timer != 0 && list.Service == service) return;
    auto timer = std::make_shared<Cardinal>(0);
    *timer = service->Start(ExitPollInterval, [service, timer] { ReportEndedPrograms(*service, *timer); });
    list.Service = service;
    list.Timer = *timer;
}

UINT Start(const char* lpCmdLine, UINT uCmdShow, TProgramExitEvent OnExit) {
    const std::vector<AnsiString> args = SplitCommandLine(lpCmdLine != nullptr ? lpCmdLine : "");
    if (args.empty() || args[0].empty()) return static_cast<UINT>(ERROR_FILE_NOT_FOUND);
    TWinExecLauncher launcher;
    {
        std::lock_guard guard(LauncherState().Lock);
        launcher = LauncherState().Launcher;
    }
    auto exit = std::make_shared<TExitState>();
    const UINT result =
        launcher ? launcher(args, uCmdShow, [exit](int ExitStatus) { exit->Report(ExitStatus); }) : Spawn(args, exit);
    if (result >= 32 && OnExit) Watch(std::move(exit), std::move(OnExit));
    return result;
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

UINT WinExec(const char* lpCmdLine, UINT uCmdShow) { return Start(lpCmdLine, uCmdShow, nullptr); }

UINT WinExecWatched(const char* lpCmdLine, UINT uCmdShow, TProgramExitEvent OnExit) {
    return Start(lpCmdLine, uCmdShow, std::move(OnExit));
}

void SetWinExecLauncherForTest(TWinExecLauncher Launcher) {
    std::lock_guard guard(LauncherState().Lock);
    LauncherState().Launcher = std::move(Launcher);
}
