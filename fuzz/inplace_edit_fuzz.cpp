// Random key downs, characters (the keypad's point among them), pastes and selections typed into the
// grid's in-place edit on a shown grid, under a random editor type, MaxLength, separators, look-up list,
// word wrap and Enter settings. Nothing crashes, no exception reaches the application's handler, and every
// cell holds what the editor type lets through: digits with at most one leading "-" (integers), at most
// one decimal separator (floats), no lower (upper) case letter, and never more than MaxLength characters.
//
// Input: operations of an opcode byte and four argument bytes. The cells start empty and are emptied
// whenever the settings change, so everything in them was typed or pasted under the settings in force.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ProGrid.h"
#include "support/FuzzCheck.h"
#include "support/FuzzStage.h"
#include "vcl/Clipbrd.h"
#include "vcl/Forms.h"
#include "vcl/SysUtils.h"
#include "vcl/Testing.h"

using namespace ProGrid;
using namespace BaseGrid;

using fuzzstage::RunSteps;
using fuzzstage::SharedStageGrid;

namespace {

constexpr TEditorType kTypes[] = {edNormal,    edNumeric,  edPositiveNumeric, edFloat,    edCapital,
                                  edMixedCase, edPassword, edLowerCase,       edUpperCase};
constexpr Word kKeys[] = {VK_LEFT,   VK_RIGHT, VK_UP,     VK_DOWN,   VK_HOME,  VK_END,      VK_TAB,
                          VK_RETURN, VK_BACK,  VK_DELETE, VK_ESCAPE, VK_F2,    VK_DECIMAL,  'C',
                          'V',       'X',      'A',       VK_INSERT, VK_SPACE, VK_OEM_MINUS};
const char* const kClips[] = {"-12", "3.5", "1,234.5", "abc", "AbC\r\nx", "--", "9\x80\x9f", "", "12345678901234"};
const char* const kLookups[] = {"", "apple,Apricot,banana", "-1,2.5,ZZ", "\x80x,\x9fy"};

class TInplaceRun {
public:
    TInplaceRun() : grid_(&SharedStageGrid<RAdeRedeviDidi>()) {
        grid_->OnGetEditorType = [this](TObject*, Integer, Integer, TEditorType& AEditor) { AEditor = type_; };
        Settings(0, 0, 0, 0);
    }

    void Step(std::uint8_t Op, std::uint8_t A, std::uint8_t B, std::uint8_t C, std::uint8_t D) {
        switch (Op % 7) {
            case 0:
            case 1: Press(A, B); break;
            case 2:
            case 3: Type(A, B); break;
            case 4: Paste(A, B, C); break;
            case 5: Select(A, B); break;
            case 6: Settings(A, B, C, D); break;
        }
        CheckCells();
    }

    void Finish() {
        grid_->OnGetEditorType = nullptr;
        DecimalSeparator = '.';
        ThousandSeparator = ',';
    }

private:
    void Focus() {
        TInplaceEdit* editor = grid_->InplaceEditor();
        if (!grid_->Focused() && !(editor && editor->Focused()) && grid_->CanFocus()) grid_->SetFocus();
    }

    void Press(std::uint8_t A, std::uint8_t B) {
        Focus();
        TShiftState shift;
        if (B & 1) shift.Include(ssShift);
        if (B & 2) shift.Include(ssCtrl);
        Testing::KeyPress(grid_, kKeys[A % std::size(kKeys)], shift);
    }

    // Printable characters, the bytes 0x80-0x9F and the separators.
    void Type(std::uint8_t A, std::uint8_t B) {
        Focus();
        char typed = static_cast<char>(A % 96 + 32);
        if (B & 1) typed = static_cast<char>(0x80 + A % 32);
        if (B & 2) typed = "-.,0"[A % 4];
        Testing::TypeText(grid_, AnsiString(1, typed));
    }

    void Paste(std::uint8_t A, std::uint8_t B, std::uint8_t C) {
        Clipboard()->SetAsText(kClips[A % std::size(kClips)]);
        Select(B, C);
        if (TInplaceEdit* editor = grid_->InplaceEditor(); editor && editor->Focused())
            Testing::KeyPress(grid_, 'V', TShiftState{ssCtrl});
    }

    void Select(std::uint8_t A, std::uint8_t B) {
        TInplaceEdit* editor = grid_->InplaceEditor();
        if (!editor || !editor->Visible()) return;
        const auto length = static_cast<Integer>(editor->Text().size());
        editor->SetSelStart(A % (length + 1));
        editor->SetSelLength(B % (length + 1));
    }

    void Settings(std::uint8_t A, std::uint8_t B, std::uint8_t C, std::uint8_t D) {
        // The editor closes before the cells it wrote are emptied.
        if (grid_->CanFocus()) grid_->SetFocus();
        grid_->SetEditorMode(false);
        type_ = kTypes[A % std::size(kTypes)];
        grid_->SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goEditing} +
                          (B & 1 ? TGridOptions{goTabs} : TGridOptions{}));
        grid_->SetColCount(5);
        grid_->SetRowCount(6);
        grid_->SetFixedRows(1);
        grid_->SetFixedCols(1);
        grid_->ClearAll();
        grid_->SetMaxEditLength(C % 4 == 0 ? 0 : C % 12);
        const bool comma = B & 2;
        DecimalSeparator = comma ? ',' : '.';
        ThousandSeparator = comma ? '.' : ',';
        grid_->SetExcelStyleDecimalSeparator(B & 4);
        grid_->SetWordWrap(B & 8);
        TNavigation* nav = grid_->Navigation();
        nav->SetLineFeedOnEnter(B & 16);
        nav->SetAllowCtrlEnter(B & 32);
        nav->SetCursorWalkEditor(B & 64);
        nav->SetAdvanceOnEnter(B & 128);
        nav->SetEditSelectAll(D & 1);
        grid_->SetLookup(D & 2);
        grid_->SetLookupCaseSensitive(D & 4);
        grid_->SetLookupHistory(D & 8);
        grid_->LookupItems()->SetCommaText(kLookups[(D >> 4) % std::size(kLookups)]);
        grid_->SizeWhileTyping()->SetWidth(D & 64);
        grid_->SizeWhileTyping()->SetHeight(D & 128);
        grid_->SetMultilinecells(D & 128);
        // The edit's window is made anew with the new styles.
        if (TProInplaceEdit* editor = grid_->ProInplaceEdit()) {
            editor->SetVAlign(!editor->VAlign());
            editor->SetVAlign(!editor->VAlign());
        }
    }

    bool Obeys(const AnsiString& S) const {
        const Integer limit = grid_->MaxEditLength();
        if (limit > 0 && static_cast<Integer>(S.size()) > limit) return false;
        const auto minusOk = [&S] {
            const auto at = S.find('-');
            return at == AnsiString::npos || (at == 0 && S.find('-', 1) == AnsiString::npos);
        };
        const auto only = [&S](const std::string& Allowed) { return S.find_first_not_of(Allowed) == AnsiString::npos; };
        switch (type_) {
            case edNumeric: return minusOk() && only("-0123456789");
            case edPositiveNumeric: return only("0123456789");
            case edFloat: {
                const auto first = S.find(DecimalSeparator);
                const bool oneSeparator =
                    first == AnsiString::npos || S.find(DecimalSeparator, first + 1) == AnsiString::npos;
                return minusOk() && oneSeparator && only("-0123456789.,");
            }
            case edCapital:
            case edUpperCase: return S == AnsiUpperCase(S);
            case edLowerCase: return S == AnsiLowerCase(S);
            default: return true;
        }
    }

    void CheckCells() const {
        for (Integer row = grid_->FixedRows(); row < grid_->RowCount(); ++row)
            for (Integer col = grid_->FixedCols(); col < grid_->ColCount(); ++col) Check(Obeys(grid_->Cells(col, row)));
    }

    RAdeRedeviDidi* grid_;
    TEditorType type_ = edNormal;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 400) return 0;
    RunSteps<TInplaceRun>(data, size);
    return 0;
}
