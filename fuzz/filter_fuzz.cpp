// Arbitrary filter conditions and values: the matcher raises nothing, and wherever the plain recursive
// matcher below finishes in reasonable time (patterns of up to 12 characters) both answer the same.
//
// Input: one byte of options (bit 0 case-sensitive, bits 1-2 the number and date settings), one byte
// giving the condition's length, the condition, then the value.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <vcl/SysUtils.h>

#include "ProUtil.h"
#include "support/FuzzCheck.h"

namespace {

bool IsCombiner(char C) { return C == '&' || C == ';' || C == '^' || C == '|'; }
bool IsBlankEater(char C) { return IsCombiner(C) || C == '='; }

std::string TidyCondition(const std::string& Condition) {
    std::string s = Trim(Condition);
    for (bool changed = true; changed;) {
        changed = false;
        for (std::size_t i = 0; i < s.size(); ++i) {
            if (s[i] != ' ') continue;
            if ((i + 1 < s.size() && IsBlankEater(s[i + 1])) || (i > 0 && IsBlankEater(s[i - 1]))) {
                s.erase(i, 1);
                changed = true;
                break;
            }
        }
    }
    if (!s.empty() && s[0] == '=') s.erase(0, 1);
    return s;
}

bool IsNumber(const std::string& S, double& Value) {
    const std::string number = ProUtil::NormalizeNumberText(S);
    bool digit = false;
    for (char c : number) digit = digit || (c >= '0' && c <= '9');
    Integer code = 0;
    Val(number, Value, code);
    return digit && code == 0;
}

int CompareShort(std::string A, std::string B) {
    A.resize(std::min<std::size_t>(A.size(), 255));
    B.resize(std::min<std::size_t>(B.size(), 255));
    for (std::size_t i = 0; i < A.size() && i < B.size(); ++i)
        if (A[i] != B[i]) return static_cast<unsigned char>(A[i]) < static_cast<unsigned char>(B[i]) ? -1 : 1;
    return A.size() < B.size() ? -1 : A.size() > B.size() ? 1 : 0;
}

// The test of the first Operator in Pattern against Text.
bool CompareTest(const char* Pattern, const char* Text, char Operator) {
    const char* at = std::strchr(Pattern, Operator) + 1;
    const bool orEqual = *at == '=';
    if (orEqual) ++at;
    while (*at == ' ') ++at;
    std::string operand;
    while (*at && *at != ' ' && *at != '&' && *at != '|') operand += *at++;
    if (!operand.empty() && operand.front() == '"') operand.erase(0, 1);
    if (!operand.empty() && operand.back() == '"') operand.pop_back();
    const std::string text = Text;
    int order;
    double a = 0, b = 0;
    TDateTime da = 0, db = 0;
    if (IsNumber(text, a) && IsNumber(operand, b)) order = a < b ? -1 : a > b ? 1 : 0;
    else if (ProUtil::ParseDateByFormat(operand, db) && ProUtil::ParseDateByFormat(text, da))
        order = da < db ? -1 : da > db ? 1 : 0;
    else order = CompareShort(text, operand);
    if (Operator == '>') return order > 0 || (order == 0 && orEqual);
    return order < 0 || (order == 0 && orEqual);
}

// The matcher as it reads, over zero-terminated texts, trying every tail for each star.
bool LiteralMatch(const char* Pattern, const char* Text) {
    if (std::strchr(Pattern, '>') && CompareTest(Pattern, Text, '>')) return true;
    if (std::strchr(Pattern, '<') && CompareTest(Pattern, Text, '<')) return true;
    bool negated = false, ok = true;
    while (ok && !(*Pattern == 0 && *Text == 0)) {
        switch (*Pattern) {
            case '!':
                negated = true;
                ++Pattern;
                break;
            case '"': ++Pattern; break;
            case '*': {
                while (*Pattern == '*') ++Pattern;
                ok = false;
                for (std::size_t tail = std::strlen(Text) + 1; tail-- > 0 && !ok;)
                    ok = LiteralMatch(Pattern, Text + tail);
                if (ok) {
                    Pattern += std::strlen(Pattern);
                    Text += std::strlen(Text);
                }
                break;
            }
            case '?':
                if (*Text == 0) ok = false;
                else ++Pattern, ++Text;
                break;
            default:
                if (*Pattern == *Text) ++Pattern, ++Text;
                else ok = false;
        }
    }
    return ok != negated;
}

bool LiteralMatchCondition(const std::string& Condition, const std::string& Value, bool CaseSensitive) {
    const std::string tidy = TidyCondition(Condition);
    std::vector<std::string> parts(1);
    std::vector<char> combiners;
    for (char c : tidy) {
        if (IsCombiner(c)) {
            combiners.push_back(c);
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    const std::string value = CaseSensitive ? Value : AnsiUpperCase(Value);
    bool result = false;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string part = CaseSensitive ? parts[i] : AnsiUpperCase(parts[i]);
        const bool matches = LiteralMatch(part.c_str(), value.c_str());
        result = i == 0 ? matches : combiners[i - 1] == '&' ? result && matches : result || matches;
    }
    return result;
}

// Whether the literal matcher finishes soon: every run of stars tries each tail of the value.
bool LiteralIsQuick(const std::string& Condition, const std::string& Value) {
    std::size_t runs = 0;
    for (std::size_t i = 0; i < Condition.size(); ++i)
        if (Condition[i] == '*' && (i == 0 || Condition[i - 1] != '*')) ++runs;
    return Condition.size() <= 12 && std::pow(static_cast<double>(Value.size() + 1), static_cast<double>(runs)) <= 2e5;
}

struct TSettings {
    char decimal, thousand, date;
    const char* format;
};
constexpr TSettings Settings[] = {
    {'.', ',', '/', "m/d/yyyy"}, {'.', ',', '/', "d/m/yyyy"}, {',', '.', '.', "d.m.yyyy"}, {',', ' ', '-', "yyyy-m-d"}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const bool caseSensitive = (data[0] & 1) != 0;
    const TSettings& settings = Settings[(data[0] >> 1) & 3];
    DecimalSeparator = settings.decimal;
    ThousandSeparator = settings.thousand;
    DateSeparator = settings.date;
    ShortDateFormat = settings.format;
    const std::size_t length = std::min<std::size_t>(data[1], size - 2);
    const std::string condition(reinterpret_cast<const char*>(data) + 2, length);
    const std::string value(reinterpret_cast<const char*>(data) + 2 + length, size - 2 - length);
    const bool matches = ProUtil::MatchFilterCondition(condition, value, caseSensitive);
    Check(ProUtil::TFilterCondition(condition, caseSensitive).Matches(value) == matches);
    if (LiteralIsQuick(condition, value)) Check(LiteralMatchCondition(condition, value, caseSensitive) == matches);
    DecimalSeparator = '.';
    ThousandSeparator = ',';
    DateSeparator = '/';
    ShortDateFormat = "m/d/yyyy";
    return 0;
}
