// Arbitrary bytes through the mark-up unit's text routines: the one-pass entity scan, run entities and
// tag stripping agree with the rules applied one replacement at a time, a control value written into a
// tag comes back unchanged, colours stay in range and tag numbers within their clamp.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "GrdHTMLE.h"
#include "MarkupReference.h"
#include "support/FuzzCheck.h"

namespace {

using namespace GrdHTMLE;

// The references are quadratic; longer inputs only run the fast routines.
constexpr std::size_t ReferenceLimit = 4096;

void CheckPreparation(const std::string& text) {
    const AnsiString prepared = ReplaceEntities(text);
    const AnsiString run = ReplaceRunEntities(text);
    if (text.size() <= ReferenceLimit) {
        Check(prepared == MarkupReference::EntityPasses(text));
        Check(run == MarkupReference::RunEntityPasses(text));
    }
    Check(prepared.size() <= text.size() && run.size() <= text.size());
    Check(ReplaceEntities(prepared) == prepared);
    PrepareMarkup(text);
}

void CheckStrip(const std::string& text) {
    AnsiString stripped;
    StripHTML(text, stripped);
    if (text.size() <= ReferenceLimit) Check(stripped == MarkupReference::StripByPasses(text));
}

// The input's first line is a value, the rest a cell text that may hold controls.
void CheckControls(const std::string& text) {
    const std::size_t cut = text.find('\n');
    const AnsiString value = text.substr(0, cut);
    const AnsiString rest = cut == std::string::npos ? AnsiString() : text.substr(cut + 1);
    AnsiString type, id, parsed, width;
    ParseControlTag(rest, type, id, parsed, width);
    Check(UpperCase(type) == type);

    AnsiString html = rest + "<CONTROL TYPE=\"EDIT\" ID=\"fz\" WIDTH=\"40\">";
    const AnsiString before = html;
    if (!SetControlValue(html, "fz", value)) Check(html == before);
    AnsiString cell = "<CONTROL TYPE=\"EDIT\" ID=\"fz\" WIDTH=\"40\">" + rest;
    Check(SetControlValue(cell, "fz", value));
    const std::size_t close = cell.find('>');
    Check(close != AnsiString::npos && cell.substr(close + 1) == rest);
    ParseControlTag(cell.substr(0, close + 1), type, id, parsed, width);
    Check(parsed == value && id == "fz" && width == "40" && type == "EDIT");
}

void CheckNumbers(const std::string& text) {
    const Integer n = StrToIntDef0(text);
    Check(n >= -32768 && n <= 32767);
    const TColor color = HTMLColorFromHex(text);
    Check(color >= 0 && color <= 0xFFFFFF);
    const Integer pair = HexPairToInt(text);
    Check(pair >= 16 * (0 - '0') + (0 - '0') && pair <= 16 * (255 - 55) + (255 - 55));
    HTMLColorByName(text);
    MarkupColor(text);
    FontSizeValue(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    CheckPreparation(input);
    CheckStrip(input);
    CheckControls(input);
    CheckNumbers(input);
    return 0;
}
