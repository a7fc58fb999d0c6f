#pragma once
// A test form. The grid's units run already: the test main starts them with the program's units.

#include "support/FormFixture.h"

using GridUnitFixture = FormFixture;
