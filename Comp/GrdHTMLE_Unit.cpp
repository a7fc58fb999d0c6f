// The mark-up unit's start-up: the XP flag, read once however often the unit is started.
#include "GrdHTMLE.h"

#include "vcl/Windows.h"

namespace GrdHTMLE {

namespace {

bool xpFlag = false;
Integer initCount = 0;

}  // namespace

void IsWindowsXPOrLater() { xpFlag = IsNTFiveOneOrLater(); }

bool XPFlag() { return xpFlag; }

void InitGrdHTMLE() {
    if (initCount++ == 0) IsWindowsXPOrLater();
}

void DoneGrdHTMLE() {
    if (initCount > 0) --initCount;
}

}  // namespace GrdHTMLE
