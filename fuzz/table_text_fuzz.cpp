// Arbitrary bytes as a settings text through LoadTableText, whole and line by line, with and without
// parameter mode: both loads give the same rows, each named setting is found again in its section,
// and the rows written back as lines load again as the same settings.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <vcl/SysUtils.h>

#include "superar.h"
#include "support/FuzzCheck.h"

namespace {

// Lookups scan the table once per line; a larger input only slows the replay down.
constexpr std::size_t MaxInput = 8192;

AnsiString Stored(const superar::ArrayOfFiles& Table, Integer Row, Integer Field) {
    return AnsiString(Table.Rows[static_cast<std::size_t>(Row)].Texts.Text(static_cast<std::size_t>(Field)));
}

std::vector<AnsiString> Rows(const superar::ArrayOfFiles& Table) {
    std::vector<AnsiString> rows;
    for (Integer row = 1; row <= Table.Count; ++row) {
        AnsiString parts;
        for (Integer field = superar::FieldSettingName; field <= superar::FieldSettingSectionRow; ++field)
            parts += Stored(Table, row, field) + '\x01';
        rows.push_back(parts + Stored(Table, row, superar::FieldData));
    }
    return rows;
}

std::unique_ptr<superar::ArrayOfFiles> NewTable(Byte ParamMode) {
    auto table = std::make_unique<superar::ArrayOfFiles>();
    superar::InitTable(*table, 0);
    table->ParamMode = ParamMode;
    return table;
}

// What a row says, without where and how it was written: the section as written and its row number
// follow the last section line that updated the row.
std::vector<AnsiString> Settings(const superar::ArrayOfFiles& Table) {
    std::vector<AnsiString> rows;
    for (Integer row = 1; row <= Table.Count; ++row) {
        AnsiString parts;
        for (Integer field : {superar::FieldData, superar::FieldSettingName, superar::FieldSettingValueLower,
                              superar::FieldSettingValue, superar::FieldSettingKind, superar::FieldSettingSectionLower,
                              superar::FieldSettingComment})
            parts += Stored(Table, row, field) + '\x01';
        if (Stored(Table, row, superar::FieldSettingKind) == valstr::KindSectionLine)
            parts += Stored(Table, row, superar::FieldSettingSection);
        rows.push_back(parts);
    }
    return rows;
}

bool HoldsLoneQuoteLine(const AnsiString& Value) {
    std::size_t start = 0;
    for (std::size_t end = Value.find("\r\n");; end = Value.find("\r\n", start)) {
        if (Trim(Value.substr(start, end == std::string::npos ? std::string::npos : end - start)) == "\"") return true;
        if (end == std::string::npos) return false;
        start = end + 2;
    }
}

// Writing back keeps the content unless a value holds what reading takes for a comment or for the
// end of a multi-line value.
bool WritesBack(const superar::ArrayOfFiles& Table) {
    for (Integer row = 1; row <= Table.Count; ++row) {
        const AnsiString& value = Stored(Table, row, superar::FieldSettingValue);
        if (value.find(" //") != std::string::npos || HoldsLoneQuoteLine(value)) return false;
    }
    return true;
}

void CheckRoundTrip(superar::ArrayOfFiles& table) {
    if (!WritesBack(table)) return;
    AnsiString written;
    AnsiString line;
    for (Integer row = 1; row <= table.Count; ++row) {
        superar::GetFieldText(table, row, superar::FieldSettingLine, line, false);
        written += (row > 1 ? "\r\n" : "") + line;
    }
    auto again = NewTable(table.ParamMode);
    superar::LoadTableText(*again, written, false);
    Check(Settings(*again) == Settings(table));
}

void CheckRows(superar::ArrayOfFiles& table) {
    for (Integer row = 1; row <= table.Count; ++row) {
        const AnsiString& name = Stored(table, row, superar::FieldSettingName);
        if (name.empty()) continue;
        const Integer found = superar::FindSettingRow(table, name, Stored(table, row, superar::FieldSettingSection));
        Check(found >= 1 && found <= row);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size < MaxInput ? size : MaxInput);
    for (Byte paramMode : {Byte(0), Byte(1)}) {
        auto whole = NewTable(paramMode);
        superar::LoadTableText(*whole, text, false);
        auto byLine = NewTable(paramMode);
        std::size_t start = 0;
        for (std::size_t end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
            superar::LoadTableText(*byLine, text.substr(start, end - start), false);
            start = end + 2;
        }
        superar::LoadTableText(*byLine, text.substr(start), false);
        Check(Rows(*whole) == Rows(*byLine));
        CheckRows(*whole);
        CheckRoundTrip(*whole);
    }
    return 0;
}
