#include "IniFiles/IniText.h"

#include "Windows/SettingsFiles.h"

namespace initext {

namespace {

using settings::FoldedName;

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

TIniDocument::TIniDocument(std::string Text) : text_(std::move(Text)) {
    const std::string_view text = text_;
    for (std::size_t begin = 0; begin < text.size();) {
        const std::size_t lineFeed = text.find('\n', begin);
        const std::size_t end = lineFeed == std::string_view::npos ? text.size() : lineFeed;
        const std::size_t next = lineFeed == std::string_view::npos ? text.size() : lineFeed + 1;
        const std::size_t line = Append(last_, {});
        lines_[line].Bytes = text.substr(begin, next - begin);
        const std::string_view content = TrimmedLeft(text.substr(begin, end - begin));
        if (!content.empty() && content[0] == '[') {
            const TIniLine parsed = ParseLine(content);
            if (parsed.Kind == TIniLine::kHeader) {
                const auto [section, first] = sections_.try_emplace(FoldedName(parsed.Name));
                if (first) section->second.Header = line;
            }
        }
        begin = next;
    }
}

TIniDocument::TSection* TIniDocument::Section(std::string_view Name) {
    const auto found = sections_.find(FoldedName(Trimmed(Name)));
    if (found == sections_.end()) return nullptr;
    TSection& section = found->second;
    if (section.Indexed) return &section;
    section.Indexed = true;
    section.Last = section.Header;
    for (std::size_t line = lines_[section.Header].Next; line != None; line = lines_[line].Next) {
        std::string_view bytes = lines_[line].Bytes;
        if (bytes.back() == '\n') bytes.remove_suffix(1);
        const TIniLine parsed = ParseLine(bytes);
        if (parsed.Kind == TIniLine::kHeader) break;
        if (parsed.Kind != TIniLine::kKey) continue;
        section.Last = line;
        section.Keys.try_emplace(FoldedName(parsed.Name), line);
    }
    return &section;
}

std::optional<std::string_view> TIniDocument::RawValue(std::string_view Section, std::string_view Ident) {
    const TSection* section = this->Section(Section);
    if (!section) return std::nullopt;
    const auto key = section->Keys.find(FoldedName(Trimmed(Ident)));
    if (key == section->Keys.end()) return std::nullopt;
    std::string_view line = lines_[key->second].Bytes;
    if (line.back() == '\n') line.remove_suffix(1);
    return ParseLine(line).Value;
}

void TIniDocument::SetEntry(std::string_view Section, std::string_view Ident, std::string_view Value) {
    Section = Trimmed(Section);
    Ident = Trimmed(Ident);
    std::string line = std::string(Ident) + '=' + AsWritten(Value) + "\r\n";
    std::string keyName = FoldedName(Ident);
    TSection* section = this->Section(Section);
    if (!section) {
        const std::size_t header = Append(last_, '[' + std::string(Section) + "]\r\n");
        section = &sections_[FoldedName(Section)];
        section->Header = header;
        section->Indexed = true;
        section->Last = header;
    }
    const auto [key, added] = section->Keys.try_emplace(std::move(keyName), None);
    if (added) key->second = section->Last = Append(section->Last, std::move(line));
    else Replace(key->second, std::move(line));
}

// A line after the line After (None: at the start); the line before it gets the line break it lacks.
std::size_t TIniDocument::Append(std::size_t After, std::string Bytes) {
    const std::size_t line = lines_.size();
    TLine& added = lines_.emplace_back();
    if (!Bytes.empty()) added.Bytes = written_.emplace_back(std::move(Bytes));
    if (After == None) {
        added.Next = first_;
        first_ = line;
    } else {
        if (lines_[After].Bytes.back() != '\n') Replace(After, std::string(lines_[After].Bytes) + "\r\n");
        added.Next = lines_[After].Next;
        lines_[After].Next = line;
    }
    if (added.Next == None) last_ = line;
    return line;
}

void TIniDocument::Replace(std::size_t Line, std::string Bytes) {
    lines_[Line].Bytes = written_.emplace_back(std::move(Bytes));
}

std::string TIniDocument::Text() const {
    std::size_t size = 0;
    for (std::size_t line = first_; line != None; line = lines_[line].Next) size += lines_[line].Bytes.size();
    std::string text;
    text.reserve(size);
    for (std::size_t line = first_; line != None; line = lines_[line].Next) text += lines_[line].Bytes;
    return text;
}

}  // namespace initext
