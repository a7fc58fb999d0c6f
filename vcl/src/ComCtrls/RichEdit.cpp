// The rich edit: its formatted content, RTF lines, messages and the size requests of its content.
#include <algorithm>
#include <cstring>

#include "ComCtrls/Access.h"
#include "ComCtrls/RichEditLayout.h"
#include "ComCtrls/RichTextRender.h"
#include "Controls/ControlPeer.h"
#include "StdCtrls/Peers.h"
#include "vcl/Messages.h"

namespace {

// A memo's line breaks (CR LF, or a lone CR or LF) end paragraphs.
WideString ContentChars(std::string_view Text) {
    WideString chars = AnsiToWide(AnsiString(Text));
    WideString result;
    result.reserve(chars.size());
    for (std::size_t i = 0; i < chars.size(); ++i) {
        if (chars[i] == u'\n' && i > 0 && chars[i - 1] == u'\r') continue;
        result += chars[i] == u'\n' ? u'\r' : chars[i];
    }
    return result;
}

// The memo's lines, with RTF streams.
class TRichEditStrings : public TStrings {
    VCL_CLASS(TRichEditStrings, TStrings)
    TRichEditStrings(TCustomRichEdit& Edit, TStrings& Memo) : edit_(Edit), memo_(Memo) {}

    void Clear() override { memo_.Clear(); }
    void Delete(Integer Index) override { memo_.Delete(Index); }
    void Insert(Integer Index, const AnsiString& S) override { memo_.Insert(Index, S); }

    // A stream that is not RTF (or is refused) shows as it is, in the default format: nothing is lost.
    void LoadFromStream(TStream* Stream) override {
        const std::string bytes = Stream->ReadRest();
        if (!edit_.PlainText()) {
            TRtfReadResult rtf = ReadRtf(bytes);
            if (rtf.Ok) return edit_.SetContent(rtf.Content);
        }
        TRichText plain;
        plain.Append(ContentChars(bytes), TRichCharFormat{});
        edit_.SetContent(plain);
    }

    void SaveToStream(TStream* Stream) const override {
        if (edit_.PlainText()) return memo_.SaveToStream(Stream);
        const std::string rtf = WriteRtf(edit_.Content());
        Stream->WriteBuffer(rtf.data(), CheckedCast<Integer>(rtf.size()));
    }

protected:
    AnsiString Get(Integer Index) const override { return memo_.Strings(Index); }
    Integer GetCount() const override { return memo_.Count(); }
    void Put(Integer Index, const AnsiString& S) override { memo_.SetStrings(Index, S); }
    AnsiString GetTextStr() const override { return memo_.Text(); }
    void SetTextStr(const AnsiString& Value) override { memo_.SetText(Value); }
    void SetUpdateState(bool Updating) override {
        if (Updating) memo_.BeginUpdate();
        else memo_.EndUpdate();
    }

private:
    TCustomRichEdit& edit_;
    TStrings& memo_;
};

}  // namespace

static void PublishTRichEditStrings(TPublisher&) {}
VCL_IMPLEMENT_CLASS(TRichEditStrings, nullptr, PublishTRichEditStrings)

static void PublishTTextAttributes(TPublisher&) {}
VCL_IMPLEMENT_CLASS(TTextAttributes, nullptr, PublishTTextAttributes)

static void PublishTCustomRichEdit(TPublisher& p) {
    TPublishOf<TCustomRichEdit> P(p);
    P.Bool("PlainText", &TCustomRichEdit::PlainText, &TCustomRichEdit::SetPlainText);
    P.Event("OnResizeRequest", &TCustomRichEdit::OnResizeRequest);
    P.Event("OnSelectionChange", &TCustomRichEdit::OnSelectionChange);
}

VCL_IMPLEMENT_CLASS(TCustomRichEdit, nullptr, PublishTCustomRichEdit)
VCL_IMPLEMENT_CLASS(TRichEdit, VCL_CREATOR(TRichEdit), nullptr)

TColor TTextAttributes::Color() const {
    const std::size_t at = edit_.ToContentPos(edit_.SelStart());
    const std::optional<TColor> own = edit_.Content().FormatAt(at).Color;
    return own ? *own : edit_.Font()->Color();
}

// The window text colour is the automatic one, which follows the font.
void TTextAttributes::SetColor(TColor Value) {
    CHARFORMAT format;
    format.dwMask = CFM_COLOR;
    if (Value == clWindowText) format.dwEffects = CFE_AUTOCOLOR;
    else format.crTextColor = static_cast<COLORREF>(ColorToRGB(Value));
    edit_.Perform(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

TCustomRichEdit::TCustomRichEdit(TComponent* AOwner)
    : TCustomMemo(AOwner),
      richLines_(std::make_unique<TRichEditStrings>(*this, *TCustomMemo::Lines())),
      selAttributes_(std::make_unique<TTextAttributes>(*this)) {}

TCustomRichEdit::~TCustomRichEdit() = default;

TStrings* TCustomRichEdit::Lines() const { return richLines_.get(); }

void TCustomRichEdit::SetContent(const TRichText& Value) {
    content_ = Value;
    contentText_ = RichPlainText(content_.Text);
    SetText(contentText_);
    ContentFormatChanged();
}

void TCustomRichEdit::ContentFromPeer(const TRichText& Value, Integer SelStart, Integer SelLength) {
    const Integer wasStart = this->SelStart(), wasLength = this->SelLength();
    content_ = Value;
    contentText_ = RichPlainText(content_.Text);
    TStdCtrlsAccess::EditFromPeer(*this, 0, StoredText().size(), contentText_, SelStart, SelLength);
    ReportSelection(wasStart, wasLength);
}

void TCustomRichEdit::SelectionFromPeer(Integer SelStart, Integer SelLength) {
    const Integer wasStart = this->SelStart(), wasLength = this->SelLength();
    TStdCtrlsAccess::SelectionFromPeer(*this, SelStart, SelLength);
    ReportSelection(wasStart, wasLength);
}

void TCustomRichEdit::ReportSelection(Integer WasStart, Integer WasLength) {
    if (!(eventMask_ & ENM_SELCHANGE) || (SelStart() == WasStart && SelLength() == WasLength)) return;
    const auto from = static_cast<LONG>(ToContentPos(SelStart()));
    const auto to = static_cast<LONG>(ToContentPos(SelStart() + SelLength()));
    SELCHANGE change{
        {HandleAllocated() ? Handle() : nullptr, 0, EN_SELCHANGE}, {from, to}, from == to ? SEL_EMPTY : SEL_TEXT};
    Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&change));
}

void TCustomRichEdit::RequestSize(const TRect& Rect) {
    TRect requested = Rect;
    if (OnResizeRequest) OnResizeRequest(this, requested);
}

void TCustomRichEdit::SelectionChange() {
    if (OnSelectionChange) OnSelectionChange(this);
}

Integer TCustomRichEdit::ToTextPos(std::size_t ContentPos) const {
    ContentPos = std::min(ContentPos, content_.Text.size());
    const auto breaks =
        std::count(content_.Text.begin(), content_.Text.begin() + static_cast<std::ptrdiff_t>(ContentPos), u'\r');
    return static_cast<Integer>(ContentPos + static_cast<std::size_t>(breaks));
}

std::size_t TCustomRichEdit::ToContentPos(Integer TextPos) const {
    const std::size_t end = std::min<std::size_t>(static_cast<std::size_t>(std::max(TextPos, 0)), contentText_.size());
    std::size_t pos = end;
    for (std::size_t i = 1; i < end; ++i)
        if (contentText_[i - 1] == '\r' && contentText_[i] == '\n') --pos;
    return pos;
}

void TCustomRichEdit::SetCharFormat(WPARAM Where, const CHARFORMAT& Format) {
    std::size_t start = 0, count = content_.Text.size();
    if (Where & SCF_SELECTION && !(Where & SCF_ALL)) {
        start = ToContentPos(SelStart());
        count = ToContentPos(SelStart() + SelLength()) - start;
    }
    const std::size_t faceLength = strnlen(Format.szFaceName, LF_FACESIZE_CHARFORMAT);
    content_.ChangeFormat(start, count, [&](TRichCharFormat& f) {
        const DWORD mask = Format.dwMask, effects = Format.dwEffects;
        if (mask & CFM_BOLD) f.Bold = effects & CFE_BOLD;
        if (mask & CFM_ITALIC) f.Italic = effects & CFE_ITALIC;
        if (mask & CFM_UNDERLINE) f.Underline = effects & CFE_UNDERLINE;
        if (mask & CFM_STRIKEOUT) f.StrikeOut = effects & CFE_STRIKEOUT;
        if (mask & CFM_COLOR)
            f.Color = effects & CFE_AUTOCOLOR
                          ? std::nullopt
                          : std::optional<TColor>(static_cast<TColor>(Format.crTextColor & 0xFFFFFF));
        if (mask & CFM_SIZE) f.HalfPoints = std::clamp<LONG>(Format.yHeight / 10, 0, 3276);
        if (mask & CFM_FACE) f.FontName = AnsiString(Format.szFaceName, faceLength);
    });
    ContentFormatChanged();
}

void TCustomRichEdit::ContentFormatChanged() {
    if (auto* layout = dynamic_cast<TRichEditLayout*>(Peer())) layout->ShowContent();
}

void TCustomRichEdit::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case EM_GETEVENTMASK: Message.Result = static_cast<LRESULT>(eventMask_); break;
        case EM_SETEVENTMASK:
            Message.Result = static_cast<LRESULT>(eventMask_);
            eventMask_ = static_cast<DWORD>(Message.LParam);
            break;
        case EM_REQUESTRESIZE: RequestResize(true); break;
        case EM_EXSETSEL: {
            const auto* range = reinterpret_cast<const CHARRANGE*>(Message.LParam);
            if (!range) break;
            const auto size = static_cast<LONG>(content_.Text.size());
            LONG from = range->cpMin < 0 ? ToContentPos(SelStart()) : std::min(range->cpMin, size);
            LONG to = range->cpMin < 0 ? from : range->cpMax < 0 ? size : std::min(range->cpMax, size);
            if (to < from) std::swap(from, to);
            const Integer wasStart = SelStart(), wasLength = SelLength();
            SetSelStart(ToTextPos(static_cast<std::size_t>(from)));
            SetSelLength(ToTextPos(static_cast<std::size_t>(to)) - SelStart());
            Message.Result = to;
            ReportSelection(wasStart, wasLength);
            break;
        }
        case EM_EXGETSEL:
            if (auto* range = reinterpret_cast<CHARRANGE*>(Message.LParam)) {
                range->cpMin = static_cast<LONG>(ToContentPos(SelStart()));
                range->cpMax = static_cast<LONG>(ToContentPos(SelStart() + SelLength()));
            }
            break;
        case EM_SETCHARFORMAT: {
            const auto* format = reinterpret_cast<const CHARFORMAT*>(Message.LParam);
            Message.Result = format && format->cbSize >= sizeof(CHARFORMAT);
            if (Message.Result) SetCharFormat(Message.WParam, *format);
            break;
        }
        case EM_FORMATRANGE: {
            const auto* range = reinterpret_cast<const FORMATRANGE*>(Message.LParam);
            // Nothing is kept between calls, so the freeing call has nothing to do.
            Message.Result =
                range ? RenderRichText(content_, Font()->Desc(), static_cast<TColor>(ColorToRGB(Font()->Color())),
                                       *range, Message.WParam != 0)
                      : 0;
            break;
        }
        case CN_COMMAND:
            TCustomMemo::Dispatch(Message);
            if (HIWORD(Message.WParam) == EN_CHANGE) RequestResize(false);
            break;
        case CN_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(Message.LParam);
            if (header && header->code == EN_REQUESTRESIZE) RequestSize(reinterpret_cast<const REQRESIZE*>(header)->rc);
            else if (header && header->code == EN_SELCHANGE) SelectionChange();
            else TCustomMemo::Dispatch(Message);
            break;
        }
        default: TCustomMemo::Dispatch(Message); break;
    }
}

// A new text (also one that announces no change) may need another size.
void TCustomRichEdit::TextStored() {
    FollowText();
    TCustomMemo::TextStored();
    RequestResize(false);
}

void TCustomRichEdit::FollowText() {
    const AnsiString& now = StoredText();
    const AnsiString& was = contentText_;
    if (now == was) return;
    const std::size_t shorter = std::min(now.size(), was.size());
    std::size_t prefix = 0;
    while (prefix < shorter && now[prefix] == was[prefix]) ++prefix;
    if (prefix > 0 && was[prefix - 1] == '\r' && prefix < was.size() && was[prefix] == '\n') --prefix;
    std::size_t suffix = 0;
    while (suffix < shorter - prefix && now[now.size() - 1 - suffix] == was[was.size() - 1 - suffix]) ++suffix;
    if (suffix > 0 && was[was.size() - suffix] == '\n' && was.size() > suffix && was[was.size() - suffix - 1] == '\r')
        --suffix;
    const std::size_t from = ToContentPos(static_cast<Integer>(prefix));
    const std::size_t to = ToContentPos(static_cast<Integer>(was.size() - suffix));
    const TRichCharFormat format = content_.FormatAt(from > 0 ? from - 1 : 0);
    content_.Replace(from, to - from, ContentChars(std::string_view(now).substr(prefix, now.size() - suffix - prefix)),
                     format);
    contentText_ = RichPlainText(content_.Text);
}

void TCustomRichEdit::RequestResize(bool Always) {
    if (!(eventMask_ & ENM_REQUESTRESIZE) || !HandleAllocated()) return;
    const auto* layout = dynamic_cast<const TRichEditLayout*>(Peer());
    if (!layout) return;
    const Integer width = ClientWidth();
    const TRect content = Rect(0, 0, width, layout->ContentSize(width).Y);
    if (!Always && content == lastRequest_) return;
    lastRequest_ = content;
    REQRESIZE request{{Handle(), 0, EN_REQUESTRESIZE}, content};
    Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&request));
}
