#pragma once
// A shown form to place controls on, with the stand-in's control classes registered for form descriptions.

#include <gtest/gtest.h>

#include "vcl/ComCtrls.h"
#include "vcl/Dialogs.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/Grids.h"
#include "vcl/Mask.h"
#include "vcl/Menus.h"
#include "vcl/Spin.h"
#include "vcl/StdCtrls.h"
#include "vcl/Testing.h"

class FormFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterVclClasses(); }

    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 300);
        Testing::ShowAndActivate(form);
    }
    void TearDown() override { FreeAndNil(form); }

    // A control of class T on Parent (the form by default), at the given bounds.
    template <typename T>
    T* Place(Integer Left, Integer Top, Integer Width, Integer Height, TWinControl* Parent = nullptr) {
        T* control = new T(form);
        control->SetParent(Parent ? Parent : form);
        control->SetBounds(Left, Top, Width, Height);
        return control;
    }

    // An event handler that counts its calls.
    static TNotifyEvent Counter(int& Count) {
        return [&Count](TObject*) { ++Count; };
    }

    TForm* form = nullptr;
};
