// The program's start-up and exit sequence: units start in order and end in reverse, a failed start ends
// what had started, and the tests themselves run inside the program's units.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ProgramStart.h"
#include "online.h"
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
}

}  // namespace
