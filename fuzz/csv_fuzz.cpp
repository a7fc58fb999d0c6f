// CSV import: arbitrary file bytes under random Delimiter, TildeLineBreaks, OemConvert, appending and a
// floating footer load without failing, one row per line, with the Delimiter setting kept.
//
// Input: an options byte, a byte for the rows there are before, then the file's bytes.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "ProGrid.h"
#include "support/FuzzCheck.h"
#include "support/FuzzStage.h"

using namespace ProGrid;
using fuzzstage::Stage;

namespace {

// The lines a text file reader gives: ends at CR, LF or CR LF, a last line without one, nothing after
// a Ctrl-Z.
Integer CountLines(const std::string& Bytes) {
    Integer lines = 0;
    bool open = false;
    for (std::size_t i = 0; i < Bytes.size() && Bytes[i] != '\x1A'; ++i) {
        if (Bytes[i] == '\r' || Bytes[i] == '\n') {
            ++lines;
            open = false;
            if (Bytes[i] == '\r' && i + 1 < Bytes.size() && Bytes[i + 1] == '\n') ++i;
        } else {
            open = true;
        }
    }
    return lines + (open ? 1 : 0);
}

const std::string& FileName() {
    static const std::string name = "/tmp/halcyra_csv_fuzz_" + std::to_string(getpid()) + ".csv";
    return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2 || size > 8192) return 0;
    const std::uint8_t options = data[0];
    const std::string bytes(reinterpret_cast<const char*>(data) + 2, size - 2);
    std::ofstream(FileName(), std::ios::binary | std::ios::trunc) << bytes;

    TOwned<RAdeRedeviDidi> grid(new RAdeRedeviDidi(nullptr));
    grid->SetParent(&Stage());
    grid->SetBounds(0, 0, 300, 200);
    grid->SetRowCount(1 + data[1] % 6);
    static const char delimiters[] = {'\0', ',', ';', '\t', '|', 'a', '"', '~', '\x1A'};
    const char delimiter = delimiters[options % sizeof delimiters];
    grid->SetDelimiter(delimiter);
    grid->SetTildeLineBreaks(options & 0x10);
    grid->SetOemConvert(options & 0x20);
    const bool append = options & 0x40;
    grid->FloatingFooter()->SetVisible(options & 0x80);
    const Integer before = grid->RowCount();
    grid->LoadFromCSVEx(FileName(), append);

    const Integer lines = CountLines(bytes);
    const Integer rows = append ? before + lines : std::max(lines + grid->FixedFooters(), 1);
    Check(grid->RowCount() == rows);
    Check(grid->Delimiter() == delimiter);
    Check(grid->UpdateCount() == 0);
    return 0;
}
