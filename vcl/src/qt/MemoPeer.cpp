// The memo's peer: a TMemoView showing the memo's bytes as they are. Text and selection positions are the
// same on both sides (CR LF counts two), so nothing is converted; a user's edit comes back once, with the
// caret after it.

#include <algorithm>
#include <optional>

#include "qt/Peer.h"
#include "StdCtrls/Peers.h"
#include "qt/MemoView.h"
#include "qt/Surface.h"
#include "vcl/StdCtrls.h"

namespace {

class TMemoPeer : public TQtPeer, public TStdPeer, public TMemoPeerEdits, public TEditPeerLines, private IMemoViewHost {
public:
    explicit TMemoPeer(TCustomMemo* Memo) : TQtPeer(Memo, new TPeerWidget<TMemoView>) { view()->SetHost(this); }
    ~TMemoPeer() override { view()->SetHost(nullptr); }

    // The view shows the memo's own text in place.
    void SetText(const AnsiString&) override {
        view()->SetText(control() ? TStdCtrlsAccess::TextForPeer(*control()) : TMemoViewText::NoText());
    }

    void ReplaceText(std::size_t Start, std::size_t End, const AnsiString& Value) override {
        view()->TextReplaced(Start, End, Value.size());
    }

    void Mirror(TStdMirror What) override {
        TCustomMemo* c = control();
        if (!c) return;
        if (What == smOptions) {
            static constexpr Qt::Alignment alignments[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
            bool horizontal = c->ScrollBars() == ssHorizontal || c->ScrollBars() == ssBoth;
            TMemoViewOptions o;
            o.ReadOnly = c->ReadOnly();
            o.VerticalBar = c->ScrollBars() == ssVertical || c->ScrollBars() == ssBoth;
            o.HorizontalBar = horizontal;
            o.WordWrap = c->WordWrap() && !horizontal;  // a horizontal scroll bar turns wrapping off
            o.HideSelection = c->HideSelection();
            o.MaxLength = c->MaxLength();
            o.Alignment = alignments[c->Alignment()];
            view()->SetOptions(o);
        } else if (What == smSelection) {
            view()->SetSelection(static_cast<std::size_t>(c->SelStart()), static_cast<std::size_t>(c->SelLength()));
        }
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
    TCustomMemo* control() const { return static_cast<TCustomMemo*>(Control()); }

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

TControlPeer* TCustomMemo::CreatePeer() { return new TMemoPeer(this); }
