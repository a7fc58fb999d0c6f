// Arbitrary cell texts opened in every editor type the grid serves and committed by Enter, Esc or Tab as a
// user does on a shown grid, at times after typing a character. Nothing crashes, no exception reaches the
// application's handler, and the cell then holds its own text or the editor's value; Esc, and an editor
// left as it opened, leave the cell as it was ("number + unit" texts among them).
//
// Input: operations of an opcode byte and four argument bytes. The text of the next opening is built from
// argument bytes or picked from texts the editors read.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ProGrid.h"
#include "ProGrid_EditorClasses.h"
#include "ProUtil.h"
#include "support/FuzzCheck.h"
#include "support/FuzzStage.h"
#include "vcl/Forms.h"
#include "vcl/SysUtils.h"
#include "vcl/Testing.h"

using namespace ProGrid;
using namespace BaseGrid;
using ProUtil::UniStrFromCellText;
using ProUtil::UniStrToCellText;

using fuzzstage::RunSteps;
using fuzzstage::SharedStageGrid;

namespace {

constexpr TEditorType kTypes[] = {edNormal,        edNumeric,      edPositiveNumeric, edFloat,          edCapital,
                                  edMixedCase,     edPassword,     edLowerCase,       edUpperCase,      edSpinEdit,
                                  edFloatSpinEdit, edTimeSpinEdit, edDateSpinEdit,    edComboEdit,      edComboList,
                                  edUniComboEdit,  edUniComboList, edEditBtn,         edNumericEditBtn, edFloatEditBtn,
                                  edUnitEditBtn,   edCheckBox,     edButton,          edUniEdit,        edCustom,
                                  edNone,          edDateEdit,     edDateEditUpDown,  edTimeEdit,       edRichEdit};
// The first nine are the in-place edit's.
constexpr std::size_t kInPlaceTypes = 9;
constexpr Word kCommits[] = {VK_RETURN, VK_ESCAPE, VK_TAB};
const char* const kTexts[] = {
    "12.5kg", "12 m2",    "-3,5 l",      "1.5e3x",      "99999999999", "2.5",  "<b>7</b>", "kiwi",  "pear",
    "",       "12:30:15", "1/2/2003",    "31.12.1999",  "-",           ".",    "|\\0041",  "=A1+1", "\x80\x9f\xff",
    "  4",    "0x10",     "-2147483649", "1,234.5 EUR", "a\r\nb",      "1e400"};

class TEditorValueRun {
public:
    TEditorValueRun() : grid_(&SharedStageGrid<RAdeRedeviDidi>()) {
        grid_->OnGetEditorType = [this](TObject*, Integer, Integer, TEditorType& AEditor) { AEditor = type_; };
        grid_->SetColCount(4);
        grid_->SetRowCount(4);
        grid_->SetFixedRows(1);
        grid_->SetFixedCols(1);
        grid_->ComboEditor()->Items()->SetCommaText("apple,pear,kiwi");
        grid_->UniComboEditor()->Items()->SetText(u"apple\npear");
        grid_->UnitEditor()->Units()->SetCommaText("kg,m2");
        Settings(0, 0);
    }

    void Step(std::uint8_t Op, std::uint8_t A, std::uint8_t B, std::uint8_t C, std::uint8_t D) {
        switch (Op % 8) {
            case 0:
            case 1:
            case 2: Append({A, B, C, D}); break;
            case 3: text_ = kTexts[A % std::size(kTexts)]; break;
            case 4:
            case 5:
            case 6: OpenAndCommit(A, B, C, D); break;
            case 7: Settings(A, B); break;
        }
    }

    void Finish() {
        Leave();
        grid_->OnGetEditorType = nullptr;
        DecimalSeparator = '.';
        ThousandSeparator = ',';
    }

private:
    // Any byte but NUL, which no editor can show; the text stays short.
    void Append(std::initializer_list<std::uint8_t> Bytes) {
        for (std::uint8_t byte : Bytes)
            if (text_.size() < 40) text_ += static_cast<char>(byte == 0 ? ' ' : byte);
    }

    void Settings(std::uint8_t A, std::uint8_t B) {
        Leave();
        grid_->SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goEditing} +
                          (A & 1 ? TGridOptions{goTabs} : TGridOptions{}));
        grid_->SetEditWithTags(A & 2);
        const bool comma = A & 4;
        DecimalSeparator = comma ? ',' : '.';
        ThousandSeparator = comma ? '.' : ',';
        grid_->SetLookup(A & 8);
        grid_->SetShowZeroDates(A & 16);
        grid_->Navigation()->SetAdvanceOnEnter(A & 32);
        grid_->SetDefaultComboIndex(B % 4 - 1);
    }

    // The grid takes the focus back, as a click on it does: an editor still open closes.
    void Leave() {
        if (grid_->CanFocus()) grid_->SetFocus();
        grid_->SetEditorMode(false);
    }

    void OpenAndCommit(std::uint8_t A, std::uint8_t B, std::uint8_t C, std::uint8_t D) {
        Leave();
        type_ = kTypes[A % std::size(kTypes)];
        grid_->SetCells(1, 1, text_);
        grid_->SetCol(1);
        grid_->SetRow(1);
        const AnsiString before = grid_->Cells(1, 1);
        Testing::KeyPress(grid_, VK_F2);
        // The in-place edit shows mark-up stripped: what it opened with may come back.
        std::vector<AnsiString> values = EditorValues();
        const bool typed = D & 1;
        if (typed) {
            const char ch = D & 2 ? static_cast<char>(0x80 + C % 64) : static_cast<char>(C % 95 + 32);
            Testing::TypeText(grid_, AnsiString(1, ch));
        }
        for (const AnsiString& value : EditorValues()) values.push_back(value);
        const Word commit = kCommits[B % std::size(kCommits)];
        Testing::KeyPress(grid_, commit);
        const AnsiString after = grid_->Cells(1, 1);
        const auto same = [this](const AnsiString& S1, const AnsiString& S2) {
            return Wide() ? UniStrFromCellText(S1) == UniStrFromCellText(S2) : S1 == S2;
        };
        if (!InPlace() && (commit == VK_ESCAPE || !typed)) return Check(same(after, before));
        bool known = same(after, before);
        for (const AnsiString& value : values) known = known || same(after, value);
        Check(known);
    }

    bool InPlace() const {
        for (std::size_t i = 0; i < kInPlaceTypes; ++i)
            if (kTypes[i] == type_) return true;
        return false;
    }
    // The Unicode editors store wide text: an empty cell comes back as empty wide text.
    bool Wide() const { return type_ == edUniEdit || type_ == edUniComboEdit || type_ == edUniComboList; }

    // What the open editor shows, and the value it stores when that is written differently.
    std::vector<AnsiString> EditorValues() {
        switch (type_) {
            case edSpinEdit:
            case edTimeSpinEdit: return {grid_->SpinEditor()->Text()};
            // A value the spin editor cannot read shows when the grid stores it.
            case edFloatSpinEdit:
                try {
                    return {grid_->SpinEditor()->Text(),
                            Format(grid_->FloatFormat(), {grid_->SpinEditor()->FloatValue()})};
                } catch (const Exception&) {
                    return {grid_->SpinEditor()->Text()};
                }
            case edDateSpinEdit:
                try {
                    const TDateTime date = grid_->SpinEditor()->DateValue();
                    return {grid_->SpinEditor()->Text(),
                            date > 0 || grid_->ShowZeroDates() ? DateToStr(date) : AnsiString()};
                } catch (const Exception&) {
                    return {grid_->SpinEditor()->Text()};
                }
            case edComboEdit:
            case edComboList: return {grid_->ComboEditor()->Text()};
            case edUniComboEdit:
            case edUniComboList: return {UniStrToCellText(grid_->UniComboEditor()->Text())};
            case edEditBtn:
            case edNumericEditBtn:
            case edFloatEditBtn: return {grid_->ButtonEditor()->Text()};
            case edUnitEditBtn: return {grid_->UnitEditor()->Text() + grid_->UnitEditor()->UnitID()};
            case edUniEdit: return {UniStrToCellText(grid_->UniEditor()->Text())};
            case edDateEdit:
            case edDateEditUpDown:
            case edTimeEdit: return {grid_->DateEditor()->CellText()};
            case edRichEdit: {
                AnsiString rich;
                grid_->RichEditToCell(grid_->InplaceRichEdit(), rich);
                return {rich};
            }
            case edCheckBox:
            case edButton:
            case edCustom:
            case edNone: return {};
            default: {
                TInplaceEdit* editor = grid_->InplaceEditor();
                if (editor && editor->Visible()) return {editor->Text()};
                return {};
            }
        }
    }

    RAdeRedeviDidi* grid_;
    TEditorType type_ = edNormal;
    AnsiString text_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 400) return 0;
    RunSteps<TEditorValueRun>(data, size);
    return 0;
}
