// The Unicode unit's start-up and exit: the wide compare function and the trap's atom.
#include "GrdUni.h"

#include "UnitStart.h"
#include "vcl/SysUtils.h"

namespace GrdUni {

namespace {

// The platform's answers less 2: negative, 0 for equal, positive.
int CompareWide(LCID Locale, const WideString& S1, const WideString& S2) {
    return CompareStringW(Locale, NORM_IGNORECASE, S1.data(), static_cast<int>(S1.size()), S2.data(),
                          static_cast<int>(S2.size())) -
           2;
}

// Without the wide call: both in the locale's ANSI code page (Windows-1252 for every locale here).
int CompareSingleByte(LCID Locale, const WideString& S1, const WideString& S2) {
    const AnsiString a1 = WideToAnsi(S1), a2 = WideToAnsi(S2);
    return CompareStringA(Locale, NORM_IGNORECASE, a1.data(), static_cast<int>(a1.size()), a2.data(),
                          static_cast<int>(a2.size())) -
           2;
}

struct TUniUnit {
    TUnitStart Start;
    // The version answer's choice is made at start-up; until then the wide call, as the answer gives it.
    TWideCompare Compare = CompareWide;
    ATOM Atom = 0;
};

TUniUnit& Unit() {
    static TUniUnit unit;
    return unit;
}

}  // namespace

TWideCompare WideCompare() { return Unit().Compare; }
ATOM TrapAtom() { return Unit().Atom; }

void InitGrdUniUnit() {
    Unit().Start.Start([] {
        Unit().Compare = Win32Platform() == VER_PLATFORM_WIN32_NT ? CompareWide : CompareSingleByte;
        const AnsiString name = Format("WinControlTrap.UnicodeClass.%d", {static_cast<Integer>(GetCurrentProcessId())});
        Unit().Atom = GlobalAddAtomA(name.c_str());
    });
}

void DoneGrdUniUnit() {
    Unit().Start.End([] {
        GlobalDeleteAtom(Unit().Atom);
        Unit().Atom = 0;
    });
}

}  // namespace GrdUni
