// The settings text of an item table: loading sections and name = value lines into rows, finding a
// setting, and writing a row back as a line.
#include "superar.h"
#include "superar_Detail.h"

#include <string_view>

#include <vcl/SysUtils.h>

namespace superar {

using namespace valstr;
using namespace Varpre;

namespace {

constexpr const char* CRLF = "\r\n";
constexpr const char* ImplicitSection = "[Options]";
constexpr const char* ParamSection = "data";

// StatusFlag while StatusIndex names a row opened by "name =": the lone quote that opens the value
// is still to come, the value is open and empty, or it has lines already.
constexpr Integer AwaitingQuote = 0;
constexpr Integer OpenEmpty = 1;
constexpr Integer OpenWithLines = 2;

AnsiString Field(ArrayOfFiles& Table, Integer Row, Integer FieldNumber) {
    AnsiString text;
    GetFieldText(Table, Row, FieldNumber, text, false);
    return text;
}

bool IsLoneQuote(const AnsiString& Line) { return Trim(Line) == "\""; }

// First row named NameLower (empty: the section's own row) in SectionLower; with AnySection the
// section is not looked at.
Integer FindRow(ArrayOfFiles& Table, const AnsiString& NameLower, const AnsiString& SectionLower, bool AnySection) {
    const Integer indexed = detail::IndexedSettingRow(Table, NameLower, SectionLower, AnySection);
    if (indexed != detail::NoIndex) return indexed;
    for (Integer row = 1; row <= Table.Count; ++row) {
        if (!AnySection && Field(Table, row, FieldSettingSectionLower) != SectionLower) continue;
        if (NameLower.empty() ? Field(Table, row, FieldSettingKind) == KindSectionLine
                              : Field(Table, row, FieldData) == NameLower)
            return row;
    }
    return 0;
}

void CloseMultiLine(ArrayOfFiles& Table) {
    Table.StatusIndex = NoValue;
    Table.StatusFlag = AwaitingQuote;
}

// A line while a multi-line value is pending; false when the line is to be loaded on its own.
bool ContinueMultiLine(ArrayOfFiles& Table, const AnsiString& Line) {
    Integer row = Table.StatusIndex;
    if (ResolveRow(Table, row, false)) {
        CloseMultiLine(Table);
        return false;
    }
    if (IsLoneQuote(Line)) {
        if (Table.StatusFlag == AwaitingQuote) Table.StatusFlag = OpenEmpty;
        else CloseMultiLine(Table);
        return true;
    }
    if (Table.StatusFlag == AwaitingQuote) {
        // "name =" without the quote after it: an empty value on a line of its own.
        SetFieldText(Table, row, FieldSettingKind, "");
        CloseMultiLine(Table);
        return false;
    }
    if (Table.StatusFlag == OpenWithLines) {
        // The value grows in place: a value of many lines loads in time linear in its length.
        const AnsiString line = CRLF + Line;
        detail::AppendFieldText(Table, row, FieldSettingValue, line);
        detail::AppendFieldText(Table, row, FieldSettingValueLower, AnsiLowerCase(line));
    } else {
        SetFieldText(Table, row, FieldSettingValue, Line);
        SetFieldText(Table, row, FieldSettingValueLower, AnsiLowerCase(Line));
    }
    Table.StatusFlag = OpenWithLines;
    return true;
}

void AddSectionRow(ArrayOfFiles& Table, const AnsiString& Line, const AnsiString& Section, const AnsiString& Comment) {
    // A repeated section line gets a row of its own too, so the rows written back keep the text's order.
    AppendRow(Table);
    const Integer row = Table.Count;
    Table.StatusText1 = AnsiLowerCase(Section);
    Table.StatusText3 = Section;
    Table.StatusNumber = row;
    SetFieldText(Table, row, FieldSettingLineText, Line);
    SetFieldText(Table, row, FieldSettingSection, Section);
    SetFieldText(Table, row, FieldSettingSectionRow, IntToStr(row));
    SetFieldText(Table, row, FieldSettingSectionLower, Table.StatusText1);
    StoreSettingRow(Table, row, "", "", KindSectionLine, Comment);
}

void LoadLine(ArrayOfFiles& Table, const AnsiString& Line) {
    if (Table.StatusIndex != NoValue && ContinueMultiLine(Table, Line)) return;

    const bool paramMode = Table.ParamMode == 1 && Table.StatusText1 == ParamSection;
    AnsiString name;
    AnsiString value;
    AnsiString section;
    AnsiString comment;
    AnsiString kind;
    bool emptyComment = false;
    if (!ParseSettingLine(Line, name, value, paramMode, emptyComment, section, comment, kind)) return;

    if (kind == KindSectionLine) {
        AddSectionRow(Table, Line, section, comment);
        return;
    }
    if (Table.Count == 0 && Table.StatusText3.empty()) LoadLine(Table, ImplicitSection);

    // Only a named setting replaces an earlier one: comment lines and bare values are rows of their own.
    Integer row = name.empty() ? 0 : FindRow(Table, AnsiLowerCase(name), Table.StatusText1, false);
    if (row == 0) {
        AppendRow(Table);
        row = Table.Count;
        SetFieldText(Table, row, FieldSettingLineText, Line);
    }
    SetFieldText(Table, row, FieldSettingSection, Table.StatusText3);
    SetFieldText(Table, row, FieldSettingSectionRow, IntToStr(Table.StatusNumber));
    SetFieldText(Table, row, FieldSettingSectionLower, Table.StatusText1);
    StoreSettingRow(Table, row, name, value, kind, comment);
    if (kind == KindMultiLine) {
        Table.StatusIndex = row;
        Table.StatusFlag = AwaitingQuote;
    }
}

// Quotes keep what reading a line would strip or take for something else: blanks and control
// characters at the ends, a pair of quotes around the value, an empty value (a bare "name =" opens
// a multi-line value), a section's brackets, a comment's slashes at the front of a bare value.
bool EdgesNeedQuotes(const AnsiString& Value) {
    return static_cast<unsigned char>(Value.front()) <= ' ' || static_cast<unsigned char>(Value.back()) <= ' ' ||
           Value.back() == ']' || (Value.size() >= 2 && Value.front() == '"' && Value.back() == '"');
}

bool NamedValueNeedsQuotes(const AnsiString& Value) {
    return Value.empty() || Value.find(' ') != AnsiString::npos || EdgesNeedQuotes(Value);
}

bool BareValueNeedsQuotes(const AnsiString& Value) {
    return !Value.empty() && (EdgesNeedQuotes(Value) || std::string_view(Value).starts_with("//"));
}

// Names lose their quotes and sections their brackets when read, so one of those put between two
// slashes keeps them from starting a comment, and between CR and LF from ending the line; it reads
// back as nothing.
AnsiString KeptApart(const AnsiString& Text, char Filler) {
    AnsiString written;
    for (const char c : Text) {
        const char previous = written.empty() ? '\0' : written.back();
        if ((c == '/' && previous == '/') || (c == '\n' && previous == '\r')) written += Filler;
        written += c;
    }
    return written;
}

AnsiString WrittenName(const AnsiString& Name) { return KeptApart(Name, '"'); }

AnsiString Quoted(const AnsiString& Value) { return "\"" + Value + "\""; }

AnsiString WithComment(const AnsiString& Line, const AnsiString& Comment) {
    if (Comment.empty()) return Line;
    return Line.empty() ? "// " + Comment : Line + " // " + Comment;
}

}  // namespace

void LoadTableText(ArrayOfFiles& Table, const AnsiString& Text, bool Nested) {
    if (Nested) {
        LoadLine(Table, Text);
        return;
    }
    const std::string_view text(Text);
    std::size_t start = 0;
    for (std::size_t end = text.find(CRLF); end != std::string_view::npos; end = text.find(CRLF, start)) {
        LoadTableText(Table, AnsiString(text.substr(start, end - start)), true);
        start = end + 2;
    }
    LoadTableText(Table, AnsiString(text.substr(start)), true);
}

void StoreSettingRow(ArrayOfFiles& Table, Integer Row, const AnsiString& Name, const AnsiString& Value,
                     const AnsiString& Kind, const AnsiString& Comment) {
    SetFieldText(Table, Row, FieldData, AnsiLowerCase(Name));
    SetFieldText(Table, Row, FieldSettingName, Name);
    SetFieldText(Table, Row, FieldSettingValueLower, AnsiLowerCase(Value));
    SetFieldText(Table, Row, FieldSettingValue, Value);
    SetFieldText(Table, Row, FieldSettingKind, Kind);
    SetFieldText(Table, Row, FieldSettingComment, Comment);
}

Integer FindSettingRow(ArrayOfFiles& Table, const AnsiString& Name, const AnsiString& Section) {
    return FindRow(Table, AnsiLowerCase(Name), AnsiLowerCase(Section), Section.empty() && !Name.empty());
}

Integer FindSectionRow(ArrayOfFiles& Table, const AnsiString& Section, bool& Found) {
    const Integer row = FindRow(Table, "", AnsiLowerCase(Section), false);
    Found = row > 0;
    return row;
}

void WriteSettingLine(const AnsiString& Name, const AnsiString& Value, const AnsiString& Kind,
                      const AnsiString& Comment, const AnsiString& Section, AnsiString& Line) {
    if (Kind == KindSectionLine) {
        Line = WithComment("[" + KeptApart(Section, ']') + "]", Comment);
        return;
    }
    if (Name.empty()) {
        const bool bare = Kind == KindBareValue;
        Line = WithComment(bare && BareValueNeedsQuotes(Value) ? Quoted(Value) : bare ? Value : AnsiString(), Comment);
        return;
    }
    if (Kind == KindMultiLine) {
        // The comment goes on the "name =" line: after the closing quote it would hide that quote.
        Line = WithComment(WrittenName(Name) + "=", Comment) + CRLF + "\"" + CRLF + Value + CRLF + "\"";
        return;
    }
    Line = WithComment(WrittenName(Name) + "=" + (NamedValueNeedsQuotes(Value) ? Quoted(Value) : Value), Comment);
}

}  // namespace superar
