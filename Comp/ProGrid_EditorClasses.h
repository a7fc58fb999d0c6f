#pragma once
// The controls the grid lays over a cell for the editor types its in-place edit does not serve. Each keeps
// the grid that owns it, closes the edit when it loses the focus, and hands the navigation keys back to the
// grid after validating its value.

#include "GRDEdit.h"
#include "GrdUni.h"
#include "ProGrid.h"
#include "grdcombo.h"
#include "grdspin.h"
#include "vcl/ComCtrls.h"

namespace ProGrid {

// A unit editor's text: the leading number (an optional "-", digits, "," and ".") and the unit, the rest
// as it stands.
void SplitUnitText(const AnsiString& S, AnsiString& Value, AnsiString& Unit);
// The date or time Text names, read by Read; the current moment when it is empty or names none.
TDateTime ReadDateTimeOrNow(const AnsiString& Text, TDateTime (*Read)(const AnsiString&));
// A picker's format (its letters: H and HH for 24 hours, m and mm minutes, M months, t and tt the AM/PM
// marker, quoted literals) in the letters of FormatDateTime; every other character stays as written.
AnsiString PickerToDateTimeFormat(const AnsiString& PickerFormat);

class TGridCheckBox : public TCheckBox {
    VCL_CLASS(TGridCheckBox, TCheckBox)
    // EProGridError unless AOwner is a grid.
    explicit TGridCheckBox(TComponent* AOwner);
    RAdeRedeviDidi* Grid() const { return grid_; }
    using TWinControl::RecreateWnd;

protected:
    void DoExit() override;
    void KeyDown(Word& Key, TShiftState Shift) override;

private:
    RAdeRedeviDidi* grid_;
};

class TGridSpin : public grdspin::TGrdSpinEdit {
    VCL_CLASS(TGridSpin, grdspin::TGrdSpinEdit)
    explicit TGridSpin(TComponent* AOwner);
    RAdeRedeviDidi* Grid() const { return grid_; }
    using TWinControl::RecreateWnd;
    void UpClick(TObject* Sender) override;
    void DownClick(TObject* Sender) override;

protected:
    void DoExit() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void Dispatch(TMessage& Message) override;

private:
    // PgUp, PgDn, Home and End step and jump the value.
    void StepKey(Word Key);
    void SpinClicked(bool Up);
    RAdeRedeviDidi* grid_;
};

class TGridUniEdit : public GrdUni::TGrdUniEdit {
    VCL_CLASS(TGridUniEdit, GrdUni::TGrdUniEdit)
    explicit TGridUniEdit(TComponent* AOwner);
    RAdeRedeviDidi* Grid() const { return grid_; }
    using TWinControl::RecreateWnd;

protected:
    void DoExit() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void Dispatch(TMessage& Message) override;

private:
    RAdeRedeviDidi* grid_;
};

class TGridUniCombo : public GrdUni::TGRDUniComboBox {
    VCL_CLASS(TGridUniCombo, GrdUni::TGRDUniComboBox)
    explicit TGridUniCombo(TComponent* AOwner);
    RAdeRedeviDidi* Grid() const { return grid_; }

protected:
    void DoExit() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void Dispatch(TMessage& Message) override;

private:
    // Completes the text from the items as typed (Backspace and Delete complete nothing).
    void Lookup();
    RAdeRedeviDidi* grid_;
    bool lookup_ = true;
};

class TGridCombo : public grdcombo::TGRDComboBox {
    VCL_CLASS(TGridCombo, grdcombo::TGRDComboBox)
    explicit TGridCombo(TComponent* AOwner);
    RAdeRedeviDidi* Grid() const { return grid_; }

protected:
    void DoExit() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void Dispatch(TMessage& Message) override;

private:
    // Completes the text from the items, else from the grid's LookupItems.
    void Lookup();
    RAdeRedeviDidi* grid_;
    bool lookup_ = true;
};

class TGridEditBtn : public GRDEdit::TGrdEditBtn {
    VCL_CLASS(TGridEditBtn, GRDEdit::TGrdEditBtn)
    explicit TGridEditBtn(TComponent* AOwner);
    RAdeRedeviDidi* Grid() const { return grid_; }
    using TWinControl::RecreateWnd;

protected:
    void DoExit() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void Dispatch(TMessage& Message) override;

private:
    void EllipsClick(TObject* Sender);
    // The character the current editor type lets through (0: dropped).
    char FilterChar(char Key);
    RAdeRedeviDidi* grid_;
};

class TGridUnitEditBtn : public GRDEdit::TGrdUnitEditBtn {
    VCL_CLASS(TGridUnitEditBtn, GRDEdit::TGrdUnitEditBtn)
    explicit TGridUnitEditBtn(TComponent* AOwner);
    RAdeRedeviDidi* Grid() const { return grid_; }
    using TWinControl::RecreateWnd;

protected:
    void DoExit() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void Dispatch(TMessage& Message) override;

private:
    RAdeRedeviDidi* grid_;
};

class TGridButton : public TButton {
    VCL_CLASS(TGridButton, TButton)
    explicit TGridButton(TComponent* AOwner);
    RAdeRedeviDidi* Grid() const { return grid_; }
    using TWinControl::RecreateWnd;

protected:
    void DoExit() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void Dispatch(TMessage& Message) override;

private:
    void Ellipsis();
    // The button goes and the grid takes the focus.
    void Leave();
    RAdeRedeviDidi* grid_;
};

// The date and time editor. Its keys go to the grid unless its calendar is down; it shows a flat frame.
class TGridDatePicker : public TDateTimePicker {
    VCL_CLASS(TGridDatePicker, TDateTimePicker)
    explicit TGridDatePicker(TComponent* AOwner);
    RAdeRedeviDidi* Grid() const { return grid_; }
    using TWinControl::RecreateWnd;
    bool DroppedDown() const { return droppedDown_; }
    // The value as a cell holds it: the date (empty when the check box is cleared), or the time in the
    // picker's own format when it has one.
    AnsiString CellText() const;
    // Shows the date or time a cell text names (now when it names none).
    void ShowCellText(const AnsiString& S);

protected:
    void DoExit() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void Dispatch(TMessage& Message) override;

private:
    void PaintFlatFrame();
    RAdeRedeviDidi* grid_;
    bool droppedDown_ = false;
};

}  // namespace ProGrid
