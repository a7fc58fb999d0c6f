#pragma once
// The layout of an INI file's text, apart from the file: an entry's value, what cannot be stored, and the
// text as lines indexed by section and key, so that finding an entry takes no pass over the text.

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace initext {

// The value as read: trimmed, one pair of enclosing quotes removed.
std::string ValueOf(std::string_view RawValue);

// Why the entry cannot be stored ("" when it can): text that would break the file's lines.
std::string Unstorable(std::string_view Section, std::string_view Ident, std::string_view Value);

// The text as lines, with the first section of each name (names trimmed, without case) found at the start
// and its keys indexed at the first look into it, so that neither a read nor a write passes over the
// whole text again. Only the first section of a name counts, and in it the first key of a name; a key
// before any section belongs to none.
class TIniDocument {
public:
    explicit TIniDocument(std::string Text);

    // After the '=', as stored; nothing when the section or the key is missing.
    std::optional<std::string_view> RawValue(std::string_view Section, std::string_view Ident);
    // Sets the entry to Value: its line replaced, or a line added after the section's last key, or the
    // section appended. Lines written end with CR LF; every other byte stays. Unstorable text must be
    // refused first.
    void SetEntry(std::string_view Section, std::string_view Ident, std::string_view Value);
    std::string Text() const;

private:
    static constexpr std::size_t None = static_cast<std::size_t>(-1);
    struct TLine {
        std::string_view Bytes;  // with its line break; only the text's last line may have none
        std::size_t Next = None;
    };
    struct TSection {
        std::size_t Header = None;
        bool Indexed = false;
        std::size_t Last = None;                            // the header or the last key: a new key goes after it
        std::unordered_map<std::string, std::size_t> Keys;  // by folded name
    };

    // The section with its keys indexed; nullptr when there is none of the name.
    TSection* Section(std::string_view Name);
    std::size_t Append(std::size_t After, std::string Bytes);
    void Replace(std::size_t Line, std::string Bytes);

    std::string text_;                 // as read; lines not written since point into it
    std::deque<std::string> written_;  // the bytes of lines written since, at addresses that stay
    std::vector<TLine> lines_;         // as read, then those added; Next gives the text's order
    std::size_t first_ = None, last_ = None;
    std::unordered_map<std::string, TSection> sections_;  // by folded name
};

}  // namespace initext
