#pragma once
// The overlay of a native widget's peer: what the control draws itself over the widget (TQtPeer::PaintNative).

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
    TSurface Image;          // transparent where the control drew nothing
    QPointer<QWidget> View;  // shows Image above the widget and its own parts
    QRegion Pending;
    QRegion Drawn;
};
