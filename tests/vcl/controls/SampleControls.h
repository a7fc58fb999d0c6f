#pragma once
// Small controls built on the framework the way every control is: a TCustomControl that paints itself
// and logs the messages it sees, and a graphic control that paints a block on its parent.

#include <string>
#include <vector>

#include "vcl/Controls.h"
#include "vcl/Forms.h"
#include "vcl/Testing.h"

#include <gtest/gtest.h>

// A windowed control filled with its Color, a frame in Font.Color; it logs every message it dispatches.
class TSwatch : public TCustomControl {
    VCL_CLASS(TSwatch, TCustomControl)
    explicit TSwatch(TComponent* AOwner);

    std::vector<UINT> Log;          // messages in dispatch order
    std::vector<UINT> DefaultLog;   // messages that reached DefaultHandler
    std::vector<std::string> Keys;  // "down:65", "char:a", "up:65"
    int PaintCount = 0;
    std::vector<UINT> Watched;  // only these are logged (empty: none)

    void Dispatch(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;

protected:
    void Paint() override;
};

// A graphic control: a solid block of its Color.
class TBlock : public TGraphicControl {
    VCL_CLASS(TBlock, TGraphicControl)
    explicit TBlock(TComponent* AOwner);
    int PaintCount = 0;

protected:
    void Paint() override;
};

// A form class with a description of its own, registered for the reader.
class TSampleForm : public TForm {
    VCL_CLASS(TSampleForm, TForm)
    explicit TSampleForm(TComponent* AOwner) : TForm(AOwner) {}

    TSwatch* Swatch1 = nullptr;
    TSwatch* Swatch2 = nullptr;
    int CreatedWithFields = -1;  // OnCreate saw both fields set: 1
    static int Alive;            // instances in existence

    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
};

// A form whose description names a class that does not exist.
class TBrokenForm : public TForm {
    VCL_CLASS(TBrokenForm, TForm)
    explicit TBrokenForm(TComponent* AOwner) : TForm(AOwner) {}
    TSwatch* Swatch1 = nullptr;
    void FormCreate(TObject* Sender);
};

// Registers the sample classes and the descriptions once.
void RegisterSamples();

// Frees what the application owns, so every test starts without forms.
void FreeAllForms();

// A shown form with two swatches side by side, the first at Left 10 and the second at Left 60.
class TwoSwatchForm : public ::testing::Test {
protected:
    void SetUp() override {
        form = new TForm(Application);
        form->SetBounds(0, 0, 300, 200);
        first = Add(10);
        second = Add(60);
        Testing::ShowAndActivate(form);
    }
    void TearDown() override { FreeAllForms(); }

    TSwatch* Add(Integer left) {
        auto* s = new TSwatch(form);
        s->SetParent(form);
        s->SetLeft(left);
        return s;
    }

    TForm* form = nullptr;
    TSwatch* first = nullptr;
    TSwatch* second = nullptr;
};
