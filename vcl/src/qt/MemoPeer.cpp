// The peer of an edit that shows its text in lines (a memo, an ES_MULTILINE edit): a TMemoView showing the
// control's bytes as they are. Text and selection positions are the same on both sides (CR LF counts two),
// so nothing is converted; a user's edit comes back once, with the caret after it.

#include <algorithm>
#include <optional>

#include "qt/Peer.h"
#include "StdCtrls/Peers.h"
#include "qt/MemoView.h"
#include "qt/QtText.h"
#include "qt/Surface.h"
#include "vcl/StdCtrls.h"
#include "vcl/Windows.h"

namespace {

class TLinesEditPeer : public TQtPeer,
                       public TStdPeer,
                       public TMemoPeerEdits,
                       public TEditPeerCommands,
                       public TEditPeerGeometry,
                       public TEditPeerLines,
                       private IMemoViewHost {
public:
    explicit TLinesEditPeer(TCustomEdit* Edit) : TQtPeer(Edit, new TPeerWidget<TMemoView>) { view()->SetHost(this); }
    ~TLinesEditPeer() override { view()->SetHost(nullptr); }

    // The view shows the control's own text in place.
    void SetText(const AnsiString&) override {
        view()->SetText(control() ? TStdCtrlsAccess::TextForPeer(*control()) : TMemoViewText::NoText());
    }

    void ReplaceText(std::size_t Start, std::size_t End, const AnsiString& Value) override {
        view()->TextReplaced(Start, End, Value.size());
    }

    void Mirror(TStdMirror What) override {
        TCustomEdit* c = control();
        if (!c) return;
        if (What == smOptions) {
            const auto* memo = dynamic_cast<const TCustomMemo*>(c);
            const TScrollStyle bars = memo ? memo->ScrollBars() : ssNone;
            TMemoViewOptions o;
            o.ReadOnly = c->ReadOnly();
            o.VerticalBar = bars == ssVertical || bars == ssBoth;
            o.HorizontalBar = bars == ssHorizontal || bars == ssBoth;
            o.WordWrap = TStdCtrlsAccess::WrapsLines(*c);
            o.HideSelection = c->HideSelection();
            o.MaxLength = c->MaxLength();
            o.Alignment = Alignment(*c, memo);
            if (const char shown = TStdCtrlsAccess::ShownPasswordChar(*c))
                o.PasswordChar = ToQString(AnsiString(1, shown)).at(0);
            if (const std::optional<TRect>& m = TStdCtrlsAccess::FormatMargins(*c))
                o.FormatMargins = QMargins(m->Left, m->Top, m->Right, m->Bottom);
            view()->SetOptions(o);
        } else if (What == smSelection) {
            view()->SetSelection(static_cast<std::size_t>(c->SelStart()), static_cast<std::size_t>(c->SelLength()));
        }
    }

    // Inserted as typing inserts: MaxLength cuts it, the undo buffer keeps it, the edit is reported.
    void ReplaceSelection(const AnsiString& Text) override { view()->ReplaceSelection(Text); }
    void Undo() override { view()->Undo(); }
    bool CanUndo() const override { return view()->CanUndo(); }

    std::optional<TPoint> PosFromChar(Integer Index) const override {
        if (Index < 0 || static_cast<std::size_t>(Index) >= view()->Text().size()) return std::nullopt;
        const QPoint at = view()->PositionPoint(static_cast<std::size_t>(Index)) - ClientOrigin();
        return TPoint{at.x(), at.y()};
    }
    Integer CharFromPos(TPoint Point) const override {
        return static_cast<Integer>(view()->PositionAt(QPoint(Point.X, Point.Y) + ClientOrigin()));
    }

    Integer DisplayedLineCount() override { return view()->DisplayedLineCount(); }
    std::optional<Integer> DisplayedLineStart(Integer Line) override {
        const std::optional<std::size_t> start = view()->DisplayedLineStart(Line);
        return start ? std::optional<Integer>(static_cast<Integer>(*start)) : std::nullopt;
    }
    Integer DisplayedLineOf(Integer Position) override {
        return view()->DisplayedLineOf(static_cast<std::size_t>(std::max(Position, 0)));
    }

    // The scroll bars are the view's own children and belong in the picture.
    void RenderTo(TSurface& Target, TPoint Origin) override {
        RenderWidget(Target, Origin, QWidget::DrawWindowBackground | QWidget::DrawChildren);
    }

private:
    TMemoView* view() const { return static_cast<TPeerWidget<TMemoView>*>(Widget()); }
    TCustomEdit* control() const { return static_cast<TCustomEdit*>(Control()); }
    // The client area's top left in the view: inside the control's frame.
    QPoint ClientOrigin() const { return view()->contentsRect().topLeft(); }

    // A memo aligns by its Alignment, any other edit by its style.
    static Qt::Alignment Alignment(const TCustomEdit& Edit, const TCustomMemo* Memo) {
        static constexpr Qt::Alignment alignments[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
        if (Memo) return alignments[Memo->Alignment()];
        const DWORD style = TControlAccess::WindowStyle(Edit);
        if (style & ES_RIGHT) return Qt::AlignRight;
        if (style & ES_CENTER) return Qt::AlignHCenter;
        return Qt::AlignLeft;
    }

    void EditRequested(std::size_t Start, std::size_t End, const AnsiString& Value, std::size_t SelStart,
                       std::size_t SelLength) override {
        Guarded([&] {
            if (control())
                TStdCtrlsAccess::EditFromPeer(*control(), Start, End, Value, static_cast<Integer>(SelStart),
                                              static_cast<Integer>(SelLength));
        });
    }

    void SelectionMoved() override {
        Guarded([this] {
            if (control())
                TStdCtrlsAccess::SelectionFromPeer(*control(), static_cast<Integer>(view()->SelStart()),
                                                   static_cast<Integer>(view()->SelLength()));
        });
    }

    // An edit control takes the focus when clicked.
    void FocusWanted() override {
        Guarded([this] {
            if (control() && !control()->Focused() && control()->CanFocus()) control()->SetFocus();
        });
    }
};

}  // namespace

TControlPeer* CreateLinesEditPeer(TCustomEdit* Edit) { return new TLinesEditPeer(Edit); }
