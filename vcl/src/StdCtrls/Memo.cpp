// TCustomMemo / TMemo: a multi-line native edit. The text (CR LF line breaks) lives in the control;
// Lines is a view of it, so every change to Lines is a change of the memo's text.

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <utility>

#include "StdCtrls/Peers.h"
#include "StdCtrls/Publish.h"
#include "vcl/StdCtrls.h"
#include "vcl/ScopeGuard.h"
#include "vcl/Windows.h"

namespace {

// A word's bytes that equal B, as the high bit of each (exact for the lowest such byte).
std::uint64_t BytesEqual(std::uint64_t Word, unsigned char B) {
    constexpr std::uint64_t ones = 0x0101010101010101ULL;
    const std::uint64_t v = Word ^ (ones * B);
    return (v - ones) & ~v & (ones << 7);
}

}  // namespace

// Eight bytes at a time to the next CR or LF, which must be a CR with its LF: a long text is checked at
// memory speed.
bool HasOnlyCrLfBreaks(std::string_view Text) {
    const char* at = Text.data();
    const char* const end = at + Text.size();
    while (at < end) {
        if (end - at >= 8) {
            std::uint64_t word;
            std::memcpy(&word, at, sizeof word);
            const std::uint64_t breaks = BytesEqual(word, '\r') | BytesEqual(word, '\n');
            if (!breaks) {
                at += 8;
                continue;
            }
            at += std::countr_zero(breaks) / 8;
        } else if (*at != '\r' && *at != '\n') {
            ++at;
            continue;
        }
        if (*at != '\r' || end - at < 2 || at[1] != '\n') return false;
        at += 2;
    }
    return true;
}

AnsiString NormaliseLineBreaks(std::string_view Text) {
    if (HasOnlyCrLfBreaks(Text)) return AnsiString(Text);
    AnsiString out;
    out.reserve(Text.size() + Text.size() / 16);
    std::size_t from = 0;
    for (std::size_t at = Text.find_first_of("\r\n"); at != std::string_view::npos;
         at = Text.find_first_of("\r\n", from)) {
        out.append(Text, from, at - from);
        out += "\r\n";
        from = at + (Text[at] == '\r' && at + 1 < Text.size() && Text[at + 1] == '\n' ? 2 : 1);
    }
    out.append(Text, from, std::string_view::npos);
    return out;
}

// ---------------------------------------------------------------------------

class TMemoStrings : public TStrings {
    VCL_CLASS(TMemoStrings, TStrings)
    explicit TMemoStrings(TCustomMemo& Memo) : memo_(Memo) {}

    void Clear() override { SetTextStr(""); }

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
        const AnsiString& text = memo_.CurrentText();
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
        AnsiString text = memo_.CurrentText();
        if (!text.empty() && !EndsWithBreak(text)) text += "\r\n";
        return text;
    }

    // One change of the whole text; inside an update block it is collected like any other.
    void SetTextStr(const AnsiString& Value) override {
        if (memo_.updatingLines_) memo_.Splice(0, memo_.CurrentText().size(), Value);
        else memo_.SetText(Value);
    }

    void SetUpdateState(bool Updating) override {
        if (Updating) memo_.BeginLinesUpdate();
        else memo_.EndLinesUpdate();
    }

private:
    static bool EndsWithBreak(const AnsiString& Text) { return Text.size() >= 2 && Text.ends_with("\r\n"); }

    std::size_t LineLength(std::size_t Index) const {
        const auto& starts = memo_.LineStarts();
        std::size_t end = starts[Index + 1];
        const AnsiString& text = memo_.CurrentText();
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
    P.Enum("Alignment", &TCustomMemo::Alignment, &TCustomMemo::SetAlignment, AlignmentNames());
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
// Lines over the current text

void TCustomMemo::IndexLines(std::size_t From) const {
    const AnsiString& text = CurrentText();
    for (std::size_t at = text.find("\r\n", From); at != AnsiString::npos; at = text.find("\r\n", at + 2))
        lineStarts_.push_back(at + 2);
    // The end of the text closes the last line; an empty last line is no line.
    if (lineStarts_.back() != text.size() || lineStarts_.size() == 1) lineStarts_.push_back(text.size());
}

const std::vector<std::size_t>& TCustomMemo::LineStarts() const {
    if (!lineStartsValid_) {
        lineStarts_.clear();
        lineStarts_.push_back(0);
        IndexLines(0);
        lineStartsValid_ = true;
    }
    return lineStarts_;
}

Integer TCustomMemo::LineCount() const {
    if (CurrentText().empty()) return 0;
    return static_cast<Integer>(LineStarts().size() - 1);
}

AnsiString TCustomMemo::Line(Integer Index) const {
    const auto& starts = LineStarts();
    auto i = static_cast<std::size_t>(Index);
    std::size_t end = starts[i + 1];
    const AnsiString& text = CurrentText();
    if (end >= starts[i] + 2 && text.compare(end - 2, 2, "\r\n") == 0) end -= 2;
    return text.substr(starts[i], end - starts[i]);
}

// An append extends the line index instead of rebuilding it; inside an update block the text changes in
// place, so filling a memo line by line stays linear.
void TCustomMemo::Splice(std::size_t Start, std::size_t End, const AnsiString& Value) {
    AnsiString value = ApplyCharCase(NormaliseLineBreaks(Value));
    std::size_t oldSize = CurrentText().size();
    if (updatingLines_) pendingText_.replace(Start, End - Start, value);
    else SpliceStoredText(Start, End, value);
    if (lineStartsValid_ && Start == oldSize && End == oldSize) {
        lineStarts_.pop_back();
        IndexLines(oldSize >= 2 ? oldSize - 2 : 0);
    } else {
        lineStartsValid_ = false;
    }
    if (updatingLines_) return;
    // The selection stays with the text around it, as it does in the window.
    auto follow = [&](std::size_t P) {
        if (P <= Start) return P;
        return P >= End ? P - (End - Start) + value.size() : Start + value.size();
    };
    auto selStart = static_cast<std::size_t>(SelStart());
    std::size_t newStart = follow(selStart);
    std::size_t newEnd = follow(selStart + static_cast<std::size_t>(SelLength()));
    TStdCtrlsAccess::SelectionFromPeer(*this, static_cast<Integer>(newStart), static_cast<Integer>(newEnd - newStart));
    ReplaceMemoPeerText(this, Start, End, value);
    AnnounceChange();
}

void TCustomMemo::AnnounceChange() {
    const TValueGuard announcing(announcing_, true);
    Perform(CN_COMMAND, MAKEWPARAM(0, EN_CHANGE), 0);
}

void TCustomMemo::BeginLinesUpdate() {
    pendingText_ = StoredText();
    updatingLines_ = true;
}

// The changes of an update block reach the peer and OnChange once.
void TCustomMemo::EndLinesUpdate() {
    updatingLines_ = false;
    bool changed = pendingText_ != StoredText();
    if (changed) StoreText(std::move(pendingText_));
    AnsiString().swap(pendingText_);
    if (!changed) return;
    // The window takes the whole text and puts its caret at the start, as after a new text.
    TStdCtrlsAccess::SelectionFromPeer(*this, 0, 0);
    TextStored();
    AnnounceChange();
}

void TCustomMemo::SpliceFromPeer(std::size_t Start, std::size_t End, const AnsiString& Value, Integer SelStart,
                                 Integer SelLength) {
    lineStartsValid_ = false;
    TCustomEdit::SpliceFromPeer(Start, End, Value, SelStart, SelLength);
}

void TCustomMemo::ClearInto(AnsiString& Storage) {
    Storage.clear();
    clearInto_ = &Storage;
    struct Reset {
        AnsiString*& Slot;
        ~Reset() { Slot = nullptr; }
    } reset{clearInto_};
    Clear();
}

// The stored text's memory goes to Target, emptied; a one-byte text takes its place until the clear empties
// it, so the clear compares, moves the caret and announces itself as any other. A string moved in hands its
// old heap memory to the one moved from.
void TCustomMemo::HandOutStorage(AnsiString& Target) {
    AnsiString standIn;
    standIn.reserve(sizeof(AnsiString));
    standIn.assign(1, StoredText().front());
    StoreText(std::move(standIn));
    Target.swap(standIn);
    Target.clear();
}

void TCustomMemo::KeyPress(char& Key) {
    TCustomEdit::KeyPress(Key);
    if (Key == '\r' && !wantReturns_) Key = '\0';
}

// ---------------------------------------------------------------------------

// WM_GETTEXT's answer from Text, as the window gives it: as much as the buffer holds, NUL-terminated.
static void AnswerGetText(TMessage& Message, const AnsiString& Text) {
    auto* buffer = reinterpret_cast<char*>(Message.LParam);
    auto size = static_cast<std::size_t>(Message.WParam);
    if (!buffer || size == 0) return;
    std::size_t n = std::min(size - 1, Text.size());
    std::copy_n(Text.data(), n, buffer);
    buffer[n] = '\0';
    Message.Result = static_cast<LRESULT>(n);
}

void TCustomMemo::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case WM_SETTEXT: {
            // A text already broken with CR LF goes on as it is: no copy of a long text on its way.
            const auto* value = reinterpret_cast<const char*>(Message.LParam);
            const std::string_view given = value ? value : "";
            AnsiString normalised;
            const bool normalising = !HasOnlyCrLfBreaks(given);
            if (normalising) {
                normalised = NormaliseLineBreaks(given);
                Message.LParam = reinterpret_cast<LPARAM>(normalised.c_str());
            }
            lineStartsValid_ = false;
            if (updatingLines_) pendingText_ = ApplyCharCase(normalising ? normalised : AnsiString(given));
            else if (given.empty() && clearInto_ && StoredText().size() > sizeof(AnsiString))
                HandOutStorage(*std::exchange(clearInto_, nullptr));
            TCustomEdit::Dispatch(Message);
            break;
        }
        // Inside an update block the window already holds the collected text.
        case WM_GETTEXTLENGTH:
            if (updatingLines_) Message.Result = static_cast<LRESULT>(pendingText_.size());
            else TCustomEdit::Dispatch(Message);
            break;
        case WM_GETTEXT:
            if (updatingLines_) AnswerGetText(Message, pendingText_);
            else TCustomEdit::Dispatch(Message);
            break;
        case WM_GETDLGCODE: {
            LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
            if (wantReturns_) code |= DLGC_WANTALLKEYS;
            if (wantTabs_) code |= DLGC_WANTTAB;
            Message.Result = code;
            break;
        }
        case CN_COMMAND:
            if (HIWORD(Message.WParam) == EN_CHANGE && !announcing_) lineStartsValid_ = false;
            TCustomEdit::Dispatch(Message);
            break;
        default: TCustomEdit::Dispatch(Message); break;
    }
}
