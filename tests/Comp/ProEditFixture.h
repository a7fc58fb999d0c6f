#pragma once
// A shown form with typed edits on it; the locale's separators are put back after each test.

#include "ProEdit.h"
#include "support/EventCounter.h"
#include "support/FormFixture.h"
#include "support/InputSimulator.h"

class ProEditFixture : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        savedDecimal = DecimalSeparator;
        savedThousand = ThousandSeparator;
    }
    void TearDown() override {
        DecimalSeparator = savedDecimal;
        ThousandSeparator = savedThousand;
        FormFixture::TearDown();
    }

    // A typed edit on the form, with a plain edit after it to take the focus on Tab.
    ProEdit::TProEdit* Edit(ProEdit::TProEditType Type = ProEdit::etString) {
        auto* edit = Place<ProEdit::TProEdit>(10, 10 + 30 * placed, 150, 24);
        ++placed;
        edit->SetEditType(Type);
        if (!next) next = Place<TEdit>(200, 10, 150, 24);
        return edit;
    }
    // The edit gets the focus as a user gives it: by Tab.
    static void Focus(ProEdit::TProEdit* Edit) { Input::TabTo(Edit); }
    // What the window shows: Prefix + value + Suffix.
    static AnsiString Shown(ProEdit::TProEdit* Edit) { return Edit->TCustomEdit::Text(); }

    char savedDecimal = '.';
    char savedThousand = ',';
    TEdit* next = nullptr;
    int placed = 0;
};
