#include "CalculatorWindow.h"

#include <initializer_list>

#include <vcl/ScopeGuard.h>

#include "ComponentHandling.h"
#include "ResultLines.h"
#include "easypanel.h"
#include "online.h"
#include "standards.h"
#include "superar.h"
#include "valstr.h"

using namespace ComponentHandling;
using namespace easypanel;
using namespace standards;
using namespace superar;
using namespace valstr;

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

namespace {

// Set while a size handler writes the derived fields, so their OnChange handlers stand aside; each
// handler sets it through a guard, so an error cannot leave the calculator deaf to later changes.
Byte BusyFlag = 0;

Double TextNumber(TEdit* Edit) { return StrToFloatLenient(Edit->Text(), 0.0); }

}  // namespace

Int64 TForm1::GigaUnit() const { return Form1->CheckBox1->Checked() ? 1073741824 : 1000000000; }

bool TForm1::IsBusy() const { return BusyFlag != 0; }

Double TForm1::FieldNumber(TEdit* Edit) { return GetEditNumber(SpinStore(), Edit); }

void TForm1::WriteWhole(TEdit* Edit, Double Value) {
    AnsiString text, grouped;
    FloatToStrDec(0, text, Value);
    GroupDigits(text, 0, grouped);
    Edit->SetText(grouped);
}

void TForm1::WriteFraction(TEdit* Edit, Double Value) {
    AnsiString text, grouped;
    FloatToStrTrim(text, Value);
    GroupDigits(text, 0, grouped);
    Edit->SetText(grouped);
}

// Each size handler reads every input when it needs it: a field written earlier in the same
// handler is read back from its new text.
void TForm1::calculatefromgb(TObject* Sender) {
    if (IsBusy()) return;
    {
        const TValueGuard busy(BusyFlag, Byte{1});
        Double giga = static_cast<Double>(GigaUnit());
        WriteWhole(Edit3, FieldNumber(Edit4) * giga);
        WriteWhole(Edit1, FieldNumber(Edit3) / FieldNumber(Edit2) + 1);
        WriteWhole(Edit5, FieldNumber(Edit3) / FieldNumber(Edit6) + 1);
    }
    calculate(Sender);
}

void TForm1::calculatefrombytes(TObject* Sender) {
    if (IsBusy()) return;
    {
        const TValueGuard busy(BusyFlag, Byte{1});
        Double giga = static_cast<Double>(GigaUnit());
        WriteFraction(Edit4, FieldNumber(Edit3) / giga);
        WriteWhole(Edit1, FieldNumber(Edit3) / FieldNumber(Edit2) + 1);
        WriteWhole(Edit5, FieldNumber(Edit3) / FieldNumber(Edit6) + 1);
    }
    calculate(Sender);
}

void TForm1::calculatefromsectors(TObject* Sender) {
    if (IsBusy()) return;
    {
        const TValueGuard busy(BusyFlag, Byte{1});
        Double giga = static_cast<Double>(GigaUnit());
        WriteFraction(Edit3, FieldNumber(Edit1) * FieldNumber(Edit2));
        WriteFraction(Edit4, FieldNumber(Edit3) / giga);
        WriteWhole(Edit5, FieldNumber(Edit3) / FieldNumber(Edit6) + 1);
    }
    calculate(Sender);
}

void TForm1::calculatefromclusters(TObject* Sender) {
    if (IsBusy()) return;
    {
        const TValueGuard busy(BusyFlag, Byte{1});
        Double giga = static_cast<Double>(GigaUnit());
        WriteFraction(Edit3, FieldNumber(Edit5) * FieldNumber(Edit6));
        WriteWhole(Edit1, FieldNumber(Edit3) / FieldNumber(Edit2) + 1);
        WriteFraction(Edit4, FieldNumber(Edit3) / giga);
    }
    calculate(Sender);
}

void TForm1::calculate(TObject*) {
    if (IsBusy()) return;
    for (TEdit* edit : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6})
        if (!(TextNumber(edit) > 0.0)) return;

    Double disk = 0.0;
    if (IsCheckedAndEnabled(RadioButton1)) disk = TextNumber(Edit1) * TextNumber(Edit2);
    else if (IsCheckedAndEnabled(RadioButton2)) disk = TextNumber(Edit3);
    else if (IsCheckedAndEnabled(RadioButton3)) disk = TextNumber(Edit4) * static_cast<Double>(GigaUnit());
    else if (IsCheckedAndEnabled(RadioButton8)) disk = TextNumber(Edit5) * TextNumber(Edit6);
    if (!(disk > 0.0)) return;

    // The choices and the two unit sizes are the same for every line: read them once.
    TPositionFormat format;
    format.DiskSize = disk;
    format.SectorSize = TextNumber(Edit2);
    format.ClusterSize = TextNumber(Edit6);
    if (IsCheckedAndEnabled(RadioButton6)) format.Unit = TPositionUnit::Byte;
    else if (IsCheckedAndEnabled(RadioButton7)) format.Unit = TPositionUnit::Sector;
    else if (IsCheckedAndEnabled(RadioButton11)) format.Unit = TPositionUnit::Cluster;
    else if (IsCheckedAndEnabled(RadioButton12)) format.Unit = TPositionUnit::Percent;
    if (IsCheckedAndEnabled(RadioButton4)) format.Display = TResultDisplay::Percent;
    else if (IsCheckedAndEnabled(RadioButton5)) format.Display = TResultDisplay::Sector;
    else if (IsCheckedAndEnabled(RadioButton9)) format.Display = TResultDisplay::Cluster;
    else if (IsCheckedAndEnabled(RadioButton10)) format.Display = TResultDisplay::Byte;
    format.SplitNumbers = CheckBox2->Checked();

    // A keystroke changes a line or a few: the other rows keep the results made with the same choices.
    superar::ArrayOfFiles& table = LineTable();
    Integer first = 1, last = 0;
    if (computedFormat_ == format) {
        ReloadMemoLines(table, Memo1, 0, 10, first, last);
    } else {
        last = LoadMemoLines(table, Memo1, 0);
    }
    computedFormat_.reset();
    TResultLineWriter writer(format);
    AnsiString line, result;
    for (Integer row = first; row <= last; ++row) {
        GetFieldText(table, row, 0, line, false);
        writer.Write(line, result);
        SetFieldText(table, row, 10, result);  // SetFieldValue of a text, without the Variant
    }
    computedFormat_ = format;
    WriteFieldToMemo(table, Memo2, 10, false);
}

// Only the fields of the chosen description can be edited; the others are outputs.
void TForm1::EnableMe(TObject* Sender) {
    for (TControl* target : std::initializer_list<TControl*>{Edit1, Edit2, SpinButton__edit1, SpinButton__edit2})
        EnableByCheck(target, RadioButton1);
    EnableByCheck(CheckBox1, RadioButton3);
    EnableByCheck(Edit3, RadioButton2);
    EnableByCheck(SpinButton__edit3, RadioButton2);
    EnableByCheck(Edit4, RadioButton3);
    EnableByCheck(SpinButton__edit4, RadioButton3);
    for (TControl* target : std::initializer_list<TControl*>{Edit5, Edit6, SpinButton__edit5, SpinButton__edit6})
        EnableByCheck(target, RadioButton8);
    ApplyEnabledLookMainForm();
    calculate(Sender);
}

// The status bar links to the maker's web page.
void TForm1::StatusBar1Click(TObject*) { online::OpenUrl("https://halcyra.example/"); }

// The window's final look: colours, version, the form set-up with its panel managers, the managed
// panels, the enabling, the spin-button minima and the first derivation.
void TForm1::InitStart(TObject* Sender) {
    SetDigitGroupSeparator("'");
    SetVersionText("1.0");
    PanelDiskInfo->SetColor(0xCDEBFF);
    PanelFaulty->SetColor(0xF9EBD9);
    PanelDisplayOptions->SetColor(0xB1D3F1);
    TControl* anchor = Memo2;
    SetupStandardForm(anchor, true);
    AddPanel(FormManager(), PanelFaulty, "100", true);
    SetPanelList(FormManager(), "PanelDiskInfo,PanelFaulty", true);
    EnableMe(Sender);
    for (const char* edit : {"edit2", "edit6", "edit5", "edit1", "edit3"})
        SetEditProp(SpinStore(), edit, SpinPropMinimum, Variant("1"));
    calculatefromgb(Sender);
}

// The input memo keeps an 8-pixel margin inside its panel; the result memo fills its panel.
void TForm1::ResizeMe(TObject*) {
    StretchToParent(Memo1, 8, true);
    StretchToParent(Memo2, 0, true);
}
