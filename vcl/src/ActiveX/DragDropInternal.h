#pragma once
// What the Qt-free side of drag and drop shares with the windowing side (vcl/src/qt/DragDropQt.cpp).

#include <optional>
#include <vector>

#include "vcl/ActiveX.h"

bool OleIsInitialized();

// The target registered for the window, nullptr when none.
IDropTarget* RegisteredDropTarget(HWND Window);
// The window's widget went away: its registration goes with it.
void ForgetDropTarget(HWND Window);
// Effect as the source allows it: kept when allowed, else the first allowed of copy, move and link.
DWORD EffectWithin(DWORD Effect, DWORD Allowed);

namespace DragLoop {
// Drags over the window's widget reach RegisteredDropTarget(Window) from now on, or no more.
void AttachTarget(HWND Window);
void DetachTarget(HWND Window);
// A whole drag, by the windowing system or, when Script is given, by the script.
HRESULT Run(IDataObject* Data, IDropSource* Source, DWORD OkEffects, DWORD& Effect,
            const std::optional<std::vector<TDragStep>>& Script);
DWORD RunForeign(const std::vector<std::pair<AnsiString, std::string>>& Formats, DWORD OkEffects,
                 const std::vector<TDragStep>& Steps);
}  // namespace DragLoop
