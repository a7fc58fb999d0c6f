// The separate editor controls over a cell: where they go, the colours they take, the value they open
// with and the value they store.
#include <charconv>

#include "ProGrid_EditorClasses.h"
#include "ProGrid_EditorPlace.h"
#include "ProUtil.h"
#include "vcl/SysUtils.h"

namespace ProGrid {

using namespace BaseGrid;
using namespace ProUtil;

namespace {

// The text's leading integer: an optional "-" and digits. None, or one beyond 32 bits, is 0.
Integer LeadingInteger(const AnsiString& Text) {
    std::size_t end = !Text.empty() && Text[0] == '-' ? 1 : 0;
    while (end < Text.size() && Text[end] >= '0' && Text[end] <= '9') ++end;
    Integer value = 0;
    const auto [ptr, error] = std::from_chars(Text.data(), Text.data() + end, value);
    return error == std::errc() ? value : 0;
}

bool LookFlat(TGridLook Look) { return Look == glSoft || Look == glZub || Look == glXP || Look == glListView; }

}  // namespace

// The cell's rectangle, one pixel short of its right and bottom lines, and the colours the cell paints
// with: the grid's own first, then whatever GetCellColor (OnGetCellColor) makes of them. The rectangle
// is where the cell shows, mirrored already in a right-to-left grid.
TEditorPlace::TEditorPlace(RAdeRedeviDidi& Grid, Integer ACol, Integer ARow)
    : Font(std::make_unique<TFont>()), Brush(std::make_unique<TBrush>()) {
    Grid.CellRectEx(ACol, ARow, R);
    W = R.Right - R.Left - 1;
    H = R.Bottom - R.Top - 1;
    Font->Assign(Grid.Font());
    Brush->SetColor(Grid.Color());
    Grid.GetCellColor(Grid.RealColIndex(ACol), ARow, Font.get(), Brush.get(), TGridDrawState{});
}

void RAdeRedeviDidi::ShowCellEditor(Integer ACol, Integer ARow) {
    editorShown_ = true;
    storePending_ = true;
    const TEditorPlace place(*this, ACol, ARow);
    const Integer realCol = RealColIndex(ACol);
    HideEditor();
    const char startChar = editStartChar_;
    editStartChar_ = 0;
    const AnsiString text = GetEditText(ACol, ARow);
    const TRect& r = place.R;
    TWinControl* control = nullptr;
    bool takesStartChar = true;
    switch (editorType_) {
        case edSpinEdit:
        case edFloatSpinEdit:
        case edTimeSpinEdit:
        case edDateSpinEdit: {
            TGridSpin* spin = SpinEditor();
            spin->RecreateWnd();
            spin->SetBounds(r.Left, r.Top, place.W, place.H);
            spin->SetExcelStyleDecimalSeparator(ExcelStyleDecimalSeparator());
            if (editorType_ == edSpinEdit) {
                spin->SetSpinType(grdspin::sptNormal);
                spin->SetValue(LeadingInteger(text));
            } else if (editorType_ == edFloatSpinEdit) {
                double value = 0;
                Integer code = 0;
                Val(ExtractNumericText(text), value, code);
                spin->SetSpinType(grdspin::sptFloat);
                spin->SetFloatValue(code == 0 ? value : 0);
            } else if (editorType_ == edTimeSpinEdit) {
                spin->SetSpinType(grdspin::sptTime);
                spin->SetText(GetEditText(realCol, ARow));
            } else {
                spin->SetDateValue(ReadDateTimeOrNow(text, &StrToDate));
                spin->SetSpinType(grdspin::sptDate);
            }
            control = spin;
            break;
        }
        case edComboEdit:
        case edComboList: {
            TGridCombo* combo = comboEditor_;
            PrepareCombo(combo, place, editorType_ == edComboList);
            if (editorType_ == edComboList) {
                AnsiString cell;
                ReadCell(realCol, ARow, cell);
                Integer index = combo->Items()->IndexOf(cell);
                if (index < 0) index = defaultComboIndex_ != -1 ? defaultComboIndex_ : 0;
                combo->SetItemIndex(index < combo->Items()->Count() ? index : -1);
            } else {
                combo->SetText(text);
            }
            control = combo;
            break;
        }
        case edUniComboEdit:
        case edUniComboList: {
            TGridUniCombo* combo = uniComboEditor_;
            const WideString wide = WideCells(realCol, ARow);
            PrepareCombo(combo, place, editorType_ == edUniComboList);
            if (editorType_ == edUniComboList) {
                Integer index = combo->Items()->IndexOf(wide);
                if (index < 0) index = defaultComboIndex_ != -1 ? defaultComboIndex_ : 0;
                combo->SetItemIndex(index < combo->Items()->Count() ? index : -1);
            } else {
                combo->SetText(wide);
            }
            combo->Font()->Assign(Font());
            control = combo;
            takesStartChar = false;
            break;
        }
        case edEditBtn:
        case edNumericEditBtn:
        case edFloatEditBtn: {
            TGridEditBtn* edit = buttonEditor_;
            edit->RecreateWnd();
            edit->SetBounds(r.Left, r.Top, place.W, edit->Height());
            edit->SetText(text);
            edit->SetMaxLength(GetEditLimit());
            control = edit;
            break;
        }
        case edUnitEditBtn: {
            TGridUnitEditBtn* edit = unitEditor_;
            edit->RecreateWnd();
            edit->SetMaxLength(GetEditLimit());
            AnsiString value, unit;
            SplitUnitText(text, value, unit);
            edit->SetText(value);
            edit->SetUnitID(unit);
            edit->SetBounds(r.Left, r.Top, place.W, edit->Height());
            control = edit;
            break;
        }
        case edCheckBox: {
            TGridCheckBox* check = checkBoxEditor_;
            check->RecreateWnd();
            check->SetBounds(r.Left, r.Top, place.W, place.H);
            check->SetCaption(text);
            check->SetState(cbUnchecked);
            control = check;
            takesStartChar = false;
            break;
        }
        case edButton: {
            TGridButton* button = buttonCellEditor_;
            button->RecreateWnd();
            button->SetBounds(r.Left - 1, r.Top - 1, place.W + 2, place.H + 2);
            button->SetCaption(text);
            control = button;
            takesStartChar = false;
            break;
        }
        case edUniEdit: {
            TGridUniEdit* edit = uniEditor_;
            edit->RecreateWnd();
            const Integer mx = editMarginX_, my = editMarginY_;
            edit->SetBounds(r.Left + 2 + mx, r.Top + 2 + my, place.W - 2 - 2 * mx, place.H - 2 - 2 * my);
            edit->Font()->Assign(Font());
            edit->SetText(WideCells(realCol, ARow));
            control = edit;
            break;
        }
        case edDateEdit:
        case edDateEditUpDown:
        case edTimeEdit: {
            TGridDatePicker* picker = dateEditor_;
            if (!picker) break;
            picker->RecreateWnd();
            const bool time = editorType_ == edTimeEdit;
            picker->SetBounds(r.Left, r.Top, place.W, time ? place.H : std::min(picker->Height(), place.H));
            picker->SetKind(time ? dtkTime : dtkDate);
            picker->SetDateMode(editorType_ == edDateEditUpDown ? dmUpDown : dmComboBox);
            picker->ShowCellText(text);
            control = picker;
            takesStartChar = false;
            break;
        }
        case edRichEdit: {
            // It joins the grid when a rich-text cell is first edited.
            TProRichEdit* edit = inplaceRichEdit_;
            if (edit->Parent() != this) edit->SetParent(this);
            edit->RecreateWnd();
            edit->SetBorderStyle(bsNone);
            edit->SetHideSelection(false);
            edit->SetBounds(r.Left, r.Top, place.W, place.H);
            TRect format = Rect(2, 2, r.Width() - 2, r.Height() - 2);
            edit->Perform(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&format));
            CellToRichEdit(realCol, ARow, edit);
            edit->SelectAll();
            control = edit;
            break;
        }
        case edCustom: ShowEditLink(place, realCol, ARow, startChar); break;
        default: break;
    }
    if (control) {
        control->SetVisible(true);
        control->SetEnabled(true);
        if (editorType_ != edCheckBox && editorType_ != edButton) control->SetColor(place.Brush->Color());
        if (editorType_ != edUniEdit && editorType_ != edUniComboEdit && editorType_ != edUniComboList)
            control->Font()->Assign(place.Font.get());
        if (control->CanFocus()) control->SetFocus();
        // The button editors take their height once they have the focus.
        if (control == buttonEditor_.Get() || control == unitEditor_.Get()) control->SetHeight(place.H);
        if (auto* combo = dynamic_cast<TCustomComboBox*>(control))
            combo->SetDroppedDown(MouseActions()->DirectComboDrop());
        if (control == dateEditor_.Get() && editorType_ != edTimeEdit && MouseActions()->DirectDateDrop())
            control->Perform(WM_KEYDOWN, VK_F4, 0);
        if (takesStartChar && startChar)
            PostMessage(control->Handle(), WM_CHAR, static_cast<unsigned char>(startChar), 0);
        if (control == inplaceRichEdit_.Get()) inplaceRichEdit_->SetEditing(true);
    }
    openedValue_ = EditorValue().value_or(AnsiString());
}

// The combos are closed and shrunk while their style changes. A combo's height is its extent with the
// list down; the closed field (its edit part and 6 pixels of frame) covers the cell.
void RAdeRedeviDidi::PrepareCombo(TCustomComboBox* Combo, const TEditorPlace& Place, bool List) {
    Combo->SetDroppedDown(false);
    Combo->SetBounds(Place.R.Left, Place.R.Top, 0, 0);
    Combo->SetStyle(List ? csDropDownList : csDropDown);
    const bool flat = LookFlat(Look());
    if (auto* combo = dynamic_cast<TGridCombo*>(Combo)) {
        combo->SetFlat(flat);
        combo->SetEtched(flat);
        if (Navigation()->AutoComboDropSize()) combo->SetDropWidth(ComboDropWidth(combo));
    } else if (auto* wide = dynamic_cast<TGridUniCombo*>(Combo)) {
        wide->SetFlat(flat);
        wide->SetEtched(flat);
    }
    Combo->SetBounds(Place.R.Left, Place.R.Top, Place.W, Combo->ItemHeight() * (Combo->DropDownCount() + 1) + Place.H);
    Combo->Perform(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), Place.H - 6);
}

// Wide enough for its widest item, leaving room for the list's scroll bar when it shows.
Integer RAdeRedeviDidi::ComboDropWidth(TGridCombo* Combo) {
    Integer width = Combo->Width();
    const bool scrolls = Combo->Items()->Count() > Combo->DropDownCount();
    for (Integer i = 0; i < Combo->Items()->Count(); ++i) {
        const Integer item = Canvas()->TextWidth(Combo->Items()->Strings(i));
        if (scrolls && item > width - 25) width = item + 25;
        else if (!scrolls && item > width - 5) width = item + 8;
    }
    return width;
}

void RAdeRedeviDidi::StoreCellEditor(Integer ACol, Integer ARow) {
    if (!storePending_) return;
    storePending_ = false;
    editStartChar_ = 0;
    const Integer realCol = RealColIndex(ACol);
    // An editor closed with the value it opened with leaves the cell as it was.
    if (const std::optional<AnsiString> value = EditorValue(); value && *value != openedValue_)
        SetEditCellText(realCol, ARow, *value);
    if (editorType_ == edRichEdit) inplaceRichEdit_->SetEditing(false);
    if (TWinControl* control = EditorControl()) {
        control->SetVisible(false);
        control->SetEnabled(false);
    } else if (editorType_ == edCustom && editLink_) {
        if (editLink_->EditStyle() == esPopup) {
            if (popupForm_) popupForm_->Hide();
        } else {
            editLink_->SetVisible(false);
        }
    }
    if (OnEditingDone) OnEditingDone(this);
}

TWinControl* RAdeRedeviDidi::EditorControl() const {
    switch (editorType_) {
        case edSpinEdit:
        case edFloatSpinEdit:
        case edTimeSpinEdit:
        case edDateSpinEdit: return spinEditor_;
        case edComboEdit:
        case edComboList: return comboEditor_;
        case edUniComboEdit:
        case edUniComboList: return uniComboEditor_;
        case edEditBtn:
        case edNumericEditBtn:
        case edFloatEditBtn: return buttonEditor_;
        case edUnitEditBtn: return unitEditor_;
        case edCheckBox: return checkBoxEditor_;
        case edButton: return buttonCellEditor_;
        case edUniEdit: return uniEditor_;
        case edDateEdit:
        case edDateEditUpDown:
        case edTimeEdit: return dateEditor_;
        case edRichEdit: return inplaceRichEdit_;
        default: return nullptr;
    }
}

bool RAdeRedeviDidi::EditorValueChanged() {
    const std::optional<AnsiString> value = EditorValue();
    return value && *value != openedValue_;
}

// The text the open control would store; none for the check box and the button, which store nothing.
std::optional<AnsiString> RAdeRedeviDidi::EditorValue() {
    switch (editorType_) {
        case edSpinEdit:
        case edTimeSpinEdit: return spinEditor_->Text();
        case edFloatSpinEdit: return Format(FloatFormat(), {spinEditor_->FloatValue()});
        case edDateSpinEdit: {
            // A text typed that reads as no date stays as typed: committing it neither raises nor loses it.
            TDateTime date = 0;
            try {
                date = spinEditor_->DateValue();
            } catch (const EConvertError&) {
                return spinEditor_->Text();
            }
            return date > 0 || ShowZeroDates() ? DateToStr(date) : AnsiString();
        }
        case edComboEdit:
        case edComboList: return comboEditor_->Text();
        case edUniComboEdit:
        case edUniComboList: return UniStrToCellText(uniComboEditor_->Text());
        case edUniEdit: return UniStrToCellText(uniEditor_->Text());
        case edEditBtn:
        case edNumericEditBtn:
        case edFloatEditBtn: return buttonEditor_->Text();
        case edUnitEditBtn: return unitEditor_->Text() + unitEditor_->UnitID();
        case edDateEdit:
        case edDateEditUpDown:
        case edTimeEdit:
            if (!dateEditor_) return std::nullopt;
            return dateEditor_->CellText();
        case edRichEdit: {
            AnsiString rich;
            RichEditToCell(inplaceRichEdit_, rich);
            return rich;
        }
        case edCustom: {
            if (!editLink_) return std::nullopt;
            AnsiString value;
            editLink_->GetEditValue(value);
            return value;
        }
        default: return std::nullopt;
    }
}

void RAdeRedeviDidi::ShowEditLink(const TEditorPlace& Place, Integer ARealCol, Integer ARow, char StartChar) {
    TEditLink* link = editLink_;
    if (!link) return;
    link->SetGrid(this);
    link->SetEditCell(Point(ARealCol, ARow));
    const TRect& r = Place.R;
    if (link->EditStyle() == esPopup) {
        if (link->AutoPopupWidth()) link->SetPopupWidth(r.Width());
        if (!popupForm_) {
            popupForm_ = new TForm(this);
            popupForm_->SetBorderStyle(bsNone);
        }
        TForm* form = popupForm_;
        link->SetPopupForm(form);
        form->OnDeactivate = [this](TObject*) {
            if (editLink_) editLink_->PopupDeactivated();
        };
        const TPoint at = ClientToScreen(Point(r.Left, r.Top));
        form->SetBounds(at.X, at.Y, link->PopupWidth(), link->PopupHeight());
        form->Show();
        link->CreateEditor(form);
        link->SetRect(Rect(0, 0, link->PopupWidth(), link->PopupHeight()));
    } else {
        link->CreateEditor(this);
        link->SetRect(r);
    }
    link->SetVisible(true);
    link->SetCellProps(Place.Brush->Color(), Place.Font.get());
    link->SetProperties();
    if (OnGetEditorProp) OnGetEditorProp(this, ARealCol, ARow, link);
    link->SetEditValue(GetEditText(DisplayColIndex(ARealCol), ARow));
    link->SetFocus(true);
    if (TWinControl* control = link->GetEditControl(); control && StartChar)
        PostMessage(control->Handle(), WM_CHAR, static_cast<unsigned char>(StartChar), 0);
}

}  // namespace ProGrid
