#pragma once
// A test form with the grid's unit and its theme loader started, as the program starts them.

#include "DedIDIZ.h"
#include "ProGrid_Unit.h"
#include "support/FormFixture.h"

class GridUnitFixture : public FormFixture {
protected:
    static void SetUpTestSuite() {
        FormFixture::SetUpTestSuite();
        DedIDIZ::InitThemeLibrary();
        ProGrid::InitProGridUnit();
    }
    static void TearDownTestSuite() {
        ProGrid::DoneProGridUnit();
        DedIDIZ::FreeThemeLibrary();
    }
};
