// TCustomMemo / TMemo: a multi-line native edit. The text (CR LF line breaks) lives in the control;
// Lines is a view of it, so every change to Lines is a change of the memo's text.

#include <algorithm>

#include "StdCtrlsPeers.h"
#include "StdCtrls_Publish.h"
#include "vcl/StdCtrls.h"
#include "vcl/Windows.h"

// Any CR, LF or CR LF becomes CR LF, in one pass.
static AnsiString NormaliseLineBreaks(const AnsiString& Text) {
    if (Text.find_first_of("\r\n") == AnsiString::npos) return Text;
    AnsiString out;
    out.reserve(Text.size() + Text.size() / 16);
    for (std::size_t i = 0; i < Text.size(); ++i) {
        char c = Text[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') ++i;
        } else {
            out += c;
        }
    }
    return out;
}

// ---------------------------------------------------------------------------

class TMemoStrings : public TStrings {
    VCL_CLASS(TMemoStrings, TStrings)
    explicit TMemoStrings(TCustomMemo& Memo) : memo_(Memo) {}

    void Clear() override { memo_.SetText(""); }

    // Removes the line with its line break (the last line: up to the end).
    void Delete(Integer Index) override {
        CheckIndex(Index, Count() - 1);
        const auto& starts = memo_.LineStarts();
        auto i = static_cast<std::size_t>(Index);
        memo_.Splice(starts[i], starts[i + 1], "");
    }

    // Before line Index; at Count, after the last line.
    void Insert(Integer Index, const AnsiString& S) override {
        CheckIndex(Index, Count());
        const auto& starts = memo_.LineStarts();
        const AnsiString& text = memo_.StoredText();
        auto i = static_cast<std::size_t>(Index);
        if (i < starts.size() - 1 || text.empty() || EndsWithBreak(text)) {
            std::size_t at = i < starts.size() - 1 ? starts[i] : text.size();
            memo_.Splice(at, at, S + "\r\n");
        } else {
            memo_.Splice(text.size(), text.size(), "\r\n" + S);
        }
    }

protected:
    AnsiString Get(Integer Index) const override {
        CheckIndex(Index, Count() - 1);
        return memo_.Line(Index);
    }
    Integer GetCount() const override { return memo_.LineCount(); }

    // Replaces the line's text and keeps its line break.
    void Put(Integer Index, const AnsiString& S) override {
        CheckIndex(Index, Count() - 1);
        const auto& starts = memo_.LineStarts();
        auto i = static_cast<std::size_t>(Index);
        memo_.Splice(starts[i], starts[i] + LineLength(i), S);
    }

    AnsiString GetTextStr() const override {
        AnsiString text = memo_.StoredText();
        if (!text.empty() && !EndsWithBreak(text)) text += "\r\n";
        return text;
    }

    // One change of the whole text.
    void SetTextStr(const AnsiString& Value) override { memo_.SetText(Value); }

    void SetUpdateState(bool Updating) override {
        if (Updating) memo_.BeginLinesUpdate();
        else memo_.EndLinesUpdate();
    }

private:
    static bool EndsWithBreak(const AnsiString& Text) { return Text.size() >= 2 && Text.ends_with("\r\n"); }

    std::size_t LineLength(std::size_t Index) const {
        const auto& starts = memo_.LineStarts();
        std::size_t end = starts[Index + 1];
        const AnsiString& text = memo_.StoredText();
        if (end >= starts[Index] + 2 && text.compare(end - 2, 2, "\r\n") == 0) end -= 2;
        return end - starts[Index];
    }

    static void CheckIndex(Integer Index, Integer High) {
        if (Index < 0 || Index > High) RaiseListIndexError(Index);
    }

    TCustomMemo& memo_;
};

static void PublishTMemoStrings(TPublisher&) {}
VCL_IMPLEMENT_CLASS(TMemoStrings, nullptr, PublishTMemoStrings)

// ---------------------------------------------------------------------------

static void PublishTCustomMemo(TPublisher&) {}

static void PublishTMemo(TPublisher& p) {
    TPublishOf<TCustomEdit> edit(p);
    StdPublish::EditCommon(edit);
    TPublishOf<TCustomMemo> P(p);
    P.Object("Lines", &TCustomMemo::Lines);
    P.Enum("Alignment", &TCustomMemo::Alignment, &TCustomMemo::SetAlignment, StdPublish::AlignmentNames());
    P.Enum("ScrollBars", &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars,
           TEnumNames<TScrollStyle>{
               {"ssNone", ssNone}, {"ssHorizontal", ssHorizontal}, {"ssVertical", ssVertical}, {"ssBoth", ssBoth}});
    P.Bool("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap);
    P.Bool("WantReturns", &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns);
    P.Bool("WantTabs", &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs);
}

VCL_IMPLEMENT_CLASS(TCustomMemo, nullptr, PublishTCustomMemo)
VCL_IMPLEMENT_CLASS(TMemo, VCL_CREATOR(TMemo), PublishTMemo)

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), lines_(std::make_unique<TMemoStrings>(*this)) {
    SetBounds(Left(), Top(), 185, 89);
    SetAutoSize(false);
    SetAutoSelect(false);
    SetControlStyle(ControlStyle() - TControlStyle{csFixedHeight});
}

TCustomMemo::~TCustomMemo() = default;

TStrings* TCustomMemo::Lines() const { return lines_.get(); }
void TCustomMemo::SetLines(TStrings* Value) { lines_->Assign(Value); }

void TCustomMemo::SetAlignment(TAlignment Value) {
    if (alignment_ == Value) return;
    alignment_ = Value;
    OptionsChanged();
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
    if (scrollBars_ == Value) return;
    scrollBars_ = Value;
    OptionsChanged();
}

void TCustomMemo::SetWordWrap(bool Value) {
    if (wordWrap_ == Value) return;
    wordWrap_ = Value;
    OptionsChanged();
}

// ---------------------------------------------------------------------------
// Lines over the stored text

const std::vector<std::size_t>& TCustomMemo::LineStarts() const {
    if (!lineStartsValid_) {
        const AnsiString& text = StoredText();
        lineStarts_.clear();
        lineStarts_.push_back(0);
        for (std::size_t at = text.find("\r\n"); at != AnsiString::npos; at = text.find("\r\n", at + 2))
            lineStarts_.push_back(at + 2);
        // The end of the text closes the last line; an empty last line is no line.
        if (lineStarts_.back() != text.size() || lineStarts_.size() == 1) lineStarts_.push_back(text.size());
        lineStartsValid_ = true;
    }
    return lineStarts_;
}

Integer TCustomMemo::LineCount() const {
    if (StoredText().empty()) return 0;
    return static_cast<Integer>(LineStarts().size() - 1);
}

AnsiString TCustomMemo::Line(Integer Index) const {
    const auto& starts = LineStarts();
    auto i = static_cast<std::size_t>(Index);
    std::size_t end = starts[i + 1];
    const AnsiString& text = StoredText();
    if (end >= starts[i] + 2 && text.compare(end - 2, 2, "\r\n") == 0) end -= 2;
    return text.substr(starts[i], end - starts[i]);
}

void TCustomMemo::Splice(std::size_t Start, std::size_t End, const AnsiString& Value) {
    AnsiString text = StoredText();
    text.replace(Start, End - Start, Value);
    if (updatingLines_) {
        StoreText(text);
        lineStartsValid_ = false;
        return;
    }
    SetText(text);
}

void TCustomMemo::BeginLinesUpdate() {
    updatingLines_ = true;
    textBeforeUpdate_ = StoredText();
}

// The changes of an update block reach the peer and OnChange once.
void TCustomMemo::EndLinesUpdate() {
    updatingLines_ = false;
    if (StoredText() == textBeforeUpdate_) return;
    textBeforeUpdate_.clear();
    TextStored();
    Perform(CN_COMMAND, MAKEWPARAM(0, EN_CHANGE), 0);
}

// ---------------------------------------------------------------------------

void TCustomMemo::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_SETTEXT: {
            const auto* value = reinterpret_cast<const char*>(Message.LParam);
            AnsiString text = NormaliseLineBreaks(value ? value : "");
            Message.LParam = reinterpret_cast<LPARAM>(text.c_str());
            lineStartsValid_ = false;
            TCustomEdit::Dispatch(Message);
            break;
        }
        case WM_GETDLGCODE: {
            LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
            if (wantReturns_) code |= DLGC_WANTALLKEYS;
            if (wantTabs_) code |= DLGC_WANTTAB;
            Message.Result = code;
            break;
        }
        case CN_COMMAND:
            if (HIWORD(Message.WParam) == EN_CHANGE) lineStartsValid_ = false;
            TCustomEdit::Dispatch(Message);
            break;
        default: TCustomEdit::Dispatch(Message); break;
    }
}
