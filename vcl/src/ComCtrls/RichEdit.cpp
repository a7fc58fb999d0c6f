// The rich edit's messages: its event mask and the size requests of its content.
#include "ComCtrls/RichEditLayout.h"
#include "Controls/ControlPeer.h"
#include "vcl/Messages.h"

static void PublishTCustomRichEdit(TPublisher& p) {
    TPublishOf<TCustomRichEdit> P(p);
    P.Event("OnResizeRequest", &TCustomRichEdit::OnResizeRequest);
}

VCL_IMPLEMENT_CLASS(TCustomRichEdit, nullptr, PublishTCustomRichEdit)
VCL_IMPLEMENT_CLASS(TRichEdit, VCL_CREATOR(TRichEdit), nullptr)

TCustomRichEdit::TCustomRichEdit(TComponent* AOwner) : TCustomMemo(AOwner) {}

void TCustomRichEdit::RequestSize(const TRect& Rect) {
    TRect requested = Rect;
    if (OnResizeRequest) OnResizeRequest(this, requested);
}

void TCustomRichEdit::Dispatch(TMessage& Message) {
    switch (Message.Msg) {
        case EM_GETEVENTMASK: Message.Result = static_cast<LRESULT>(eventMask_); break;
        case EM_SETEVENTMASK:
            Message.Result = static_cast<LRESULT>(eventMask_);
            eventMask_ = static_cast<DWORD>(Message.LParam);
            break;
        case EM_REQUESTRESIZE: RequestResize(true); break;
        case CN_COMMAND:
            TCustomMemo::Dispatch(Message);
            if (HIWORD(Message.WParam) == EN_CHANGE) RequestResize(false);
            break;
        case CN_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(Message.LParam);
            if (header && header->code == EN_REQUESTRESIZE) RequestSize(reinterpret_cast<const REQRESIZE*>(header)->rc);
            else TCustomMemo::Dispatch(Message);
            break;
        }
        default: TCustomMemo::Dispatch(Message); break;
    }
}

// A new text (also one that announces no change) may need another size.
void TCustomRichEdit::TextStored() {
    TCustomMemo::TextStored();
    RequestResize(false);
}

void TCustomRichEdit::RequestResize(bool Always) {
    if (!(eventMask_ & ENM_REQUESTRESIZE) || !HandleAllocated()) return;
    const auto* layout = dynamic_cast<const TRichEditLayout*>(Peer());
    if (!layout) return;
    const Integer width = ClientWidth();
    const TRect content = Rect(0, 0, width, layout->ContentSize(width).Y);
    if (!Always && content == lastRequest_) return;
    lastRequest_ = content;
    REQRESIZE request{{Handle(), 0, EN_REQUESTRESIZE}, content};
    Perform(CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&request));
}
