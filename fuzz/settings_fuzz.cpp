// Arbitrary bytes through the setting-line parser and the condition test. The parts of a line obey
// the parser's rules, a line written back from its parts reads as the same parts, and every
// operator agrees with its inverse on exchanged operands.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include <vcl/SysUtils.h>

#include "superar.h"
#include "support/FuzzCheck.h"
#include "valstr.h"

namespace {

struct PartsT {
    AnsiString Name, Value, Section, Comment, Kind;
    bool EmptyComment = false;
    bool Result = false;
    bool operator==(const PartsT& Other) const {
        return Name == Other.Name && Value == Other.Value && Section == Other.Section && Comment == Other.Comment &&
               Kind == Other.Kind;
    }
};

PartsT Parse(const AnsiString& Line, bool ParamMode) {
    PartsT parts;
    parts.Result = valstr::ParseSettingLine(Line, parts.Name, parts.Value, ParamMode, parts.EmptyComment, parts.Section,
                                            parts.Comment, parts.Kind);
    return parts;
}

bool Holds(const AnsiString& Text, std::string_view Part) { return Text.find(Part) != AnsiString::npos; }

void CheckLine(const AnsiString& line, bool paramMode) {
    const PartsT parts = Parse(line, paramMode);
    Check(parts.Result == (!parts.Name.empty() || !parts.Comment.empty() || !parts.Section.empty() || paramMode));
    Check(!Holds(parts.Name, "\"") && parts.Name == Trim(parts.Name));
    if (paramMode) Check(parts.Name.empty() && (parts.Kind == "b" || parts.Kind == "[]"));
    if (parts.Kind == "[]") Check(parts.Name.empty() && parts.Value.empty());
    if (parts.Name.empty() && !paramMode) Check(parts.Value.empty());

    // A " //" inside a value starts a comment when read back, quotes or not.
    if (Holds(parts.Value, " //") || !parts.Result) return;
    AnsiString written;
    superar::WriteSettingLine(parts.Name, parts.Value, parts.Kind, parts.Comment, parts.Section, written);
    // A multi-line value's first line is "name =": the quote lines and the value follow it.
    if (parts.Kind == valstr::KindMultiLine) written.resize(written.size() - parts.Value.size() - 8);
    Check(Parse(written, paramMode) == parts);
}

// The operator text of each code; CompareWithOperator must agree with the inverted code on B, A.
constexpr const char* OperatorTexts[] = {"", "=", ">", "<", "<>", ">=", "<="};

void CheckCondition(const AnsiString& a, const AnsiString& b) {
    for (Integer code = 1; code <= 6; ++code)
        Check(valstr::CompareWithOperator(a, OperatorTexts[code], b) ==
              valstr::CompareWithOperator(b, OperatorTexts[valstr::InvertCompareCode(code)], a));
    AnsiString rest = a;
    const Integer code = valstr::ParseCompareOperator(rest);
    Check(code >= 1 && code <= 6 && rest.size() <= a.size() && a.size() - rest.size() <= 2);
    Check(std::string_view(a).ends_with(rest));
    valstr::CompareWithOperator(rest, a, b);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    for (bool paramMode : {false, true}) CheckLine(input, paramMode);
    // The first tab splits the input into the two operands of the condition test.
    const std::size_t split = input.find('\t');
    CheckCondition(input.substr(0, split), split == std::string::npos ? std::string() : input.substr(split + 1));
    return 0;
}
