// The setting-line parser and the condition test.
#include "valstr.h"

#include <string_view>

#include <vcl/SysUtils.h>

#include "repl.h"

namespace valstr {

using namespace repl;

namespace {

AnsiString WithoutChar(AnsiChar C, const AnsiString& S) {
    AnsiString result;
    SimpleReplace(AnsiString(1, C), "", S, result);
    return result;
}

bool StartsAndEndsWith(const AnsiString& S, AnsiChar First, AnsiChar Last) {
    return !S.empty() && S.front() == First && S.back() == Last;
}

struct OperatorT {
    const char* Text;
    Integer Code;
};

// Two-character operators first: ">=" must not be read as ">".
constexpr OperatorT Operators[] = {
    {"<>", OpNotEqual},       {">=", OpGreaterOrEqual}, {"=>", OpGreaterOrEqual}, {"<=", OpSmallerOrEqual},
    {"=<", OpSmallerOrEqual}, {">", OpGreater},         {"<", OpSmaller},         {"=", OpEqual},
};

}  // namespace

Integer FindLineComment(const AnsiString& Line, AnsiString& Comment) {
    Integer start = 0;
    if (std::string_view(Line).starts_with("//")) {
        start = 1;
        Comment = Copy(Line, 3, Length(Line));
    } else {
        start = Pos(" //", Line);
        Comment = start > 0 ? Copy(Line, start + 3, Length(Line)) : AnsiString();
    }
    if (!Comment.empty() && Comment.front() == ' ') Comment.erase(0, 1);
    return start;
}

bool ParseSettingLine(const AnsiString& Line, AnsiString& Name, AnsiString& Value, bool ParamMode, bool& EmptyComment,
                      AnsiString& Section, AnsiString& Comment, AnsiString& Kind) {
    Name.clear();
    Value.clear();
    Section.clear();
    Comment.clear();
    Kind.clear();
    EmptyComment = false;

    AnsiString text = Trim(Line);
    const Integer commentAt = FindLineComment(text, Comment);
    if (commentAt > 0) {
        EmptyComment = Trim(Comment).empty();
        text = Trim(Copy(text, 1, commentAt - 1));
    }
    const bool isSection = StartsAndEndsWith(text, '[', ']');
    if (ParamMode && !text.empty() && !isSection) text = "param=" + text;

    Name = text;
    const Integer equals = Pos("=", text);
    if (equals == Length(text)) {
        Kind = KindMultiLine;
        Name = Copy(text, 1, equals - 1);
    } else if (equals > 0) {
        Name = Copy(text, 1, equals - 1);
        Value = Trim(Copy(text, equals + 1, Length(text)));
        // A lone quote is no pair: it stays, so that writing the value back and reading it again keeps it.
        if (Value.size() >= 2 && StartsAndEndsWith(Value, '"', '"')) Value = Value.substr(1, Value.size() - 2);
    }
    Name = Trim(WithoutChar('"', Name));

    if (isSection) {
        Section = Trim(WithoutChar(']', WithoutChar('[', text)));
        Name.clear();
        Value.clear();
        Kind = KindSectionLine;
    } else if (Name.empty()) {
        Value.clear();
        Kind.clear();
    }
    if (ParamMode) {
        Name.clear();
        if (!isSection) Kind = KindBareValue;
    }
    return !Name.empty() || !Comment.empty() || !Section.empty() || ParamMode;
}

Integer ParseCompareOperator(AnsiString& S) {
    for (const OperatorT& op : Operators) {
        if (std::string_view(S).starts_with(op.Text)) {
            S.erase(0, std::char_traits<char>::length(op.Text));
            return op.Code;
        }
    }
    return OpEqual;
}

bool CompareWithOperator(const AnsiString& A, const AnsiString& Op, const AnsiString& B) {
    const Integer order = CompareValues(A, B);
    AnsiString op = Op;
    switch (ParseCompareOperator(op)) {
        case OpGreater: return order == CompareGreater;
        case OpSmaller: return order == CompareSmaller;
        case OpNotEqual: return order != CompareEqual;
        case OpGreaterOrEqual: return order != CompareSmaller;
        case OpSmallerOrEqual: return order != CompareGreater;
        default: return order == CompareEqual;
    }
}

Integer InvertCompareCode(Integer Code) {
    switch (Code) {
        case OpGreater: return OpSmaller;
        case OpSmaller: return OpGreater;
        case OpGreaterOrEqual: return OpSmallerOrEqual;
        case OpSmallerOrEqual: return OpGreaterOrEqual;
        default: return Code;
    }
}

}  // namespace valstr
