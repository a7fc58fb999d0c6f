// The Win32 resource calls over the registered resource tables. A found resource gets a handle from a
// table of its own, and its loaded form another, so both are checked on every use.
#include <string>
#include <vector>

#include "vcl/Resources.h"
#include "vcl/Windows.h"

const HINSTANCE HInstance = reinterpret_cast<HINSTANCE>(std::uintptr_t{0x00400000});

namespace {

constexpr std::uintptr_t InfoBase = 0x31000000;
constexpr std::uintptr_t DataBase = 0x32000000;
constexpr std::uintptr_t Step = 0x10;

std::vector<const TResourceEntry*>& Found() {
    static std::vector<const TResourceEntry*> found;
    return found;
}

std::uintptr_t Encode(std::uintptr_t Base, std::size_t Index) { return Base + Step * (Index + 1); }

const TResourceEntry* Decode(std::uintptr_t Base, const void* Handle) {
    const auto value = reinterpret_cast<std::uintptr_t>(Handle);
    if (value <= Base || (value - Base) % Step != 0) return nullptr;
    const std::size_t index = (value - Base) / Step - 1;
    return index < Found().size() ? Found()[index] : nullptr;
}

bool OwnModule(HMODULE Module) { return Module == nullptr || Module == HInstance; }

}  // namespace

HRSRC FindResource(HMODULE hModule, const char* lpName, const char* lpType) {
    if (!OwnModule(hModule) || !lpName || !lpType || IS_INTRESOURCE(lpName)) return nullptr;
    std::string type;
    if (lpType == RT_RCDATA) type = "RCDATA";
    else if (!IS_INTRESOURCE(lpType)) type = lpType;
    else return nullptr;  // no other numbered type is kept
    const TResourceEntry* entry = FindResourceEntry(lpName, type);
    if (!entry) return nullptr;
    auto& found = Found();
    std::size_t index = 0;
    while (index < found.size() && found[index] != entry) ++index;
    if (index == found.size()) found.push_back(entry);
    return reinterpret_cast<HRSRC>(Encode(InfoBase, index));
}

HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo) {
    const TResourceEntry* entry = OwnModule(hModule) ? Decode(InfoBase, hResInfo) : nullptr;
    if (!entry) return nullptr;
    const auto value = reinterpret_cast<std::uintptr_t>(hResInfo);
    return reinterpret_cast<HGLOBAL>(value - InfoBase + DataBase);
}

const void* LockResource(HGLOBAL hResData) {
    const TResourceEntry* entry = Decode(DataBase, hResData);
    return entry ? entry->Data : nullptr;
}

DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo) {
    const TResourceEntry* entry = OwnModule(hModule) ? Decode(InfoBase, hResInfo) : nullptr;
    return entry ? static_cast<DWORD>(entry->Size) : 0;
}
