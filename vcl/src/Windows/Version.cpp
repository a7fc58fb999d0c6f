// The version answer: Windows NT 5.1 build 2600 (the system was made for it), or what a test sets.
#include <cstring>

#include "vcl/Windows.h"

namespace {

struct TVersionAnswer {
    DWORD Platform = VER_PLATFORM_WIN32_NT;
    DWORD Major = 5;
    DWORD Minor = 1;
    DWORD Build = 2600;
};

TVersionAnswer& Answer() {
    static TVersionAnswer answer;
    return answer;
}

}  // namespace

BOOL GetVersionEx(OSVERSIONINFO* lpVersionInformation) {
    if (!lpVersionInformation) return FALSE;
    const DWORD size = lpVersionInformation->dwOSVersionInfoSize;
    if (size != sizeof(OSVERSIONINFO) && size != sizeof(OSVERSIONINFOEX)) return FALSE;
    const TVersionAnswer& a = Answer();
    lpVersionInformation->dwMajorVersion = a.Major;
    lpVersionInformation->dwMinorVersion = a.Minor;
    lpVersionInformation->dwBuildNumber = a.Build;
    lpVersionInformation->dwPlatformId = a.Platform;
    std::memset(lpVersionInformation->szCSDVersion, 0, sizeof lpVersionInformation->szCSDVersion);
    if (size == sizeof(OSVERSIONINFOEX)) {
        auto* ex = static_cast<OSVERSIONINFOEX*>(lpVersionInformation);
        ex->wServicePackMajor = 0;
        ex->wServicePackMinor = 0;
        ex->wSuiteMask = 0;
        ex->wProductType = a.Platform == VER_PLATFORM_WIN32_NT ? VER_NT_WORKSTATION : 0;
        ex->wReserved = 0;
    }
    return TRUE;
}

Integer Win32Platform() { return static_cast<Integer>(Answer().Platform); }
Integer Win32MajorVersion() { return static_cast<Integer>(Answer().Major); }
Integer Win32MinorVersion() { return static_cast<Integer>(Answer().Minor); }

bool IsNTFiveOneOrLater() {
    const TVersionAnswer& a = Answer();
    return a.Platform == VER_PLATFORM_WIN32_NT && (a.Major > 5 || (a.Major == 5 && a.Minor >= 1));
}

void SetWindowsVersionForTest(DWORD Platform, DWORD Major, DWORD Minor, DWORD Build) {
    Answer() = {Platform, Major, Minor, Build};
}

void ResetWindowsVersion() { Answer() = {}; }
