#pragma once
// The calculator's main window: a disk description and a list of positions in, positions as
// percent, sector, cluster or byte out.

#include <optional>

#include <vcl/Classes.h>
#include <vcl/ComCtrls.h>
#include <vcl/Controls.h>
#include <vcl/ExtCtrls.h>
#include <vcl/Forms.h>
#include <vcl/Spin.h>
#include <vcl/StdCtrls.h>

#include "ResultLines.h"

class TForm1 : public TForm {
    VCL_CLASS(TForm1, TForm)
    explicit TForm1(TComponent* AOwner);

    // Published fields, bound by name from the form description.
    TPanel* PanelDiskInfo = nullptr;
    TRadioButton* RadioButton3 = nullptr;
    TEdit* Edit4 = nullptr;
    TCheckBox* CheckBox1 = nullptr;
    TRadioButton* RadioButton2 = nullptr;
    TEdit* Edit3 = nullptr;
    TRadioButton* RadioButton1 = nullptr;
    TEdit* Edit1 = nullptr;
    TLabel* Label2 = nullptr;
    TEdit* Edit2 = nullptr;
    TRadioButton* RadioButton8 = nullptr;
    TEdit* Edit5 = nullptr;
    TLabel* Label1 = nullptr;
    TEdit* Edit6 = nullptr;
    TSpinButton* SpinButton__edit1 = nullptr;
    TSpinButton* SpinButton__edit2 = nullptr;
    TSpinButton* SpinButton__edit3 = nullptr;
    TSpinButton* SpinButton__edit4 = nullptr;
    TSpinButton* SpinButton__edit5 = nullptr;
    TSpinButton* SpinButton__edit6 = nullptr;
    TBevel* Bevel1 = nullptr;
    TBevel* Bevel2 = nullptr;
    TBevel* Bevel4 = nullptr;
    TPanel* MainPanel = nullptr;
    TPanel* PanelDisplayOptions = nullptr;
    TRadioButton* RadioButton4 = nullptr;
    TRadioButton* RadioButton5 = nullptr;
    TRadioButton* RadioButton9 = nullptr;
    TRadioButton* RadioButton10 = nullptr;
    TCheckBox* CheckBox2 = nullptr;
    TPanel* Panel1 = nullptr;
    TMemo* Memo2 = nullptr;
    TPanel* PanelFaulty = nullptr;
    TRadioButton* RadioButton6 = nullptr;
    TRadioButton* RadioButton7 = nullptr;
    TRadioButton* RadioButton11 = nullptr;
    TRadioButton* RadioButton12 = nullptr;
    TMemo* Memo1 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    TBevel* Bevel3 = nullptr;

    // Published handlers, wired by name from the form description.
    void calculatefromgb(TObject* Sender);
    void calculatefrombytes(TObject* Sender);
    void calculatefromsectors(TObject* Sender);
    void calculatefromclusters(TObject* Sender);
    void calculate(TObject* Sender);
    void EnableMe(TObject* Sender);
    void InitStart(TObject* Sender);
    void ResizeMe(TObject* Sender);
    void StatusBar1Click(TObject* Sender);

private:
    Int64 GigaUnit() const;
    bool IsBusy() const;
    // Writes Value into Edit as a whole number or a trimmed fraction, digit-grouped.
    void WriteWhole(TEdit* Edit, Double Value);
    void WriteFraction(TEdit* Edit, Double Value);
    Double FieldNumber(TEdit* Edit);

    // The choices the line table's results were last made with; none while they are not all made.
    std::optional<TPositionFormat> computedFormat_;
};

extern TForm1* Form1;
