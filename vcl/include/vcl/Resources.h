#pragma once
// Resources compiled into the binary: form descriptions (type "DFM"), bitmaps ("BMP"), cursors, the icon,
// and raw data ("RCDATA": the files of an rcdata folder).

#include <cstddef>
#include <string>
#include <string_view>

struct TResourceEntry {
    const char* Name;  // as the code names it: "TForm1", "GrdSpinUp"
    const char* Type;  // the file's extension, upper case: "DFM", "BMP", "PNG", "CUR", "ICO"
    const unsigned char* Data;
    std::size_t Size;
};

// Adds a table that ends with an entry whose Name is nullptr. Later tables win over earlier ones.
void RegisterResources(const TResourceEntry* Table);
// Name compares case-insensitively; nullptr when absent.
const TResourceEntry* FindResourceEntry(std::string_view Name, std::string_view Type);
