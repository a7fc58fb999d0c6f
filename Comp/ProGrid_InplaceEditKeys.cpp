// The in-place edit's keys: the commit on the keys that leave the cell, the caret walking into the next
// cell, the character filter of each editor type, look-up on key release and growing the row or column
// with the text.
#include <algorithm>
#include <utility>

#include "ProGrid.h"
#include "ProGrid_Lookup.h"
#include "ProUtil.h"
#include "vcl/ScopeGuard.h"
#include "vcl/SysUtils.h"
#include "vcl/Windows.h"

namespace ProGrid {

using namespace BaseGrid;

namespace {

// The scan-code bit of the numeric pad's decimal key in a character's key data.
constexpr LPARAM KeypadKeyData = LPARAM{1} << 22;
constexpr char Escape = 27;

bool IsDigit(char Ch) { return Ch >= '0' && Ch <= '9'; }

bool Contains(const AnsiString& S, char Ch) { return S.find(Ch) != AnsiString::npos; }

// The types whose Enter types a line break with LineFeedOnEnter.
bool TakesLineFeed(TEditorType Type) {
    switch (Type) {
        case edNormal:
        case edCapital:
        case edMixedCase:
        case edLowerCase:
        case edUpperCase: return true;
        default: return false;
    }
}

}  // namespace

Integer TProInplaceEdit::LineOf(Integer Index) { return static_cast<Integer>(Perform(EM_LINEFROMCHAR, Index, 0)); }

// ---------------------------------------------------------------------------
// Key down

bool TProInplaceEdit::WMKeyDown(TMessage& Message) {
    swallowReturn_ = false;
    if (!grid_) return false;
    const Word key = TWMKey(Message).CharCode();
    const TShiftState shift = KeyDataToShiftState(TWMKey(Message).KeyData());
    const TNavigation* navigation = grid_->Navigation();
    switch (key) {
        case VK_ESCAPE: SetText(grid_->SavedEditText()); return false;
        case VK_TAB:
            if (!grid_->Options().Contains(goTabs)) return false;
            if (!grid_->ValidateCell(Text())) {
                TakeCurrentRaw();
                CaretToEnd();
            }
            grid_->HideCellEditor();
            grid_->TabStep(shift.Contains(ssShift));
            return true;
        case VK_UP:
        case VK_DOWN: {
            const Integer line = LineOf(SelStart());
            const bool atEdge = key == VK_UP ? line == 0 : line == LineOf(static_cast<Integer>(Text().size()));
            return atEdge && !CommitForKey();
        }
        case VK_RETURN:
            if (!navigation->LineFeedOnEnter() && !shift.Contains(ssCtrl)) {
                // Refused, the character this key brings must not commit it after all.
                swallowReturn_ = !CommitForKey();
                return swallowReturn_;
            }
            if (navigation->LineFeedOnEnter() && shift.Contains(ssCtrl)) {
                TMessage lineBreak{WM_CHAR, '\r', 0, 0};
                DefaultHandler(lineBreak);
                swallowReturn_ = true;
                return true;
            }
            return false;
        default: return false;
    }
}

void TProInplaceEdit::KeyDown(Word& Key, TShiftState Shift) {
    if (!grid_) return TInplaceEdit::KeyDown(Key, Shift);
    const auto length = static_cast<Integer>(Text().size());
    lookupAllowed_ = Key != VK_BACK && Key != VK_DELETE;
    if (grid_->Navigation()->CursorWalkEditor() && Shift.Empty() && SelLength() == 0) {
        if (Key == VK_RIGHT && SelStart() == length) WalkOut(Key, true);
        else if (Key == VK_LEFT && SelStart() == 0) WalkOut(Key, false);
        if (Key == 0) return;
    }
    // Inside the text the caret moves; the grid does not hear of it.
    if (Key == VK_DOWN && LineOf(SelStart()) < LineOf(length)) return;
    if (Key == VK_UP && LineOf(SelStart()) > 0) return;
    if (Key == VK_RETURN && (Shift.Contains(ssShift) || Shift.Contains(ssCtrl)) && grid_->SizeWhileTyping()->Height() &&
        grid_->Multilinecells())
        GrowRowForLineBreak();
    TInplaceEdit::KeyDown(Key, Shift);
}

// Only the arrow moves: no character comes with it, so the next cell's text gets no line break.
void TProInplaceEdit::WalkOut(Word& Key, bool Forward) {
    const Integer col = grid_->Col(), row = grid_->Row();
    const Integer next = Forward ? col + 1 : col - 1;
    if (Forward ? next > grid_->ColCount() - 1 - grid_->FixedRightCols() : next < grid_->FixedCols()) return;
    // Walking out commits as Enter does.
    if (!CommitForKey()) {
        Key = 0;
        return;
    }
    if (grid_->HasCellControl(next, row)) {
        grid_->HideCellEditor();
        grid_->SetCol(next);
        Key = 0;
        return;
    }
    TNavigation* navigation = grid_->Navigation();
    const TAdvanceDirection direction = navigation->AdvanceDirection();
    const TScopeExit restore([&] { navigation->SetAdvanceDirection(direction); });
    navigation->SetAdvanceDirection(adLeftRight);
    grid_->AdvanceEdit(col, row, Forward, true, true);
    Key = VK_RETURN;
}

void TProInplaceEdit::GrowRowForLineBreak() {
    const Integer row = grid_->Row();
    const Integer lines = ProUtil::GetLineCount(Text() + "\r\n ", true);
    if (lines >= grid_->GetMaxLinesInRow(row)) grid_->SizeRowToLines(row, lines, 2 * grid_->EditMarginY());
    else grid_->AutoSizeRow(row);
    if (grid_->OnEndRowSize) grid_->OnEndRowSize(grid_, row);
}

// ---------------------------------------------------------------------------
// Characters

bool TProInplaceEdit::WMChar(TMessage& Message) {
    if (!grid_) return false;
    TWMKey key(Message);
    char ch = static_cast<char>(key.CharCode());
    if (std::exchange(swallowReturn_, false) && (ch == '\r' || ch == '\n')) return true;
    if (ch == '.' && (Message.LParam & KeypadKeyData) && grid_->ExcelStyleDecimalSeparator()) ch = DecimalSeparator;
    // A full edit takes nothing new; a longer text set by code only gets shorter.
    const bool full = MaxLength() > 0 && static_cast<Integer>(Text().size()) >= MaxLength() && SelLength() == 0;
    if (full && ch != '\b' && ch != Escape && ch != '\r') return true;
    const TEditorType type = grid_->CurrentEditorType();
    key.SetCharCode(static_cast<Byte>(ch));
    if (ch == '\r' && grid_->Navigation()->LineFeedOnEnter() && TakesLineFeed(type)) {
        DefaultHandler(Message);
        return true;
    }
    if (!FilterChar(ch)) return true;
    key.SetCharCode(static_cast<Byte>(ch));
    if (type != edMixedCase) return false;
    TInplaceEdit::Dispatch(Message);
    const Integer caret = SelStart();
    const AnsiString mixed = ProUtil::MixedCaseStr(Text());
    if (mixed != Text()) SetText(mixed);
    SetSelStart(caret);
    SetSelLength(0);
    return true;
}

bool TProInplaceEdit::FilterChar(char& Ch) {
    const bool control = Ch == '\b' || Ch == '\t' || Ch == '\r' || Ch == Escape;
    const bool passes = IsDigit(Ch) || control;
    const AnsiString& text = Text();
    const TEditorType type = grid_->CurrentEditorType();
    // Nothing goes in front of a leading minus that stays: a number keeps its sign first.
    if ((type == edNumeric || type == edFloat) && !control && SelStart() == 0 && SelLength() == 0 && !text.empty() &&
        text[0] == '-') {
        if (type == edNumeric || Ch == '-') MessageBeep(0);
        return false;
    }
    switch (type) {
        case edNormal:
        case edPassword:
        case edMixedCase: return true;
        case edCapital:
        case edUpperCase: Ch = AnsiUpperChar(Ch); return true;
        case edLowerCase: Ch = AnsiLowerCase(AnsiString(1, Ch))[0]; return true;
        case edNumeric:
            if (passes || (Ch == '-' && SelStart() == 0 && !Contains(text, '-'))) return true;
            MessageBeep(0);
            return false;
        case edPositiveNumeric:
            if (passes) return true;
            MessageBeep(0);
            return false;
        case edFloat:
            if (passes) return true;
            if (Ch == '-') {
                if ((SelStart() == 0 && !Contains(text, '-')) || Contains(SelText(), '-')) return true;
                MessageBeep(0);
                return false;
            }
            if (Ch == DecimalSeparator) return !Contains(text, Ch) || Contains(SelText(), Ch);
            if (Ch == ThousandSeparator) return false;
            return Ch == ',' || Ch == '.';
        default: return false;
    }
}

void TProInplaceEdit::KeyPress(char& Key) {
    if (grid_ && Key == '\r' && !grid_->Navigation()->LineFeedOnEnter() && !grid_->ValidateCell(Text())) {
        TakeCurrentRaw();
        Key = 0;
        return;
    }
    TInplaceEdit::KeyPress(Key);
    // A filled mask moves on by itself.
    if (grid_ && grid_->Navigation()->AdvanceAuto() && !EditMask().empty() && !Contains(Text(), ' ') &&
        SelStart() == static_cast<Integer>(Text().size())) {
        char enter = '\r';
        grid_->KeyPress(enter);
    }
}

// ---------------------------------------------------------------------------
// Key release

void TProInplaceEdit::KeyUp(Word& Key, TShiftState Shift) {
    TInplaceEdit::KeyUp(Key, Shift);
    if (!grid_ || Key == VK_LEFT || Key == VK_RIGHT) return;
    if (lookupAllowed_ && SelLength() == 0 && grid_->Lookup() && grid_->LookupItems()->Count() > 0) LookUp();
    if (grid_->SizeWhileTyping()->Width()) grid_->AutoSizeCol(grid_->Col(), true);
    if (grid_->SizeWhileTyping()->Height() && grid_->WordWrap()) {
        grid_->AutoSizeRow(grid_->Row());
        if (grid_->OnEndRowSize) grid_->OnEndRowSize(grid_, grid_->Row());
    }
}

void TProInplaceEdit::LookUp() {
    const AnsiString text = Text();
    const auto typed = static_cast<std::size_t>(std::clamp<Integer>(SelStart(), 0, static_cast<Integer>(text.size())));
    const AnsiString prefix = text.substr(0, typed);
    std::size_t room = MaxLookupCompletion;
    if (MaxLength() > 0)
        room =
            std::min(room, static_cast<std::size_t>(std::max<Integer>(MaxLength() - static_cast<Integer>(typed), 0)));
    const TStringList* items = grid_->LookupItems();
    for (Integer i = FindLookupItem(*items, prefix, grid_->LookupCaseSensitive()); i >= 0;
         i = FindLookupItem(*items, prefix, grid_->LookupCaseSensitive(), i + 1)) {
        AnsiString completed = LookupCompletion(prefix, items->Strings(i), room);
        // An item the editor type would refuse completes nothing.
        if (!ConformToType(completed)) continue;
        if (completed != text) SetText(completed);
        Perform(EM_SETSEL, typed, static_cast<LPARAM>(completed.size()));
        return;
    }
}

}  // namespace ProGrid
