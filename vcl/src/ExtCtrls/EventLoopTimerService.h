#pragma once
// The timer service that runs on the application's event loop (vcl/src/qt/TimerQt.cpp).

#include "vcl/ExtCtrls.h"

TTimerService& EventLoopTimerService();
