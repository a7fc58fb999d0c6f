// Arbitrary bytes as an INI file, read and written through TIniFile: a read gives the default or text
// of the file from within one line; a value the file can hold comes back exactly as written, and the
// write leaves every other line alone; text it cannot hold raises and leaves the file as it was.
#include <cstdint>
#include <string>
#include <string_view>

#include "support/SettingsFiles.h"
#include "vcl/IniFiles.h"

namespace {

using namespace fuzzsettings;

const char Default[] = "\x01(default)";

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
    return s;
}

bool HoldsLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// What the file's lines cannot hold: line breaks anywhere, "]" in a section, "=" in a key or a key that
// would read as a section header.
bool Storable(std::string_view Section, std::string_view Ident, std::string_view Value) {
    Section = Trimmed(Section);
    Ident = Trimmed(Ident);
    return !HoldsLineBreak(Value) && !HoldsLineBreak(Section) && Section.find(']') == std::string_view::npos &&
           !HoldsLineBreak(Ident) && Ident.find('=') == std::string_view::npos && (Ident.empty() || Ident[0] != '[');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const TInput input = CutInput(std::string(reinterpret_cast<const char*>(data), size));
    const std::string& section = input.Names[0];
    const std::string& ident = input.Names[1];
    const std::string& value = input.Names[2];
    const std::string file = Folder() + "/fuzz.ini";
    SetContents(file, input.File);
    TIniFile ini(file);

    const AnsiString read = ini.ReadString(section, ident, Default);
    Check(read == Default || (read.find('\n') == AnsiString::npos && input.File.find(read) != std::string::npos));

    bool raised = false;
    try {
        ini.WriteString(section, ident, value);
    } catch (const EIniFileException&) {
        raised = true;
    }
    const std::string after = Contents(file);
    Check(raised == !Storable(section, ident, value));
    if (raised) {
        Check(after == input.File);
        return 0;
    }
    Check(ini.ReadString(section, ident, Default) == value);
    Check(ChangesAtMostOneLine(input.File, after));
    return 0;
}
