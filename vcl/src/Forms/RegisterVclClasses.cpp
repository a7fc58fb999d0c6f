// The class registrations of every unit of the stand-in, in one start-up step.
#include <cstdint>

#include "vcl/Buttons.h"
#include "vcl/ComCtrls.h"
#include "vcl/Dialogs.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/Graphics.h"
#include "vcl/Grids.h"
#include "vcl/Mask.h"
#include "vcl/Menus.h"
#include "vcl/Spin.h"
#include "vcl/StdCtrls.h"

namespace {

bool ColorIdentOf(Int64 Value, std::string& Ident) {
    return Value >= INT32_MIN && Value <= INT32_MAX && ColorToIdent(static_cast<Integer>(Value), Ident);
}

bool CharsetIdentOf(Int64 Value, std::string& Ident) {
    return Value >= INT32_MIN && Value <= INT32_MAX && CharsetToIdent(static_cast<Integer>(Value), Ident);
}

}  // namespace

void RegisterVclClasses() {
    // Streaming writes named colours and character sets by their names.
    RegisterIntegerIdents(static_cast<TIdentToInt>(&IdentToColor), &ColorIdentOf);
    RegisterIntegerIdents(&IdentToCharset, &CharsetIdentOf);
    RegisterStdCtrls();
    RegisterExtCtrls();
    RegisterComCtrls();
    RegisterSpin();
    RegisterButtons();
    RegisterMenus();
    RegisterMask();
    RegisterGrids();
    RegisterDialogs();
}
