#include "SampleControls.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "vcl/Resources.h"

VCL_IMPLEMENT_CLASS(TSwatch, VCL_CREATOR(TSwatch), nullptr)
VCL_IMPLEMENT_CLASS(TBlock, VCL_CREATOR(TBlock), nullptr)

TSwatch::TSwatch(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(0, 0, 40, 30);
    SetTabStop(true);
}

void TSwatch::Dispatch(TMessage& Message) {
    if (std::find(Watched.begin(), Watched.end(), Message.Msg) != Watched.end()) Log.push_back(Message.Msg);
    TWMKey key(Message);
    if (Message.Msg == WM_KEYDOWN) Keys.push_back("down:" + std::to_string(key.CharCode()));
    if (Message.Msg == WM_CHAR) Keys.push_back(std::string("char:") + static_cast<char>(key.CharCode()));
    if (Message.Msg == WM_KEYUP) Keys.push_back("up:" + std::to_string(key.CharCode()));
    inherited::Dispatch(Message);
}

void TSwatch::DefaultHandler(TMessage& Message) {
    if (std::find(Watched.begin(), Watched.end(), Message.Msg) != Watched.end()) DefaultLog.push_back(Message.Msg);
    inherited::DefaultHandler(Message);
}

void TSwatch::Paint() {
    ++PaintCount;
    Canvas()->Brush()->SetColor(Color());
    Canvas()->Pen()->SetColor(Font()->Color());
    Canvas()->Rectangle(ClientRect());
}

TBlock::TBlock(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 10, 10); }

void TBlock::Paint() {
    ++PaintCount;
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
}

// ---------------------------------------------------------------------------

int TSampleForm::Alive = 0;

static void PublishTSampleForm(TPublisher& p) {
    TPublishOf<TSampleForm> P(p);
    P.Field("Swatch1", &TSampleForm::Swatch1);
    P.Field("Swatch2", &TSampleForm::Swatch2);
    P.Method("FormCreate", &TSampleForm::FormCreate);
    P.Method("FormDestroy", &TSampleForm::FormDestroy);
}
VCL_IMPLEMENT_CLASS(TSampleForm, VCL_CREATOR(TSampleForm), PublishTSampleForm)

void TSampleForm::FormCreate(TObject*) {
    ++Alive;
    CreatedWithFields = Swatch1 && Swatch2 ? 1 : 0;
}

void TSampleForm::FormDestroy(TObject*) { --Alive; }

static void PublishTBrokenForm(TPublisher& p) {
    TPublishOf<TBrokenForm> P(p);
    P.Field("Swatch1", &TBrokenForm::Swatch1);
    P.Method("FormCreate", &TBrokenForm::FormCreate);
}
VCL_IMPLEMENT_CLASS(TBrokenForm, VCL_CREATOR(TBrokenForm), PublishTBrokenForm)

void TBrokenForm::FormCreate(TObject*) { ADD_FAILURE() << "OnCreate must not run when reading fails"; }

namespace {
const char kSampleForm[] = R"(object SampleForm: TSampleForm
  Left = 10
  Top = 20
  ClientWidth = 300
  ClientHeight = 200
  Caption = 'Sample'
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  object Swatch1: TSwatch
    Left = 8
    Top = 8
    Width = 50
    Height = 40
  end
  object Swatch2: TSwatch
    Left = 70
    Top = 8
    Width = 50
    Height = 40
  end
end
)";

const char kBrokenForm[] = R"(object BrokenForm: TBrokenForm
  OnCreate = FormCreate
  object Swatch1: TSwatch
    Left = 8
  end
  object Ghost1: TNoSuchControl
    Left = 8
  end
end
)";

const TResourceEntry kResources[] = {
    {"TSampleForm", "DFM", reinterpret_cast<const unsigned char*>(kSampleForm), sizeof(kSampleForm) - 1},
    {"TBrokenForm", "DFM", reinterpret_cast<const unsigned char*>(kBrokenForm), sizeof(kBrokenForm) - 1},
    {nullptr, nullptr, nullptr, 0},
};
}  // namespace

void RegisterSamples() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterClasses({TSwatch::ClassInfo(), TBlock::ClassInfo()});
    RegisterResources(kResources);
}

void FreeAllForms() {
    Application->DestroyComponents();
    Application->ProcessMessages();
}
