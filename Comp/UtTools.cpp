#include "UtTools.h"

#include <memory>

#include "UnitStart.h"

namespace UtTools {

std::function<void()> PumpMessages;

namespace {
TUnitStart Unit;
TSystemFlags Flags;
std::unique_ptr<TUtMessagePump> Pump;
}  // namespace

TSystemFlags FlagsForVersion(const OSVERSIONINFO& Version) {
    const DWORD platform = Version.dwPlatformId;
    const DWORD major = Version.dwMajorVersion;
    const DWORD minor = Version.dwMinorVersion;
    TSystemFlags f;
    f.IsWin95 = platform == VER_PLATFORM_WIN32_WINDOWS;
    f.IsWin95OSR2 = f.IsWin95 && LOWORD(Version.dwBuildNumber) >= 1000;
    f.IsWinNT = platform == VER_PLATFORM_WIN32_NT;
    f.IsWin2000Up = f.IsWinNT && major >= 5;
    f.IsWinNTUp = f.IsWinNT;
    f.IsWin98Up = f.IsWin95 && minor > 0;
    f.IsWin98 = f.IsWin98Up;
    f.IsWinME = f.IsWin95 && minor >= 90;
    f.IsWinXP = f.IsWinNT && major == 5 && minor == 1;
    // Read as "XP or later": a later major version counts whatever its minor (6.0 too).
    f.IsWinXPUp = f.IsWinNT && (major > 5 || (major == 5 && minor >= 1));
    f.IsWin2000XP = f.IsWin2000Up || f.IsWinXP;
    return f;
}

const TSystemFlags& SystemFlags() { return Flags; }

bool TUtMessagePump::PumpOne() {
    MSG msg{};
    if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    TranslateMessage(&msg);
    DispatchMessage(&msg);
    return true;
}

void TUtMessagePump::PumpAll() {
    while (PumpOne()) {
    }
}

TUtMessagePump* MessagePump() { return Pump.get(); }

void InitTools() {
    Unit.Start([] {
        OSVERSIONINFO version{};
        version.dwOSVersionInfoSize = sizeof(OSVERSIONINFO);
        if (GetVersionEx(&version)) Flags = FlagsForVersion(version);
        Pump = std::make_unique<TUtMessagePump>();
        PumpMessages = [pump = Pump.get()] { pump->PumpAll(); };
    });
}

void DoneTools() {
    Unit.End([] {
        PumpMessages = nullptr;
        Pump.reset();
    });
}

}  // namespace UtTools
