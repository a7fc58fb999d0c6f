#pragma once
// Paths (Windows syntax: drive letters, "\\server\share", both separators; on this platform a path
// starting with a single "/" is absolute too, "/" being its root), file information, reading a
// slice of a file, and the table of edits registered as folder or file fields.

#include <array>

#include <vcl/Graphics.h>
#include <vcl/StdCtrls.h>
#include <vcl/System.h>

#include "Varpre.h"

namespace Diskop {

// One file's properties. The texts are indexed by the FileText... constants below.
struct FileInfoT {
    AnsiString Texts[10];
    Byte Exists;
    Varpre::DateInfoT Dates[3];
    Int64 Size;          // -2 = unknown
    Integer Attributes;  // 63 = any file
    AnsiString MoreTexts[2];
    Varpre::mp3Tag11T Tag;
};

// What the ten texts hold (the item table shows 0, 1, 2, 6, 8 and 7 as fields 107 to 111 and 106).
enum : Integer {
    FileTextFolder = 0,      // the file's folder, expanded
    FileTextFullName = 1,    // folder and name
    FileTextName = 2,        // name with extension
    FileTextRoot = 3,        // drive, share or "/"
    FileTextGiven = 4,       // the path as it was given
    FileTextParent = 5,      // the folder above the file's folder
    FileTextBaseName = 6,    // name without extension
    FileTextDotExt = 7,      // extension with its dot
    FileTextExt = 8,         // extension without dot
    FileTextFolderName = 9,  // last part of the folder
};

// Date slots of FileInfoT.
enum : Integer { FileDateModified = 0, FileDateAccessed = 1, FileDateChanged = 2 };

inline constexpr Int64 UnknownSize = -2;
inline constexpr Integer AnyFileAttributes = 63;
// The attribute bits FillFileInfo sets.
inline constexpr Integer faReadOnly = 0x01;
inline constexpr Integer faHidden = 0x02;
inline constexpr Integer faDirectory = 0x10;
inline constexpr Integer faArchive = 0x20;

// FillFileInfo modes: the path parts only, or the file system's answers too.
inline constexpr Byte FileInfoPathOnly = 0;
inline constexpr Byte FileInfoFromDisk = 1;

// Dates and texts cleared, Size unknown, Attributes any file, Exists 1.
void ClearFileInfo(FileInfoT& Info);
// Texts from Path; with FileInfoFromDisk also Exists (0 or 1), Size, Attributes and times.
void FillFileInfo(FileInfoT& Info, const AnsiString& Path, Byte Mode);

// Opens FileName shared and read-only; Varpre::NoValue when it cannot be opened.
Integer OpenFileForReading(const AnsiString& FileName);
// Could Handle have come from OpenFileForReading? (A zero handle of a cleared record never did.)
bool IsOpenHandle(Integer Handle);
// Closes a handle from OpenFileForReading; any other value is ignored.
void CloseFileHandle(Integer Handle);
// Seeks to Offset and appends up to Count bytes to Text, stopping at the end of the file; nothing
// for Count < 1 or a negative handle.
void ReadFileString(Integer Handle, Int64 Offset, Integer Count, AnsiString& Text);

// ---------------------------------------------------------------------------
// Path helpers. Texts are 1-based; "\" and "/" both separate.

// RelocatePath option: Path is taken as relative to the new base as it is.
inline constexpr Byte RelocateAsRelative = 2;
// MakeValidFileName puts this in place of characters a file name cannot hold.
inline constexpr AnsiChar FileNameReplacementChar = '_';

bool IsPathSeparator(AnsiChar C);
bool IsAbsolutePath(const AnsiString& Path);
// 1 drive path, 2 network path, 3 web address, 4 anything else.
Byte PathKind(const AnsiString& Path);
// Position of the first character after the root; Length + 1 when Path is only a root.
Integer PathRootLength(const AnsiString& Path);
// "c:", "\\server\share" or "/"; "" for a relative path.
void ExtractPathRoot(const AnsiString& Path, AnsiString& Root);
void ExpandPath(const AnsiString& Path, const AnsiString& BaseDir, AnsiString& Result);
// Longer than MaxLen: root, Filler, then the end of Path, cut to MaxLen.
void ShortenPath(const AnsiString& Path, Integer MaxLen, const AnsiString& Filler, AnsiString& Result);
void SplitLastPathPart(AnsiString& Path, AnsiString& LastPart);
void ExtractParentDir(const AnsiString& Path, AnsiString& Dir);
void ExcludeTrailingSeparators(const AnsiString& Path, AnsiString& Result);
void ExtractNameNoExt(const AnsiString& Path, AnsiString& Name);
void ExtractExtNoDot(const AnsiString& Path, AnsiString& Ext);
void SlashToBackslash(const AnsiString& S, AnsiString& Result);
void BackslashToSlash(const AnsiString& S, AnsiString& Result);
void ProgramFolder(AnsiString& Folder);
// Separator "\" or "/" makes every separator that one; Varpre::NotGiven keeps the path's own.
void JoinPath(const AnsiString& Dir, const AnsiString& Name, const AnsiString& Separator, AnsiString& Result);
void MakeValidFileName(const AnsiString& Name, AnsiString& Result);
void RelocatePath(const AnsiString& BaseDir, const AnsiString& Path, const AnsiString& OldBase, AnsiString& Result,
                  Byte Options);
// The deepest existing folder along an absolute Path, with a trailing separator; "/" for a
// relative or empty Path.
void NearestExistingFolder(const AnsiString& Path, AnsiString& Folder);
// Do Path's folder and file exist? (Windows separators are read as the platform's.)
bool PathIsDirectory(const AnsiString& Path);
bool PathIsFile(const AnsiString& Path);

// ---------------------------------------------------------------------------
// Path fields: edits whose colour shows whether their path exists and that browse on double-click.

inline constexpr Integer MaxPathInputs = 200;
inline constexpr Byte PathInputFolder = 1;
inline constexpr Byte PathInputFile = 2;
inline constexpr TColor DefaultInvalidPathColor = 0xC0C0C0;
inline constexpr const char DefaultPathFilter[] = "Any file (*.*)|*.*";

struct PathInputEntryT {
    // Nil once the edit is destroyed. Such an entry is skipped, and dropped when an edit is registered or a
    // path field's handler runs: the entries after it move up and Parent links follow (-1 when the parent
    // itself was dropped).
    TComponentRef<TEdit> Edit;
    AnsiString BasePath;  // folder that relative text is taken against; "" = none
    AnsiString Filter;
    FileInfoT Info;  // of the current text
    Integer Parent;  // entry whose path is the base; -1 = none
    TColor SavedColor;
    Byte Kind;
    TNotifyEvent SavedOnChange;
    TNotifyEvent SavedOnDblClick;
};

struct PathInputT {
    TColor InvalidColor;
    Integer Count;
    AnsiString DefaultFilter;
    Integer Reserved;
    std::array<PathInputEntryT, MaxPathInputs + 1> Entries;  // 1..MaxPathInputs
};

void InitPathInputs(PathInputT& P);
// Adds Edit (ERangeError when all entries are taken) or updates its entry, hooks its OnChange and
// OnDblClick and validates it once. An edit hooked before (by a table since started afresh) keeps the
// handlers it had before its first hooking as the saved ones.
void RegisterPathInput(PathInputT& P, TEdit* Edit, Byte Kind);
// The entry of Edit; Varpre::NoValue for an edit not registered (or nil).
Integer FindPathInput(PathInputT& P, TEdit* Edit);
// An entry whose edit is gone has no path ("") and does not exist.
void EntryPath(PathInputT& P, Integer Index, AnsiString& Path);
bool EntryExists(PathInputT& P, Integer Index);

}  // namespace Diskop
