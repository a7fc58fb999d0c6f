#pragma once
// Unicode simple case folding, for comparisons that ignore case beyond Windows-1252.

char32_t FoldCase(char32_t CodePoint);
