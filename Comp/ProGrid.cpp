// The grid's life: construction with its owned objects and defaults, the owning form's resize chain,
// window creation, Loaded, destruction, invalidation and bounds; the floating footer's settings.
#include "DedIDIZ.h"
#include "PictureContainer.h"
#include "ProGrid.h"
#include "ProGrid_EditorClasses.h"
#include "vcl/Forms.h"

namespace ProGrid {

using namespace BaseGrid;
using namespace ProObj;

namespace {

constexpr UINT HoverInterval = 500;

// Themes need NT 5.1 or later and an active theme; the theme library is asked only while it is loaded.
bool ThemesActive() {
    if (!IsNTFiveOneOrLater() || !DedIDIZ::ThemeLibraryLoaded()) return false;
    const auto isActive = DedIDIZ::ThemeEntries().IsThemeActive;
    return isActive && isActive();
}

// Windows 95 before 4.10 and NT before 4.0 have no wheel message of their own.
bool PlatformHasWheel() {
    const Integer major = Win32MajorVersion(), minor = Win32MinorVersion();
    if (Win32Platform() == static_cast<Integer>(VER_PLATFORM_WIN32_WINDOWS))
        return major > 4 || (major == 4 && minor >= 10);
    if (Win32Platform() == static_cast<Integer>(VER_PLATFORM_WIN32_NT)) return major >= 4;
    return true;
}

}  // namespace

// The link from the owning form's resize chain to a grid. A grid going away while later handlers are
// chained after its own leaves its link in place, pointing at no grid: the chain stays whole.
struct RAdeRedeviDidi::TFormResizeLink {
    RAdeRedeviDidi* Grid = nullptr;
    TNotifyEvent Next;
};

struct RAdeRedeviDidi::TFormResizeHandler {
    std::shared_ptr<TFormResizeLink> Link;
    void operator()(TObject* Sender) const {
        if (Link->Grid) Link->Grid->SizeWithForm(Sender);
        else if (Link->Next) Link->Next(Sender);
    }
};

// ---------------------------------------------------------------------------
// Construction and destruction

RAdeRedeviDidi::RAdeRedeviDidi(TComponent* AOwner)
    : TBaseGrid(AOwner),
      printSettings_(std::make_unique<TPrintSettings>(this)),
      htmlSettings_(std::make_unique<THTMLSettings>(this)),
      sortSettings_(std::make_unique<TSortSettings>(this)),
      dragDropSettings_(std::make_unique<TDragDropSettings>(this)),
      controlLook_(std::make_unique<TControlLook>(this)),
      navigation_(std::make_unique<TNavigation>(this)),
      columnSize_(std::make_unique<TColumnSize>(this)),
      cellNode_(std::make_unique<TCellNode>(this)),
      bands_(std::make_unique<TBands>(this)),
      sizeWhileTyping_(std::make_unique<TSizeWhileTyping>(this)),
      mouseActions_(std::make_unique<TMouseActions>(this)),
      grouping_(std::make_unique<TGrouping>(this)),
      backGround_(std::make_unique<TBackGround>(this)),
      floatingFooter_(std::make_unique<TFloatingFooter>(this)),
      fixedFont_(std::make_unique<TFont>()),
      activeCellFont_(std::make_unique<TFont>()),
      columnHeaders_(std::make_unique<TStringList>()),
      rowHeaders_(std::make_unique<TStringList>()),
      lookupItems_(std::make_unique<TStringList>()),
      rowOrderList_(std::make_unique<TIntList>(0, 0)),
      sortIndexes_(std::make_unique<TSortIndexList>()),
      rowIndicator_(std::make_unique<TBitmap>()),
      hiddenRows_(std::make_unique<THiddenRowList>()),
      filter_(std::make_unique<TFilter>(this)),
      controlList_(std::make_unique<TControlList>()),
      pictureCache_(std::make_unique<::PictureContainer::THTMLPictureCache>()) {
    const bool designing = ComponentState().Contains(csDesigning);
    auto* panel = new TFooterPanel(this, this);
    panel->SetAlign(alBottom);
    panel->SetHeight(0);
    panel->SetBorderWidth(0);
    footerPanel_ = panel;
    const auto repaint = [this](TObject*) { Repaint(); };
    fixedFont_->OnChange = repaint;
    activeCellFont_->OnChange = repaint;
    columnHeaders_->OnChange = [this](TObject*) {
        ApplyColumnHeaders();
        Repaint();
    };
    rowHeaders_->OnChange = [this](TObject*) {
        ApplyRowHeaders();
        Repaint();
    };
    hintWindow_ = new THTMLHintWindow(this);
    richEdit_ = new TProRichEdit(this, this);
    inplaceRichEdit_ = new TProRichEdit(this, this);
    if (!designing) {
        for (Byte direction = 0; direction < 4; ++direction) arrows_[direction] = new TArrowWindow(this, direction);
        dragImage_ = HiddenOnGrid(new TPopupButton(this));
        popupButton_ = HiddenOnGrid(new TPopupButton(this));
        transEdit_ = HiddenOnGrid(new TGridTransEdit(this, this));
        controlEdit_ = HiddenOnGrid(new TControlEdit(this));
        controlCombo_ = HiddenOnGrid(new TControlCombo(this));
    }

    fixedFont_->SetName("Tahoma");
    fixedFont_->SetStyle(TFontStyles{fsBold});
    activeCellFont_->SetStyle(TFontStyles{fsBold});
    if (designing) {
        activeCellFont_->SetName("Tahoma");
        Font()->SetName("Tahoma");
    }
    SetScrollWidth(GetSystemMetrics(SM_CXVSCROLL));
    SetDefaultRowHeight(21);
    footerHeight_ = DefaultRowHeight();
    columnVisible_.fill(true);

    if (auto* form = dynamic_cast<TCustomForm*>(AOwner); form && !designing) {
        ownerForm_ = form;
        formLink_ = std::make_shared<TFormResizeLink>();
        formLink_->Grid = this;
        formLink_->Next = form->OnResize;
        form->OnResize = TFormResizeHandler{formLink_};
        formWidth_ = form->Width();
        formHeight_ = form->Height();
    }

    themedLook_ = ThemesActive();
    const Integer controlsVersion = GetFileVersion("COMCTL32.DLL");
    commonControls6_ = controlsVersion != -1 && (controlsVersion >> 16) > 5;

    if (PlatformHasWheel()) {
        UINT lines = 0;
        SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
        wheelScrollLines_ = static_cast<Integer>(lines);
        wheelMessage_ = WM_MOUSEWHEEL;
    } else if (HWND wheel = FindWindowA("MouseZ", "Magellan MSWHEEL")) {
        wheelMessage_ = RegisterWindowMessageA("MSH_SCROLL_LINES_MSG");
        wheelScrollLines_ = static_cast<Integer>(SendMessage(wheel, wheelMessage_, 0, 0));
    }
    lastScrollPos_ = {LeftCol(), TopRow()};
    if (!designing) CreateEditorControls();
}

void RAdeRedeviDidi::CreateEditorControls() {
    comboEditor_ = HiddenOnGrid(new TGridCombo(this));
    comboEditor_->SetIsWinXP(themedLook_);
    comboEditor_->OnChange = [this](TObject*) {
        TGridCombo* combo = comboEditor_;
        const Integer index = combo->ItemIndex();
        const AnsiString item = index >= 0 ? combo->Items()->Strings(index) : combo->Text();
        if (OnComboChange) OnComboChange(this, Col(), Row(), index, item);
        if (OnComboObjectChange && index >= 0)
            OnComboObjectChange(this, Col(), Row(), index, item, combo->Items()->Objects(index));
    };
    uniEditor_ = HiddenOnGrid(new TGridUniEdit(this));
    uniEditor_->SetBorderStyle(bsNone);
    uniComboEditor_ = HiddenOnGrid(new TGridUniCombo(this));
    uniComboEditor_->SetIsWinXP(themedLook_);
    checkBoxEditor_ = HiddenOnGrid(new TGridCheckBox(this));
    buttonEditor_ = HiddenOnGrid(new TGridEditBtn(this));
    buttonEditor_->SetButtonCaption("...");
    buttonEditor_->SetBorderStyle(bsNone);
    buttonEditor_->SetIsWinXP(themedLook_);
    unitEditor_ = HiddenOnGrid(new TGridUnitEditBtn(this));
    unitEditor_->SetButtonCaption("...");
    unitEditor_->SetBorderStyle(bsNone);
    buttonCellEditor_ = HiddenOnGrid(new TGridButton(this));
    if (CommonControlsFlag()) dateEditor_ = HiddenOnGrid(new TGridDatePicker(this));
    for (TWinControl* editor :
         std::initializer_list<TWinControl*>{comboEditor_, uniEditor_, uniComboEditor_, checkBoxEditor_, buttonEditor_,
                                             unitEditor_, buttonCellEditor_, dateEditor_})
        if (editor) editor->SetEnabled(false);
}

TGridCombo* RAdeRedeviDidi::ComboEditor() const { return comboEditor_; }
// Its buttons' glyphs come from the unit's resources: it is made when first asked for.
TGridSpin* RAdeRedeviDidi::SpinEditor() {
    if (!spinEditor_ && !ComponentState().Contains(csDesigning)) {
        spinEditor_ = HiddenOnGrid(new TGridSpin(this));
        spinEditor_->SetBorderStyle(bsNone);
        spinEditor_->SetIsWinXP(themedLook_);
        spinEditor_->SetEnabled(false);
    }
    return spinEditor_;
}
TGridUniEdit* RAdeRedeviDidi::UniEditor() const { return uniEditor_; }
TGridUniCombo* RAdeRedeviDidi::UniComboEditor() const { return uniComboEditor_; }
TGridCheckBox* RAdeRedeviDidi::CheckBoxEditor() const { return checkBoxEditor_; }
TGridEditBtn* RAdeRedeviDidi::ButtonEditor() const { return buttonEditor_; }
TGridUnitEditBtn* RAdeRedeviDidi::UnitEditor() const { return unitEditor_; }
TGridButton* RAdeRedeviDidi::ButtonCellEditor() const { return buttonCellEditor_; }
TGridDatePicker* RAdeRedeviDidi::DateEditor() const { return dateEditor_; }

RAdeRedeviDidi::~RAdeRedeviDidi() {
    UnchainFormResize();
    // Nothing may leave a destructor: a store that cannot take the widths is reported instead.
    if (columnSize_->Save()) {
        try {
            SaveColWidths();
        } catch (...) {
            Application->HandleException(this);
        }
    }
    // The cells' graphics go with their properties in the base grid's destruction; the owned objects
    // with their holders. The cache leaves its pictures to the grid.
    for (Integer i = 0; i < pictureCache_->Count(); ++i) pictureCache_->Pictures(i)->Free();
    pictureCache_->Clear();
    SetCursor(savedCursor_);
    FreeEditorControls();
}

void RAdeRedeviDidi::FreeEditorControls() {
    for (TWinControl* editor : std::initializer_list<TWinControl*>{
             comboEditor_, spinEditor_, uniEditor_, uniComboEditor_, checkBoxEditor_, buttonEditor_, unitEditor_,
             buttonCellEditor_, dateEditor_, inplaceRichEdit_})
        if (editor) editor->Free();
}

void RAdeRedeviDidi::UnchainFormResize() {
    if (!formLink_) return;
    const auto* head = ownerForm_->OnResize.target<TFormResizeHandler>();
    if (head && head->Link == formLink_) ownerForm_->OnResize = formLink_->Next;
    else formLink_->Grid = nullptr;
    formLink_.reset();
}

void RAdeRedeviDidi::SizeWithForm(TObject* Sender) {
    const std::shared_ptr<TFormResizeLink> link = formLink_;
    const Integer dw = ownerForm_->Width() - formWidth_, dh = ownerForm_->Height() - formHeight_;
    if ((dw != 0 || dh != 0) && Width() + dw > 0 && Height() + dh > 0)
        SetBounds(Left(), Top(), Width() + dw, Height() + dh);
    formWidth_ = ownerForm_->Width();
    formHeight_ = ownerForm_->Height();
    // The earlier handler may free this grid: the link tells.
    if (link->Next) link->Next(Sender);
    if (link->Grid) StretchColumnTo(columnSize_->StretchColumn());
}

template <typename T>
T* RAdeRedeviDidi::HiddenOnGrid(T* Editor) {
    Editor->SetVisible(false);
    Editor->SetParent(this);
    return Editor;
}

bool RAdeRedeviDidi::ColumnVisible(Integer ARealCol) const {
    return ARealCol < 0 || ARealCol > MaxVisibleFlagColumn || columnVisible_[static_cast<std::size_t>(ARealCol)];
}

// ---------------------------------------------------------------------------
// Window, loading, painting and bounds

void RAdeRedeviDidi::CreateWnd() {
    TBaseGrid::CreateWnd();
    if (Parent()) {
        // The date picker takes the grid as parent here too once it exists.
        richEdit_->SetParent(this);
        richEdit_->SetVisible(false);
        richEdit_->SetBounds(0, 0, 0, 0);
        richEdit_->SetBorderStyle(bsNone);
        footerPanel_->SetParent(this);
        footerPanel_->SetVisible(floatingFooter_->Visible());
        if (columnSize_->Save()) LoadColWidths();
    }
    if (ScrollType() != ssNormal) {
        InitFlatScrollBars();
        UpdateFlatScrollBars();
    }
    SetTimer(Handle(), HoverTimerID, HoverInterval, nullptr);
    if (dragDropSettings_->OleDropTarget() && !ComponentState().Contains(csDesigning)) RegisterDropTarget();
}

void RAdeRedeviDidi::WndProc(TMessage& Message) {
    if (Message.Msg == WM_DESTROY) {
        RevokeDropTarget();
        KillTimer(Handle(), HoverTimerID);
    }
    if (Message.Msg == WM_FREECELLCONTROLS) return FreeReleasedControls();
    // The base grid takes its editor's change without passing it on: the editor hears of it from here.
    if (Message.Msg == WM_COMMAND && HandleAllocated()) {
        const auto from = reinterpret_cast<HWND>(Message.LParam);
        if (from && from != Handle() && (HIWORD(Message.WParam) == EN_CHANGE || controlList_->HasHandle(from)))
            SendMessage(from, WM_COMMAND, Message.WParam, Message.LParam);
    }
    TrackHeaderMouse(Message);
    // Panning ends at a key, before the keyboard handling takes it.
    if (HoldsPaintMessage(Message) || ScrollWindowMessage(Message) || KeyMessage(Message) || MouseMessage(Message))
        return;
    TBaseGrid::WndProc(Message);
    // Drawn over the frame the window's own non-client painting leaves, unless an update is under way.
    if (Message.Msg == WM_NCPAINT && UpdateCount() == 0) DrawFlatBorder();
}

// ---------------------------------------------------------------------------
// Drop target

void RAdeRedeviDidi::OleDropTargetChanged() {
    if (ComponentState().Contains(csDesigning)) return;
    if (dragDropSettings_->OleDropTarget()) {
        RegisterDropTarget();
    } else {
        RevokeDropTarget();
        dropTarget_ = nullptr;
    }
}

// Without a window yet, the window's making registers it; a registration held is kept.
void RAdeRedeviDidi::RegisterDropTarget() {
    if (dropRegistered_ || !HandleAllocated()) return;
    if (!dropTarget_) dropTarget_ = CreateDropTarget();
    if (dropTarget_) dropRegistered_ = RegisterDragDrop(Handle(), dropTarget_.Get()) == S_OK;
}

void RAdeRedeviDidi::RevokeDropTarget() {
    if (!dropRegistered_) return;
    if (HandleAllocated()) RevokeDragDrop(Handle());
    dropRegistered_ = false;
}

void RAdeRedeviDidi::Loaded() {
    TBaseGrid::Loaded();
    savedCursor_ = Cursor();
    ApplyColumnHeaders();
    ApplyRowHeaders();
    SetLinkCursor(crHandPoint);
    if (Look() == glClassic) {
        gradientFrom_ = static_cast<TColor>(0xC0C0C0);
        gradientTo_ = static_cast<TColor>(0xFFFFFF);
        if (popupButton_) {
            popupButton_->SetGradFrom(gradientFrom_);
            popupButton_->SetGradTo(gradientTo_);
        }
    }
    if (columnSize_->Save()) LoadColWidths();
    requestedFixedRows_ = FixedRows();
    if (Options().Contains(goAlwaysShowEditor)) {
        navigation_->SetAlwaysEdit(true);
        SetOptions(Options().Exclude(goAlwaysShowEditor));
    }
}

void RAdeRedeviDidi::Invalidate() {
    if (suppressInvalidate_) {
        suppressInvalidate_ = false;
        return;
    }
    TBaseGrid::Invalidate();
}

void RAdeRedeviDidi::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
    if (IntegralHeight() && UpdateCount() == 0 && DefaultRowHeight() > 0) {
        const Integer bar = VisibleColCount() + FixedCols() < ColCount() ? GetSystemMetrics(SM_CYHSCROLL) : 0;
        const Integer border = BorderStyle() == bsSingle ? 2 : 0;
        const Integer h = AHeight - bar - border;
        AHeight = bar + (h - h % DefaultRowHeight()) + 2 * border;
    }
    TBaseGrid::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (Parent() && Parent()->HandleAllocated()) DrawFlatBorder();
}

void RAdeRedeviDidi::UpdateFooter() {
    TBaseGrid::UpdateFooter();
    if (footerPanel_) footerPanel_->Invalidate();
}

// ---------------------------------------------------------------------------
// Floating footer

void TFloatingFooter::RepaintPanel() const {
    if (TFooterPanel* panel = grid_->FooterPanel()) panel->Repaint();
}

void TFloatingFooter::UpdateMirror() const {
    grid_->SetFloatingFooterShown(visible_ && footerStyle_ == fsFixedLastRow);
}

void TFloatingFooter::SetVisible(bool Value) {
    visible_ = Value;
    if (TFooterPanel* panel = grid_->FooterPanel()) {
        panel->SetHeight(Value ? grid_->FooterHeight() - 1 : 0);
        panel->SetVisible(Value);
    }
    grid_->SetFixedFooters(Value && footerStyle_ == fsFixedLastRow ? 1 : 0);
    UpdateMirror();
    grid_->Repaint();
}

void TFloatingFooter::SetFooterStyle(TFooterStyle Value) {
    footerStyle_ = Value;
    UpdateMirror();
    grid_->Repaint();
    RepaintPanel();
}

void TFloatingFooter::SetColor(TColor Value) {
    color_ = Value;
    RepaintPanel();
}

void TFloatingFooter::SetColumn(Integer Value) {
    column_ = Value;
    RepaintPanel();
}

void TFloatingFooter::SetCustomTemplate(const AnsiString& Value) {
    customTemplate_ = Value;
    RepaintPanel();
}

TFooterPanel::TFooterPanel(TComponent* AOwner, RAdeRedeviDidi* AGrid) : TCustomPanel(AOwner), grid_(AGrid) {}

void TFooterPanel::CreateWnd() {
    TCustomPanel::CreateWnd();
    SetHeight(grid_->FloatingFooter()->Visible() ? grid_->FooterHeight() : 0);
}

}  // namespace ProGrid
