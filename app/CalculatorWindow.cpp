#include "CalculatorWindow.h"

TForm1* Form1 = nullptr;

static void PublishTForm1(TPublisher& p) {
    TPublishOf<TForm1> P(p);
    P.Field("PanelDiskInfo", &TForm1::PanelDiskInfo);
    P.Field("RadioButton3", &TForm1::RadioButton3);
    P.Field("Edit4", &TForm1::Edit4);
    P.Field("CheckBox1", &TForm1::CheckBox1);
    P.Field("RadioButton2", &TForm1::RadioButton2);
    P.Field("Edit3", &TForm1::Edit3);
    P.Field("RadioButton1", &TForm1::RadioButton1);
    P.Field("Edit1", &TForm1::Edit1);
    P.Field("Label2", &TForm1::Label2);
    P.Field("Edit2", &TForm1::Edit2);
    P.Field("RadioButton8", &TForm1::RadioButton8);
    P.Field("Edit5", &TForm1::Edit5);
    P.Field("Label1", &TForm1::Label1);
    P.Field("Edit6", &TForm1::Edit6);
    P.Field("SpinButton__edit1", &TForm1::SpinButton__edit1);
    P.Field("SpinButton__edit2", &TForm1::SpinButton__edit2);
    P.Field("SpinButton__edit3", &TForm1::SpinButton__edit3);
    P.Field("SpinButton__edit4", &TForm1::SpinButton__edit4);
    P.Field("SpinButton__edit5", &TForm1::SpinButton__edit5);
    P.Field("SpinButton__edit6", &TForm1::SpinButton__edit6);
    P.Field("Bevel1", &TForm1::Bevel1);
    P.Field("Bevel2", &TForm1::Bevel2);
    P.Field("Bevel4", &TForm1::Bevel4);
    P.Field("MainPanel", &TForm1::MainPanel);
    P.Field("PanelDisplayOptions", &TForm1::PanelDisplayOptions);
    P.Field("RadioButton4", &TForm1::RadioButton4);
    P.Field("RadioButton5", &TForm1::RadioButton5);
    P.Field("RadioButton9", &TForm1::RadioButton9);
    P.Field("RadioButton10", &TForm1::RadioButton10);
    P.Field("CheckBox2", &TForm1::CheckBox2);
    P.Field("Panel1", &TForm1::Panel1);
    P.Field("Memo2", &TForm1::Memo2);
    P.Field("PanelFaulty", &TForm1::PanelFaulty);
    P.Field("RadioButton6", &TForm1::RadioButton6);
    P.Field("RadioButton7", &TForm1::RadioButton7);
    P.Field("RadioButton11", &TForm1::RadioButton11);
    P.Field("RadioButton12", &TForm1::RadioButton12);
    P.Field("Memo1", &TForm1::Memo1);
    P.Field("StatusBar1", &TForm1::StatusBar1);
    P.Field("Bevel3", &TForm1::Bevel3);
    P.Method("calculatefromgb", &TForm1::calculatefromgb);
    P.Method("calculatefrombytes", &TForm1::calculatefrombytes);
    P.Method("calculatefromsectors", &TForm1::calculatefromsectors);
    P.Method("calculatefromclusters", &TForm1::calculatefromclusters);
    P.Method("calculate", &TForm1::calculate);
    P.Method("EnableMe", &TForm1::EnableMe);
    P.Method("InitStart", &TForm1::InitStart);
    P.Method("ResizeMe", &TForm1::ResizeMe);
    P.Method("StatusBar1Click", &TForm1::StatusBar1Click);
}

VCL_IMPLEMENT_CLASS(TForm1, VCL_CREATOR(TForm1), PublishTForm1)

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner) {}

// The size derivations, the result list, the enabling and the start-up wiring come with the
// in-house library they stand on; until then the window shows its controls and does nothing.
void TForm1::calculatefromgb(TObject*) {}
void TForm1::calculatefrombytes(TObject*) {}
void TForm1::calculatefromsectors(TObject*) {}
void TForm1::calculatefromclusters(TObject*) {}
void TForm1::calculate(TObject*) {}
void TForm1::EnableMe(TObject*) {}
void TForm1::InitStart(TObject*) {}
void TForm1::ResizeMe(TObject*) {}
void TForm1::StatusBar1Click(TObject*) {}
