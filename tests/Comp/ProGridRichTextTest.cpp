// Rich-text cells through the grid's rich edits: the cell holds the RTF source, the edit its content.
#include "ProGrid.h"
#include "support/FormFixture.h"

using namespace ProGrid;

namespace {

class ProGridRichTextTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        grid = Place<RAdeRedeviDidi>(0, 0, 300, 200);
        grid->SetColCount(4);
        grid->SetRowCount(4);
    }
    RAdeRedeviDidi* grid = nullptr;
};

}  // namespace

TEST_F(ProGridRichTextTest, ACellsRtfLoadsIntoTheRichEditAndComesBackTheSame) {
    grid->SetCells(1, 1, "{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;}\\qc\\cf1\\b Bold\\b0  red\\par next}");
    TProRichEdit* edit = grid->RichEdit();
    grid->CellToRichEdit(1, 1, edit);
    EXPECT_EQ(edit->Text(), "Bold red\r\nnext");
    ASSERT_FALSE(edit->Content().Runs.empty());
    EXPECT_TRUE(edit->Content().Runs[0].Format.Bold);

    AnsiString saved;
    grid->RichEditToCell(edit, saved);
    ASSERT_EQ(saved.rfind("{\\rtf1", 0), 0u);
    grid->SetCells(2, 2, saved);
    TProRichEdit* other = grid->InplaceRichEdit();
    grid->CellToRichEdit(2, 2, other);
    EXPECT_EQ(other->Content(), edit->Content());

    // An empty cell clears the edit; a cell that is not RTF shows its text.
    grid->CellToRichEdit(3, 3, edit);
    EXPECT_EQ(edit->Text(), "");
    EXPECT_TRUE(edit->Content().Runs.empty());
    grid->SetCells(3, 3, "{\\broken");
    grid->CellToRichEdit(3, 3, edit);
    EXPECT_EQ(edit->Text(), "{\\broken");
}
