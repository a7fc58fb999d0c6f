// The application: creating forms from their descriptions, the loop, closing and releasing, the screen.

#include <gtest/gtest.h>

#include "SampleControls.h"
#include "support/EventCounter.h"
#include "vcl/Testing.h"
#include "vcl/Windows.h"

namespace {

class ApplicationObject : public ::testing::Test {
protected:
    void SetUp() override { RegisterSamples(); }
    void TearDown() override {
        FreeAllForms();
        Screen->ResetMonitors();
    }
};

TSampleForm* GlobalSample = nullptr;

TEST_F(ApplicationObject, CreateFormReadsTheDescriptionRunsOnCreateInsideAndTheFirstFormIsMain) {
    Application->CreateForm(GlobalSample);
    ASSERT_NE(GlobalSample, nullptr);
    EXPECT_EQ(GlobalSample->CreatedWithFields, 1) << "OnCreate ran after reading, with the fields bound";
    EXPECT_EQ(GlobalSample->Owner(), Application);
    EXPECT_EQ(Application->MainForm(), GlobalSample);
    EXPECT_EQ(GlobalSample->Caption(), "Sample");
    EXPECT_EQ(GlobalSample->ClientWidth(), 300);
    EXPECT_EQ(GlobalSample->Width(), 308);
    EXPECT_EQ(GlobalSample->Swatch2->Parent(), GlobalSample);
    EXPECT_FALSE(GlobalSample->Visible());

    TSampleForm* second = nullptr;
    Application->CreateForm(second);
    EXPECT_EQ(Application->MainForm(), GlobalSample);
    EXPECT_EQ(TSampleForm::Alive, 2);
    second->Free();
    EXPECT_EQ(TSampleForm::Alive, 1) << "OnDestroy ran";
    GlobalSample->Free();
    EXPECT_EQ(Application->MainForm(), nullptr);
    EXPECT_EQ(TSampleForm::Alive, 0);
}

TEST_F(ApplicationObject, AFailingDescriptionLeavesNothingAliveAndTheErrorPropagates) {
    TBrokenForm* broken = reinterpret_cast<TBrokenForm*>(&GlobalSample);  // a stale value that must be cleared
    Integer components = Application->ComponentCount();
    Integer forms = Screen->FormCount();
    EXPECT_THROW(Application->CreateForm(broken), EReadError);
    EXPECT_EQ(broken, nullptr);
    EXPECT_EQ(Application->ComponentCount(), components);
    EXPECT_EQ(Screen->FormCount(), forms);
    EXPECT_EQ(Application->MainForm(), nullptr);
    // The same through the class library's Create with another owner.
    EXPECT_THROW(TCustomForm::Create<TBrokenForm>(Application), EReadError);
    EXPECT_EQ(Application->ComponentCount(), components);
    EXPECT_EQ(Screen->FormCount(), forms);
}

TEST_F(ApplicationObject, CloseHidesAFormAndOnCloseDecides) {
    TSampleForm* main = nullptr;
    TSampleForm* other = nullptr;
    Application->CreateForm(main);
    Application->CreateForm(other);
    other->Show();
    other->Close();
    EXPECT_FALSE(other->Visible());

    other->Show();
    other->OnCloseQuery = [](TObject*, bool& CanClose) { CanClose = false; };
    other->Close();
    EXPECT_TRUE(other->Visible());

    other->OnCloseQuery = nullptr;
    other->OnClose = [](TObject*, TCloseAction& Action) { Action = caFree; };
    other->Close();
    EXPECT_EQ(TSampleForm::Alive, 2) << "a released form lives until the queue is processed";
    Application->ProcessMessages();
    EXPECT_EQ(TSampleForm::Alive, 1);

    EXPECT_FALSE(Application->Terminated());
    main->Close();
    EXPECT_TRUE(Application->Terminated()) << "closing the main form ends the application";
}

TEST_F(ApplicationObject, RunShowsTheMainFormAndReturnsWhenItCloses) {
    TSampleForm* main = nullptr;
    Application->CreateForm(main);
    EventCounter shows;
    shows.Hook(main->OnShow);
    PostMessage(main->Handle(), WM_CLOSE, 0, 0);
    Application->Run();
    EXPECT_EQ(shows.Count(), 1);
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(ApplicationObject, TheScreenSeamSetsMonitorsMetricsAndCentring) {
    Screen->SetMonitorsForTest(
        {{Rect(0, 0, 1280, 1024), Rect(0, 0, 1280, 984), true}, {Rect(1280, 0, 3200, 1080), {}, false}});
    EXPECT_EQ(Screen->Width(), 1280);
    EXPECT_EQ(Screen->Height(), 1024);
    EXPECT_EQ(Screen->MonitorCount(), 2);
    EXPECT_EQ(Screen->Monitors(1)->Left(), 1280);
    EXPECT_EQ(Screen->Monitors(1)->WorkareaRect(), Rect(1280, 0, 3200, 1080));
    EXPECT_TRUE(Screen->Monitors(0)->Primary());
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
    EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 2);
    EXPECT_EQ(Screen->DesktopWidth(), 3200);
    EXPECT_THROW(Screen->Monitors(2), ERangeError);

    auto* form = new TForm(Application);
    form->SetBounds(0, 0, 200, 100);
    form->SetPosition(poScreenCenter);
    form->Show();
    EXPECT_EQ(form->BoundsRect(), Bounds(540, 462, 200, 100));
    EXPECT_EQ(Screen->ActiveForm(), form);
}

TEST_F(ApplicationObject, ExceptionsOutsideTheLoopAreReportedWithTheTitleAndAFullStop) {
    Testing::RecordedMessageBoxes().clear();
    Application->SetTitle("Halcyra");
    try {
        throw EConvertError("Bad number");
    } catch (...) {
        Application->HandleException(nullptr);
    }
    try {
        throw Exception("Already punctuated!");
    } catch (...) {
        Application->HandleException(nullptr);
    }
    Application->HandleException(nullptr);  // nothing in flight: nothing shown
    auto& boxes = Testing::RecordedMessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].Text, "Bad number.");
    EXPECT_EQ(boxes[0].Caption, "Halcyra");
    EXPECT_EQ(boxes[1].Text, "Already punctuated!");
    boxes.clear();
}

}  // namespace
