#pragma once
// Windows-1252 comparisons for the string lists: bytes compare unsigned, letters fold by the code page.
#include <string_view>

int CompareText1252(std::string_view a, std::string_view b);  // case-insensitive
int CompareStr1252(std::string_view a, std::string_view b);   // case-sensitive
