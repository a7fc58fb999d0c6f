// The program's start-up and exit sequence: units start in order and end in reverse, a failed start ends
// what had started, and the tests themselves run inside the program's units.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "DedIDIZ.h"
#include "GrdHTMLE.h"
#include "GrdUni.h"
#include "PEBXPVS.h"
#include "ProEddd.h"
#include "ProEdit_Unit.h"
#include "ProGrid.h"
#include "ProGrid_Unit.h"
#include "ProgramStart.h"
#include "UtCRC32.h"
#include "UtTools.h"
#include "UtUxTheme.h"
#include "UtVCLUtils.h"
#include "Varpre.h"
#include "dater.h"
#include "grddd.h"
#include "online.h"
#include "vcl/ActiveX.h"
#include "vcl/Forms.h"
#include "vcl/Resources.h"

namespace {

std::vector<std::string>& Steps() {
    static std::vector<std::string> steps;
    return steps;
}

template <char Unit>
void Start() {
    Steps().push_back(std::string("start ") + Unit);
}
template <char Unit>
void End() {
    Steps().push_back(std::string("end ") + Unit);
}
void FailToStart() { throw Exception("cannot start"); }
void FailToEnd() { throw Exception("cannot end"); }

TEST(UnitSequence, StartsInOrderEndsInReverseAndAFailedStartEndsWhatHadStarted) {
    struct Row {
        const char* Case;
        std::vector<TUnitSteps> Units;
        std::vector<std::string> Steps;
        bool Fails;
        std::string Reported;  // on stderr
    };
    const Row rows[] = {
        {"every unit starts and ends",
         {{Start<'a'>, End<'a'>}, {Start<'b'>, nullptr}, {nullptr, End<'c'>}, {Start<'d'>, End<'d'>}},
         {"start a", "start b", "start d", "end d", "end c", "end a"},
         false,
         ""},
        {"a failed start ends the started units and starts no more",
         {{Start<'a'>, End<'a'>}, {Start<'b'>, End<'b'>}, {FailToStart, End<'c'>}, {Start<'d'>, End<'d'>}},
         {"start a", "start b", "end b", "end a"},
         true,
         ""},
        {"a failed first start ends nothing", {{FailToStart, End<'a'>}, {Start<'b'>, End<'b'>}}, {}, true, ""},
        {"a failed exit is reported and the other exits run",
         {{Start<'a'>, End<'a'>}, {Start<'b'>, FailToEnd}, {Start<'c'>, End<'c'>}},
         {"start a", "start b", "start c", "end c", "end a"},
         false,
         "cannot end\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Case);
        Steps().clear();
        ::testing::internal::CaptureStderr();
        bool failed = false;
        try {
            const TUnitSequence units(row.Units);
        } catch (const Exception& e) {
            failed = true;
            EXPECT_EQ(e.Message(), "cannot start");
        }
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), row.Reported);
        EXPECT_EQ(failed, row.Fails);
        EXPECT_EQ(Steps(), row.Steps);
    }
}

TEST(ProgramUnits, TheTestsRunInsideTheProgramsUnits) {
    ASSERT_NE(Application, nullptr);
    ASSERT_NE(Screen, nullptr);
    EXPECT_NE(FindResourceEntry("TForm1", "DFM"), nullptr) << "the calculator's resources";
    EXPECT_NE(GetClass("TForm1"), nullptr);
    EXPECT_NE(GetClass("TGradBtn"), nullptr);
    constexpr Word ReservedBit = 0x0040;  // reads back as set on the x87
    EXPECT_EQ(Get8087CW() & ~ReservedBit, online::OnlineControlWord) << "the browser unit's control word";
    // The grid's units.
    EXPECT_TRUE(DedIDIZ::ThemeLibraryLoaded());
    EXPECT_NE(GrdUni::TrapAtom(), 0);
    EXPECT_TRUE(GrdHTMLE::XPFlag());
    EXPECT_NE(GetClass("RAdeRedeviDidi"), nullptr);
    EXPECT_TRUE(ProGrid::CommonControlsFlag());
    EXPECT_EQ(ProGrid::GridClipboardFormat(), RegisterClipboardFormat("RAdeRedeviDidi Cells"));
    EXPECT_EQ(OleInitialize(nullptr), S_FALSE) << "OLE held by the grid's and the edits' units";
    OleUninitialize();
}

TEST(ProgramUnits, EachUnitStartsAndEndsOnceInTheOverviewsOrder) {
    struct Row {
        const char* Unit;
        TUnitSteps Steps;
    };
    const Row rows[] = {
        {"character sets and case tables", {Varpre::InitVarpreTables, nullptr}},
        {"date names", {dater::InitDaterTables, nullptr}},
        {"the grid's theme entry points", {DedIDIZ::InitThemeLibrary, DedIDIZ::FreeThemeLibrary}},
        {"the Unicode layer", {GrdUni::InitGrdUniUnit, GrdUni::DoneGrdUniUnit}},
        {"the mark-up unit's XP flag", {GrdHTMLE::InitGrdHTMLE, GrdHTMLE::DoneGrdHTMLE}},
        {"the grid unit", {ProGrid::InitProGridUnit, ProGrid::DoneProGridUnit}},
        {"the grid's drag and drop", {nullptr, grddd::FinalizeGrddd}},
        {"the edits' drag and drop", {nullptr, ProEddd::FinalizeProEddd}},
        {"the edit unit", {ProEdit::InitProEditUnit, ProEdit::DoneProEditUnit}},
        {"the edits' theme loader", {PEBXPVS::InitThemeLibrary, PEBXPVS::FreeThemeLibrary}},
        {"the second theme loader", {UtUxTheme::InitThemeLibrary, UtUxTheme::FreeThemeLibrary}},
        {"the CRC-32 table", {UtCRC32::InitCRC32Table, nullptr}},
        {"system flags and the message pump", {UtTools::InitTools, UtTools::DoneTools}},
        {"the gradient fill", {UtVCLUtils::InitGradientFill, UtVCLUtils::FreeGradientFill}},
        {"the browser unit", {online::InitOnlineUnit, nullptr}},
    };
    const std::span<const TUnitSteps> program = ProgramUnitSteps();
    const auto find = [&](const TUnitSteps& steps) {
        std::vector<std::size_t> at;
        for (std::size_t i = 0; i < program.size(); ++i)
            if (program[i].Start == steps.Start && program[i].End == steps.End) at.push_back(i);
        return at;
    };
    std::size_t previous = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Unit);
        const std::vector<std::size_t> at = find(row.Steps);
        ASSERT_EQ(at.size(), 1u) << "one entry, holding both steps";
        EXPECT_GT(at[0], previous) << "after the unit above it";
        previous = at[0];
        // No other entry repeats either step.
        for (const TUnitSteps& other : program) {
            if (other.Start == row.Steps.Start && other.End == row.Steps.End) continue;
            if (row.Steps.Start) {
                EXPECT_NE(other.Start, row.Steps.Start);
            }
            if (row.Steps.End) {
                EXPECT_NE(other.End, row.Steps.End);
            }
        }
    }
}

}  // namespace
