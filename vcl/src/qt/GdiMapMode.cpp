// The mapping mode: logical units are device pixels, always.
#include "qt/GdiObjects.h"

int GetMapMode(HDC hdc) { return DcCanvas(hdc) ? MM_TEXT : 0; }

int SetMapMode(HDC hdc, int iMode) { return DcCanvas(hdc) && iMode == MM_TEXT ? MM_TEXT : 0; }
