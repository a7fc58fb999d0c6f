#pragma once
// The grid's text editor over a cell: the cell's colours and font, right alignment, wrapping and line
// breaks, a character filter per editor type, password entry, clipboard events, the commit on the keys
// that leave the cell, walking the caret into the next cell, look-up from the grid's LookupItems and
// growing the row or column while typing.

#include "vcl/Grids.h"

namespace ProGrid {

class RAdeRedeviDidi;

class TProInplaceEdit : public TInplaceEdit {
    VCL_CLASS(TProInplaceEdit, TInplaceEdit)
    explicit TProInplaceEdit(TComponent* AOwner);

    RAdeRedeviDidi* Grid() const { return grid_; }
    // True: the text is right-aligned. Both setters make the window anew when the value changes.
    bool VAlign() const { return vAlign_; }
    void SetVAlign(bool Value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool Value);
    // The text from the grid, then the cell's colours and font as the cell query leaves them.
    void UpdateContents() override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void BoundsChanged() override;
    void Change() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void Dispatch(TMessage& Message) override;

private:
    // The message steps (ProGrid_InplaceEdit*.cpp); each True when it handled the message whole.
    bool WMKeyDown(TMessage& Message);
    bool WMChar(TMessage& Message);
    void WMPaste();
    void WMSetFocus(TMessage& Message);
    void WMKillFocus(TMessage& Message);
    // Commits the text for a key that leaves the cell: refused, the cell's text comes back with the caret
    // at its end (or all selected) and the key is used up (False).
    bool CommitForKey();
    // The cell's raw text into the editor (only when it differs: the caret stays where it was).
    void TakeCurrentRaw();
    // The caret at the end, or everything selected with EditSelectAll.
    void CaretToEnd();
    // Whether the typed character passes the editor type's filter; it may become another character.
    bool FilterChar(char& Ch);
    // Whether a whole new text (pasted or completed) suits the editor type; case types convert it.
    bool ConformToType(AnsiString& S) const;
    // The first look-up item starting with the text before the caret completes it, the completion selected.
    void LookUp();
    // The caret walking out of the text into the next (previous) cell as Enter does.
    void WalkOut(Word& Key, bool Forward);
    void GrowRowForLineBreak();
    // Zero-based line of a character index, as the window lays the lines out.
    Integer LineOf(Integer Index);

    RAdeRedeviDidi* grid_ = nullptr;
    bool vAlign_ = false;
    bool wordWrap_ = false;
    bool lookupAllowed_ = true;
    // Enter handled on its key (a line break typed, or a refused commit): its character does nothing more.
    bool swallowReturn_ = false;
};

}  // namespace ProGrid
