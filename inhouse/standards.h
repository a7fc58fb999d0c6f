#pragma once
// Form set-up: the process-wide tables the application uses and the reading of its edit fields.

#include <array>

#include <vcl/StdCtrls.h>
#include <vcl/System.h>

#include "superar.h"

namespace standards {

// One spin button of the form and the edit it steps. Props: 1 Maximum ("" = none), 2 Minimum ("0"),
// 3 up step ("1"), 4 down step ("-1"), 5..20 free for the application.
struct SpinEntryT {
    Integer SpinIndex = 0;
    Integer EditIndex = 0;
    std::array<Variant, 21> Props;  // 1..20; element 0 unused
};

inline constexpr Integer MaxSpinEntries = 200;

struct EditWithSpinT {
    Integer Count = 0;
    std::array<SpinEntryT, MaxSpinEntries + 1> Entries;  // 1..200; element 0 unused
};

// The process-wide tables; zero at program start, as the application finds them.
superar::ArrayOfFiles& LineTable();
EditWithSpinT& SpinStore();

// The edit's number: its text cleaned to digits, one leading '-' and the first '.', read leniently
// (0.0 when nothing is left). Store is passed along but not read.
Double GetEditNumber(EditWithSpinT& Store, TEdit* EditField);

}  // namespace standards
