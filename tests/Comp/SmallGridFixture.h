#pragma once
// A borderless grid of 5 x 6 cells of 64 x 24 (one fixed row and column) without lines or scroll bars on a
// shown, active form: column c starts at 64 c and row r at 24 r. The user has clicked it, so it has the
// focus; keys go to the form's focused control as the keyboard's do.
#include <utility>

#include "ProGrid.h"
#include "support/FormFixture.h"
#include "support/InputSimulator.h"

class SmallGridFixture : public FormFixture {
protected:
    using Cell = std::pair<Integer, Integer>;

    void SetUp() override {
        FormFixture::SetUp();
        grid = Place<ProGrid::RAdeRedeviDidi>(0, 0, 320, 200);
        grid->SetBorderStyle(bsNone);
        grid->SetScrollBars(ssNone);
        grid->SetColCount(5);
        grid->SetRowCount(6);
        grid->SetDefaultColWidth(64);
        grid->SetDefaultRowHeight(24);
        grid->SetGridLineWidth(0);
        Configure();
        Input::Settle();
        Input::Click(grid, 5 * 64 - 10, 5 * 24 - 10);
    }
    // The test's own settings, made before the user's first click.
    virtual void Configure() {}

    void GoTo(Integer ACol, Integer ARow) {
        grid->SetCol(ACol);
        grid->SetRow(ARow);
    }
    Cell At() const { return {grid->Col(), grid->Row()}; }
    void Key(Word VirtualKey, TShiftState Shift = {}) { Input::Key(form, VirtualKey, Shift); }

    ProGrid::RAdeRedeviDidi* grid = nullptr;
};
