// Parser of the form-description text: tokens, values and nested objects.
#include "Classes/FormParser.h"

#include <charconv>
#include <cstdint>

#include "System/Codepage.h"
#include "SysUtils/HexDigits.h"

namespace {

// Deep nesting is no form anyone writes; refusing it keeps the recursion bounded.
constexpr int kMaxDepth = 64;

enum TTokenKind { tkEnd, tkIdent, tkString, tkInt, tkFloat, tkBinary, tkSymbol };

struct TToken {
    TTokenKind Kind = tkEnd;
    std::string Text;             // identifier, decoded string bytes, binary bytes, or the symbol
    WideString Wide;              // tkString: the UTF-16 text, when a code above 255 is in it
    std::uint64_t Magnitude = 0;  // tkInt: the digits' value, before any sign
    bool Hex = false;             // $hex integers fill all 64 bits, as a two's complement
    double Float = 0;
    int Line = 1;
};

// A code below 256 is a Windows-1252 byte, as in a quoted part; above it a UTF-16 code point.
void AppendCodePoint(WideString& Text, std::uint32_t Code) {
    if (Code < 256) Text += codepage::AnsiCharToUtf16(static_cast<unsigned char>(Code));
    else if (Code < 0x10000) Text += static_cast<WideChar>(Code);
    else {
        Code -= 0x10000;
        Text += static_cast<WideChar>(0xD800 + (Code >> 10));
        Text += static_cast<WideChar>(0xDC00 + (Code & 0x3FF));
    }
}

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

class TLexer {
public:
    explicit TLexer(std::string_view text) : text_(text) { Next(); }

    const TToken& Current() const { return token_; }

    [[noreturn]] void Error(const std::string& what) const {
        throw EParserError(what + " on line " + std::to_string(token_.Line));
    }

    void Next() {
        SkipBlanks();
        token_ = TToken{};
        token_.Line = line_;
        if (pos_ >= text_.size()) return;
        char c = text_[pos_];
        if (IsIdentStart(c)) return Ident();
        if (IsDigit(c)) return Number();
        if (c == '$') return Hex();
        if (c == '\'' || c == '#') return String();
        if (c == '{') return Binary();
        token_.Kind = tkSymbol;
        token_.Text = std::string(1, c);
        ++pos_;
    }

private:
    void SkipBlanks() {
        while (pos_ < text_.size() && static_cast<unsigned char>(text_[pos_]) <= ' ') {
            if (text_[pos_] == '\n' || (text_[pos_] == '\r' && (pos_ + 1 >= text_.size() || text_[pos_ + 1] != '\n')))
                ++line_;
            ++pos_;
        }
    }

    void Ident() {
        // Dotted names (Font.Height, Frame1.PopupMenu1) are one token.
        std::size_t start = pos_;
        while (pos_ < text_.size() &&
               (IsIdentStart(text_[pos_]) || IsDigit(text_[pos_]) ||
                (text_[pos_] == '.' && pos_ + 1 < text_.size() && IsIdentStart(text_[pos_ + 1]))))
            ++pos_;
        token_.Kind = tkIdent;
        token_.Text = std::string(text_.substr(start, pos_ - start));
    }

    void Number() {
        std::size_t start = pos_;
        while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
        bool isFloat = false;
        if (pos_ + 1 < text_.size() && text_[pos_] == '.' && IsDigit(text_[pos_ + 1])) {
            isFloat = true;
            for (++pos_; pos_ < text_.size() && IsDigit(text_[pos_]);) ++pos_;
        }
        if (pos_ < text_.size() && (text_[pos_] == 'E' || text_[pos_] == 'e')) {
            std::size_t e = pos_ + 1;
            if (e < text_.size() && (text_[e] == '+' || text_[e] == '-')) ++e;
            if (e < text_.size() && IsDigit(text_[e])) {
                isFloat = true;
                for (pos_ = e; pos_ < text_.size() && IsDigit(text_[pos_]);) ++pos_;
            }
        }
        std::string_view digits = text_.substr(start, pos_ - start);
        if (isFloat) {
            token_.Kind = tkFloat;
            auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), token_.Float);
            if (ec != std::errc() || end != digits.data() + digits.size()) Error("Invalid number");
            // Single, currency and date floats carry a type letter.
            if (pos_ < text_.size() && (text_[pos_] == 's' || text_[pos_] == 'c' || text_[pos_] == 'd')) ++pos_;
            return;
        }
        auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), token_.Magnitude);
        if (ec != std::errc() || end != digits.data() + digits.size()) Error("Invalid integer");
        token_.Kind = tkInt;
    }

    void Hex() {
        std::size_t start = ++pos_;
        while (pos_ < text_.size() && HexDigitValue(text_[pos_]) >= 0) ++pos_;
        if (pos_ == start || pos_ - start > 16) Error("Invalid integer");
        for (std::size_t i = start; i < pos_; ++i)
            token_.Magnitude = token_.Magnitude * 16 + static_cast<std::uint64_t>(HexDigitValue(text_[i]));
        token_.Kind = tkInt;
        token_.Hex = true;
    }

    // 'quoted' parts with '' for a quote, and #65 / #$41 character codes, written together.
    void String() {
        token_.Kind = tkString;
        for (;;) {
            if (pos_ < text_.size() && text_[pos_] == '\'') {
                for (++pos_;; ++pos_) {
                    if (pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r')
                        Error("Unterminated string");
                    if (text_[pos_] == '\'') {
                        if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
                            token_.Text += '\'';
                            if (!token_.Wide.empty()) token_.Wide += u'\'';
                            ++pos_;
                            continue;
                        }
                        ++pos_;
                        break;
                    }
                    token_.Text += text_[pos_];
                    if (!token_.Wide.empty())
                        token_.Wide += codepage::AnsiCharToUtf16(static_cast<unsigned char>(text_[pos_]));
                }
            } else if (pos_ < text_.size() && text_[pos_] == '#') {
                ++pos_;
                std::uint32_t code = 0;
                bool hex = pos_ < text_.size() && text_[pos_] == '$';
                if (hex) ++pos_;
                std::size_t start = pos_;
                while (pos_ < text_.size() && (hex ? HexDigitValue(text_[pos_]) >= 0 : IsDigit(text_[pos_]))) {
                    code = code * (hex ? 16 : 10) +
                           static_cast<std::uint32_t>(hex ? HexDigitValue(text_[pos_]) : text_[pos_] - '0');
                    if (code > 0x10FFFF) Error("Invalid character code");
                    ++pos_;
                }
                if (pos_ == start) Error("Invalid character code");
                if (code >= 256 && token_.Wide.empty()) token_.Wide = codepage::AnsiToUtf16(token_.Text);
                token_.Text += code < 256 ? static_cast<char>(code) : codepage::UnicodeToAnsiChar(code);
                if (!token_.Wide.empty() || code >= 256) AppendCodePoint(token_.Wide, code);
            } else {
                return;
            }
        }
    }

    void Binary() {
        token_.Kind = tkBinary;
        int high = -1;
        for (++pos_;; ++pos_) {
            SkipBlanks();
            if (pos_ >= text_.size()) Error("'}' expected");
            if (text_[pos_] == '}') break;
            int nibble = HexDigitValue(text_[pos_]);
            if (nibble < 0) Error("Invalid binary value");
            if (high < 0) {
                high = nibble;
            } else {
                token_.Text += static_cast<char>(high * 16 + nibble);
                high = -1;
            }
        }
        ++pos_;
        if (high >= 0) Error("Invalid binary value");
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
    TToken token_;
};

class TParser {
public:
    explicit TParser(std::string_view text) : lex_(text) {}

    TFormObject Document() {
        TFormObject root = Object(0);
        if (lex_.Current().Kind != tkEnd) lex_.Error("End of text expected");
        return root;
    }

private:
    const TToken& Tok() const { return lex_.Current(); }
    bool IsSymbol(char c) const { return Tok().Kind == tkSymbol && Tok().Text[0] == c; }
    bool IsWord(const char* word) const { return Tok().Kind == tkIdent && SameIdent(Tok().Text, word); }

    void Expect(char c) {
        if (!IsSymbol(c)) lex_.Error(std::string("'") + c + "' expected");
        lex_.Next();
    }
    std::string Identifier() {
        if (Tok().Kind != tkIdent) lex_.Error("Identifier expected");
        std::string name = Tok().Text;
        lex_.Next();
        return name;
    }
    void Deeper(int depth) const {
        if (depth > kMaxDepth) lex_.Error("Nesting too deep");
    }

    bool AtObjectStart() const { return IsWord("object") || IsWord("inherited") || IsWord("inline"); }

    TFormObject Object(int depth) {
        Deeper(depth);
        TFormObject obj;
        obj.Line = Tok().Line;
        if (IsWord("object")) obj.Kind = TFormObject::okObject;
        else if (IsWord("inherited")) obj.Kind = TFormObject::okInherited;
        else if (IsWord("inline")) obj.Kind = TFormObject::okInline;
        else lex_.Error("'object' expected");
        lex_.Next();
        std::string first = Identifier();
        if (IsSymbol(':')) {
            lex_.Next();
            obj.Name = first;
            obj.ClassName = Identifier();
        } else {
            obj.ClassName = first;
        }
        if (IsSymbol('[')) {  // creation order of an inherited child: not needed here
            lex_.Next();
            if (Tok().Kind != tkInt) lex_.Error("Integer expected");
            lex_.Next();
            Expect(']');
        }
        for (;;) {
            if (IsWord("end")) {
                lex_.Next();
                return obj;
            }
            if (Tok().Kind == tkEnd) lex_.Error("'end' expected");
            if (AtObjectStart()) {
                obj.Children.push_back(Object(depth + 1));
                continue;
            }
            TFormProperty property;
            property.Line = Tok().Line;
            property.Name = Identifier();
            Expect('=');
            property.Value = Value(depth + 1);
            obj.Properties.push_back(std::move(property));
        }
    }

    TFormValue Value(int depth) {
        Deeper(depth);
        TFormValue v;
        v.Line = Tok().Line;
        switch (Tok().Kind) {
            case tkInt:
                v.Kind = TFormValue::vaInt;
                v.Int = IntegerValue(false);
                lex_.Next();
                return v;
            case tkFloat:
                v.Kind = TFormValue::vaFloat;
                v.Float = Tok().Float;
                lex_.Next();
                return v;
            case tkString:
                v.Kind = TFormValue::vaString;
                v.Str = Tok().Text;
                v.Wide = Tok().Wide;
                lex_.Next();
                while (IsSymbol('+')) {  // 'long text' + continued on the next line
                    lex_.Next();
                    if (Tok().Kind != tkString) lex_.Error("String expected");
                    if (!v.Wide.empty() || !Tok().Wide.empty()) {
                        if (v.Wide.empty()) v.Wide = codepage::AnsiToUtf16(v.Str);
                        v.Wide += Tok().Wide.empty() ? codepage::AnsiToUtf16(Tok().Text) : Tok().Wide;
                    }
                    v.Str += Tok().Text;
                    lex_.Next();
                }
                return v;
            case tkBinary:
                v.Kind = TFormValue::vaBinary;
                v.Str = Tok().Text;
                lex_.Next();
                return v;
            case tkIdent:
                if (SameIdent(Tok().Text, "True")) v.Kind = TFormValue::vaTrue;
                else if (SameIdent(Tok().Text, "False")) v.Kind = TFormValue::vaFalse;
                else if (SameIdent(Tok().Text, "nil")) v.Kind = TFormValue::vaNil;
                else {
                    v.Kind = TFormValue::vaIdent;
                    v.Str = Tok().Text;
                }
                lex_.Next();
                return v;
            case tkSymbol: break;
            case tkEnd: lex_.Error("Value expected");
        }
        switch (Tok().Text[0]) {
            case '-': return Negative();
            case '[': return SetValue();
            case '(': return ListValue(depth);
            case '<': return CollectionValue(depth);
            default: lex_.Error("Value expected");
        }
    }

    // The current integer token with its sign; decimal values must fit an Int64.
    Int64 IntegerValue(bool negative) const {
        std::uint64_t magnitude = Tok().Magnitude;
        std::uint64_t limit = static_cast<std::uint64_t>(INT64_MAX) + (negative ? 1 : 0);
        if (!Tok().Hex && magnitude > limit) lex_.Error("Invalid integer");
        return static_cast<Int64>(negative ? 0 - magnitude : magnitude);
    }

    TFormValue Negative() {
        TFormValue v;
        v.Line = Tok().Line;
        lex_.Next();
        if (Tok().Kind == tkInt) {
            v.Kind = TFormValue::vaInt;
            v.Int = IntegerValue(true);
        } else if (Tok().Kind == tkFloat) {
            v.Kind = TFormValue::vaFloat;
            v.Float = -Tok().Float;
        } else {
            lex_.Error("Number expected");
        }
        lex_.Next();
        return v;
    }

    TFormValue SetValue() {
        TFormValue v;
        v.Kind = TFormValue::vaSet;
        v.Line = Tok().Line;
        lex_.Next();
        if (IsSymbol(']')) return lex_.Next(), v;
        for (;;) {
            if (Tok().Kind == tkIdent) v.Set.push_back(Tok().Text);
            else if (Tok().Kind == tkInt) v.Set.push_back(std::to_string(Tok().Magnitude));
            else lex_.Error("Identifier expected");
            lex_.Next();
            if (IsSymbol(']')) return lex_.Next(), v;
            Expect(',');
        }
    }

    TFormValue ListValue(int depth) {
        TFormValue v;
        v.Kind = TFormValue::vaList;
        v.Line = Tok().Line;
        lex_.Next();
        while (!IsSymbol(')')) v.List.push_back(Value(depth + 1));
        lex_.Next();
        return v;
    }

    TFormValue CollectionValue(int depth) {
        TFormValue v;
        v.Kind = TFormValue::vaCollection;
        v.Line = Tok().Line;
        lex_.Next();
        while (!IsSymbol('>')) {
            if (!IsWord("item")) lex_.Error("'item' expected");
            lex_.Next();
            if (IsSymbol('[')) {  // an item's explicit index
                lex_.Next();
                if (Tok().Kind != tkInt) lex_.Error("Integer expected");
                lex_.Next();
                Expect(']');
            }
            TFormValue::TItem item;
            while (!IsWord("end")) {
                std::string name = Identifier();
                Expect('=');
                TFormValue value = Value(depth + 1);
                item.emplace_back(std::move(name), std::move(value));
            }
            lex_.Next();
            v.Items.push_back(std::move(item));
        }
        lex_.Next();
        return v;
    }

    TLexer lex_;
};

}  // namespace

TFormObject ParseFormText(std::string_view Text) { return TParser(Text).Document(); }
