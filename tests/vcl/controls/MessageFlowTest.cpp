// How a message travels: WindowProc, WndProc, Dispatch, the handlers, DefaultHandler; sent and posted.

#include <gtest/gtest.h>

#include "SampleControls.h"
#include "support/EventCounter.h"
#include "vcl/Windows.h"

namespace {

constexpr UINT WM_SAMPLE = WM_USER + 7;

class MessageFlow : public ::testing::Test {
protected:
    void SetUp() override { form = new TForm(Application); }
    void TearDown() override { FreeAllForms(); }
    TForm* form = nullptr;
};

TEST_F(MessageFlow, UnhandledMessageReachesDefaultHandlerAfterDispatchAndSubclassedWindowProcSeesItFirst) {
    auto* swatch = new TSwatch(form);
    swatch->SetParent(form);
    swatch->Watched = {WM_SAMPLE};
    std::vector<std::string> order;
    TWndMethod original = swatch->WindowProc;
    swatch->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_SAMPLE) order.push_back("subclass");
        original(m);
    };
    LRESULT result = swatch->Perform(WM_SAMPLE, 1, 2);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(order, std::vector<std::string>{"subclass"});
    EXPECT_EQ(swatch->Log, std::vector<UINT>{WM_SAMPLE});
    EXPECT_EQ(swatch->DefaultLog, std::vector<UINT>{WM_SAMPLE});
}

TEST_F(MessageFlow, WindowTextTravelsAsSetTextAndGetTextAndAChangeAnnouncesItselfOnce) {
    auto* swatch = new TSwatch(form);
    swatch->SetParent(form);
    swatch->Watched = {WM_SETTEXT, CM_TEXTCHANGED};
    swatch->SetCaption("First");
    swatch->SetCaption("First");
    EXPECT_EQ(swatch->Text(), "First");
    EXPECT_EQ(swatch->Log, (std::vector<UINT>{WM_SETTEXT, CM_TEXTCHANGED}));
    char buffer[4] = {};
    EXPECT_EQ(GetWindowText(swatch->Handle(), buffer, sizeof buffer), 3);
    EXPECT_STREQ(buffer, "Fir");
    EXPECT_EQ(GetWindowTextLength(swatch->Handle()), 5);
}

TEST_F(MessageFlow, HandlesComeFromTheWindowTableAndAStaleHandleFailsQuietly) {
    auto* swatch = new TSwatch(form);
    swatch->SetParent(form);
    HWND h = swatch->Handle();
    EXPECT_EQ(FindControl(h), swatch);
    EXPECT_TRUE(IsWindow(h));
    EXPECT_EQ(GetParent(h), form->Handle());
    SetWindowText(h, "via handle");
    EXPECT_EQ(swatch->Caption(), "via handle");
    swatch->Free();
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(FindControl(h), nullptr);
    EXPECT_EQ(SendMessage(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x")), 0);
    EXPECT_FALSE(PostMessage(h, WM_SAMPLE, 0, 0));
}

TEST_F(MessageFlow, PostedMessagesArriveInOrderOnlyWhenTheQueueIsProcessed) {
    auto* a = new TSwatch(form);
    auto* b = new TSwatch(form);
    a->SetParent(form);
    b->SetParent(form);
    std::vector<std::pair<TSwatch*, WPARAM>> arrived;
    for (TSwatch* s : {a, b}) {
        TWndMethod original = s->WindowProc;
        s->WindowProc = [&arrived, s, original](TMessage& m) {
            if (m.Msg == WM_SAMPLE) arrived.emplace_back(s, m.WParam);
            original(m);
        };
    }
    PostMessage(a->Handle(), WM_SAMPLE, 1, 0);
    PostMessage(b->Handle(), WM_SAMPLE, 2, 0);
    PostMessage(a->Handle(), WM_SAMPLE, 3, 0);
    EXPECT_TRUE(arrived.empty());
    Application->ProcessMessages();
    std::vector<std::pair<TSwatch*, WPARAM>> expected{{a, 1}, {b, 2}, {a, 3}};
    EXPECT_EQ(arrived, expected);
}

TEST_F(MessageFlow, APostedMessageToAControlFreedMeanwhileIsDropped) {
    auto* swatch = new TSwatch(form);
    swatch->SetParent(form);
    PostMessage(swatch->Handle(), WM_SAMPLE, 0, 0);
    swatch->Free();
    Application->ProcessMessages();
    SUCCEED();
}

}  // namespace
