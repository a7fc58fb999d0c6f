// The exception boundary with Qt: what an entry from the event loop lets escape is reported through
// Application->HandleException, and HandleException itself never lets anything out.

#include <gtest/gtest.h>

#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/Testing.h"

namespace {

class ExceptionBoundary : public ::testing::Test {
protected:
    void SetUp() override { Testing::RecordedMessageBoxes().clear(); }
    void TearDown() override {
        Application->OnException = nullptr;
        Testing::RecordedMessageBoxes().clear();
    }

    static std::vector<AnsiString> ShownTexts() {
        std::vector<AnsiString> texts;
        for (const auto& box : Testing::RecordedMessageBoxes()) texts.push_back(box.Text);
        return texts;
    }
};

TEST_F(ExceptionBoundary, AFailingOnExceptionHasItsOwnFailureShownAndHandleExceptionDoesNotThrow) {
    struct Row {
        const char* Case;
        TExceptionEvent Handler;
        std::vector<AnsiString> Shown;
    };
    const Row rows[] = {
        {"handler raises", [](TObject*, Exception*) { throw EConvertError("Handler failed"); }, {"Handler failed."}},
        {"handler raises a foreign exception", [](TObject*, Exception*) { throw 42; }, {"Unknown exception."}},
        {"handler rethrows what it was given", [](TObject*, Exception*) { throw; }, {"Tick failed."}},
        {"handler aborts silently", [](TObject*, Exception*) { Abort(); }, {}},
        {"handler shows the message itself",
         [](TObject*, Exception* E) { Application->ShowException(E); },
         {"Tick failed."}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Case);
        Testing::RecordedMessageBoxes().clear();
        Application->OnException = row.Handler;
        try {
            throw Exception("Tick failed");
        } catch (...) {
            EXPECT_NO_THROW(Application->HandleException(nullptr));
        }
        EXPECT_EQ(ShownTexts(), row.Shown);
    }
}

// A tick of the event loop's timer service is an entry from Qt: its exception is shown and the loop goes on,
// even when OnException fails as well.
TEST_F(ExceptionBoundary, AnExceptionFromAnEventLoopTimerTickIsShownAndTheLoopGoesOn) {
    Application->OnException = [](TObject*, Exception*) { throw Exception("Handler failed"); };
    int ticks = 0;
    TTimerService& service = TimerService();
    const Cardinal id = service.Start(1, [&ticks] {
        ++ticks;
        throw Exception("Tick failed");
    });
    for (int i = 0; i < 1000 && ticks < 2; ++i) Application->HandleMessage();
    service.Stop(id);
    EXPECT_GE(ticks, 2) << "the timer kept running after a failed tick";
    const std::vector<AnsiString> shown = ShownTexts();
    ASSERT_FALSE(shown.empty());
    for (const AnsiString& text : shown) EXPECT_EQ(text, "Handler failed.");
}

}  // namespace
