// The clipboard object: counted opening over OpenClipboard, text through the clipboard's Win32 calls.
#include "vcl/Clipbrd.h"

#include "ActiveX/FormatBlocks.h"
#include "vcl/OleBlocks.h"

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
    HGLOBAL text = GetClipboardData(CF_TEXT);
    return text ? AnsiTextOfBlock(BytesOfGlobal(text)) : AnsiString();
}

void TClipboard::SetAsText(const AnsiString& Value) {
    TOpenForCall open(*this);
    EmptyClipboard();
    HGLOBAL text = GlobalFromBytes(AnsiTextBlock(Value));
    if (!text || !SetClipboardData(CF_TEXT, text)) {
        if (text) GlobalFree(text);
        throw EClipboardException("Cannot set clipboard data");
    }
}

void TClipboard::Clear() {
    TOpenForCall open(*this);
    EmptyClipboard();
}

TClipboard* Clipboard() {
    static TClipboard clipboard;
    return &clipboard;
}
