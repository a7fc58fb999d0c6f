#include "ProgramStart.h"

#include <cstdio>
#include <exception>
#include <string>

#include <vcl/Forms.h>
#include <vcl/Resources.h>

#include "CalculatorWindow.h"
#include "DedIDIZ.h"
#include "GPanel.h"
#include "GradBtn.h"
#include "GrdHTMLE.h"
#include "GrdUni.h"
#include "easypanel.h"
#include "standards.h"
#include "Varpre.h"
#include "dater.h"
#include "gauge.h"
#include "online.h"
#include "PEBXPVS.h"
#include "PictureContainer.h"
#include "ProGrid_Unit.h"
#include "grddd.h"
#include "ProEddd.h"
#include "ProEdit_Unit.h"
#include "UtCRC32.h"
#include "UtTools.h"
#include "UtUxTheme.h"
#include "UtVCLUtils.h"

extern const TResourceEntry HalcyraResources[];

namespace {

void RegisterCalculator() {
    RegisterResources(HalcyraResources);
    RegisterClass(TForm1::ClassInfo());
}

// The program's units in unit order; their exits run in reverse.
constexpr TUnitSteps ProgramUnits[] = {
    {InitForms, DoneForms},               // Screen and Application
    {RegisterVclClasses, nullptr},        // the stand-in's control classes
    {Varpre::InitVarpreTables, nullptr},  // character sets and case tables
    {dater::InitDaterTables, nullptr},    // month, weekday and zodiac names
    {GradBtn::RegisterGradBtn, nullptr},
    {GPanel::RegisterGPanel, nullptr},
    {gauge::InitGaugeUnit, nullptr},          // the progress window's description and class
    {nullptr, easypanel::FinalizeEasyPanel},  // the two panel managers
    // The grid's units start here.
    {PictureContainer::RegisterPictureContainer, nullptr},   // descriptions may hold a picture container
    {DedIDIZ::InitThemeLibrary, DedIDIZ::FreeThemeLibrary},  // the grid's theme entry points
    {GrdUni::InitGrdUniUnit, GrdUni::DoneGrdUniUnit},        // the wide compare function and the trap's atom
    {GrdHTMLE::InitGrdHTMLE, GrdHTMLE::DoneGrdHTMLE},        // the mark-up unit's XP flag
    // BaseGrid's start and exit only count its references: no step.
    {ProGrid::InitProGridUnit, ProGrid::DoneProGridUnit},  // OLE, the grid class, the controls flag, the format
    {nullptr, grddd::FinalizeGrddd},                       // the column and rich-text formats and the switch
    // The edit controls' units; ProEdBtn and ProDirectoryEdit have no steps.
    {nullptr, ProEddd::FinalizeProEddd},                     // the rich-text format and switch
    {ProEdit::InitProEditUnit, ProEdit::DoneProEditUnit},    // OLE
    {PEBXPVS::InitThemeLibrary, PEBXPVS::FreeThemeLibrary},  // the edits' theme loader
    {nullptr, standards::FinalizeStandards},                 // the form set-up's tables and its progress timer
    // The edit controls' support units; the theme-schema unit and UtXPThemedControl have no steps.
    {UtUxTheme::InitThemeLibrary, UtUxTheme::FreeThemeLibrary},  // the second theme loader
    {UtCRC32::InitCRC32Table, nullptr},
    {UtTools::InitTools, UtTools::DoneTools},  // system flags and the message pump
    {UtVCLUtils::InitGradientFill, UtVCLUtils::FreeGradientFill},
    {online::InitOnlineUnit, nullptr},  // every floating-point exception masked
    {RegisterCalculator, nullptr},      // the main window's class and description
    // The program's end: its forms go before any unit's exit.
    {nullptr, DoneApplication},
};

// The System unit's start: the command line is taken before any other unit starts.
std::span<const TUnitSteps> AfterCommandLine(int argc, char** argv) {
    InitCommandLine(argc, argv);
    return ProgramUnits;
}

}  // namespace

std::span<const TUnitSteps> ProgramUnitSteps() { return ProgramUnits; }

void PrintFailure() noexcept {
    if (!std::current_exception()) return;
    std::string text = "Unknown exception";
    try {
        throw;
    } catch (const std::exception& e) {
        text = e.what();
    } catch (...) {
    }
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    std::fprintf(stderr, "%s\n", text.c_str());
}

TUnitSequence::TUnitSequence(std::span<const TUnitSteps> Units) : units_(Units) {
    try {
        for (; started_ < units_.size(); ++started_)
            if (units_[started_].Start) units_[started_].Start();
    } catch (...) {
        EndStarted();
        throw;
    }
}

TUnitSequence::~TUnitSequence() { EndStarted(); }

void TUnitSequence::EndStarted() noexcept {
    while (started_ > 0) {
        const TUnitSteps& unit = units_[--started_];
        if (!unit.End) continue;
        try {
            unit.End();
        } catch (...) {
            PrintFailure();
        }
    }
}

TProgramUnits::TProgramUnits(int argc, char** argv) : TUnitSequence(AfterCommandLine(argc, argv)) {}

int RunProgram(int argc, char** argv, const std::function<int()>& Body) {
    try {
        const TProgramUnits units(argc, argv);
        return Body();
    } catch (...) {
        PrintFailure();
        return 1;
    }
}

void CreateCalculatorWindow() { Application->CreateForm(Form1); }

int RunCalculator() {
    Application->Initialize();
    CreateCalculatorWindow();
    Application->Run();
    return 0;
}
