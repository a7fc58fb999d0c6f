// Drop-target registrations by window, and DoDragDrop's checks before the drag itself runs.
#include <map>

#include "ActiveX/DragDropInternal.h"
#include "vcl/Controls.h"

namespace {

// Never destroyed: widgets may still leave after static destruction began.
std::map<HWND, ComPtr<IDropTarget>>& Registrations() {
    static auto* registrations = new std::map<HWND, ComPtr<IDropTarget>>;
    return *registrations;
}

std::optional<std::vector<TDragStep>>& Script() {
    static std::optional<std::vector<TDragStep>> script;
    return script;
}

// Takes the registration out before releasing it: the target's release may run any code.
void Unregister(HWND Window) {
    auto& registrations = Registrations();
    auto it = registrations.find(Window);
    if (it == registrations.end()) return;
    ComPtr<IDropTarget> target = std::move(it->second);
    registrations.erase(it);
}

}  // namespace

IDropTarget* RegisteredDropTarget(HWND Window) {
    auto& registrations = Registrations();
    auto it = registrations.find(Window);
    return it == registrations.end() ? nullptr : it->second.Get();
}

void ForgetDropTarget(HWND Window) { Unregister(Window); }

DWORD EffectWithin(DWORD Effect, DWORD Allowed) {
    Effect &= DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    if (Effect == DROPEFFECT_NONE) return DROPEFFECT_NONE;
    for (DWORD e : {DROPEFFECT_MOVE, DROPEFFECT_COPY, DROPEFFECT_LINK}) {
        if ((Effect & e) && (Allowed & e)) return e;
    }
    for (DWORD e : {DROPEFFECT_COPY, DROPEFFECT_MOVE, DROPEFFECT_LINK}) {
        if (Allowed & e) return e;
    }
    return DROPEFFECT_NONE;
}

HRESULT RegisterDragDrop(HWND hwnd, IDropTarget* pDropTarget) {
    if (!OleIsInitialized()) return CO_E_NOTINITIALIZED;
    if (!pDropTarget) return E_INVALIDARG;
    if (!FindControl(hwnd)) return DRAGDROP_E_INVALIDHWND;
    if (RegisteredDropTarget(hwnd)) return DRAGDROP_E_ALREADYREGISTERED;
    Registrations()[hwnd] = ComPtr<IDropTarget>(pDropTarget);
    DragLoop::AttachTarget(hwnd);
    return S_OK;
}

HRESULT RevokeDragDrop(HWND hwnd) {
    if (!RegisteredDropTarget(hwnd)) return DRAGDROP_E_NOTREGISTERED;
    DragLoop::DetachTarget(hwnd);
    Unregister(hwnd);
    return S_OK;
}

HRESULT DoDragDrop(IDataObject* pDataObj, IDropSource* pDropSource, DWORD dwOKEffects, DWORD* pdwEffect) {
    // A script serves the next drag only, even one that fails.
    std::optional<std::vector<TDragStep>> script = std::move(Script());
    Script().reset();
    if (!pDataObj || !pDropSource || !pdwEffect) return E_INVALIDARG;
    *pdwEffect = DROPEFFECT_NONE;
    if (!OleIsInitialized()) return CO_E_NOTINITIALIZED;
    // Both stay alive for the whole drag, whatever the targets do with their references.
    ComPtr<IDataObject> data(pDataObj);
    ComPtr<IDropSource> source(pDropSource);
    return DragLoop::Run(pDataObj, pDropSource, dwOKEffects, *pdwEffect, script);
}

void SetDragScriptForTest(std::vector<TDragStep> Steps) { Script() = std::move(Steps); }

DWORD RunForeignDragForTest(const std::vector<std::pair<AnsiString, std::string>>& Formats, DWORD OkEffects,
                            const std::vector<TDragStep>& Steps) {
    return DragLoop::RunForeign(Formats, OkEffects, Steps);
}
