// The set-up steps, the layout keys and the destroy hook of the standard window.

#include <vcl/ExtCtrls.h>
#include <vcl/Windows.h>

#include "ComponentHandling.h"
#include "easypanel.h"
#include "exposit.h"
#include "standards.h"

using namespace easypanel;
using namespace ComponentHandling;

namespace standards {

namespace {

// The tables go before the form's own handler runs, so it still finds the form whole but the tables empty.
void EmptyTablesThen(const TNotifyEvent& Saved, TObject* Sender) {
    superar::ClearTable(LineTable());
    superar::ClearTable(OptionTable());
    if (Saved) Saved(Sender);
}

// The handler HookFormDestroy installs; recognisable so a second hook does not save it as its own previous.
struct DestroyHook {
    TNotifyEvent* Saved;
    void operator()(TObject* Sender) const { EmptyTablesThen(*Saved, Sender); }
};

using PlainDestroy = void (*)(TObject*);
using PlainKeyDown = void (*)(TObject*, Word&, TShiftState);

// Hooking twice must keep the first saved handler: saving our own would make it call itself without end.
bool IsDestroyHook(const TNotifyEvent& Handler) {
    const PlainDestroy* plain = Handler.target<PlainDestroy>();
    return Handler.target<DestroyHook>() != nullptr || (plain && *plain == FormDestroying);
}

}  // namespace

void SetupStandardForm(TControl*& AnchorField, bool Refresh) {
    TWinControl* inner = AnchorField ? AnchorField->Parent() : nullptr;
    TWinControl* host = inner ? inner->Parent() : nullptr;
    TWinControl* form = host ? host->Parent() : nullptr;
    if (dynamic_cast<TPanel*>(inner) && dynamic_cast<TPanel*>(host) && dynamic_cast<TForm*>(form))
        BindPanelManagers(AnchorField, Refresh);
    StandardInit();
}

TForm* BindPanelManagers(TControl* Anchor, bool Refresh) {
    auto* innerHost = static_cast<TPanel*>(Anchor->Parent()->Parent());
    auto* form = static_cast<TForm*>(innerHost->Parent());
    TeasyPanel& inner = InnerPanelManager();
    TeasyPanel& outer = FormManager();

    AttachPanelManager(inner, innerHost, false);
    AttachPanelManager(outer, form, false);
    ChainToOuterManager(inner, outer, false, true);
    SetInnerManager(outer, &inner);
    LineTable().BoundControl = ClientPanelOf(outer);

    SetColumns(inner, 1, false);
    SetSizeListMode(inner, true, false);
    SetLayoutFlags(inner, lwHorizontal | 0x0200, false);  // bit 9 is kept but means nothing
    SetTopMargin(inner, 0, false);
    SetLeftMargin(inner, 0, false);
    SetBottomMargin(inner, 0, false);
    SetRightMargin(inner, 0, false);

    innerHost->SetBevelInner(bvNone);
    innerHost->SetBevelOuter(bvNone);
    HideAllTitleBars(inner, false);
    Relayout(inner, Refresh, true, true);

    InstallKeyHook(form);
    return form;
}

void StandardInit() {
    StandardCaption(false);
    LoadCommandLine(OptionTable());
    RegisterPathEditsAll();
    BuildSpinEntries(SpinStore());
    gauge::TFormGauge& progress = ProgressRecord();
    gauge::FormGaugeInit(progress, 100);
    progress.CloseAt100 = 1;
    repl::InitReplace(ReplaceRecord());
    SetDoubleBufferedAllForms();
    HookMainFormDestroy();
}

void StandardCaption(bool KeepMinWidth) {
    FitMainFormToScreen(KeepMinWidth);
    RefillComponentList(ComponentList());
    if (TForm* form = FindMainForm()) {
        const AnsiString caption = form->Caption();
        if (!exposit::EndsWith(VersionText(), caption, false)) form->SetCaption(caption + " " + VersionText());
    }
    ApplyEnabledLookMainForm();
}

void InstallKeyHook(TForm* Form) {
    Form->SetKeyPreview(true);
    const PlainKeyDown* plain = Form->OnKeyDown.target<PlainKeyDown>();
    if (plain && *plain == StandardKeyDown) return;
    SavedOnKeyDown() = Form->OnKeyDown;
    Form->OnKeyDown = StandardKeyDown;
}

void StandardKeyDown(TObject* Sender, Word& Key, TShiftState Shift) {
    if (SavedOnKeyDown()) SavedOnKeyDown()(Sender, Key, Shift);
    if (!Shift.Contains(ssCtrl)) return;
    switch (Key) {
        case VK_F3: ToggleClientPanel(FormManager(), true); break;
        case VK_F4: ToggleClientPanelForced(FormManager(), true); break;
        case VK_F5: ToggleClientPanelForced(InnerPanelManager(), true); break;
        default: break;
    }
}

void HookMainFormDestroy() {
    TForm* form = FindMainForm();
    if (form == nullptr || IsDestroyHook(form->OnDestroy)) return;
    SavedOnDestroy() = form->OnDestroy;
    form->OnDestroy = FormDestroying;
}

void HookFormDestroy(TNotifyEvent& Saved, TForm* Form) {
    if (IsDestroyHook(Form->OnDestroy)) return;
    Saved = Form->OnDestroy;
    Form->OnDestroy = DestroyHook{&Saved};
}

void FormDestroying(TObject* Sender) { EmptyTablesThen(SavedOnDestroy(), Sender); }

}  // namespace standards
