// TApplication: form creation, the message loop, the posted-message queue and exception reporting.

#include <malloc.h>

#include <cstdio>
#include <exception>
#include <string>

#include "Controls/Internal.h"
#include "vcl/Testing.h"
#include "vcl/Windows.h"

VCL_IMPLEMENT_CLASS(TApplication, nullptr, nullptr)

TApplication* Application = nullptr;

void InitForms() {
    if (!Screen) Screen = new TScreen(nullptr);
    if (!Application) Application = new TApplication(nullptr);
}

void DoneForms() {
    if (Application) Application->Free();
    if (Screen) Screen->Free();
}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner), icon_(std::make_unique<TIcon>()) {}

TApplication::~TApplication() {
    if (Application == this) Application = nullptr;
}

void TApplication::Initialize() {
    // Blocks from half a megabyte on come from the system and go back to it when freed, as with the
    // Windows heap: a long text freed after a recompute returns its pages rather than staying behind as
    // a hole that the next, longer text cannot use.
    mallopt(M_MMAP_THRESHOLD, 512 * 1024);
    AppLoop::EnsureApplication();
}

bool TApplication::Initialized() const { return AppLoop::ApplicationExists(); }

void TApplication::CreateFormOf(TClass InstanceClass, const std::function<void(TCustomForm*)>& SetReference) {
    if (!InstanceClass || !InstanceClass->Create)
        throw EInvalidOperation("Cannot create a form of class " +
                                AnsiString(InstanceClass ? InstanceClass->Name : "nil"));
    TComponent* instance = InstanceClass->Create(this);
    auto* form = dynamic_cast<TCustomForm*>(instance);
    if (!form) {
        instance->Free();
        throw EInvalidCast("Invalid class typecast");
    }
    try {
        form->InitializeForm(SetReference);
    } catch (...) {
        SetReference(nullptr);
        form->Free();
        throw;
    }
    if (!mainForm_) mainForm_ = form;
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == mainForm_) mainForm_ = nullptr;
}

// ---------------------------------------------------------------------------
// The loop

void TApplication::Run() {
    Initialize();
    if (mainForm_) mainForm_->Show();
    while (!terminated_ && mainForm_) {
        try {
            HandleMessage();
        } catch (...) {
            HandleException(this);
        }
    }
}

void TApplication::ProcessMessages() {
    AppLoop::ProcessEvents(false);
    DeliverPosted();
}

void TApplication::HandleMessage() {
    if (DeliverPosted()) return;
    AppLoop::ProcessEvents(true);
    DeliverPosted();
    if (OnIdle && posted_.empty()) OnIdle(this);
}

void TApplication::PostToQueue(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
    posted_.push_back({Window, Msg, WParam, LParam});
    AppLoop::WakeForPosted();
}

bool TApplication::DeliverPosted() {
    bool delivered = false;
    while (!posted_.empty()) {
        TPosted m = posted_.front();
        posted_.pop_front();
        delivered = true;
        DeliverOne(m);
    }
    return delivered;
}

bool TApplication::FindPosted(HWND Window, UINT First, UINT Last, bool Remove, TPosted& Found) {
    const bool anyMessage = First == 0 && Last == 0;
    auto quit = posted_.end();
    for (auto it = posted_.begin(); it != posted_.end(); ++it) {
        if (Window && it->Window != Window) continue;
        if (!anyMessage && (it->Msg < First || it->Msg > Last)) continue;
        if (it->Msg == WM_QUIT) {
            if (quit == posted_.end()) quit = it;
            continue;
        }
        quit = it;
        break;
    }
    if (quit == posted_.end()) return false;
    Found = *quit;
    if (Remove) posted_.erase(quit);
    return true;
}

LRESULT TApplication::DeliverOne(const TPosted& Message) {
    if (!Message.Window) {
        if (Message.Msg == WM_QUIT) Terminate();
        return 0;
    }
    TWinControl* target = FindControl(Message.Window);
    if (!target) return 0;
    try {
        if (Message.Msg == WM_KEYDOWN || Message.Msg == WM_SYSKEYDOWN) return DeliverPostedKey(target, Message);
        return target->Perform(Message.Msg, Message.WParam, Message.LParam);
    } catch (...) {
        HandleException(target);
    }
    return 0;
}

LRESULT TApplication::DeliverPostedKey(TWinControl* Target, const TPosted& Message) {
    if (const LRESULT taken = Target->Perform(CN_KEYDOWN, Message.WParam, Message.LParam)) return taken;
    const LRESULT result = Target->Perform(Message.Msg, Message.WParam, Message.LParam);
    Byte keys[256];
    GetKeyboardState(keys);
    Word typed = 0;
    const auto vk = static_cast<UINT>(Message.WParam);
    if (ToAscii(vk, static_cast<UINT>(Message.LParam >> 16) & 0xFF, keys, &typed, 0) == 1)
        PostToQueue(Message.Window, Message.Msg == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR, typed, Message.LParam);
    return result;
}

bool TApplication::Active() const { return Screen->ActiveForm() != nullptr; }

void TApplication::CancelHint() { CancelHintTracking(); }

void TApplication::SetHint(const AnsiString& Value) {
    hint_ = Value;
    if (OnHint) OnHint(this);
}

AnsiString TApplication::ExeName() const { return AppLoop::ExecutablePath(); }

// ---------------------------------------------------------------------------
// Exceptions and message boxes

namespace {

// Reports the exception in flight through the handler, or with a message box when there is none.
void ReportException(TApplication& App, TObject* Sender, const TExceptionEvent& Handler) {
    auto report = [&](Exception& e) {
        if (Handler) Handler(Sender, &e);
        else App.ShowException(&e);
    };
    try {
        throw;
    } catch (const EAbort&) {
    } catch (Exception& e) {
        report(e);
    } catch (const std::exception& e) {
        Exception wrapped(e.what());
        report(wrapped);
    } catch (...) {
        Exception wrapped("Unknown exception");
        report(wrapped);
    }
}

std::string MessageOf(const std::exception_ptr& Failure) {
    try {
        std::rethrow_exception(Failure);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unknown exception";
    }
}

}  // namespace

void TApplication::HandleException(TObject* Sender) noexcept {
    const std::exception_ptr original = std::current_exception();
    if (!original) return;
    try {
        ReportException(*this, Sender, OnException);
    } catch (...) {
        // Nothing may leave here: a failing OnException has its failure shown instead, and what no message
        // box can show goes to the error output.
        const std::exception_ptr failure = std::current_exception();
        try {
            if (!OnException) throw;
            ReportException(*this, Sender, nullptr);
        } catch (...) {
            std::fprintf(stderr, "%s (not shown: %s)\n", MessageOf(original).c_str(), MessageOf(failure).c_str());
        }
    }
}

// The message ends with a full stop unless it already ends in punctuation, as the class library shows it.
void TApplication::ShowException(Exception* E) {
    AnsiString text = E ? E->Message() : AnsiString();
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
    AnsiString title = title_;
    if (title.empty()) {
        AnsiString exe = ExeName();
        std::size_t slash = exe.find_last_of('/');
        title = slash == AnsiString::npos ? exe : exe.substr(slash + 1);
        std::size_t dot = title.find_last_of('.');
        if (dot != AnsiString::npos && dot > 0) title.resize(dot);
    }
    MessageBox(text.c_str(), title.c_str(), MB_OK | MB_ICONSTOP);
}

Integer TApplication::MessageBox(const char* Text, const char* Caption, Integer Flags) {
    return ShowMessageBoxChecked(Text ? Text : "", Caption ? Caption : "", static_cast<UINT>(Flags));
}

int ShowMessageBoxChecked(const AnsiString& Text, const AnsiString& Caption, UINT Flags) {
    if (Testing::RecordingMessageBoxes()) {
        Testing::RecordedMessageBoxes().push_back({Text, Caption, Flags});
        return Testing::RecordedAnswer();
    }
    return AppLoop::ShowMessageBox(Text, Caption, Flags);
}

void DoneApplication() {
    if (!Application) return;
    Application->DestroyComponents();
}
