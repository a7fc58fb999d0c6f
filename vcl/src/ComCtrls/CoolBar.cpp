// TCoolBar: a top-aligned container for tool controls, painted as a raised strip.
#include "vcl/ComCtrls.h"
#include "vcl/ExtCtrls.h"

VCL_IMPLEMENT_CLASS(TCoolBar, VCL_CREATOR(TCoolBar), nullptr)

TCoolBar::TCoolBar(TComponent* AOwner) : TCustomControl(AOwner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls} - TControlStyle{csSetCaption});
    SetBounds(0, 0, 150, 75);
    SetColor(clBtnFace);
    SetAlign(alTop);
}

void TCoolBar::Paint() {
    TCanvas* canvas = Canvas();
    TRect rect = ClientRect();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(rect);
    Frame3D(canvas, rect, clBtnHighlight, clBtnShadow, 1);
}
