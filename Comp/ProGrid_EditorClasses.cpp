// The grid's editor controls: each hands its navigation keys back to the grid after validating its value,
// and closes the edit when it loses the focus.
#include <functional>

#include "ProGrid_EditorClasses.h"
#include "ProGrid_Lookup.h"
#include "ProUtil.h"
#include "vcl/SysUtils.h"

namespace ProGrid {

using namespace BaseGrid;
using namespace ProUtil;

VCL_IMPLEMENT_CLASS(TGridCheckBox, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TGridSpin, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TGridUniEdit, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TGridUniCombo, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TGridCombo, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TGridEditBtn, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TGridUnitEditBtn, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TGridButton, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TGridDatePicker, nullptr, nullptr)

namespace {

RAdeRedeviDidi* OwningGrid(TComponent* AOwner) {
    auto* grid = dynamic_cast<RAdeRedeviDidi*>(AOwner);
    if (!grid) throw EProGridError("A grid editor must be owned by its grid");
    return grid;
}

bool KeyIn(Word Key, std::initializer_list<Word> Keys) {
    for (Word k : Keys)
        if (k == Key) return true;
    return false;
}

// An editor's value as the cell takes it, and showing a cell text again (the caret after it).
struct TEditorText {
    std::function<AnsiString()> Get;
    std::function<void(const AnsiString&)> Set;
    bool Wide = false;
};

TEditorText EditTextOf(TCustomEdit* Edit) {
    return {[Edit] { return Edit->Text(); },
            [Edit](const AnsiString& S) {
                Edit->SetText(S);
                Edit->SetSelStart(static_cast<Integer>(S.size()));
                Edit->Invalidate();
            }};
}

// The hand-over of a key (Tab, Enter, Up and Down commit first). False: validation refused it, the editor
// shows the cell's text again and the key is used up.
bool HandOver(RAdeRedeviDidi* Grid, Word& Key, TShiftState Shift, const TEditorText& Text,
              const std::function<void()>& Escape = {}) {
    if (KeyIn(Key, {VK_TAB, VK_RETURN, VK_UP, VK_DOWN})) {
        // The value the editor opened with stands for the cell's own text: committing it changes nothing.
        const bool changed = Grid->EditorValueChanged();
        if (changed) Grid->SetCurrentText(Text.Get());
        const AnsiString text = Grid->GetCurrentRaw();
        const bool valid = Text.Wide ? Grid->ValidateCellWide(UniStrFromCellText(text)) : Grid->ValidateCell(text);
        if (changed || !valid) Text.Set(Grid->GetCurrentRaw());
        if (!valid) {
            Key = 0;
            return false;
        }
    }
    if (Key == VK_TAB && Grid->Options().Contains(goTabs)) {
        Grid->HideCellEditor();
        if (Grid->CanFocus()) Grid->SetFocus();
        Grid->TabStep(Shift.Contains(ssShift));
        Key = 0;
        return true;
    }
    // Esc shows the value the editor opened with: storing it then leaves the cell as it was, where the raw
    // text read anew (a number with a unit in a float spin, a text no list item matches) would change it.
    if (Key == VK_ESCAPE) {
        Text.Set(Grid->OpenedEditorValue());
        if (Escape) Escape();
    }
    Grid->EditorKeyToGrid(Key, Shift);
    Key = 0;
    return true;
}

// CM_WANTSPECIALKEY: Tab stays in the editor when the grid steps with it.
bool WantsTab(RAdeRedeviDidi* Grid, const TMessage& Message) {
    return Message.WParam == VK_TAB && Grid->Options().Contains(goTabs);
}

// A wheel notch over a combo moves its selection by one item.
template <typename Combo, typename Items>
void WheelCombo(RAdeRedeviDidi* Grid, Combo* C, const TMessage& Message, const Items& ItemText) {
    const auto delta = static_cast<SmallInt>(HIWORD(Message.WParam));
    Integer index = C->ItemIndex() + (delta < 0 ? 1 : -1);
    if (index < 0) index = 0;
    if (index >= C->Items()->Count()) return;
    C->SetItemIndex(index);
    if (Grid->OnComboChange) Grid->OnComboChange(Grid, Grid->Col(), Grid->Row(), index, ItemText(index));
    if (Grid->OnComboObjectChange)
        Grid->OnComboObjectChange(Grid, Grid->Col(), Grid->Row(), index, ItemText(index), C->Items()->Objects(index));
}

}  // namespace

TDateTime ReadDateTimeOrNow(const AnsiString& Text, TDateTime (*Read)(const AnsiString&)) {
    if (Text.empty()) return Now();
    try {
        return Read(Text);
    } catch (const EConvertError&) {
        return Now();
    }
}

void SplitUnitText(const AnsiString& S, AnsiString& Value, AnsiString& Unit) {
    std::size_t i = 0;
    if (i < S.size() && S[i] == '-') ++i;
    while (i < S.size() && ((S[i] >= '0' && S[i] <= '9') || S[i] == ',' || S[i] == '.')) ++i;
    Value = S.substr(0, i);
    Unit = S.substr(i);
}

// ---------------------------------------------------------------------------
// Check box

TGridCheckBox::TGridCheckBox(TComponent* AOwner) : TCheckBox(AOwner), grid_(OwningGrid(AOwner)) {}

void TGridCheckBox::DoExit() {
    grid_->HideCellEditor();
    TCheckBox::DoExit();
}

// Esc reaches the check box itself: its state is never the cell's, so there is nothing to restore.
void TGridCheckBox::KeyDown(Word& Key, TShiftState Shift) {
    if (!KeyIn(Key, {VK_RETURN, VK_PRIOR, VK_NEXT, VK_END, VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN}))
        return TCheckBox::KeyDown(Key, Shift);
    grid_->HideCellEditor();
    if (grid_->CanFocus()) grid_->SetFocus();
    if (Key == VK_RETURN) grid_->AdvanceEdit(grid_->Col(), grid_->Row(), true, true, false);
    if (Key == VK_UP || Key == VK_DOWN) grid_->Perform(WM_KEYDOWN, Key, 0);
    Key = 0;
}

// ---------------------------------------------------------------------------
// Spin editor

TGridSpin::TGridSpin(TComponent* AOwner) : TGrdSpinEdit(AOwner), grid_(OwningGrid(AOwner)) {
    SetMinValue(0);
    SetMaxValue(100);
    SetIncrement(1);
}

void TGridSpin::DoExit() {
    grid_->HideCellEditor();
    TGrdSpinEdit::DoExit();
}

void TGridSpin::UpClick(TObject* Sender) {
    TGrdSpinEdit::UpClick(Sender);
    SpinClicked(true);
}

void TGridSpin::DownClick(TObject* Sender) {
    TGrdSpinEdit::DownClick(Sender);
    SpinClicked(false);
}

void TGridSpin::SpinClicked(bool Up) {
    const Integer col = grid_->Col(), row = grid_->Row();
    switch (SpinType()) {
        case grdspin::sptNormal:
            if (grid_->OnSpinClick) grid_->OnSpinClick(grid_, col, row, Value(), Up);
            break;
        case grdspin::sptFloat:
            if (grid_->OnFloatSpinClick) grid_->OnFloatSpinClick(grid_, col, row, FloatValue(), Up);
            break;
        case grdspin::sptDate:
            if (grid_->OnDateSpinClick) grid_->OnDateSpinClick(grid_, col, row, DateValue(), Up);
            break;
        case grdspin::sptTime:
            if (grid_->OnTimeSpinClick) grid_->OnTimeSpinClick(grid_, col, row, TimeValue(), Up);
            break;
    }
}

// Equal limits mean no limit, as for the buttons; the sums are taken wide so that they cannot overflow.
void TGridSpin::StepKey(Word Key) {
    if (SpinType() == grdspin::sptNormal) {
        const bool limited = MinValue() != MaxValue();
        const Int64 value = Value();
        if (Key == VK_PRIOR && (!limited || value + Increment() <= MaxValue()))
            SetValue(static_cast<Integer>(std::min<Int64>(value + Increment(), INT32_MAX)));
        if (Key == VK_NEXT && (!limited || value - Increment() >= MinValue()))
            SetValue(static_cast<Integer>(std::max<Int64>(value - Increment(), INT32_MIN)));
        if (Key == VK_END) SetValue(MinValue());
        if (Key == VK_HOME) SetValue(MaxValue());
    } else if (SpinType() == grdspin::sptFloat) {
        const bool limited = MinFloatValue() != MaxFloatValue();
        const double value = FloatValue();
        if (Key == VK_PRIOR && (!limited || value + IncrementFloat() <= MaxFloatValue()))
            SetFloatValue(value + IncrementFloat());
        if (Key == VK_NEXT && (!limited || value - IncrementFloat() >= MinFloatValue()))
            SetFloatValue(value - IncrementFloat());
        if (Key == VK_END) SetFloatValue(MinFloatValue());
        if (Key == VK_HOME) SetFloatValue(MaxFloatValue());
    }
    if (grid_->OnSpinClick) grid_->OnSpinClick(grid_, grid_->Col(), grid_->Row(), Value(), false);
}

void TGridSpin::KeyDown(Word& Key, TShiftState Shift) {
    if (KeyIn(Key, {VK_PRIOR, VK_NEXT, VK_HOME, VK_END})) {
        StepKey(Key);
        Key = 0;
        return;
    }
    if (KeyIn(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_UP, VK_DOWN})) {
        HandOver(grid_, Key, Shift, EditTextOf(this));
        return;
    }
    TGrdSpinEdit::KeyDown(Key, Shift);
}

void TGridSpin::KeyPress(char& Key) {
    if (Key != '\r') TGrdSpinEdit::KeyPress(Key);
}

void TGridSpin::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        // Up and Down belong to the grid here: they reach KeyDown instead of stepping.
        case WM_KEYDOWN:
            if (Message.WParam == VK_UP || Message.WParam == VK_DOWN) return TCustomMaskEdit::Dispatch(Message);
            break;
        case WM_CHAR:
            if (Message.WParam == VK_TAB || Message.WParam == VK_RETURN) {
                Message.Result = 0;
                return;
            }
            break;
        case CM_WANTSPECIALKEY:
            TGrdSpinEdit::Dispatch(Message);
            if (WantsTab(grid_, Message)) Message.Result = 1;
            return;
        default: break;
    }
    TGrdSpinEdit::Dispatch(Message);
}

// ---------------------------------------------------------------------------
// Unicode edit

TGridUniEdit::TGridUniEdit(TComponent* AOwner) : TGrdUniEdit(AOwner), grid_(OwningGrid(AOwner)) {}

void TGridUniEdit::DoExit() {
    grid_->HideCellEditor();
    TGrdUniEdit::DoExit();
}

void TGridUniEdit::KeyDown(Word& Key, TShiftState Shift) {
    if (!KeyIn(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_UP, VK_DOWN})) return TGrdUniEdit::KeyDown(Key, Shift);
    const TEditorText text{[this] { return UniStrToCellText(Text()); },
                           [this](const AnsiString& S) {
                               SetText(UniStrFromCellText(S));
                               SetSelStart(static_cast<Integer>(Text().size()));
                               Invalidate();
                           },
                           true};
    HandOver(grid_, Key, Shift, text);
}

void TGridUniEdit::KeyPress(char& Key) {
    if (Key != '\r') TGrdUniEdit::KeyPress(Key);
}

void TGridUniEdit::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_CHAR && (Message.WParam == VK_TAB || Message.WParam == VK_RETURN)) {
        Message.Result = 0;
        return;
    }
    TGrdUniEdit::Dispatch(Message);
    if (Message.Msg == CM_WANTSPECIALKEY && WantsTab(grid_, Message)) Message.Result = 1;
}

// ---------------------------------------------------------------------------
// Combos

namespace {

// The keys a combo hands over: more of them while its edit shows closed.
bool ComboHandsOver(Word Key, TShiftState Shift, bool ListLike) {
    if (Key == VK_DOWN && Shift.Contains(ssAlt)) return false;
    if (ListLike) return KeyIn(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_LEFT, VK_RIGHT});
    return KeyIn(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_END, VK_UP, VK_DOWN});
}

template <typename Combo>
void ComboKeyDown(RAdeRedeviDidi* Grid, Combo* C, Word& Key, TShiftState Shift, const TEditorText& Text,
                  const std::function<void()>& Escape) {
    const bool listLike = C->DroppedDown() || C->Style() == csDropDownList;
    if (!ComboHandsOver(Key, Shift, listLike)) return;
    if (listLike) {
        C->SetDroppedDown(false);
        if (Key == VK_LEFT || Key == VK_RIGHT) {
            Grid->HideCellEditor();
            if (Grid->CanFocus()) Grid->SetFocus();
            Grid->Perform(WM_KEYDOWN, Key, 0);
            Key = 0;
            return;
        }
    }
    HandOver(Grid, Key, Shift, Text, Escape);
}

// Esc: the item the restored text names becomes selected; a text that names none stays as it is.
template <typename Combo>
void SelectTextsItem(Combo* C) {
    if (const Integer index = C->Items()->IndexOf(C->Text()); index >= 0) C->SetItemIndex(index);
}

// Completes the combo's text from the first of Items that starts with what stands before the caret, the
// completed part selected; False when none does. SelectItem: the item becomes the combo's ItemIndex.
template <typename Combo, typename List, typename String>
bool CompleteCombo(Combo* C, const List& Items, const String& Text, bool CaseSensitive, bool SelectItem) {
    // A list without an edit part has no typed text to complete.
    if (C->Style() == csDropDownList) return false;
    const auto typed =
        std::min<std::size_t>(static_cast<std::size_t>(std::max<Integer>(C->SelStart(), 0)), Text.size());
    const String prefix = Text.substr(0, typed);
    const Integer index = FindLookupItem(Items, prefix, CaseSensitive);
    if (index < 0) return false;
    // The item first: selecting it shows the item's own text, which the typed characters then replace.
    if (SelectItem) C->SetItemIndex(index);
    const String completed = LookupCompletion(prefix, Items.Strings(index));
    C->SetText(completed);
    C->Perform(CB_SETEDITSEL, 0, MAKELPARAM(typed, completed.size()));
    return true;
}

// A click that opened the editor puts the caret at the character under the mouse, once.
void CaretToClick(RAdeRedeviDidi* Grid, TCustomComboBox* C) {
    if (!Grid->CaretAtClick()) return;
    Grid->SetCaretAtClick(false);
    POINT mouse{};
    GetCursorPos(&mouse);
    const TPoint at = C->ScreenToClient(mouse);
    if (!C->EditHandle() || !C->ClientRect().Contains(at)) return;
    const auto index = LOWORD(SendMessage(C->EditHandle(), EM_CHARFROMPOS, 0, MAKELPARAM(at.X, at.Y)));
    C->Perform(CB_SETEDITSEL, 0, MAKELPARAM(index, index));
}

}  // namespace

TGridCombo::TGridCombo(TComponent* AOwner) : TGRDComboBox(AOwner), grid_(OwningGrid(AOwner)) {}

void TGridCombo::DoExit() {
    if (grid_->LookupHistory() && !Text().empty() && Items()->IndexOf(Text()) < 0) Items()->Add(Text());
    grid_->HideCellEditor();
    TGRDComboBox::DoExit();
}

void TGridCombo::KeyDown(Word& Key, TShiftState Shift) {
    lookup_ = Key != VK_BACK && Key != VK_DELETE;
    const TEditorText text{[this] { return Text(); }, [this](const AnsiString& S) { SetText(S); }};
    const bool handled = ComboHandsOver(Key, Shift, DroppedDown() || Style() == csDropDownList);
    ComboKeyDown(grid_, this, Key, Shift, text, [this] { SelectTextsItem(this); });
    if (handled) Key = 0;
    TGRDComboBox::KeyDown(Key, Shift);
}

void TGridCombo::KeyUp(Word& Key, TShiftState Shift) {
    if (Key == VK_RETURN) return;
    TGRDComboBox::KeyUp(Key, Shift);
    Lookup();
}

// The combo's own items first; the grid's look-up items only complete the text.
void TGridCombo::Lookup() {
    if (!lookup_ || !grid_->Lookup() || !Visible()) return;
    const AnsiString text = Text();
    const bool exact = grid_->LookupCaseSensitive();
    if (!CompleteCombo(this, *Items(), text, exact, true))
        CompleteCombo(this, *grid_->LookupItems(), text, exact, false);
}

void TGridCombo::KeyPress(char& Key) {
    if (Key == '\r' && OnEnter) OnEnter(this);
    if (Key == '\t' || Key == '\r') Key = 0;
    TGRDComboBox::KeyPress(Key);
}

void TGridCombo::Dispatch(TMessage& Message) {
    if (grid_->WheelMessage() != 0 && Message.Msg == grid_->WheelMessage()) {
        WheelCombo(grid_, this, Message, [this](Integer I) { return Items()->Strings(I); });
        Message.Result = 1;
        return;
    }
    TGRDComboBox::Dispatch(Message);
    if (Message.Msg == CM_WANTSPECIALKEY && WantsTab(grid_, Message)) Message.Result = 1;
    if (Message.Msg == WM_SETFOCUS) CaretToClick(grid_, this);
}

TGridUniCombo::TGridUniCombo(TComponent* AOwner) : TGRDUniComboBox(AOwner), grid_(OwningGrid(AOwner)) {
    SetButtonWidth(16);
}

void TGridUniCombo::DoExit() {
    const WideString text = Text();
    if (grid_->LookupHistory() && !text.empty() && Items()->IndexOf(text) < 0) Items()->Add(text);
    grid_->HideCellEditor();
    TGRDUniComboBox::DoExit();
}

void TGridUniCombo::KeyDown(Word& Key, TShiftState Shift) {
    lookup_ = Key != VK_BACK && Key != VK_DELETE;
    const TEditorText text{[this] { return UniStrToCellText(Text()); },
                           [this](const AnsiString& S) { SetText(UniStrFromCellText(S)); }, true};
    const bool handled = ComboHandsOver(Key, Shift, DroppedDown() || Style() == csDropDownList);
    ComboKeyDown(grid_, this, Key, Shift, text, [this] { SelectTextsItem(this); });
    if (handled) Key = 0;
    TGRDUniComboBox::KeyDown(Key, Shift);
}

void TGridUniCombo::KeyUp(Word& Key, TShiftState Shift) {
    if (Key == VK_RETURN) return;
    TGRDUniComboBox::KeyUp(Key, Shift);
    Lookup();
}

void TGridUniCombo::Lookup() {
    if (lookup_ && grid_->Lookup() && Visible())
        CompleteCombo(this, *Items(), Text(), grid_->LookupCaseSensitive(), true);
}

void TGridUniCombo::KeyPress(char& Key) {
    if (Key == '\r' && OnEnter) OnEnter(this);
    if (Key == '\t' || Key == '\r') Key = 0;
    TGRDUniComboBox::KeyPress(Key);
}

void TGridUniCombo::Dispatch(TMessage& Message) {
    if (grid_->WheelMessage() != 0 && Message.Msg == grid_->WheelMessage()) {
        WheelCombo(grid_, this, Message, [this](Integer I) { return WideToAnsi(Items()->Strings(I)); });
        Message.Result = 1;
        return;
    }
    TGRDUniComboBox::Dispatch(Message);
    if (Message.Msg == CM_WANTSPECIALKEY && WantsTab(grid_, Message)) Message.Result = 1;
    if (Message.Msg == WM_SETFOCUS) CaretToClick(grid_, this);
    if (Message.Msg == CN_COMMAND && HIWORD(Message.WParam) == CBN_SELCHANGE && grid_->OnComboChange) {
        const Integer index = ItemIndex();
        grid_->OnComboChange(grid_, grid_->Col(), grid_->Row(), index,
                             index >= 0 ? WideToAnsi(Items()->Strings(index)) : AnsiString());
    }
}

// ---------------------------------------------------------------------------
// Edits with a button

TGridEditBtn::TGridEditBtn(TComponent* AOwner) : TGrdEditBtn(AOwner), grid_(OwningGrid(AOwner)) {
    OnClickBtn = [this](TObject* Sender) { EllipsClick(Sender); };
}

void TGridEditBtn::DoExit() {
    grid_->HideCellEditor();
    TGrdEditBtn::DoExit();
}

void TGridEditBtn::EllipsClick(TObject*) {
    AnsiString s = Text();
    grid_->EllipsClick(s, s);
    SetText(s);
    SelectAll();
    Invalidate();
}

void TGridEditBtn::KeyDown(Word& Key, TShiftState Shift) {
    if (!Shift.Contains(ssCtrl) && KeyIn(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_UP, VK_DOWN}))
        return static_cast<void>(HandOver(grid_, Key, Shift, EditTextOf(this)));
    TGrdEditBtn::KeyDown(Key, Shift);
}

char TGridEditBtn::FilterChar(char Key) {
    const TEditorType type = grid_->CurrentEditorType();
    if (Key == '\r') return 0;
    if (type != edNumericEditBtn && type != edFloatEditBtn) return Key;
    if (Key == '\b' || Key == '\t' || Key == 27 || (Key >= '0' && Key <= '9')) return Key;
    const AnsiString text = Text();
    const bool hasMinus = text.find('-') != AnsiString::npos;
    if (Key == '-') {
        if (hasMinus || SelStart() != 0) {
            if (type == edNumericEditBtn) MessageBeep(0);
            return 0;
        }
        return Key;
    }
    if (type == edNumericEditBtn) {
        MessageBeep(0);
        return 0;
    }
    if (Key == ThousandSeparator) return 0;
    if (Key == DecimalSeparator)
        return text.find(DecimalSeparator) == AnsiString::npos || SelText().find(DecimalSeparator) != AnsiString::npos
                   ? Key
                   : 0;
    return Key == ',' || Key == '.' ? Key : 0;
}

void TGridEditBtn::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_CHAR) {
        const char key = FilterChar(static_cast<char>(Message.WParam));
        if (key == 0) {
            Message.Result = 0;
            return;
        }
        Message.WParam = static_cast<unsigned char>(key);
    }
    TGrdEditBtn::Dispatch(Message);
    if (Message.Msg == CM_WANTSPECIALKEY && WantsTab(grid_, Message)) Message.Result = 1;
}

TGridUnitEditBtn::TGridUnitEditBtn(TComponent* AOwner) : TGrdUnitEditBtn(AOwner), grid_(OwningGrid(AOwner)) {}

void TGridUnitEditBtn::DoExit() {
    grid_->HideCellEditor();
    TGrdUnitEditBtn::DoExit();
}

void TGridUnitEditBtn::KeyDown(Word& Key, TShiftState Shift) {
    if (!KeyIn(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_UP, VK_DOWN}))
        return TGrdUnitEditBtn::KeyDown(Key, Shift);
    const TEditorText text{[this] { return Text() + UnitID(); },
                           [this](const AnsiString& S) {
                               AnsiString value, unit;
                               SplitUnitText(S, value, unit);
                               SetText(value);
                               SetUnitID(unit);
                               SetSelStart(static_cast<Integer>(value.size()));
                           }};
    HandOver(grid_, Key, Shift, text);
}

void TGridUnitEditBtn::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_CHAR && (Message.WParam == VK_RETURN || Message.WParam == VK_TAB)) {
        Message.Result = 0;
        return;
    }
    TGrdUnitEditBtn::Dispatch(Message);
    if (Message.Msg == CM_WANTSPECIALKEY && WantsTab(grid_, Message)) Message.Result = 1;
}

// ---------------------------------------------------------------------------
// Button

TGridButton::TGridButton(TComponent* AOwner) : TButton(AOwner), grid_(OwningGrid(AOwner)) {}

void TGridButton::DoExit() {
    grid_->HideCellEditor();
    TButton::DoExit();
}

void TGridButton::Ellipsis() {
    AnsiString s = Caption();
    grid_->EllipsClick(s, s);
    SetCaption(s);
}

void TGridButton::Leave() {
    SetVisible(false);
    SetEnabled(false);
    grid_->HideCellEditor();
    if (grid_->CanFocus()) grid_->SetFocus();
}

void TGridButton::KeyDown(Word& Key, TShiftState Shift) {
    if (Key != VK_ESCAPE) return TButton::KeyDown(Key, Shift);
    // Restored while the edit's saved text is there: closing the edit forgets it.
    grid_->RestoreEditText();
    Leave();
    grid_->Perform(WM_KEYDOWN, VK_ESCAPE, 0);
    Key = 0;
}

void TGridButton::KeyUp(Word& Key, TShiftState Shift) {
    if (Key == VK_SPACE) {
        Ellipsis();
        if (CanFocus()) SetFocus();
        Invalidate();
        Key = 0;
        return;
    }
    if (Key >= VK_LEFT && Key <= VK_DOWN) {
        const Word key = Key;
        grid_->Perform(WM_KEYDOWN, key, 0);
        Leave();
        grid_->Perform(WM_KEYUP, key, 0);
        Key = 0;
        return;
    }
    TButton::KeyUp(Key, Shift);
}

void TGridButton::Dispatch(TMessage& Message) {
    if (Message.Msg == WM_LBUTTONUP) Ellipsis();
    TButton::Dispatch(Message);
}

// ---------------------------------------------------------------------------
// Date picker

// Letter runs are translated; a picker letter FormatDateTime would read otherwise, and every other
// character FormatDateTime would replace (a "/" or ":" by the separators), are quoted.
AnsiString PickerToDateTimeFormat(const AnsiString& PickerFormat) {
    AnsiString out;
    const auto literal = [&out](const AnsiString& Text) {
        if (!Text.empty()) out += '"' + Text + '"';
    };
    for (std::size_t i = 0; i < PickerFormat.size();) {
        const char c = PickerFormat[i];
        if (c == '\'') {
            const std::size_t close = PickerFormat.find('\'', i + 1);
            const std::size_t end = close == AnsiString::npos ? PickerFormat.size() : close;
            literal(PickerFormat.substr(i + 1, end - i - 1));
            i = end == PickerFormat.size() ? end : end + 1;
            continue;
        }
        std::size_t run = 1;
        while (i + run < PickerFormat.size() && PickerFormat[i + run] == c) ++run;
        const auto repeated = [run](char Letter, std::size_t Most) { return AnsiString(std::min(run, Most), Letter); };
        switch (c) {
            case 'd': out += repeated('d', 4); break;
            case 'M': out += repeated('m', 4); break;
            case 'y': out += run >= 3 ? "yyyy" : "yy"; break;
            case 'h':
            case 'H': out += repeated('h', 2); break;
            case 'm': out += repeated('n', 2); break;
            case 's': out += repeated('s', 2); break;
            case 't': out += run == 1 ? "A/P" : "AMPM"; break;
            default: literal(AnsiString(run, c)); break;
        }
        i += run;
    }
    return out;
}

TGridDatePicker::TGridDatePicker(TComponent* AOwner) : TDateTimePicker(AOwner), grid_(OwningGrid(AOwner)) {}

AnsiString TGridDatePicker::CellText() const {
    if (Kind() == dtkDate) return Checked() ? DateToStr(Date()) : AnsiString();
    return Format().empty() ? TimeToStr(Time()) : FormatDateTime(PickerToDateTimeFormat(Format()), Time());
}

void TGridDatePicker::ShowCellText(const AnsiString& S) {
    if (Kind() == dtkDate) SetDate(ReadDateTimeOrNow(S, &StrToDate));
    else SetTime(ReadDateTimeOrNow(S, &StrToTime));
}

void TGridDatePicker::DoExit() {
    grid_->HideCellEditor();
    TDateTimePicker::DoExit();
}

// With the calendar down every key is the calendar's.
void TGridDatePicker::KeyDown(Word& Key, TShiftState Shift) {
    if (!droppedDown_ && KeyIn(Key, {VK_TAB, VK_RETURN, VK_ESCAPE, VK_PRIOR, VK_NEXT, VK_END})) {
        const TEditorText text{[this] { return CellText(); }, [this](const AnsiString& S) { ShowCellText(S); }};
        HandOver(grid_, Key, Shift, text);
    }
    TDateTimePicker::KeyDown(Key, Shift);
}

void TGridDatePicker::Dispatch(TMessage& Message) {
    if (Message.Msg == CN_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(Message.LParam);
        if (header && (header->code == DTN_DROPDOWN || header->code == DTN_CLOSEUP)) {
            droppedDown_ = header->code == DTN_DROPDOWN;
            Message.Result = 0;
            return;
        }
    }
    TDateTimePicker::Dispatch(Message);
    if (Message.Msg == WM_NCPAINT) PaintFlatFrame();
    if (Message.Msg == CM_WANTSPECIALKEY && WantsTab(grid_, Message)) Message.Result = 1;
}

// Two frames in the window colour over the sunken border.
void TGridDatePicker::PaintFlatFrame() {
    if (!HandleAllocated()) return;
    HDC dc = GetWindowDC(Handle());
    if (!dc) return;
    HBRUSH window = CreateSolidBrush(ColorToRGB(clWindow));
    const RECT outer = Rect(0, 0, Width(), Height());
    const RECT inner = Rect(1, 1, Width() - 1, Height() - 1);
    FrameRect(dc, &outer, window);
    FrameRect(dc, &inner, window);
    DeleteObject(window);
    ReleaseDC(Handle(), dc);
}

}  // namespace ProGrid
