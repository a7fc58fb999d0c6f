#pragma once
// The cell checker a grid can be given as its CellChecker: a component whose descendants correct and check
// the texts typed into cells. This base changes nothing.

#include "vcl/Classes.h"

namespace grdcheck {

class RAdeRedeviDidiCheck : public TComponent {
    VCL_CLASS(RAdeRedeviDidiCheck, TComponent)
    explicit RAdeRedeviDidiCheck(TComponent* AOwner) : TComponent(AOwner) {}

    // Correct runs on an edited text before the grid validates it (with AutoCorrect), Check after (with
    // AutoCheck); each gives the text back as it should stand.
    virtual AnsiString Correct(const AnsiString& Value) { return Value; }
    virtual AnsiString Check(const AnsiString& Value) { return Value; }
    // Around a check of many cells.
    virtual void StartCheck() {}
    virtual void StopCheck() {}

    bool AutoCorrect() const { return autoCorrect_; }
    void SetAutoCorrect(bool Value) { autoCorrect_ = Value; }
    bool AutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool Value) { autoCheck_ = Value; }

private:
    bool autoCorrect_ = false;
    bool autoCheck_ = false;
};

}  // namespace grdcheck
