#pragma once
// The gradient-fill entry point of "msimg32.dll", fetched at start-up when the library has it.

#include "vcl/Windows.h"

namespace UtVCLUtils {

using TGradientFill = GRADIENTFILLPROC;

// Start-up: loads "msimg32.dll" and fetches "GradientFill"; without the entry the library is freed again
// and neither is kept.
void InitGradientFill();
// Exit: clears the entry point and frees the library when loaded.
void FreeGradientFill();
HMODULE GradientFillLibrary();
TGradientFill GradientFillEntry();

}  // namespace UtVCLUtils
