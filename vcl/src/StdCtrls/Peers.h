#pragma once
// What the standard controls' native peers mirror besides TControlPeer's common state. A peer reads the
// control's own getters when told which group of properties changed.

#include <vcl/StdCtrls.h>

#include "Controls/ControlPeer.h"

class TComboBoxChild;

enum TStdMirror {
    smOptions,    // read-only, limits, alignment, borders, scroll bars, style, drop-down count, default,
                  // item heights
    smSelection,  // SelStart / SelLength of an edit, memo or combo box
    smCheck,      // check box / radio button state
    smItems,      // a combo box's item list and ItemIndex
    smItemIndex,  // a combo box's ItemIndex alone
    smDropDown    // a combo box's list opened or closed from code
};

// The peers' way in: what the user did in the native widget, kept out of the public headers.
struct TStdCtrlsAccess {
    static void TextFromPeer(TCustomEdit& C, const AnsiString& Value) { C.TextFromPeer(Value); }
    static void EditFromPeer(TCustomEdit& C, const AnsiString& Value, Integer SelStart, Integer SelLength,
                             bool WideChanged = false) {
        C.EditFromPeer(Value, SelStart, SelLength, WideChanged);
    }
    static void EditFromPeer(TCustomEdit& C, std::size_t Start, std::size_t End, const AnsiString& Value,
                             Integer SelStart, Integer SelLength) {
        C.SpliceFromPeer(Start, End, Value, SelStart, SelLength);
    }
    static const AnsiString& TextForPeer(const TCustomEdit& C) { return C.TextForPeer(); }
    // Whether the edit breaks its text into lines (a memo, or an edit with ES_MULTILINE), from the style its
    // window is made with.
    static bool ShowsLines(const TCustomEdit& C) { return C.ShowsLines(); }
    // Whether wrapping breaks long lines: a memo's WordWrap, else ES_MULTILINE without ES_AUTOHSCROLL.
    static bool WrapsLines(const TCustomEdit& C) { return C.WrapsLines(); }
    // The character shown for each hidden one (0: the text shows).
    static char ShownPasswordChar(const TCustomEdit& C) { return C.ShownPasswordChar(); }
    static void SelectionFromPeer(TCustomEdit& C, Integer Start, Integer Length) { C.SelectionFromPeer(Start, Length); }
    // The text margins EM_SETRECT asked for, if any (left, top, right, bottom).
    static const std::optional<TRect>& FormatMargins(const TCustomEdit& C) { return C.formatMargins_; }
    static void TextFromPeer(TCustomComboBox& C, const AnsiString& Value, bool WideChanged = false) {
        C.TextFromPeer(Value, WideChanged);
    }
    // A combo's item as UTF-16: as added through a W message to a Unicode window, else converted. False
    // for an index outside the list.
    static bool WideItem(const TCustomComboBox& C, Integer Index, WideString& Item);
    static void ItemIndexFromPeer(TCustomComboBox& C, Integer Index) { C.ItemIndexFromPeer(Index); }
    static Integer DroppedWidth(const TCustomComboBox& C) { return C.DroppedWidthForPeer(); }
    static bool NativeButton(const TCustomComboBox& C) { return C.NativeButtonForPeer(); }
    // The dropped list's extent: as wide as CB_SETDROPPEDWIDTH asked (never narrower than the combo), as
    // high as its first DropDownCount items and its frame.
    static Integer DroppedListWidth(const TCustomComboBox& C);
    static Integer DroppedListHeight(const TCustomComboBox& C);
    static bool OwnerDrawn(const TCustomComboBox& C) { return C.OwnerDrawn(); }
    static Integer ItemHeightOf(const TCustomComboBox& C, Integer Index) { return C.ItemHeightOf(Index); }
    static void DrawItemOn(TCustomComboBox& C, TSurface& Target, Integer Index, const TRect& Rect,
                           TOwnerDrawState State) {
        C.DrawItemOn(Target, Index, Rect, State);
    }
    // The part window that gets the user's keys: the edit part, or none (the combo's own window).
    static TComboBoxChild* KeyboardPart(const TCustomComboBox& C) { return C.KeyboardChild(); }
    static void SelectionFromPeer(TCustomComboBox& C, Integer Start, Integer Length);
    // EM_CHARFROMPOS of the edit part: the character boundary nearest to the point, in the low word.
    static LRESULT CharFromPos(TCustomComboBox& C, LPARAM Point);
};

class TStdPeer {
public:
    virtual ~TStdPeer() = default;
    virtual void Mirror(TStdMirror What) = 0;
};

// Tells Control's peer, when it has one, to take the group What again.
inline void MirrorStd(TWinControl* Control, TStdMirror What) {
    if (auto* peer = dynamic_cast<TStdPeer*>(Control->Peer())) peer->Mirror(What);
}

// An edit's peer keeps the native undo buffer: what the control pastes goes in through it, so that an undo
// takes it back as it takes back typing.
class TEditPeerCommands {
public:
    virtual ~TEditPeerCommands() = default;
    // Replaces the peer's selection as typing would; the change comes back as the user's edit.
    virtual void ReplaceSelection(const AnsiString& Text) = 0;
    virtual void Undo() = 0;
    virtual bool CanUndo() const = 0;
};

// Where an edit's peer shows its characters, in client coordinates.
class TEditPeerGeometry {
public:
    virtual ~TEditPeerGeometry() = default;
    // The top left of character Index; nothing at or past the end of the text.
    virtual std::optional<TPoint> PosFromChar(Integer Index) const = 0;
    // The character boundary nearest to Point, clamped to the text.
    virtual Integer CharFromPos(TPoint Point) const = 0;
};

// Where a combo's peer shows the characters of its edit part.
class TComboPeerEdit {
public:
    virtual ~TComboPeerEdit() = default;
    // The character boundary nearest to Point (the combo's client coordinates), clamped to the text.
    virtual Integer CharFromPos(TPoint Point) const = 0;
};

// Where a multi-line edit's peer breaks its text into the lines it shows: a wrapped line shows as several.
class TEditPeerLines {
public:
    virtual ~TEditPeerLines() = default;
    virtual Integer DisplayedLineCount() = 0;
    // The text position line Line starts at; nothing past the last line.
    virtual std::optional<Integer> DisplayedLineStart(Integer Line) = 0;
    // The line holding text position Position (clamped to the text).
    virtual Integer DisplayedLineOf(Integer Position) = 0;
};

// The peer of an edit whose text shows in lines (TCustomEdit::CreatePeer chooses it from the style).
TControlPeer* CreateLinesEditPeer(TCustomEdit* Edit);

inline TEditPeerCommands* EditPeerCommands(TWinControl* Control) {
    return dynamic_cast<TEditPeerCommands*>(Control->Peer());
}

// A multi-line edit's peer shows the control's text in place: it hears of a local change of it (the
// user's edit, Lines), so the view keeps its place.
class TMemoPeerEdits {
public:
    virtual ~TMemoPeerEdits() = default;
    // [Start, End) of the text the peer shows became Value.
    virtual void ReplaceText(std::size_t Start, std::size_t End, const AnsiString& Value) = 0;
};

inline void ReplaceMemoPeerText(TWinControl* Edit, std::size_t Start, std::size_t End, const AnsiString& Value) {
    if (auto* peer = dynamic_cast<TMemoPeerEdits*>(Edit->Peer())) peer->ReplaceText(Start, End, Value);
}

// Any CR, LF or CR LF as CR LF: a memo's text and what is pasted into it.
AnsiString NormaliseLineBreaks(std::string_view Text);
// True when Text breaks lines with CR LF only, so it needs no normalising.
bool HasOnlyCrLfBreaks(std::string_view Text);
