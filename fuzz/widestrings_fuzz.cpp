// Arbitrary UTF-16 (lone surrogates, line and paragraph separators among it) set as a wide list's text:
// the text the list gives back sets the same list again, the single-byte adapter shows each string
// converted, and the adapter's IndexOf agrees with the wide one.
#include <cstdint>
#include <cstdlib>

#include "GrdUni.h"
#include "GrdUniTestList.h"
#include "support/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    WideString text(size / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<WideChar>(data[2 * i] | (data[2 * i + 1] << 8));

    TVectorWideStrings list;
    list.SetText(text);
    TVectorWideStrings again;
    again.SetText(list.Text());
    Check(again.Equals(&list));

    TStrings* ansi = list.AnsiStrings();
    Check(ansi->Count() == list.Count());
    for (Integer i = 0; i < list.Count() && i < 64; ++i) {
        const WideString wide = list.Strings(i);
        const AnsiString single = ansi->Strings(i);
        Check(single == WideToAnsi(wide));
        // The first match of a string is at or before it, and compares equal to it.
        const Integer found = list.IndexOf(wide);
        Check(found >= 0 && found <= i);
        Check(GrdUni::WideCompare()(list.Locale(), list.Strings(found), wide) == 0);
        Check(ansi->IndexOf(single) == list.IndexOf(AnsiToWide(single)));
    }
    return 0;
}
