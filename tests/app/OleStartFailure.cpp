// The program whose OLE cannot start: the grid unit's start stops the sequence, the units started before
// it end, the body never runs, and the failure is the one line on stderr with exit status 1. Exit status 3
// when a unit started before the failure was left running.
#include <cstdio>
#include <cstdlib>

#include "DedIDIZ.h"
#include "GrdUni.h"
#include "ProgramStart.h"
#include "vcl/ActiveX.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    SetOleInitializeFailureForTest(E_UNEXPECTED);
    const int status = RunProgram(argc, argv, [] {
        std::puts("the program ran");
        return 0;
    });
    SetOleInitializeFailureForTest(S_OK);
    const bool oleHeld = OleInitialize(nullptr) != S_OK;
    if (DedIDIZ::ThemeLibraryLoaded() || GrdUni::TrapAtom() != 0 || oleHeld) {
        std::fprintf(stderr, "a started unit was left running\n");
        return 3;
    }
    return status;
}
