#include "online.h"

#include <memory>

#include "qebUrl.h"

namespace online {

void InitOnlineUnit() { Set8087CW(OnlineControlWord); }

void OpenUrl(const AnsiString& Url) {
    const auto free = [](qebUrl::TqebUrl* doomed) { doomed->Free(); };
    const std::unique_ptr<qebUrl::TqebUrl, decltype(free)> launcher(new qebUrl::TqebUrl(nullptr), free);
    launcher->SetUrl(Url);
    launcher->Execute();
}

}  // namespace online
