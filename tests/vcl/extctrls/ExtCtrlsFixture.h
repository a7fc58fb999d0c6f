#pragma once
// A shown form to place panels, bevels, status bars and spin buttons on; pixel probes of a rendering.

#include <gtest/gtest.h>

#include <memory>

#include "vcl/ComCtrls.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/Menus.h"
#include "vcl/Spin.h"
#include "vcl/StdCtrls.h"
#include "vcl/Testing.h"

class ExtCtrlsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        RegisterStdCtrls();
        RegisterExtCtrls();
        RegisterComCtrls();
        RegisterSpin();
        RegisterMenus();
    }

    void SetUp() override {
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 400, 300);
        Testing::ShowAndActivate(form);
    }
    void TearDown() override { FreeAndNil(form); }

    template <typename T>
    T* Place(Integer Left, Integer Top, Integer Width, Integer Height, TWinControl* Parent = nullptr) {
        T* control = new T(form);
        control->SetParent(Parent ? Parent : form);
        control->SetBounds(Left, Top, Width, Height);
        return control;
    }

    static TNotifyEvent Counter(int& Count) {
        return [&Count](TObject*) { ++Count; };
    }

    // The RGB colour of a pixel of Control's rendering, and a system colour resolved the same way.
    static COLORREF PixelOf(TBitmap* Image, Integer X, Integer Y) { return ColorToRGB(Image->Canvas()->Pixels(X, Y)); }
    static COLORREF Rgb(TColor Color) { return ColorToRGB(Color); }

    static std::unique_ptr<TBitmap> Render(TWinControl* Control) {
        return std::unique_ptr<TBitmap>(Testing::RenderControl(Control));
    }

    TForm* form = nullptr;
};
