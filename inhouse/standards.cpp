#include "standards.h"

#include "valstr.h"

using namespace valstr;

namespace standards {

superar::ArrayOfFiles& LineTable() {
    static superar::ArrayOfFiles table{};
    return table;
}

EditWithSpinT& SpinStore() {
    static EditWithSpinT store{};
    return store;
}

Double GetEditNumber(EditWithSpinT&, TEdit* EditField) {
    AnsiString cleaned;
    CleanNumber(EditField->Text(), cleaned);
    return StrToFloatLenient(cleaned, 0.0);
}

}  // namespace standards
