// Path fields: registered edits validated as the user types and browsing on double-click.
#include "Diskop.h"

#include <algorithm>
#include <utility>

#include <vcl/Dialogs.h>
#include <vcl/SysUtils.h>

namespace Diskop {

using namespace Varpre;

namespace {

// Parent links may form a loop; no honest chain is longer than the table.
constexpr Integer MaxParentDepth = MaxPathInputs;

// Entries in use, whatever Count a caller wrote.
Integer UsedEntries(const PathInputT& P) { return std::clamp(P.Count, 0, MaxPathInputs); }

bool ValidIndex(const PathInputT& P, Integer Index) { return Index >= 1 && Index <= UsedEntries(P); }

PathInputEntryT& EntryAt(PathInputT& P, Integer Index) { return P.Entries[static_cast<std::size_t>(Index)]; }

// An entry in use whose edit still exists.
bool LiveIndex(PathInputT& P, Integer Index) { return ValidIndex(P, Index) && EntryAt(P, Index).Edit; }

void DropFreedEntries(PathInputT& P) {
    const Integer used = UsedEntries(P);
    std::array<Integer, MaxPathInputs + 1> moved{};  // old index -> new index; 0: dropped
    Integer kept = 0;
    for (Integer index = 1; index <= used; ++index) {
        if (!EntryAt(P, index).Edit) continue;
        moved[static_cast<std::size_t>(index)] = ++kept;
        if (kept != index) EntryAt(P, kept) = std::move(EntryAt(P, index));
    }
    if (kept == used) return;
    for (Integer index = kept + 1; index <= used; ++index) EntryAt(P, index) = PathInputEntryT{};
    for (Integer index = 1; index <= kept; ++index) {
        Integer& parent = EntryAt(P, index).Parent;
        if (parent < 1 || parent > used) continue;
        const Integer to = moved[static_cast<std::size_t>(parent)];
        parent = to ? to : -1;
    }
    P.Count = kept;
}

void EntryPathAt(PathInputT& P, Integer Index, Integer Depth, AnsiString& Path) {
    const PathInputEntryT& entry = EntryAt(P, Index);
    const AnsiString text = entry.Edit->Text();
    AnsiString base;
    if (!entry.BasePath.empty()) {
        base = entry.BasePath;
    } else if (LiveIndex(P, entry.Parent) && Depth < MaxParentDepth) {
        EntryPathAt(P, entry.Parent, Depth + 1, base);
        if (EntryAt(P, entry.Parent).Kind == PathInputFile) ExtractParentDir(base, base);
    } else {
        ProgramFolder(base);
    }
    ExpandPath(text, base, Path);
}

// The saved handlers run the application's code, which may destroy edits: a gone edit is skipped.
void ValidateEntry(PathInputT& P, Integer Index, Integer Depth) {
    PathInputEntryT& entry = EntryAt(P, Index);
    if (!entry.Edit) return;
    AnsiString path;
    EntryPath(P, Index, path);
    ClearFileInfo(entry.Info);
    FillFileInfo(entry.Info, path, FileInfoFromDisk);
    entry.Edit->SetColor(EntryExists(P, Index) ? entry.SavedColor : P.InvalidColor);
    entry.Edit->SetHint(path);
    // Children take their base from this entry, so their paths changed too.
    if (Depth < MaxParentDepth)
        for (Integer child = 1; child <= UsedEntries(P); ++child)
            if (child != Index && EntryAt(P, child).Parent == Index) ValidateEntry(P, child, Depth + 1);
    if (entry.Edit && entry.SavedOnChange) entry.SavedOnChange(entry.Edit);
}

// Writes the text without running the validation the edit's OnChange would start.
void SetTextQuietly(TEdit* Edit, const AnsiString& Text) {
    TNotifyEvent onChange = std::move(Edit->OnChange);
    Edit->OnChange = nullptr;
    try {
        Edit->SetText(Text);
    } catch (...) {
        Edit->OnChange = std::move(onChange);
        throw;
    }
    Edit->OnChange = std::move(onChange);
}

// The chosen file, or "" when the dialog was cancelled.
AnsiString ChooseFile(const AnsiString& InitialDir, const AnsiString& Filter) {
    const TOwned<TOpenDialog> dialog = MakeOwned<TOpenDialog>(nullptr);
    dialog->SetInitialDir(InitialDir);
    dialog->SetFilter(Filter);
    return dialog->Execute() ? dialog->FileName() : AnsiString();
}

void BrowseEntry(PathInputT& P, Integer Index) {
    PathInputEntryT& entry = EntryAt(P, Index);
    const AnsiString oldText = entry.Edit->Text();
    AnsiString path;
    AnsiString folder;
    EntryPath(P, Index, path);
    NearestExistingFolder(path, folder);
    AnsiString newText = folder;
    if (entry.Kind == PathInputFile) {
        newText = ChooseFile(folder, entry.Filter);
        if (newText.empty()) newText = oldText;
    }
    if (newText != oldText) SetTextQuietly(entry.Edit, newText);
    if (entry.SavedOnDblClick) entry.SavedOnDblClick(entry.Edit);
    if (newText != oldText) ValidateEntry(P, Index, 0);
}

// The path field's handlers carry the edit's handlers from before its first hooking, so that a table
// started afresh does not save a hook as the edit's own handler (which would call itself without end).
// They find their entry anew: a re-registration keeps them pointing at the same one.
void ValidateChangedEntry(PathInputT& P, Integer Index) { ValidateEntry(P, Index, 0); }

// One hook type per action, so that a hook of either event is told apart from the edit's own handler.
template <void (*Action)(PathInputT&, Integer)>
struct PathHook {
    PathInputT* Table;
    TEdit* Edit;
    TNotifyEvent Saved;
    void operator()(TObject*) const {
        DropFreedEntries(*Table);
        const Integer found = FindPathInput(*Table, Edit);
        if (found != NoValue) Action(*Table, found);
    }
};
using PathChangeHook = PathHook<ValidateChangedEntry>;
using PathDblClickHook = PathHook<BrowseEntry>;

// The handler Current stands for: the one a hook saved, or Current itself.
template <typename Hook>
TNotifyEvent UnhookedHandler(const TNotifyEvent& Current) {
    const Hook* hook = Current.target<Hook>();
    return hook ? hook->Saved : Current;
}

}  // namespace

void InitPathInputs(PathInputT& P) {
    P.InvalidColor = DefaultInvalidPathColor;
    P.Count = 0;
    P.DefaultFilter = DefaultPathFilter;
    P.Reserved = 0;
    for (PathInputEntryT& entry : P.Entries) entry = PathInputEntryT{};
}

void RegisterPathInput(PathInputT& P, TEdit* Edit, Byte Kind) {
    if (!Edit) throw EInvalidOperation("A path field needs an edit");
    DropFreedEntries(P);
    Integer index = FindPathInput(P, Edit);
    if (index == NoValue) {
        if (UsedEntries(P) >= MaxPathInputs)
            throw ERangeError(Format("The path-field table is full (%d entries)", {MaxPathInputs}));
        P.Count = index = UsedEntries(P) + 1;
        PathInputEntryT& entry = EntryAt(P, index);
        entry = PathInputEntryT{};
        entry.Edit = Edit;
        entry.Filter = DefaultPathFilter;
        entry.Parent = -1;
        entry.SavedColor = Edit->Color();
        entry.SavedOnChange = UnhookedHandler<PathChangeHook>(Edit->OnChange);
        entry.SavedOnDblClick = UnhookedHandler<PathDblClickHook>(Edit->OnDblClick);
    }
    PathInputEntryT& entry = EntryAt(P, index);
    entry.Kind = Kind;
    Edit->OnChange = PathChangeHook{&P, Edit, entry.SavedOnChange};
    Edit->OnDblClick = PathDblClickHook{&P, Edit, entry.SavedOnDblClick};
    Edit->SetShowHint(true);
    Edit->SetParentShowHint(false);
    ValidateEntry(P, index, 0);
}

Integer FindPathInput(PathInputT& P, TEdit* Edit) {
    if (!Edit) return NoValue;
    for (Integer index = 1; index <= UsedEntries(P); ++index)
        if (EntryAt(P, index).Edit == Edit) return index;
    return NoValue;
}

void EntryPath(PathInputT& P, Integer Index, AnsiString& Path) {
    Path.clear();
    if (LiveIndex(P, Index)) EntryPathAt(P, Index, 0, Path);
}

bool EntryExists(PathInputT& P, Integer Index) {
    if (!LiveIndex(P, Index)) return false;
    AnsiString path;
    EntryPath(P, Index, path);
    return EntryAt(P, Index).Kind == PathInputFolder ? PathIsDirectory(path) : PathIsFile(path);
}

}  // namespace Diskop
