// SHBrowseForFolderA and its item lists: the dialog is the windowing system's, or the test seam's
// recorded one; the lists come from the shell's allocator.
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>

#include "Shell/NativeBrowseDialog.h"
#include "Windows/ForeignWindows.h"
#include "vcl/Forms.h"
#include "vcl/ShlObj.h"
#include "vcl/SysUtils.h"

namespace {

// The shell's allocator: malloc'd blocks it remembers, so that it can tell its own.
class TShellMalloc : public TInterfacedObject<IMalloc> {
public:
    void* Alloc(std::size_t cb) override {
        void* block = std::malloc(cb ? cb : 1);
        if (block) sizes_[block] = cb;
        return block;
    }
    void* Realloc(void* pv, std::size_t cb) override {
        if (!pv) return Alloc(cb);
        if (!sizes_.count(pv)) return nullptr;
        void* block = std::realloc(pv, cb ? cb : 1);
        if (!block) return nullptr;
        sizes_.erase(pv);
        sizes_[block] = cb;
        return block;
    }
    void Free(void* pv) override {
        // A block of another allocator is left alone rather than corrupting the heap.
        if (!pv || !sizes_.erase(pv)) return;
        std::free(pv);
    }
    std::size_t GetSize(void* pv) override {
        auto it = sizes_.find(pv);
        return it == sizes_.end() ? static_cast<std::size_t>(-1) : it->second;
    }
    int DidAlloc(void* pv) override { return pv && sizes_.count(pv) ? 1 : 0; }
    void HeapMinimize() override {}

private:
    std::map<void*, std::size_t> sizes_;
};

TShellMalloc& ShellMalloc() {
    // Lives as long as the process: item lists may be freed at any time.
    static auto* allocator = [] {
        auto* a = new TShellMalloc;
        a->AddRef();
        return a;
    }();
    return *allocator;
}

LPITEMIDLIST MakeItemList(const AnsiString& Path) {
    const std::size_t itemSize = sizeof(Word) + Path.size() + 1;
    if (itemSize > 0xFFFF) return nullptr;
    auto* bytes = static_cast<Byte*>(ShellMalloc().Alloc(itemSize + sizeof(Word)));
    if (!bytes) return nullptr;
    const Word cb = static_cast<Word>(itemSize);
    std::memcpy(bytes, &cb, sizeof cb);
    std::memcpy(bytes + sizeof(Word), Path.c_str(), Path.size() + 1);
    std::memset(bytes + itemSize, 0, sizeof(Word));
    return reinterpret_cast<LPITEMIDLIST>(bytes);
}

struct TBrowseRecording {
    bool On = false;
    std::deque<AnsiString> Answers;
    std::vector<Testing::TRecordedBrowseDialog> Dialogs;
};

TBrowseRecording& BrowseRecording() {
    static TBrowseRecording recording;
    return recording;
}

// The recorded dialog: it notes the selection and the position it is sent.
class TRecordedBrowseWindow : public TForeignWindow {
public:
    explicit TRecordedBrowseWindow(Testing::TRecordedBrowseDialog& Record) : record_(Record) {}
    LRESULT Message(UINT Msg, WPARAM WParam, LPARAM LParam) override {
        if (Msg == BFFM_SETSELECTIONA && WParam && LParam) record_.Selection = reinterpret_cast<const char*>(LParam);
        return 0;
    }
    TRect ScreenBounds() const override {
        const TRect b = Testing::BrowseDialogBounds;
        return record_.Moved ? Bounds(record_.Position.X, record_.Position.Y, b.Width(), b.Height()) : b;
    }
    void MoveTo(int X, int Y) override {
        record_.Moved = true;
        record_.Position = {X, Y};
    }

private:
    Testing::TRecordedBrowseDialog& record_;
};

// The caller's callback, told that the dialog is up; what it raises goes to the application.
void NotifyInitialized(const BROWSEINFOA& Info, HWND Dialog) {
    if (!Info.lpfn) return;
    try {
        Info.lpfn(Dialog, BFFM_INITIALIZED, 0, Info.lParam);
    } catch (...) {
        if (Application) Application->HandleException(nullptr);
    }
}

AnsiString RecordedBrowse(const BROWSEINFOA& Info) {
    TBrowseRecording& recording = BrowseRecording();
    recording.Dialogs.push_back({Info.lpszTitle ? Info.lpszTitle : "", Info.ulFlags, "", false, {}});
    Testing::TRecordedBrowseDialog& record = recording.Dialogs.back();
    TRecordedBrowseWindow window(record);
    {
        TForeignWindowHandle handle(window);
        NotifyInitialized(Info, handle.Handle());
    }
    if (recording.Answers.empty()) return "";
    AnsiString answer = recording.Answers.front();
    recording.Answers.pop_front();
    return answer;
}

}  // namespace

LPITEMIDLIST SHBrowseForFolderA(BROWSEINFOA* lpbi) {
    if (!lpbi) return nullptr;
    const BROWSEINFOA info = *lpbi;
    AnsiString folder;
    if (BrowseRecording().On) {
        folder = RecordedBrowse(info);
    } else {
        folder = ShowBrowseDialog(
            {info.lpszTitle ? info.lpszTitle : "", [&info](HWND Dialog) { NotifyInitialized(info, Dialog); }});
    }
    if (folder.empty()) return nullptr;
    if (info.pszDisplayName) {
        AnsiString name = ExtractFileName(ExcludeTrailingPathDelimiter(folder));
        if (name.empty()) name = folder;
        name.resize(std::min<std::size_t>(name.size(), MAX_PATH - 1));
        std::memcpy(info.pszDisplayName, name.c_str(), name.size() + 1);
    }
    return MakeItemList(folder);
}

BOOL SHGetPathFromIDListA(LPCITEMIDLIST pidl, char* pszPath) {
    if (!pidl || !pszPath) return FALSE;
    const auto* bytes = reinterpret_cast<const Byte*>(pidl);
    Word cb = 0;
    std::memcpy(&cb, bytes, sizeof cb);
    if (cb <= sizeof(Word)) return FALSE;
    const auto* text = reinterpret_cast<const char*>(bytes + sizeof(Word));
    const std::size_t length = strnlen(text, cb - sizeof(Word));
    if (length == cb - sizeof(Word) || length >= static_cast<std::size_t>(MAX_PATH)) return FALSE;
    std::memcpy(pszPath, text, length + 1);
    return TRUE;
}

HRESULT SHGetMalloc(IMalloc** ppMalloc) {
    if (!ppMalloc) return E_POINTER;
    ShellMalloc().AddRef();
    *ppMalloc = &ShellMalloc();
    return S_OK;
}

namespace Testing {

void RecordBrowseDialogs(bool On) {
    BrowseRecording().On = On;
    if (!On) BrowseRecording().Answers.clear();
}

void PrepareBrowseAnswer(const AnsiString& Folder) { BrowseRecording().Answers.push_back(Folder); }

std::vector<TRecordedBrowseDialog>& RecordedBrowseDialogs() { return BrowseRecording().Dialogs; }

}  // namespace Testing
