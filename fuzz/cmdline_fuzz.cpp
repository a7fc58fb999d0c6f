// Arbitrary command lines through the Windows-rules tokeniser: every run ends; a line with no quote and
// no backslash cuts at blanks only; no argument holds a blank or tab the line did not quote; and any text,
// quoted for the command line, comes back as exactly one unchanged argument, as does every argument of the
// process command line.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/FuzzCheck.h"
#include "vcl/System.h"
#include "vcl/Windows.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::vector<AnsiString> SplitAtBlanks(const AnsiString& line) {
    std::vector<AnsiString> words;
    AnsiString word;
    for (char c : line + ' ') {
        if (!IsBlank(c)) {
            word += c;
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    return words;
}

void CheckSplit(const AnsiString& line) {
    const std::vector<AnsiString> args = SplitCommandLine(line);
    Check(args.size() <= line.size() / 2 + 1);
    const bool plain = line.find_first_of("\"\\") == AnsiString::npos;
    if (plain) Check(args == SplitAtBlanks(line));
    if (line.find('"') == AnsiString::npos) {
        for (const AnsiString& arg : args) Check(arg.find_first_of(" \t") == AnsiString::npos);
    }
}

void CheckQuoteRoundTrip(const AnsiString& text) {
    const std::vector<AnsiString> args = SplitCommandLine("program " + QuoteCommandLineArgument(text));
    Check(args.size() == 2 && args[0] == "program" && args[1] == text);
}

// The input cut at \x01 bytes becomes the process arguments: the rebuilt command line splits into them again.
void CheckCommandLineRoundTrip(const AnsiString& text) {
    std::vector<std::string> args(1);
    for (char c : text) {
        if (c == '\x01') args.emplace_back();
        else args.back() += c;
    }
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    InitCommandLine(static_cast<int>(argv.size()), argv.data());
    const std::vector<AnsiString> split = SplitCommandLine(CmdLine());
    Check(split.size() == args.size());
    for (Integer i = 1; i <= ParamCount(); ++i) Check(split[static_cast<std::size_t>(i)] == ParamStr(i));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t MaxLine = 4096;
    const AnsiString line(reinterpret_cast<const char*>(data), size < MaxLine ? size : MaxLine);
    CheckSplit(line);
    CheckQuoteRoundTrip(line);
    CheckCommandLineRoundTrip(line);
    return 0;
}
