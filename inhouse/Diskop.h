#pragma once
// Paths and file information. For now: the file-information record and reading a slice of a file.

#include <vcl/System.h>

#include "Varpre.h"

namespace Diskop {

// One file's properties. Of the ten texts the item table reads the first (full path), second,
// third, seventh (name without extension), eighth and ninth (extension).
struct FileInfoT {
    AnsiString Texts[10];
    Byte Exists;
    Varpre::DateInfoT Dates[3];
    Int64 Size;          // -2 = unknown
    Integer Attributes;  // 63 = any file
    AnsiString MoreTexts[2];
    Varpre::mp3Tag11T Tag;
};

inline constexpr Int64 UnknownSize = -2;
inline constexpr Integer AnyFileAttributes = 63;

// Dates and texts cleared, Size unknown, Attributes any file, Exists 1.
void ClearFileInfo(FileInfoT& Info);

// Opens FileName shared and read-only; -32000 when it cannot be opened.
Integer OpenFileForReading(const AnsiString& FileName);
// Could Handle have come from OpenFileForReading? (A zero handle of a cleared record never did.)
bool IsOpenHandle(Integer Handle);
// Closes a handle from OpenFileForReading; any other value is ignored.
void CloseFileHandle(Integer Handle);
// Seeks to Offset and appends up to Count bytes to Text, stopping at the end of the file; nothing
// for Count < 1 or a negative handle.
void ReadFileString(Integer Handle, Int64 Offset, Integer Count, AnsiString& Text);

}  // namespace Diskop
