#pragma once
// Standard controls are placed on the shared test form.

#include "support/FormFixture.h"

using StdCtrlsTest = FormFixture;
