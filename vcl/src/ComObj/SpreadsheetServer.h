#pragma once
// The platform's spreadsheet automation server: .xls workbooks read with libfreexl.

#include <memory>

#include "vcl/ComObj.h"

// Members: WorkBooks (Open(FileName) gives a workbook: ActiveSheet, the first; Sheets, with Count, and
// Sheets(i) from 1; Close) and Quit. A sheet has Name, UsedRange (the box of its non-empty cells) and
// Range(Address); a range has Address and Value (a scalar for one cell, else an array [1..rows, 1..cols]
// of numbers, dates and Windows-1252 text).
std::shared_ptr<IDispatch> CreateSpreadsheetServer();
