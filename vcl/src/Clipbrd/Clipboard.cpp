// The clipboard object: counted opening over OpenClipboard, text through the windowing system.
#include "vcl/Clipbrd.h"

#include "Clipbrd/ClipboardContents.h"

VCL_IMPLEMENT_CLASS(TClipboard, nullptr, nullptr)

namespace {

// Open for one read or write, closed again whatever happens.
class TOpenForCall {
public:
    explicit TOpenForCall(TClipboard& Clipboard) : clipboard_(Clipboard) { clipboard_.Open(); }
    ~TOpenForCall() { clipboard_.Close(); }
    TOpenForCall(const TOpenForCall&) = delete;
    TOpenForCall& operator=(const TOpenForCall&) = delete;

private:
    TClipboard& clipboard_;
};

}  // namespace

void TClipboard::Open() {
    if (openCount_ == 0 && !OpenClipboard(nullptr)) throw EClipboardException("Cannot open clipboard");
    ++openCount_;
}

void TClipboard::Close() {
    if (openCount_ == 0) return;
    if (--openCount_ == 0) CloseClipboard();
}

bool TClipboard::HasFormat(Word Format) const { return IsClipboardFormatAvailable(Format) != FALSE; }

AnsiString TClipboard::AsText() {
    TOpenForCall open(*this);
    return ClipboardContents::Text();
}

void TClipboard::SetAsText(const AnsiString& Value) {
    TOpenForCall open(*this);
    ClipboardContents::SetText(Value);
}

TClipboard* Clipboard() {
    static TClipboard clipboard;
    return &clipboard;
}
