// Our RTF writer: every run states its whole format, so the reader needs no state from earlier runs.
#include <algorithm>
#include <cstdio>
#include <unordered_map>

#include "System/Codepage.h"
#include "vcl/RichText.h"

namespace {

void AppendHex(std::string& Out, unsigned char Byte) {
    static const char digits[] = "0123456789abcdef";
    Out += "\\'";
    Out += digits[Byte >> 4];
    Out += digits[Byte & 15];
}

// A font name may hold anything but the table's own marks.
void AppendFontName(std::string& Out, const AnsiString& Name) {
    for (char c : Name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte > 0x7E || c == ';' || c == '\\' || c == '{' || c == '}') AppendHex(Out, byte);
        else Out += c;
    }
}

void AppendCharacter(std::string& Out, WideChar C) {
    switch (C) {
        case u'\\': Out += "\\\\"; return;
        case u'{': Out += "\\{"; return;
        case u'}': Out += "\\}"; return;
        case u'\t': Out += "\\tab "; return;
        case u'\v': Out += "\\line "; return;
        default: break;
    }
    if (C >= 0x20 && C < 0x7F) {
        Out += static_cast<char>(C);
        return;
    }
    const char byte = codepage::UnicodeToAnsiChar(C, '\0');
    if (byte != '\0' && C >= 0x20) return AppendHex(Out, static_cast<unsigned char>(byte));
    // \uN takes a signed 16-bit value; the '?' stands in for readers without Unicode.
    Out += "\\u" + std::to_string(static_cast<int>(static_cast<std::int16_t>(C))) + "?";
}

const char* AlignmentWord(TAlignment A) {
    switch (A) {
        case taCenter: return "\\qc";
        case taRightJustify: return "\\qr";
        default: return "\\ql";
    }
}

}  // namespace

std::string WriteRtf(const TRichText& Content) {
    std::vector<AnsiString> fonts;
    std::vector<TColor> colors;
    std::unordered_map<AnsiString, std::size_t> fontIndex;
    std::unordered_map<TColor, std::size_t> colorIndex;
    for (const TRichRun& run : Content.Runs) {
        if (!run.Format.FontName.empty() && fontIndex.emplace(run.Format.FontName, fonts.size()).second)
            fonts.push_back(run.Format.FontName);
        if (run.Format.Color && colorIndex.emplace(*run.Format.Color, colors.size() + 1).second)
            colors.push_back(*run.Format.Color);
    }

    std::string out = "{\\rtf1\\ansi\\ansicpg1252\\uc1";
    if (!fonts.empty()) {
        out += "{\\fonttbl";
        for (std::size_t i = 0; i < fonts.size(); ++i) {
            out += "{\\f" + std::to_string(i) + "\\fnil ";
            AppendFontName(out, fonts[i]);
            out += ";}";
        }
        out += "}";
    }
    if (!colors.empty()) {
        out += "{\\colortbl ;";
        for (TColor c : colors)
            out += "\\red" + std::to_string(c & 0xFF) + "\\green" + std::to_string((c >> 8) & 0xFF) + "\\blue" +
                   std::to_string((c >> 16) & 0xFF) + ";";
        out += "}";
    }
    out += "\r\n";

    std::size_t paragraph = 0;
    out += "\\pard";
    out += AlignmentWord(Content.Paragraphs.empty() ? taLeftJustify : Content.Paragraphs[0]);
    std::size_t at = 0;
    for (const TRichRun& run : Content.Runs) {
        const TRichCharFormat& f = run.Format;
        out += "\\plain";
        if (!f.FontName.empty()) out += "\\f" + std::to_string(fontIndex[f.FontName]);
        if (f.HalfPoints > 0) out += "\\fs" + std::to_string(f.HalfPoints);
        if (f.Color) out += "\\cf" + std::to_string(colorIndex[*f.Color]);
        if (f.Bold) out += "\\b";
        if (f.Italic) out += "\\i";
        if (f.Underline) out += "\\ul";
        if (f.StrikeOut) out += "\\strike";
        out += ' ';
        const std::size_t end = std::min(at + run.Length, Content.Text.size());
        for (; at < end; ++at) {
            const WideChar c = Content.Text[at];
            if (c != u'\r') {
                AppendCharacter(out, c);
                continue;
            }
            ++paragraph;
            out += "\\par\r\n\\pard";
            out += AlignmentWord(paragraph < Content.Paragraphs.size() ? Content.Paragraphs[paragraph] : taLeftJustify);
            out += ' ';
        }
    }
    // The reader takes the last paragraph mark as the document's end.
    out += "\\par\r\n}";
    return out;
}
