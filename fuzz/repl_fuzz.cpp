// Arbitrary options, find text, replacement and text through the replace engine: every run ends,
// an unchanged flag means an unchanged text, a limit of one replacement without trimming changes the
// length by exactly one replacement's difference; CopyCase changes letter case only; the plain
// replace-all equals a std::string::find replace-all and the case-folding search a naive one.
//
// Layout: 8 option bytes, then find text, replacement and text separated by line feeds.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FastStrings.h"
#include "repl.h"
#include "support/FuzzCheck.h"

namespace {

// Kept small so that a run with a growing replacement stays quick.
constexpr std::size_t MaxPart = 32;
constexpr std::size_t MaxText = 512;

std::string NextPart(std::string& rest, std::size_t limit) {
    const std::size_t end = rest.find('\n');
    std::string part = rest.substr(0, end);
    rest = end == std::string::npos ? std::string() : rest.substr(end + 1);
    if (part.size() > limit) part.resize(limit);
    return part;
}

void SetOptions(repl::ReplaceT& r, const std::uint8_t* o) {
    repl::InitReplace(r);
    r.TrimAfter = o[0] & 1;
    r.TrimBefore = (o[0] >> 1) & 1;
    r.FindInReplacement = (o[0] >> 2) & 1;
    r.PreserveCase = (o[0] >> 3) & 1;
    r.Repeat = (o[0] >> 4) & 1;
    r.Search.CaseSensitive = (o[0] >> 5) & 1;
    r.Search.SkipQuotes = (o[0] >> 6) & 1;
    r.Search.Overlapping = (o[0] >> 7) & 1;
    r.Search.Anchor = o[1] % 3;
    r.Search.MatchKind = o[2] % 5;
    r.Search.Occurrence = static_cast<std::int8_t>(o[3]) % 4;
    r.MaxReplacements = o[4] < 200 ? o[4] % 8 : repl::NoReplaceLimit;
    r.Search.WordStartTest = o[5] & 1;
    r.Search.WordEndTest = (o[5] >> 1) & 1;
    if (o[6] != 0) r.TrimBeforeChars.Include(static_cast<AnsiChar>(o[6]));
    if (o[7] != 0) r.TrimAfterChars.Include(static_cast<AnsiChar>(o[7]));
}

std::string StdFindReplace(const std::string& source, const std::string& find, const std::string& with) {
    std::string out;
    std::size_t from = 0;
    for (std::size_t at; (at = source.find(find, from)) != std::string::npos; from = at + find.size()) {
        out.append(source, from, at - from);
        out += with;
    }
    out.append(source, from);
    return out;
}

void CheckEngine(const std::uint8_t* options, const std::string& find, const std::string& with,
                 const std::string& text) {
    repl::ReplaceT r;
    SetOptions(r, options);
    std::string result;
    repl::ReplaceWithOptions(r, find, with, text, result);
    if (r.Changed == 0) Check(result == text);
    const bool trims = r.TrimAfter != 0 || r.TrimBefore != 0;
    if (r.Changed != 0 && r.MaxReplacements == 1 && !trims && r.Search.MatchKind == exposit::mkPattern) {
        Check(result.size() + find.size() == text.size() + with.size());
    }
}

void CheckCopyCase(const std::string& model, const std::string& text) {
    std::string copied;
    repl::CopyCase(model, text, copied);
    Check(copied.size() == text.size());
    std::string a;
    std::string b;
    repl::TableLowerCase(copied, a);
    repl::TableLowerCase(text, b);
    Check(a == b);
}

// The case-folding search agrees with a byte-by-byte comparison of folded ASCII letters.
void CheckFastPosNoCase(const std::string& pattern, const std::string& text) {
    const auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    const auto length = static_cast<Integer>(text.size());
    for (Integer start = 1; start <= length; start += 1 + length / 4) {
        Integer expected = 0;
        for (std::size_t at = static_cast<std::size_t>(start - 1); expected == 0 && at + pattern.size() <= text.size();
             ++at) {
            std::size_t k = 0;
            while (k < pattern.size() && fold(text[at + k]) == fold(pattern[k])) ++k;
            if (k == pattern.size() && !pattern.empty()) expected = static_cast<Integer>(at) + 1;
        }
        Check(FastStrings::FastPosNoCase(text.data(), pattern.data(), length, start,
                                         static_cast<Integer>(pattern.size())) == expected);
    }
}

void CheckFastReplace(const std::string& find, const std::string& with, const std::string& text) {
    if (find.empty()) return;
    std::string source = text;
    std::string result;
    FastStrings::FastReplace(source, find, with, true, result);
    Check(result == StdFindReplace(text, find, with));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t OptionBytes = 8;
    if (size < OptionBytes) return 0;
    std::string rest(reinterpret_cast<const char*>(data + OptionBytes), size - OptionBytes);
    const std::string find = NextPart(rest, MaxPart);
    const std::string with = NextPart(rest, MaxPart);
    const std::string text = rest.substr(0, MaxText);
    CheckEngine(data, find, with, text);
    CheckCopyCase(find, text);
    CheckFastReplace(find, with, text);
    CheckFastPosNoCase(find, text);
    return 0;
}
