// The class registrations of every unit of the stand-in, in one start-up step.
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

void RegisterVclClasses() {
    // Streaming writes named colours and character sets by their names.
    RegisterIntegerIdents(static_cast<TIdentToInt>(&IdentToColor), &ColorToIdent);
    RegisterIntegerIdents(&IdentToCharset, &CharsetToIdent);
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
