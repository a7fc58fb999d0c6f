// Arbitrary paths through expanding, joining, relocating, shortening and file-name cleaning:
// nothing crashes, an expanded absolute path expands to itself again, a fixed separator leaves
// no other, a shortened path fits and a cleaned name holds no forbidden character.
#include <cstdint>
#include <cstdlib>

#include "Diskop.h"
#include "Varpre.h"
#include "support/FuzzCheck.h"

using namespace Diskop;
using namespace Varpre;

namespace {

void CheckExpand(const AnsiString& Path, const AnsiString& Base) {
    AnsiString expanded;
    ExpandPath(Path, Base, expanded);
    if (!IsAbsolutePath(expanded)) return;
    AnsiString again;
    ExpandPath(expanded, Base, again);
    Check(again == expanded);
}

void CheckJoin(const AnsiString& Dir, const AnsiString& Name, bool Slash) {
    AnsiString joined;
    JoinPath(Dir, Name, Slash ? "/" : "\\", joined);
    Check(joined.find(Slash ? '\\' : '/') == AnsiString::npos);
    Check(joined.size() <= Dir.size() + Name.size() + 1);
    JoinPath(Dir, Name, NotGiven, joined);
}

void CheckShorten(const AnsiString& Path, const AnsiString& Filler, Integer MaxLen) {
    AnsiString shortened;
    ShortenPath(Path, MaxLen, Filler, shortened);
    Check(Length(shortened) <= std::max(MaxLen, 0));
}

void CheckValidName(const AnsiString& Name) {
    AnsiString valid;
    MakeValidFileName(Name, valid);
    Check(!valid.empty());
    Check(valid.find_first_of(Varpre::InvalidFileNameChars()) == AnsiString::npos);
}

void CheckParts(const AnsiString& Path) {
    AnsiString head = Path;
    AnsiString last;
    SplitLastPathPart(head, last);
    Check(head.size() + last.size() <= Path.size());
    AnsiString text;
    ExtractParentDir(Path, text);
    ExtractPathRoot(Path, text);
    ExtractNameNoExt(Path, text);
    ExtractExtNoDot(Path, text);
    FileInfoT info;
    ClearFileInfo(info);
    FillFileInfo(info, Path, FileInfoPathOnly);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One option byte (bit 0: slash, bit 1: relocate as relative, the rest a length), then the
    // path, the base and the old base, separated by line breaks.
    const std::uint8_t options = size > 0 ? data[0] : 0;
    const AnsiString input(reinterpret_cast<const char*>(data) + (size > 0 ? 1 : 0), size > 0 ? size - 1 : 0);
    const std::size_t first = input.find('\n');
    const std::size_t second = first == AnsiString::npos ? AnsiString::npos : input.find('\n', first + 1);
    const AnsiString path = input.substr(0, first);
    const AnsiString base = first == AnsiString::npos ? AnsiString() : input.substr(first + 1, second - first - 1);
    const AnsiString oldBase = second == AnsiString::npos ? AnsiString() : input.substr(second + 1);

    CheckExpand(path, base);
    CheckJoin(base, path, options & 1);
    CheckShorten(path, oldBase, static_cast<Integer>(options >> 2) - 8);
    CheckValidName(path);
    CheckParts(path);
    AnsiString relocated;
    RelocatePath(base, path, oldBase, relocated, options & RelocateAsRelative);
    return 0;
}
