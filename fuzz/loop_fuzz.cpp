// Arbitrary selection texts: the walk ends, delivers only indexes inside the bounds, and marks
// exactly the last one as finished.
#include <cstdint>
#include <cstdlib>

#include "support/FuzzCheck.h"
#include "valstr.h"

using namespace valstr;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Two bytes of bounds, then the selection text.
    const Integer min = size > 0 ? data[0] % 4 : 1;
    const Integer max = size > 1 ? data[1] : 20;
    const std::size_t at = size < 2 ? size : 2;
    const AnsiString selection(reinterpret_cast<const char*>(data) + at, size - at);

    LoopT loop{};
    LoopSetSelection(loop, selection, min, max);
    Check(loop.Selection.find(";;") == AnsiString::npos);
    // Each item delivers at most the whole range; items are at most the text's length plus one.
    const std::size_t limit = (selection.size() + 1) * static_cast<std::size_t>(max - min + 1);
    std::size_t delivered = 0;
    while (LoopNext(loop)) {
        Check(loop.Current >= std::max(min, 1) && loop.Current <= max);
        Check(++delivered <= limit);
        if (loop.Finished) Check(loop.HasNext == 0);
    }
    Check(loop.Current == -1 && (delivered == 0 || loop.Finished == 1));

    Integer from = 0, to = 0;
    const Byte direction = ParseRangeItem(selection, min, max, to, from);
    Check(direction <= 2);
    if (direction != 2) Check(from >= min && to >= min && from <= std::max(min, max) && to <= std::max(min, max));
    return 0;
}
