#pragma once
// The overlay of a native widget's peer: what the control draws itself over the widget (TQtPeer::PaintNative).

#include <memory>

#include <QPointer>
#include <QRegion>
#include <QWidget>

#include "qt/Peer.h"
#include "qt/Surface.h"

struct TQtPeer::TOverlayState {
    TOverlayState(QWidget* Widget, int Width, int Height);
    ~TOverlayState();
    TOverlayState(const TOverlayState&) = delete;
    TOverlayState& operator=(const TOverlayState&) = delete;

    bool Painting = false;   // the control's paint messages run
    bool Rendering = false;  // a copy of the widget is made (RenderTo): what is pending is painted for it
    int Quiet = 0;           // the widget paints for a probe: the control takes no part
    TSurface Image;          // transparent where the control drew nothing
    QPointer<QWidget> View;  // shows Image above the widget and its own parts
    QRegion Pending;
    QRegion Drawn;
    // What the control's own erase draws beneath the widget, and the device context it draws with.
    std::unique_ptr<TSurface> Beneath;
    std::unique_ptr<TCanvas> BeneathCanvas;
    bool NativeErase = false;      // the erase reached the widget's own handling
    bool TransparentBase = false;  // the widget's text goes on what lies beneath, without a base
};
