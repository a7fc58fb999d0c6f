#include "IniFiles/IniText.h"

#include "Windows/SettingsFiles.h"

namespace initext {

namespace {

using settings::SameName;

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view TrimmedLeft(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    return s;
}

std::string_view Trimmed(std::string_view s) {
    s = TrimmedLeft(s);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool IsEnclosed(std::string_view s) { return s.size() >= 2 && (s[0] == '"' || s[0] == '\'') && s.back() == s[0]; }

bool HoldsLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

struct TIniLine {
    enum TKind { kOther, kHeader, kKey } Kind = kOther;
    std::string_view Name;
    std::string_view Value;
};

// A header needs its ']'; a key line its '='. Anything else is passed over.
TIniLine ParseLine(std::string_view line) {
    line = TrimmedLeft(line);
    if (!line.empty() && line[0] == '[') {
        const std::size_t close = line.find(']');
        if (close == std::string_view::npos) return {};
        return {TIniLine::kHeader, Trimmed(line.substr(1, close - 1)), {}};
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) return {};
    return {TIniLine::kKey, Trimmed(line.substr(0, equals)), line.substr(equals + 1)};
}

// Quoted when reading would otherwise trim it or take quotes off.
std::string AsWritten(std::string_view Value) {
    if (!Value.empty() && (IsBlank(Value.front()) || IsBlank(Value.back()) || IsEnclosed(Value)))
        return '"' + std::string(Value) + '"';
    return std::string(Value);
}

}  // namespace

TIniEntry Locate(std::string_view Text, std::string_view Section, std::string_view Ident) {
    Section = Trimmed(Section);
    Ident = Trimmed(Ident);
    TIniEntry entry;
    bool inSection = false;
    for (std::size_t begin = 0; begin < Text.size();) {
        const std::size_t lineFeed = Text.find('\n', begin);
        const std::size_t end = lineFeed == std::string_view::npos ? Text.size() : lineFeed;
        const std::size_t next = lineFeed == std::string_view::npos ? Text.size() : lineFeed + 1;
        const TIniLine line = ParseLine(Text.substr(begin, end - begin));
        if (line.Kind == TIniLine::kHeader) {
            if (entry.SectionFound) break;  // only the first section of the name counts
            inSection = SameName(line.Name, Section);
            entry.SectionFound = inSection;
            entry.InsertAt = next;
        } else if (inSection && line.Kind == TIniLine::kKey) {
            entry.InsertAt = next;
            if (SameName(line.Name, Ident)) {
                entry.KeyFound = true;
                entry.LineBegin = begin;
                entry.LineEnd = next;
                entry.RawValue = line.Value;
                break;
            }
        }
        begin = next;
    }
    return entry;
}

std::string ValueOf(std::string_view RawValue) {
    std::string_view value = Trimmed(RawValue);
    if (IsEnclosed(value)) value = value.substr(1, value.size() - 2);
    return std::string(value);
}

std::string Unstorable(std::string_view Section, std::string_view Ident, std::string_view Value) {
    if (HoldsLineBreak(Value)) return "a value cannot hold a line break";
    Section = Trimmed(Section);
    if (HoldsLineBreak(Section) || Section.find(']') != std::string_view::npos)
        return "a section name cannot hold ']' or a line break";
    Ident = Trimmed(Ident);
    if (HoldsLineBreak(Ident) || Ident.find('=') != std::string_view::npos || (!Ident.empty() && Ident[0] == '['))
        return "a key name cannot hold '=' or a line break, nor begin with '['";
    return {};
}

void SetEntry(std::string& Text, std::string_view Section, std::string_view Ident, std::string_view Value) {
    const TIniEntry entry = Locate(Text, Section, Ident);
    std::string line = std::string(Trimmed(Ident)) + '=' + AsWritten(Value) + "\r\n";
    if (entry.KeyFound) {
        Text.replace(entry.LineBegin, entry.LineEnd - entry.LineBegin, line);
        return;
    }
    if (!entry.SectionFound) {
        line = '[' + std::string(Trimmed(Section)) + "]\r\n" + line;
        if (!Text.empty() && Text.back() != '\n') line.insert(0, "\r\n");
        Text += line;
        return;
    }
    if (entry.InsertAt > 0 && Text[entry.InsertAt - 1] != '\n') line.insert(0, "\r\n");  // a last line without end
    Text.insert(entry.InsertAt, line);
}

}  // namespace initext
