// Arbitrary bytes as a memo's text through the item table: loaded into a never-initialised table and
// an initialised one, each row's text written to field 10, read back and written to a memo. Rows
// never hold a line break, the zero table keeps no empty or blank line, and loading the written
// memo again gives the same rows but for empty rows at the end.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <vcl/StdCtrls.h>

#include "superar.h"
#include "support/FuzzCheck.h"

namespace {

std::vector<std::string> Rows(superar::ArrayOfFiles& table, Integer field) {
    std::vector<std::string> rows;
    std::string text;
    for (Integer row = 1; row <= table.Count; ++row) {
        superar::GetFieldText(table, row, field, text, false);
        rows.push_back(text);
    }
    return rows;
}

bool Blank(const std::string& line) { return line.find_first_not_of(" \t") == std::string::npos; }

void RoundTrip(superar::ArrayOfFiles& table, TMemo& input, TMemo& output, bool keepsEmpty) {
    const Integer count = superar::LoadMemoLines(table, &input, 0);
    Check(count == table.Count);
    const std::vector<std::string> rows = Rows(table, 0);
    for (const std::string& row : rows) {
        Check(row.find_first_of("\r\n") == std::string::npos);
        if (!keepsEmpty) Check(!Blank(row));
    }
    for (Integer row = 1; row <= table.Count; ++row)
        superar::SetFieldValue(table, row, 10, Variant(rows[static_cast<std::size_t>(row - 1)]));
    Check(Rows(table, 10) == rows);

    superar::WriteFieldToMemo(table, &output, 10, false);
    superar::ArrayOfFiles again{};
    superar::InitTable(again, 0);
    superar::LoadMemoLines(again, &output, 0);
    const std::vector<std::string> reloaded = Rows(again, 0);
    Check(reloaded.size() <= rows.size() && rows.size() - reloaded.size() <= 2);
    for (std::size_t i = 0; i < rows.size(); ++i) Check(i < reloaded.size() ? reloaded[i] == rows[i] : rows[i].empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto input = MakeOwned<TMemo>(nullptr);
    auto output = MakeOwned<TMemo>(nullptr);
    input->SetText(std::string(reinterpret_cast<const char*>(data), size));

    auto zero = std::make_unique<superar::ArrayOfFiles>();
    RoundTrip(*zero, *input, *output, false);
    auto initialised_table = std::make_unique<superar::ArrayOfFiles>();
    superar::InitTable(*initialised_table, 0);
    RoundTrip(*initialised_table, *input, *output, true);
    return 0;
}
