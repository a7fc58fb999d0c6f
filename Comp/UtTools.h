#pragma once
// The system flags of the edit controls' support units and their message pump.

#include <functional>

#include "vcl/Classes.h"
#include "vcl/Messages.h"
#include "vcl/Windows.h"

namespace UtTools {

// Computed at start-up from the system's version answer.
struct TSystemFlags {
    bool IsWin95 = false;      // the 9x family
    bool IsWin95OSR2 = false;  // 9x, build 1000 or later
    bool IsWinNT = false;      // the NT family
    bool IsWin2000Up = false;  // NT 5 or later
    bool IsWinNTUp = false;
    bool IsWin98Up = false;  // 9x with a minor version above 0
    bool IsWin98 = false;
    bool IsWinME = false;  // 9x, minor version 90 or later
    bool IsWinXP = false;  // NT 5.1 exactly
    bool IsWinXPUp = false;
    bool IsWin2000XP = false;
};

// The flags for a version answer; the 9x family keeps its build number in the low word.
TSystemFlags FlagsForVersion(const OSVERSIONINFO& Version);
const TSystemFlags& SystemFlags();

// Pumps the thread's queue without a window or range filter.
class TUtMessagePump : public TObject {
public:
    // Removes one queued message; unless it is the quit message it is translated and dispatched. The quit
    // message is posted again, so that the loop that owns the queue still ends. True when a message other
    // than the quit message was removed.
    bool PumpOne();
    // Pumps until the queue holds nothing but, perhaps, the quit message.
    void PumpAll();
};

// The singleton and the process-wide pump bound to its PumpAll; both empty outside start-up and exit.
TUtMessagePump* MessagePump();
extern std::function<void()> PumpMessages;

// Start-up: computes the flags, creates the pump and binds PumpMessages. Exit: frees the pump and unbinds.
void InitTools();
void DoneTools();

}  // namespace UtTools
