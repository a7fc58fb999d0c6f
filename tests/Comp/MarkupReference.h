#pragma once
// The mark-up routines as their rules read, one replacement at a time: slow, and the measure the
// one-pass versions are held against by the tests and the fuzz target.
#include <utility>

#include "GrdHTMLE.h"

namespace MarkupReference {

// Passes over the entity table in order, each replacing an entity's first occurrence, until a pass
// changes nothing.
inline AnsiString EntityPasses(AnsiString S) {
    if (S.find('&') == AnsiString::npos) return S;
    static const std::pair<const char*, const char*> Table[] = {
        {"&amp;", "&&"},    {"&quot;", "\""},   {"&sect;", "\xA7"},  {"&permil;", "\x89"}, {"&reg;", "\xAE"},
        {"&copy;", "\xA9"}, {"&para;", "\xB6"}, {"&trade;", "\x99"}, {"&euro;", "\x80"},
    };
    for (bool changed = true; changed;) {
        changed = false;
        for (const auto& [entity, text] : Table)
            if (GrdHTMLE::ReplaceFirstNoCase(entity, text, S)) changed = true;
    }
    return S;
}

// While the run holds the entity in lower case, its first occurrence in any case is replaced.
inline AnsiString RunEntityPasses(AnsiString S) {
    static const std::pair<const char*, const char*> Table[] = {{"&nbsp;", " "}, {"&lt;", "<"}, {"&gt;", ">"}};
    for (const auto& [entity, text] : Table)
        while (S.find(entity) != AnsiString::npos) GrdHTMLE::ReplaceFirstNoCase(entity, text, S);
    return S;
}

// "<BR>" then "<HR>" replaced one at a time, then each "<" cut to the first ">" after it.
inline AnsiString StripByPasses(AnsiString S) {
    while (GrdHTMLE::ReplaceFirstNoCase("<BR>", "\r\n", S)) {
    }
    while (GrdHTMLE::ReplaceFirstNoCase("<HR>", "\r\n", S)) {
    }
    AnsiString text;
    for (;;) {
        const std::size_t open = S.find('<');
        if (open == AnsiString::npos) return text + S;
        text += S.substr(0, open);
        const std::size_t close = S.find('>', open);
        if (close == AnsiString::npos) return text + S.substr(open);
        S.erase(0, close + 1);
    }
}

}  // namespace MarkupReference
