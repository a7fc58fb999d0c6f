// Reading and writing fields: stored texts and numbers, computed fields, backing files, formatting.
#include "superar.h"
#include "superar_Detail.h"

#include <random>

#include <vcl/ScopeGuard.h>
#include <vcl/SysUtils.h>

#include "dater.h"

namespace superar {

using namespace valstr;
using namespace Diskop;
using namespace exposit;
using namespace dater;
using namespace Varpre;

namespace {

// Field numbers of the computed fields.
enum : Integer {
    fFolderRelocated = 73,
    fNameReversed = 75,
    fNameLength = 76,
    fExtLength = 77,
    fTextEightLength = 78,
    fTextThreeLength = 79,
    fWeekday = 81,
    fFileSize = 82,
    fExtReversed = 85,
    fNameNumber = 86,
    fExtNumber = 87,
    fSmallestChar = 89,
    fSortedChars = 90,
    fWordCount = 91,
    fFolder = 92,
    fFullPath = 93,
    fCaseDiffers = 94,
    fMoved = 95,
    fParentFolder = 97,
    fSettingLine = FieldSettingLine,
    fSectionMark = 99,
    fGroupLetter = 100,
    fZodiac = 74,
    fSecondText = 106,
    fPath = 107,
    fThirdText = 108,
    fName = 109,
    fExt = 110,
    fEighthText = 111,
};

// A computed field may name another computed field (CaseFieldA, GroupLetterField); past this depth
// a computed field gives its stored text, so a field naming itself cannot recurse without end.
constexpr int MaxComputeDepth = 4;
int computeDepth = 0;

bool ValidField(Integer Field) { return Field >= 0 && Field <= LastField; }

const DataRecT& RowAt(const ArrayOfFiles& Table, Integer Row) { return CheckedElement(Table.Rows, Row); }

const DataTextT& TextsAt(const ArrayOfFiles& Table, Integer Row) { return RowAt(Table, Row).Texts; }

const AnsiString& FileText(const ArrayOfFiles& Table, Integer Row, Integer Index) {
    return CheckedElement(RowAt(Table, Row).Info.Get().Texts, Index);
}

// The text of a field of a resolved row, unformatted.
void FieldTextOfRow(ArrayOfFiles& Table, Integer Row, Integer Field, AnsiString& Text);

AnsiString TextOf(ArrayOfFiles& Table, Integer Row, Integer Field) {
    AnsiString text;
    FieldTextOfRow(Table, Row, Field, text);
    return text;
}

// Backing file: the stored text is the offset of the field's text in the file, field 105 its length.
void ReadBackedText(ArrayOfFiles& Table, Integer Row, Integer Field, AnsiString& Text) {
    Text.clear();
    const DataTextT& texts = TextsAt(Table, Row);
    Int64 offset = 0;
    Int64 count = 0;
    if (!TryStrToInt64(AnsiString(texts.Text(static_cast<std::size_t>(Field))), offset) ||
        !TryStrToInt64(AnsiString(texts.Text(FieldBackingLength)), count))
        return;
    if (offset < 0 || count < 1) return;
    const AnsiString& name = Table.BackingFiles[Field];
    if (!IsOpenHandle(Table.BackingHandle) || Table.BackingOpenFile != name) {
        CloseFileHandle(Table.BackingHandle);
        Table.BackingHandle = OpenFileForReading(name);
        Table.BackingOpenFile = IsOpenHandle(Table.BackingHandle) ? name : AnsiString();
    }
    ReadFileString(Table.BackingHandle, offset, CheckedCast<Integer>(std::min<Int64>(count, 0x7FFFFFFF)), Text);
}

void StoredText(ArrayOfFiles& Table, Integer Row, Integer Field, AnsiString& Text) {
    if (!Table.BackingFiles[Field].empty()) {
        ReadBackedText(Table, Row, Field, Text);
        return;
    }
    Text.assign(TextsAt(Table, Row).Text(static_cast<std::size_t>(Field)));
}

bool HoldsSeparator(const AnsiString& Text) { return Text.find_first_of("\\/") != AnsiString::npos; }

// The path a name holding separators stands for: field 51's stored text taken against field 107.
AnsiString NamedPath(ArrayOfFiles& Table, Integer Row) {
    AnsiString name;
    AnsiString path;
    StoredText(Table, Row, FieldSettingName, name);
    ExpandPath(name, TextOf(Table, Row, fPath), path);
    return path;
}

// Field 92: field 107, or the folder of the path field 51 names.
void NamedFolder(ArrayOfFiles& Table, Integer Row, AnsiString& Text) {
    AnsiString name;
    StoredText(Table, Row, FieldSettingName, name);
    if (!HoldsSeparator(name)) {
        Text = TextOf(Table, Row, fPath);
        return;
    }
    Text = NamedPath(Table, Row);
    AnsiString last;
    SplitLastPathPart(Text, last);
}

// Field 95: has the row's name moved it to another folder ("m") or another drive or share ("c")?
// Upper case when that folder does not exist.
void MovedMark(ArrayOfFiles& Table, Integer Row, AnsiString& Text) {
    const AnsiString path = TextOf(Table, Row, fPath);
    const AnsiString folder = TextOf(Table, Row, fFolder);
    if (path == folder) {
        Text.clear();
        return;
    }
    AnsiString pathRoot;
    AnsiString folderRoot;
    ExtractPathRoot(path, pathRoot);
    ExtractPathRoot(folder, folderRoot);
    const bool sameRoot = detail::SameTextNoCase(pathRoot, folderRoot);
    Text = PathIsDirectory(folder) ? (sameRoot ? "m" : "c") : (sameRoot ? "M" : "C");
}

// Field 98: the row written back as a setting line, from the texts as stored (field 51 as read
// would turn a name holding a slash into a path part).
void SettingLine(ArrayOfFiles& Table, Integer Row, AnsiString& Text) {
    AnsiString parts[5];
    const Integer fields[5] = {FieldSettingName, FieldSettingValue, FieldSettingKind, FieldSettingComment,
                               FieldSettingSection};
    for (int i = 0; i < 5; ++i) StoredText(Table, Row, fields[i], parts[i]);
    WriteSettingLine(parts[0], parts[1], parts[2], parts[3], parts[4], Text);
}

// Field 90: the name's characters in order, one item each.
void SortedCharList(const AnsiString& Name, AnsiString& Text) {
    AnsiString sorted;
    SortChars(Name, sorted);
    Text.clear();
    for (const char c : sorted) {
        if (!Text.empty()) Text += ',';
        Text += c;
    }
}

// Computed text fields; false for a field that holds its own text.
bool ComputedText(ArrayOfFiles& Table, Integer Row, Integer Field, AnsiString& Text) {
    switch (Field) {
        case FieldSettingName: {
            StoredText(Table, Row, Field, Text);
            if (Text.empty()) {
                Text = TextOf(Table, Row, fThirdText);
            } else if (HoldsSeparator(Text)) {
                AnsiString folder = NamedPath(Table, Row);
                SplitLastPathPart(folder, Text);
            }
            return true;
        }
        case fNameReversed: ReverseStr(TextOf(Table, Row, fName), Text); return true;
        case fExtReversed: ReverseStr(TextOf(Table, Row, fExt), Text); return true;
        case fNameNumber:
        case fExtNumber: {
            Integer index = 1;
            ReadNumberAt(TextOf(Table, Row, Field == fNameNumber ? fName : fExt), index, Text);
            return true;
        }
        case fSmallestChar: SmallestChar(TextOf(Table, Row, fName), Text); return true;
        case fCaseDiffers: {
            const AnsiString a = TextOf(Table, Row, Table.CaseFieldA);
            const AnsiString b = TextOf(Table, Row, Table.CaseFieldB);
            Text = a == b ? "" : detail::SameTextNoCase(a, b) ? "x" : "X";
            return true;
        }
        case FieldIncluded: Text = RowAt(Table, Row).Included ? "i" : ""; return true;
        case fSectionMark: Text = TextOf(Table, Row, FieldSettingKind) == "[]" ? "a" : "b"; return true;
        case fSecondText: Text = FileText(Table, Row, 1); return true;
        case fPath: Text = FileText(Table, Row, 0); return true;
        case fThirdText: Text = FileText(Table, Row, 2); return true;
        case fName: Text = FileText(Table, Row, 6); return true;
        case fExt: Text = FileText(Table, Row, 8); return true;
        case fEighthText: Text = FileText(Table, Row, 7); return true;
        case fGroupLetter:
            Text.assign(1, AlphabetGroupChar(TextOf(Table, Row, Table.GroupLetterField), "", ""));
            return true;
        case fFolderRelocated:
            RelocatePath(Table.ToFolder, TextOf(Table, Row, fSecondText), Table.FromFolder, Text,
                         Table.RelocateOptions);
            return true;
        case fFolder: NamedFolder(Table, Row, Text); return true;
        case fFullPath:
            JoinPath(TextOf(Table, Row, fFolder), TextOf(Table, Row, FieldSettingName), NotGiven, Text);
            return true;
        case fMoved: MovedMark(Table, Row, Text); return true;
        case fParentFolder: ExtractParentDir(TextOf(Table, Row, fPath), Text); return true;
        case fSettingLine: SettingLine(Table, Row, Text); return true;
        case fSortedChars: SortedCharList(TextOf(Table, Row, fName), Text); return true;
        default: return false;
    }
}

void FieldTextOfRow(ArrayOfFiles& Table, Integer Row, Integer Field, AnsiString& Text) {
    if (!ValidField(Field)) {
        Text.clear();
        return;
    }
    switch (FieldNamesAt(Table, Field).Kind) {
        case KindInteger: Int64Str(GetFieldInt(Table, Row, Field), Text); return;
        case KindDate:
        case KindTime: {
            const bool date = FieldNamesAt(Table, Field).Kind == KindDate;
            FormatDatePattern(date ? "dd.mm.yyyy" : "HH:ii:ss:l", "0", Text,
                              TextsAt(Table, Row).FloatValue(static_cast<std::size_t>(Field)));
            return;
        }
        default: break;
    }
    if (computeDepth < MaxComputeDepth) {
        const TValueGuard depth(computeDepth, computeDepth + 1);
        if (ComputedText(Table, Row, Field, Text)) return;
    }
    StoredText(Table, Row, Field, Text);
}

Int64 TextLength(ArrayOfFiles& Table, Integer Row, Integer Field) {
    if (computeDepth >= MaxComputeDepth) return 0;
    const TValueGuard depth(computeDepth, computeDepth + 1);
    return Length(TextOf(Table, Row, Field));
}

Integer RandomBit() {
    static std::minstd_rand generator{std::random_device{}()};
    return static_cast<Integer>(generator() & 1);
}

// The fields of a row resolved with Grow (Row becomes the row's number), grown to hold Field; null for an
// invalid row or field. A row written for the first time takes storage a cleared row left.
DataTextT* WritableTexts(ArrayOfFiles& Table, Integer& Row, Integer Field) {
    if (!ValidField(Field) || ResolveRow(Table, Row, true)) return nullptr;
    DataTextT& texts = CheckedElement(Table.Rows, Row).Texts;
    Table.FreedRowStorage.GiveTo(texts);
    if (static_cast<std::size_t>(Field) >= texts.size())
        texts.resize(static_cast<std::size_t>(Field <= 68 ? Field + 2 : Field + 11));
    return &texts;
}

}  // namespace

bool IsComputedTextField(Integer Field) {
    switch (Field) {
        case FieldSettingName:
        case fFolderRelocated:
        case fNameReversed:
        case fExtReversed:
        case fNameNumber:
        case fExtNumber:
        case fSmallestChar:
        case fSortedChars:
        case fFolder:
        case fFullPath:
        case fCaseDiffers:
        case fMoved:
        case FieldIncluded:
        case fParentFolder:
        case fSettingLine:
        case fSectionMark:
        case fGroupLetter:
        case fSecondText:
        case fPath:
        case fThirdText:
        case fName:
        case fExt:
        case fEighthText: return true;
        default: return false;
    }
}

Int64 GetFieldInt(ArrayOfFiles& Table, Integer Row, Integer Field) {
    if (!ValidField(Field) || ResolveRow(Table, Row, false)) return 0;
    const DataRecT& row = RowAt(Table, Row);
    switch (Field) {
        case FieldRowNumber: return Row;
        case FieldRandom: return RandomBit();
        case fZodiac: return row.Info.Get().Dates[0].Zodiac;
        case fWeekday: return row.Info.Get().Dates[0].Weekday;
        case fNameLength: return TextLength(Table, Row, fName);
        case fExtLength: return TextLength(Table, Row, fExt);
        case fTextEightLength: return TextLength(Table, Row, fEighthText);
        case fTextThreeLength: return TextLength(Table, Row, fThirdText);
        case fFileSize: return row.Info.Get().Size;
        case FieldOriginalNumber: return row.OriginalNumber;
        case fWordCount: return WordCount(TextOf(Table, Row, fThirdText));
        default: return row.Texts.IntValue(static_cast<std::size_t>(Field));
    }
}

void GetFieldText(ArrayOfFiles& Table, Integer Row, Integer Field, AnsiString& Text, bool Formatted) {
    if (!ValidField(Field) || ResolveRow(Table, Row, false)) {
        Text.clear();
        return;
    }
    // A text as written, the most read kind, goes straight out.
    if (!Formatted && detail::IsPlainTextField(Table, Field)) {
        Text.assign(TextsAt(Table, Row).Text(static_cast<std::size_t>(Field)));
        return;
    }
    FieldTextOfRow(Table, Row, Field, Text);
    if (!Formatted) return;
    const FieldNamesT& names = FieldNamesAt(Table, Field);
    SetDigitGroupSeparator("'");
    if (names.GroupFlag == 1) {
        AnsiString grouped;
        GroupDigits(Text, 0, grouped);
        Text = std::move(grouped);
    }
    Text += names.Suffix;
}

void SetFieldValue(ArrayOfFiles& Table, Integer Row, Integer Field, const Variant& Value) {
    if (!ValidField(Field)) return;
    // Convert before storing: a value that does not convert leaves the field as it was.
    const Byte kind = FieldNamesAt(Table, Field).Kind;
    const Int64 intValue = kind == KindInteger ? Value.AsInt64() : 0;
    const Double floatValue = kind == KindDate || kind == KindTime ? Value.AsDouble() : 0.0;
    const AnsiString text = VarToStr(Value);
    DataTextT* texts = WritableTexts(Table, Row, Field);
    if (!texts) return;
    const auto field = static_cast<std::size_t>(Field);
    texts->SetText(field, text);
    if (kind == KindInteger) texts->SetIntValue(field, intValue);
    else if (kind == KindDate || kind == KindTime) texts->SetFloatValue(field, floatValue);
    detail::NoteFieldWritten(Table, Row, Field);
}

void detail::SetFieldTextView(ArrayOfFiles& Table, Integer Row, Integer Field, std::string_view Text) {
    if (!ValidField(Field)) return;
    if (FieldNamesAt(Table, Field).Kind != KindText) {
        SetFieldValue(Table, Row, Field, Variant(AnsiString(Text)));
        return;
    }
    if (DataTextT* texts = WritableTexts(Table, Row, Field)) {
        texts->SetText(static_cast<std::size_t>(Field), Text);
        detail::NoteFieldWritten(Table, Row, Field);
    }
}

void detail::AppendFieldText(ArrayOfFiles& Table, Integer Row, Integer Field, std::string_view Text) {
    if (!ValidField(Field) || FieldNamesAt(Table, Field).Kind != KindText) return;
    if (DataTextT* texts = WritableTexts(Table, Row, Field)) {
        texts->AppendText(static_cast<std::size_t>(Field), Text);
        detail::NoteFieldWritten(Table, Row, Field);
    }
}

bool detail::IsPlainTextField(const ArrayOfFiles& Table, Integer Field) {
    return ValidField(Field) && FieldNamesAt(Table, Field).Kind == KindText && !IsComputedTextField(Field) &&
           Table.BackingFiles[Field].empty();
}

std::string_view detail::StoredTextView(const ArrayOfFiles& Table, Integer Row, Integer Field) {
    return TextsAt(Table, Row).Text(static_cast<std::size_t>(Field));
}

void SetFieldText(ArrayOfFiles& Table, Integer Row, Integer Field, const AnsiString& Text) {
    detail::SetFieldTextView(Table, Row, Field, Text);
}

}  // namespace superar
