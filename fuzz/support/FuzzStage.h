#pragma once
// The shown form that a grid target parents its grids to: made once, it lives with the process, as the
// program's forms do.
#include "vcl/Forms.h"
#include "vcl/Testing.h"

namespace fuzzstage {

inline TForm& Stage() {
    static TForm* form = [] {
        auto* made = new TForm(nullptr);
        made->SetBounds(0, 0, 400, 300);
        Testing::ShowAndActivate(made);
        return made;
    }();
    return *form;
}

}  // namespace fuzzstage
