#pragma once
// The windowing system's file-open dialog (vcl/src/qt/OpenDialogQt.cpp).

#include <vector>

#include "vcl/Dialogs.h"

struct TOpenDialogAnswer {
    std::vector<AnsiString> FileNames;  // empty: cancelled
    Integer FilterIndex = 0;            // 1-based; 0: as it was
};

TOpenDialogAnswer ShowOpenDialog(const Testing::TRecordedOpenDialog& Request);
