#pragma once
// A grid of eight labelled rows on a test form, for the tests of whole-row changes: each cell holds
// "r<row>c<col>" and row r is 20 + r pixels high, so that every row shows where it came from.

#include <string>
#include <vector>

#include "GridUnitFixture.h"
#include "ProGrid.h"

// A graphic that tells when the cell properties holding it are freed.
class TFreedMarker : public TPersistent {
public:
    explicit TFreedMarker(int& Freed) : freed_(Freed) {}
    ~TFreedMarker() override { ++freed_; }

private:
    int& freed_;
};

template <class TGrid>
class LabelledRowsFixture : public GridUnitFixture {
protected:
    // Eight rows of four columns.
    void SetUp() override {
        FormFixture::SetUp();
        grid = Place<TGrid>(0, 0, 300, 200);
        grid->SetColCount(4);
        grid->SetRowCount(8);
        for (Integer r = 0; r < 8; ++r) {
            grid->SetRowHeights(r, 20 + r);
            for (Integer c = 0; c < 4; ++c) grid->SetCells(c, r, Text(c, r));
        }
    }

    static AnsiString Text(Integer ACol, Integer ARow) {
        return "r" + std::to_string(ARow) + "c" + std::to_string(ACol);
    }
    // The rows the grid shows, by the row each came from (its first cell's text), "-" for an empty one.
    std::vector<AnsiString> Shown() const {
        std::vector<AnsiString> rows;
        for (Integer r = 0; r < grid->RowCount(); ++r) {
            const AnsiString& text = grid->Cells(0, r);
            rows.push_back(text.empty() ? "-" : text.substr(0, text.find('c')));
        }
        return rows;
    }
    std::vector<Integer> HiddenIdx() const {
        std::vector<Integer> rows;
        for (Integer i = 0; i < grid->HiddenRowCount(); ++i) rows.push_back(grid->HiddenRows()->Items(i)->Idx());
        return rows;
    }

    TGrid* grid = nullptr;
};
