#pragma once
// Windows finds a file whatever the letter case of its name, and code written for it relies on that
// (upper-cased "FILE://" addresses, shell paths). The lookups that need it go through this function;
// every other caller keeps exact names.

#include "System.h"

// FileName itself when it exists, or when some component has no entry or more than one entry matching
// it without case; otherwise the existing name whose components match FileName's without case. '\'
// separates components as '/' does; a trailing separator stays.
AnsiString CaselessPath(const AnsiString& FileName);
