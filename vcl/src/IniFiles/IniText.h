#pragma once
// The layout of an INI file's text, apart from the file: finding an entry, reading its value and
// changing or adding one line.

#include <string>
#include <string_view>

namespace initext {

// Where an entry is, or where it would go. Offsets into the text.
struct TIniEntry {
    bool SectionFound = false;
    bool KeyFound = false;
    std::size_t LineBegin = 0;  // the key's line, its line break included
    std::size_t LineEnd = 0;
    std::size_t InsertAt = 0;   // for a missing key of a found section: after the section's last key
    std::string_view RawValue;  // after the '=', as stored
};

// The first section named Section (without case, names trimmed) and the first key Ident in it.
TIniEntry Locate(std::string_view Text, std::string_view Section, std::string_view Ident);

// The value as read: trimmed, one pair of enclosing quotes removed.
std::string ValueOf(std::string_view RawValue);

// Why the entry cannot be stored ("" when it can): text that would break the file's lines.
std::string Unstorable(std::string_view Section, std::string_view Ident, std::string_view Value);

// Text with the entry set to Value: its line replaced, or a line added to the section, or the section
// appended. Lines written end with CR LF; every other byte stays. Unstorable text must be refused first.
void SetEntry(std::string& Text, std::string_view Section, std::string_view Ident, std::string_view Value);

}  // namespace initext
