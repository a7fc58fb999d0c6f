// Arbitrary texts through the text sorts and arbitrary sort key texts through the item-table sort:
// every call ends, sorted characters are the input's in byte order, a sorted list keeps its length, and
// a sorted table keeps its rows.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "superar.h"
#include "support/FuzzCheck.h"

namespace {

// The input's parts between \x01 bytes: text, separators, separator of the separators, sort keys.
std::vector<AnsiString> Parts(const AnsiString& Input) {
    std::vector<AnsiString> parts(1);
    for (const char c : Input) {
        if (c == '\x01' && parts.size() < 4) parts.emplace_back();
        else parts.back() += c;
    }
    parts.resize(4);
    return parts;
}

std::vector<AnsiString> SortedColumn(superar::ArrayOfFiles& Table) {
    std::vector<AnsiString> texts;
    AnsiString text;
    for (Integer row = 1; row <= Table.Count; ++row) {
        superar::GetFieldText(Table, row, superar::FieldData, text, false);
        texts.push_back(text);
    }
    std::sort(texts.begin(), texts.end());
    return texts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const Byte options = data[0];
    const std::vector<AnsiString> parts = Parts(AnsiString(reinterpret_cast<const char*>(data) + 1, size - 1));
    const AnsiString& text = parts[0];

    AnsiString result;
    valstr::SortChars(text, result);
    AnsiString expected = text;
    std::sort(expected.begin(), expected.end(),
              [](char a, char b) { return static_cast<unsigned char>(a) < static_cast<unsigned char>(b); });
    Check(result == expected);

    valstr::SortDelimited(text, "", parts[1], parts[2], result);
    Check(result.size() <= text.size());

    valstr::SortListItems(text, parts[1], result);
    Check(result.size() == text.size());

    // The text's words as rows, sorted by the fourth part.
    superar::ArrayOfFiles table{};
    superar::InitTable(table, 0);
    table.NaturalSort = options & 1;
    if (options & 2) table.KeySeparator.clear();
    AnsiString rest = text;
    AnsiString word;
    while (!rest.empty() && table.Count < 64) {
        exposit::CutToken(rest, " ", true, word);
        superar::AddRowWithText(table, word, superar::FieldData);
    }
    const std::vector<AnsiString> before = SortedColumn(table);
    superar::SortTableBy(table, parts[3]);
    Check(SortedColumn(table) == before);
    return 0;
}
