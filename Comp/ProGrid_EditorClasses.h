#pragma once
// The controls the grid lays over a cell for the editor types its in-place edit does not serve. Each keeps
// the grid that owns it, closes the edit when it loses the focus, and hands the navigation keys back to the
// grid after validating its value.

#include "GRDEdit.h"
#include "GrdUni.h"
#include "ProGrid.h"
#include "grdcombo.h"
#include "grdspin.h"

namespace ProGrid {

// A unit editor's text: the leading number (an optional "-", digits, "," and ".") and the unit, the rest
// as it stands.
void SplitUnitText(const AnsiString& S, AnsiString& Value, AnsiString& Unit);

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

}  // namespace ProGrid
