// Our RTF reader: one pass over the bytes with an explicit stack of group states, so that neither time
// nor stack depth grows with anything but the input's length and the nesting limit.
#include <algorithm>
#include <array>
#include <string_view>
#include <unordered_map>

#include "System/Codepage.h"
#include "SysUtils/HexDigits.h"
#include "vcl/RichText.h"

namespace {

enum class TDestination { Text, FontTable, ColorTable, Skip };

struct TGroupState {
    TDestination Destination = TDestination::Text;
    bool Bold = false, Italic = false, Underline = false, StrikeOut = false;
    int Font = -1;  // \f number; -1 takes \deff
    int HalfPoints = 0;
    int ColorIndex = 0;  // \cf; 0 is the automatic colour
    TAlignment Alignment = taLeftJustify;
    int UnicodeSkip = 1;  // \uc: characters that stand in for each \u
};

// Groups whose content we neither show nor need.
bool IsSkippedDestination(std::string_view Word) {
    static constexpr std::array<std::string_view, 20> skipped{
        "pict",    "info",    "stylesheet", "header",    "headerl",           "headerr",  "headerf",
        "footer",  "footerl", "footerr",    "footerf",   "footnote",          "object",   "nonshppict",
        "fldinst", "xe",      "tc",         "listtable", "listoverridetable", "themedata"};
    return std::find(skipped.begin(), skipped.end(), Word) != skipped.end();
}

constexpr int ParamLimit = 1 << 30;

class TRtfReader {
public:
    explicit TRtfReader(const std::string& Source) : src_(Source) {}

    TRtfReadResult Read() {
        if (src_.compare(0, 5, "{\\rtf") != 0) return {};
        states_.push_back(TGroupState{});
        while (pos_ < src_.size()) {
            const char c = src_[pos_];
            if (c == '{') {
                if (states_.size() > RtfMaxNesting) return {};
                states_.push_back(states_.back());
                skipPending_ = 0;
                ++pos_;
            } else if (c == '}') {
                ++pos_;
                EndGroup();
                if (states_.size() == 1) break;  // the document's group is closed: what follows is not read
            } else if (c == '\\') {
                ReadControl();
            } else if (c == '\r' || c == '\n') {
                ++pos_;
            } else {
                ReadTextBytes();
            }
        }
        return {true, std::move(content_)};
    }

private:
    TGroupState& State() { return states_.back(); }

    void EndGroup() {
        skipPending_ = 0;
        if (State().Destination == TDestination::FontTable) EndFontName();
        if (states_.size() > 1) states_.pop_back();
        formatKnown_ = false;
    }

    // Plain bytes up to the next brace, backslash or line end, as one piece.
    void ReadTextBytes() {
        std::size_t end = pos_;
        while (end < src_.size() && IsTextByte(src_[end])) ++end;
        const std::size_t skipped = std::min<std::size_t>(skipPending_, end - pos_);
        skipPending_ -= static_cast<int>(skipped);
        const std::string_view bytes(src_.data() + pos_ + skipped, end - pos_ - skipped);
        pos_ = end;
        switch (State().Destination) {
            case TDestination::Text: {
                piece_.clear();
                for (char b : bytes) piece_ += codepage::AnsiCharToUtf16(static_cast<unsigned char>(b));
                AddText(piece_.data(), piece_.size());
                break;
            }
            case TDestination::FontTable:
                for (char b : bytes) {
                    if (b == ';') EndFontName();
                    else fontName_ += b;
                }
                break;
            case TDestination::ColorTable:
                for (char b : bytes)
                    if (b == ';') EndColor();
                break;
            case TDestination::Skip: break;
        }
    }

    // One character from \'hh, \uN or a control symbol.
    void AddCharacter(WideChar C, char Byte) {
        if (State().Destination == TDestination::FontTable) fontName_ += Byte;
        if (State().Destination != TDestination::Text) return;
        if (C == u'\r') return EndParagraph();
        AddText(&C, 1);
    }

    void AddText(const WideChar* Chars, std::size_t Count) {
        if (Count == 0) return;
        FlushParagraph();
        content_.Paragraphs.back() = State().Alignment;
        content_.Append(Chars, Count, Format());
    }

    // The paragraph mark waits for what follows: the document's last one is its end, not an empty paragraph.
    void EndParagraph() {
        FlushParagraph();
        content_.Paragraphs.back() = State().Alignment;
        paragraphFormat_ = Format();
        paragraphPending_ = true;
    }

    void FlushParagraph() {
        if (!paragraphPending_) return;
        paragraphPending_ = false;
        content_.Append(u"\r", paragraphFormat_);
    }

    void Align(TAlignment A) {
        State().Alignment = A;
        if (State().Destination == TDestination::Text && !paragraphPending_) content_.Paragraphs.back() = A;
    }

    const TRichCharFormat& Format() {
        if (formatKnown_) return format_;
        const TGroupState& s = State();
        const auto font = fonts_.find(s.Font >= 0 ? s.Font : defaultFont_);
        format_.FontName = font != fonts_.end() ? font->second : AnsiString();
        format_.HalfPoints = s.HalfPoints;
        format_.Color = s.ColorIndex > 0 && static_cast<std::size_t>(s.ColorIndex) < colors_.size()
                            ? colors_[static_cast<std::size_t>(s.ColorIndex)]
                            : std::nullopt;
        format_.Bold = s.Bold;
        format_.Italic = s.Italic;
        format_.Underline = s.Underline;
        format_.StrikeOut = s.StrikeOut;
        formatKnown_ = true;
        return format_;
    }

    void EndFontName() {
        const auto first = fontName_.find_first_not_of(' ');
        if (first != AnsiString::npos)
            fonts_[fontNumber_] = fontName_.substr(first, fontName_.find_last_not_of(' ') + 1 - first);
        fontName_.clear();
        formatKnown_ = false;
    }

    void EndColor() {
        colors_.push_back(colorSet_ ? std::optional<TColor>(red_ | green_ << 8 | blue_ << 16) : std::nullopt);
        red_ = green_ = blue_ = 0;
        colorSet_ = false;
        formatKnown_ = false;
    }

    static bool IsTextByte(char c) { return c != '{' && c != '}' && c != '\\' && c != '\r' && c != '\n'; }
    static bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

    void ReadControl() {
        ++pos_;  // the backslash
        if (pos_ >= src_.size()) return;
        const char c = src_[pos_];
        if (!IsLetter(c)) return ReadSymbol(c);
        const std::size_t start = pos_;
        while (pos_ < src_.size() && IsLetter(src_[pos_])) ++pos_;
        const std::string_view word(src_.data() + start, pos_ - start);
        bool hasParam = false, negative = false;
        long long param = 0;
        if (pos_ + 1 < src_.size() && src_[pos_] == '-' && IsDigit(src_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        while (pos_ < src_.size() && IsDigit(src_[pos_])) {
            hasParam = true;
            param = std::min<long long>(param * 10 + (src_[pos_] - '0'), ParamLimit);
            ++pos_;
        }
        if (pos_ < src_.size() && src_[pos_] == ' ') ++pos_;
        const int value = static_cast<int>(negative ? -param : param);
        if (word == "bin") return SkipBinary(hasParam ? value : 0);
        if (!Skipping()) Word(word, hasParam, value);
    }

    void ReadSymbol(char c) {
        ++pos_;
        if (c == '\'') {
            int byte = 0, digits = 0;
            for (; digits < 2 && pos_ < src_.size() && HexDigitValue(src_[pos_]) >= 0; ++digits, ++pos_)
                byte = byte * 16 + HexDigitValue(src_[pos_]);
            if (digits == 0 || Skipping()) return;
            return AddCharacter(codepage::AnsiCharToUtf16(static_cast<unsigned char>(byte)), static_cast<char>(byte));
        }
        if (Skipping()) return;
        switch (c) {
            case '\\':
            case '{':
            case '}': return AddCharacter(static_cast<WideChar>(c), c);
            case '~': return AddCharacter(u'\u00A0', '\xA0');
            case '_': return AddCharacter(u'-', '-');
            case '*': State().Destination = TDestination::Skip; return;
            case '\r':
            case '\n': return Word("par", false, 0);
            default: return;  // \- and the rest show nothing
        }
    }

    // A \u's stand-ins and skipped groups consume what comes.
    bool Skipping() {
        if (skipPending_ > 0) {
            --skipPending_;
            return true;
        }
        return State().Destination == TDestination::Skip;
    }

    void SkipBinary(int Count) {
        pos_ += std::min<std::size_t>(static_cast<std::size_t>(std::max(Count, 0)), src_.size() - pos_);
    }

    void Word(std::string_view w, bool hasParam, int value) {
        TGroupState& s = State();
        const bool on = !hasParam || value != 0;
        if (s.Destination == TDestination::ColorTable) {
            if (w == "red") red_ = std::clamp(value, 0, 255);
            else if (w == "green") green_ = std::clamp(value, 0, 255);
            else if (w == "blue") blue_ = std::clamp(value, 0, 255);
            else return;
            colorSet_ = true;
            return;
        }
        if (s.Destination == TDestination::FontTable) {
            if (w == "f") fontNumber_ = value;
            else if (IsSkippedDestination(w)) s.Destination = TDestination::Skip;
            return;
        }
        formatKnown_ = false;
        if (w == "par") EndParagraph();
        else if (w == "line") AddCharacter(u'\v', '\v');
        else if (w == "tab") AddCharacter(u'\t', '\t');
        else if (w == "u") {
            AddCharacter(static_cast<WideChar>(value & 0xFFFF), '?');  // negative values count from 65536
            skipPending_ = s.UnicodeSkip;
        } else if (w == "uc") s.UnicodeSkip = std::clamp(value, 0, 255);
        else if (w == "b") s.Bold = on;
        else if (w == "i") s.Italic = on;
        else if (w == "ul") s.Underline = on;
        else if (w == "ulnone") s.Underline = false;
        else if (w == "strike") s.StrikeOut = on;
        else if (w == "fs") s.HalfPoints = hasParam ? std::clamp(value, 0, 3276) : 24;
        else if (w == "f") s.Font = value;
        else if (w == "cf") s.ColorIndex = value;
        else if (w == "plain") {
            s.Bold = s.Italic = s.Underline = s.StrikeOut = false;
            s.Font = -1;
            s.HalfPoints = 0;
            s.ColorIndex = 0;
        } else if (w == "pard") Align(taLeftJustify);
        else if (w == "ql" || w == "qj") Align(taLeftJustify);
        else if (w == "qc") Align(taCenter);
        else if (w == "qr") Align(taRightJustify);
        else if (w == "deff") defaultFont_ = value;
        else if (w == "fonttbl") s.Destination = TDestination::FontTable;
        else if (w == "colortbl") s.Destination = TDestination::ColorTable;
        else if (IsSkippedDestination(w)) s.Destination = TDestination::Skip;
    }

    const std::string& src_;
    std::size_t pos_ = 0;
    std::vector<TGroupState> states_;
    TRichText content_;
    WideString piece_;
    int skipPending_ = 0;
    bool paragraphPending_ = false;
    TRichCharFormat paragraphFormat_;
    TRichCharFormat format_;
    bool formatKnown_ = false;
    std::unordered_map<int, AnsiString> fonts_;
    int defaultFont_ = -1;
    int fontNumber_ = 0;
    AnsiString fontName_;
    std::vector<std::optional<TColor>> colors_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colorSet_ = false;
};

}  // namespace

TRtfReadResult ReadRtf(const std::string& Source) { return TRtfReader(Source).Read(); }
