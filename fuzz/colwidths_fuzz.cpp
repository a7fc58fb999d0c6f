// Arbitrary bytes as the INI file or the registry store a grid loads its column widths from: every
// column gets the width stored for it when that is an integer (REG_DWORD, or text that spells one),
// else DefaultColWidth, and nothing raises. The first byte picks the store (even: INI, odd: registry).
#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>

#include "ProGrid.h"
#include "support/SettingsFiles.h"
#include "vcl/IniFiles.h"
#include "vcl/Registry.h"
#include "vcl/SysUtils.h"

namespace {

using namespace fuzzsettings;

constexpr Integer Columns = 6;
constexpr const char* RegistryKey = "Software\\Halcyra\\Grid";

// What the store holds for the column, read apart from the grid; Default when it holds no integer.
Integer Expected(bool Registry, Integer ACol, Integer Default) {
    const std::string name = "Col" + std::to_string(ACol);
    if (!Registry) {
        Integer value = 0;
        const AnsiString text = TIniFile("widths.ini").ReadString("Widths", name, "");
        return TryStrToInt(text, value) ? value : Default;
    }
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(RegistryKey) + "\\Widths").c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return Default;
    DWORD type = REG_NONE, size = 0;
    std::string data;
    Integer result = Default;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        data.assign(size, '\0');
        RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
        Integer value = 0;
        if (type == REG_DWORD && size == 4) {
            std::uint32_t dword = 0;
            std::copy_n(data.data(), 4, reinterpret_cast<char*>(&dword));
            result = static_cast<Integer>(dword);
        } else if ((type == REG_SZ || type == REG_EXPAND_SZ) && size < 64 &&
                   TryStrToInt(AnsiString(data.c_str()), value)) {
            result = value;
        }
    }
    RegCloseKey(key);
    return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    if (Size == 0) return 0;
    static const bool folder = (SetRegistryFolderForTest(Folder()), true);
    (void)folder;
    const bool registry = (Data[0] & 1) != 0;
    const std::string bytes(reinterpret_cast<const char*>(Data) + 1, Size - 1);
    std::ofstream(Folder() + (registry ? "/registry" : "/widths.ini"), std::ios::binary | std::ios::trunc) << bytes;

    auto grid = MakeOwned<ProGrid::RAdeRedeviDidi>(nullptr);
    grid->SetColCount(Columns);
    for (Integer c = 0; c < Columns; ++c) grid->SetColWidths(c, 7);
    grid->ColumnSize()->SetLocation(registry ? ProGrid::clRegistry : ProGrid::clIniFile);
    grid->ColumnSize()->SetKey(registry ? RegistryKey : "widths.ini");
    grid->ColumnSize()->SetSection("Widths");
    grid->LoadColWidths();
    for (Integer c = 0; c < Columns; ++c)
        Check(grid->ColWidths(c) == std::max(0, Expected(registry, c, grid->DefaultColWidth())));
    return 0;
}
