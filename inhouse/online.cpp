#include "online.h"

#include "qebUrl.h"

namespace online {

void InitOnlineUnit() { Set8087CW(OnlineControlWord); }

void OpenUrl(const AnsiString& Url) {
    const TOwned<qebUrl::TqebUrl> launcher = MakeOwned<qebUrl::TqebUrl>(nullptr);
    launcher->SetUrl(Url);
    launcher->Execute();
}

}  // namespace online
