// The mark-up unit's string routines, tag stripping and control-tag rewriting. Each runs in one pass
// over its text: cells and hints may be long and are stripped for every sort and filter.
#include <algorithm>
#include <cstring>
#include <limits>

#include "GrdHTMLE.h"

namespace GrdHTMLE {

namespace {

char UpperChar(char C) { return C >= 'a' && C <= 'z' ? static_cast<char>(C - 'a' + 'A') : C; }

// Upper-case Sub at S[At..] (ASCII letters compared without case).
bool MatchesUpper(const AnsiString& S, std::size_t At, const char* UpperSub, std::size_t Length) {
    if (At + Length > S.size()) return false;
    for (std::size_t i = 0; i < Length; ++i)
        if (UpperChar(S[At + i]) != UpperSub[i]) return false;
    return true;
}

// 0-based position of UpperSub in S, S compared upper-cased; npos when absent.
std::size_t FindUpper(const AnsiString& S, const AnsiString& UpperSub, std::size_t From = 0) {
    if (UpperSub.empty() || S.size() < UpperSub.size()) return AnsiString::npos;
    for (std::size_t at = From; at + UpperSub.size() <= S.size(); ++at)
        if (MatchesUpper(S, at, UpperSub.data(), UpperSub.size())) return at;
    return AnsiString::npos;
}

// Every From becomes To, left to right; what To brings in is not searched again.
AnsiString ReplaceAll(const AnsiString& S, const char* From, const char* To) {
    const std::size_t fromLength = std::strlen(From);
    AnsiString result;
    result.reserve(S.size());
    std::size_t done = 0;
    for (std::size_t at; (at = S.find(From, done)) != AnsiString::npos; done = at + fromLength) {
        result.append(S, done, at - done);
        result += To;
    }
    result.append(S, done, AnsiString::npos);
    return result;
}

bool IsLineBreakTag(const AnsiString& S, std::size_t At) {
    return MatchesUpper(S, At, "<BR>", 4) || MatchesUpper(S, At, "<HR>", 4);
}

// The ">" that ends the tag opened at Open, skipping those that end a "<BR>" or "<HR>" inside it (they
// are line breaks, not tag ends); npos when none.
std::size_t TagEnd(const AnsiString& S, std::size_t Open) {
    for (std::size_t from = Open + 1; from < S.size();) {
        const void* hit = std::memchr(S.data() + from, '>', S.size() - from);
        if (!hit) return AnsiString::npos;
        const auto close = static_cast<std::size_t>(static_cast<const char*>(hit) - S.data());
        if (close < Open + 4 || !IsLineBreakTag(S, close - 3)) return close;
        from = close + 1;
    }
    return AnsiString::npos;
}

// Copies S[From..To) with "<BR>" and "<HR>" as CR LF.
void AppendWithLineBreaks(const AnsiString& S, std::size_t From, std::size_t To, AnsiString& Text) {
    for (std::size_t i = From; i < To;) {
        if (S[i] == '<' && IsLineBreakTag(S, i)) {
            Text += "\r\n";
            i += 4;
        } else {
            Text += S[i++];
        }
    }
}

// The position of UpperName in the upper-cased Tag outside double-quoted values; npos when absent.
std::size_t FindAttribute(const AnsiString& UpperTag, const char* UpperName) {
    const std::size_t length = std::strlen(UpperName);
    bool quoted = false;
    for (std::size_t at = 0; at < UpperTag.size(); ++at) {
        if (UpperTag[at] == '"') quoted = !quoted;
        else if (!quoted && UpperTag.compare(at, length, UpperName) == 0) return at;
    }
    return AnsiString::npos;
}

// The text between the first two double quotes of Tag at or after From; empty without them.
AnsiString QuotedAfter(const AnsiString& Tag, std::size_t From) {
    const std::size_t open = Tag.find('"', From);
    if (open == AnsiString::npos) return {};
    const std::size_t close = Tag.find('"', open + 1);
    if (close == AnsiString::npos) return {};
    return Tag.substr(open + 1, close - open - 1);
}

AnsiString ControlAttribute(const AnsiString& TagText, const AnsiString& UpperTag, const char* UpperName) {
    const std::size_t at = FindAttribute(UpperTag, UpperName);
    return at == AnsiString::npos ? AnsiString() : QuotedAfter(TagText, at);
}

// "&" first, so that the entities written here are not encoded again.
AnsiString EncodeControlValue(const AnsiString& Value) {
    AnsiString encoded;
    EncodeLtGt(ReplaceAll(ReplaceAll(Value, "&", "&#38;"), "\"", "&#34;"), encoded);
    return encoded;
}

// The reverse of EncodeControlValue; "&#38;" last, so that an encoded "&" never starts another entity.
AnsiString DecodeControlValue(const AnsiString& Value) {
    AnsiString decoded;
    DecodeLtGt(Value, decoded);
    return ReplaceAll(ReplaceAll(decoded, "&#34;", "\""), "&#38;", "&");
}

Integer ClampToTagRange(Int64 Value) { return static_cast<Integer>(std::clamp<Int64>(Value, -32768, 32767)); }

}  // namespace

// ---------------------------------------------------------------------------
// Strings

Integer PosNoCase(const AnsiString& Sub, const AnsiString& S) { return Pos(UpperCase(Sub), UpperCase(S)); }

Integer PosOut(const AnsiString& Sub, const AnsiString& S, Integer& P) {
    P = Pos(Sub, S);
    return P;
}

Integer PosNoCaseOut(const AnsiString& Sub, const AnsiString& S, Integer& P) {
    P = Pos(Sub, UpperCase(S));
    return P;
}

bool ReplaceFirstNoCase(const AnsiString& Pattern, const AnsiString& Replacement, AnsiString& S) {
    const std::size_t at = FindUpper(S, UpperCase(Pattern));
    if (at == AnsiString::npos) return false;
    S.replace(at, Pattern.size(), Replacement);
    return true;
}

void DecodeLtGt(const AnsiString& S, AnsiString& R) { R = ReplaceAll(ReplaceAll(S, "&lt;", "<"), "&gt;", ">"); }

void EncodeLtGt(const AnsiString& S, AnsiString& R) { R = ReplaceAll(ReplaceAll(S, "<", "&lt;"), ">", "&gt;"); }

bool IsWholeNumber(const AnsiString& S) {
    Integer value = 0;
    return TryStrToInt(S, value);
}

Integer StrToIntDef0(const AnsiString& S) {
    Int64 value = 0;
    if (TryStrToInt64(S, value)) return ClampToTagRange(value);
    for (char c : S) {
        if (c < '0' || c > '9') break;
        value = std::min<Int64>(value * 10 + (c - '0'), std::numeric_limits<Integer>::max());
    }
    return ClampToTagRange(value);
}

void RemoveHashMarker(const AnsiString& S, AnsiString& R) {
    R = S;
    const std::size_t marker = R.find("<#");
    if (marker == AnsiString::npos) return;
    R.erase(marker, 1);
    const std::size_t close = R.find('>', marker);
    if (close != AnsiString::npos) R.erase(close, 1);
}

void LineBreaksToBR(const AnsiString& S, bool ConvertCR, AnsiString& R) {
    AnsiString result;
    result.reserve(S.size());
    for (char c : S) {
        if (c == '\r') {
            if (ConvertCR) result += "<BR>";
        } else if (c != '\n') {
            result += c;
        }
    }
    R = std::move(result);
}

// ---------------------------------------------------------------------------
// Stripping and rewriting

// As if every "<BR>" and "<HR>" were first made CR LF and then every "<" were cut to the first ">" after
// it, in one pass: a line break inside a tag goes with the tag.
void StripHTML(const AnsiString& HTML, AnsiString& Text) {
    AnsiString result;
    result.reserve(HTML.size());
    std::size_t done = 0;
    while (done < HTML.size()) {
        const void* hit = std::memchr(HTML.data() + done, '<', HTML.size() - done);
        if (!hit) break;
        const auto open = static_cast<std::size_t>(static_cast<const char*>(hit) - HTML.data());
        result.append(HTML, done, open - done);
        if (IsLineBreakTag(HTML, open)) {
            result += "\r\n";
            done = open + 4;
            continue;
        }
        const std::size_t close = TagEnd(HTML, open);
        if (close == AnsiString::npos) {
            AppendWithLineBreaks(HTML, open, HTML.size(), result);
            done = HTML.size();
        } else {
            done = close + 1;
        }
    }
    if (done < HTML.size()) result.append(HTML, done, AnsiString::npos);
    Text = std::move(result);
}

void ParseControlTag(const AnsiString& TagText, AnsiString& TypeName, AnsiString& ID, AnsiString& Value,
                     AnsiString& Width) {
    const AnsiString upper = UpperCase(TagText);
    TypeName = UpperCase(ControlAttribute(TagText, upper, "TYPE="));
    Width = ControlAttribute(TagText, upper, "WIDTH=");
    ID = ControlAttribute(TagText, upper, "ID=");
    Value = DecodeControlValue(ControlAttribute(TagText, upper, "VALUE="));
}

bool SetControlValue(AnsiString& HTML, const AnsiString& ID, const AnsiString& Value) {
    for (std::size_t open = 0; (open = FindUpper(HTML, "<CONTROL ", open)) != AnsiString::npos; ++open) {
        const std::size_t close = HTML.find('>', open);
        const std::size_t end = close == AnsiString::npos ? HTML.size() : close + 1;
        AnsiString typeName, id, oldValue, width;
        ParseControlTag(HTML.substr(open, end - open), typeName, id, oldValue, width);
        if (id != ID) continue;
        const AnsiString tag = "<CONTROL ID=\"" + ID + "\" VALUE=\"" + EncodeControlValue(Value) + "\" WIDTH=\"" +
                               width + "\" TYPE=\"" + typeName + "\">";
        HTML.replace(open, end - open, tag);
        return true;
    }
    return false;
}

}  // namespace GrdHTMLE
