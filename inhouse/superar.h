#pragma once
// The item table: rows addressed from 1, each with numbered fields 0..113 read and written as text,
// field names and kinds, the import of a memo's lines and the export of one field to a memo.
// A table is a plain value; InitTable gives it its defaults. A table that was never initialised
// (all zero) works too: it keeps no empty or blank lines and treats every field as text.

#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include <vcl/System.h>

#include "Diskop.h"
#include "exposit.h"
#include "gauge.h"
#include "valstr.h"

class TControl;
class TCustomMemo;

namespace superar {

inline constexpr Integer FieldCount = 114;
inline constexpr Integer LastField = FieldCount - 1;
inline constexpr Integer NameSlots = 8;
inline constexpr Integer SortKeyCount = 50;

// Field kinds.
inline constexpr Byte KindText = 0;
inline constexpr Byte KindInteger = 1;
inline constexpr Byte KindDate = 2;
inline constexpr Byte KindTime = 3;

// Name slots of a field.
inline constexpr Integer SlotDisplayName = 1;
inline constexpr Integer SlotSecondName = 2;
inline constexpr Integer SlotAliases = 3;
inline constexpr Integer SlotGroupName = 4;
inline constexpr Integer SlotGroupAndName = 5;  // read only: group + "|" + display name
inline constexpr Integer SlotInvisible = 8;

// Fields with a fixed meaning.
inline constexpr Integer FieldData = 0;
inline constexpr Integer FieldSettingName = 51;
inline constexpr Integer FieldSettingValueLower = 52;
inline constexpr Integer FieldSettingValue = 53;
inline constexpr Integer FieldSettingKind = 54;
inline constexpr Integer FieldSettingComment = 57;
inline constexpr Integer FieldSettingLineText = 55;
inline constexpr Integer FieldSettingSectionLower = 56;
inline constexpr Integer FieldSettingSection = 58;
inline constexpr Integer FieldSettingSectionRow = 59;
inline constexpr Integer FieldSettingLine = 98;
inline constexpr Integer FieldRowNumber = 69;
inline constexpr Integer FieldRandom = 72;
inline constexpr Integer FieldOriginalNumber = 88;
inline constexpr Integer FieldIncluded = 96;
inline constexpr Integer FieldBackingLength = 105;

// A row's fields, numbered 0 .. size() - 1: an array that grows by the table's rule. Each field holds a
// text and two numbers (an integer and a floating value); a field never written reads "" and 0.
// Only written fields take storage, all of a row's in one buffer (per field its number, its text and
// the numbers that are not 0), so a million calculator rows carry their two short texts in one
// allocation each; a text past 255 bytes lives in a block of its own, so that one growing line by line
// moves none of its neighbours. A table cleared for a new load hands the buffers to the rows it loads
// next.
class DataTextT {
public:
    DataTextT() = default;
    DataTextT(const DataTextT& Other);
    DataTextT& operator=(const DataTextT& Other);
    DataTextT(DataTextT&& Other) noexcept : buffer_(std::exchange(Other.buffer_, nullptr)) {}
    DataTextT& operator=(DataTextT&& Other) noexcept;
    ~DataTextT();

    std::size_t size() const;
    // Count fields, none written; a buffer is kept for the writes to come.
    void Reset(std::size_t Count);
    // Shrinking drops the fields beyond Count.
    void resize(std::size_t Count);

    // The views stay valid until the row's next write.
    std::string_view Text(std::size_t Field) const;
    Int64 IntValue(std::size_t Field) const;
    Double FloatValue(std::size_t Field) const;
    // Field must be below size().
    void SetText(std::size_t Field, std::string_view Value);
    void AppendText(std::size_t Field, std::string_view Value);
    void SetIntValue(std::size_t Field, Int64 Value);
    void SetFloatValue(std::size_t Field, Double Value);

    bool HoldsStorage() const { return buffer_ != nullptr; }
    // Where the fields lie (null when none), for fetching them ahead.
    const void* Storage() const { return buffer_; }

private:
    struct Entry;
    // The entry at offset At of the buffer, and the one for Field (or where it would go).
    Entry EntryAt(std::size_t At) const;
    Entry Find(std::size_t Field) const;
    // Makes Field's entry (as Find found it) hold a text of TextLength bytes (the old text kept as far as
    // it reaches) and the numbers; returns where the text goes.
    char* Put(Entry& Place, std::size_t Field, std::size_t TextLength, Int64 IntValue, Double FloatValue);
    void Reserve(std::size_t EntryBytes);
    void SetSize(std::size_t Count);
    // Frees the blocks of long texts in the entries from offset From on.
    void FreeLongTexts(std::size_t From);
    // Does Value lie in this row's storage where writing the field Place found may move it?
    bool Aliases(const Entry& Place, std::string_view Value) const;

    // No buffer: one field, none written.
    char* buffer_ = nullptr;

    friend class SpareRowStorageT;
};

// A record held by a row only once it is written: rows of plain lines carry no file information,
// and a million of them must not carry a kilobyte each. Reading an unset one gives the cleared record.
template <typename T, void (*ClearRecord)(T&)>
class LazyRecordT {
public:
    LazyRecordT() = default;
    LazyRecordT(const LazyRecordT& Other) : record_(Other.record_ ? std::make_unique<T>(*Other.record_) : nullptr) {}
    LazyRecordT(LazyRecordT&&) noexcept = default;
    LazyRecordT& operator=(const LazyRecordT& Other) {
        if (this != &Other) record_ = Other.record_ ? std::make_unique<T>(*Other.record_) : nullptr;
        return *this;
    }
    LazyRecordT& operator=(LazyRecordT&&) noexcept = default;

    const T& Get() const { return record_ ? *record_ : Cleared(); }
    T& Edit() {
        if (!record_) record_ = std::make_unique<T>(Cleared());
        return *record_;
    }
    void Clear() { record_.reset(); }

private:
    static const T& Cleared() {
        static const T cleared = [] {
            T record{};
            ClearRecord(record);
            return record;
        }();
        return cleared;
    }

    std::unique_ptr<T> record_;
};

using FileInfoRecordT = LazyRecordT<Diskop::FileInfoT, Diskop::ClearFileInfo>;

// One row.
struct DataRecT {
    Byte Included;  // 0: skipped by every walk over the selection
    DataTextT Texts;
    Integer OriginalNumber;  // the row's index when it was created
    FileInfoRecordT Info;
};

// Element 0 spare, 1..Count in use, then spare capacity.
using DataRecArT = std::vector<DataRecT>;

// The field storage of the rows ClearTable removed, chained through the buffers themselves and handed to
// the next rows written, so that reloading a table of the same shape allocates nothing; a copied table
// starts without.
class SpareRowStorageT {
public:
    SpareRowStorageT() = default;
    ~SpareRowStorageT() { Clear(); }
    SpareRowStorageT(const SpareRowStorageT&) {}
    SpareRowStorageT& operator=(const SpareRowStorageT& Other);
    SpareRowStorageT(SpareRowStorageT&& Other) noexcept : head_(std::exchange(Other.head_, nullptr)) {}
    SpareRowStorageT& operator=(SpareRowStorageT&& Other) noexcept;

    // Keeps the row's storage; the row's fields go.
    void Keep(DataTextT& Row);
    // Gives kept storage to a row that holds none, its fields unwritten; false when none is kept.
    bool GiveTo(DataTextT& Row);
    void Clear();

private:
    char* head_ = nullptr;
};

// Names and kind of one field.
struct FieldNamesT {
    AnsiString Names[NameSlots];  // slot k at index k - 1
    Byte Kind;
    Byte GroupFlag;  // 1: the formatted text is digit-grouped
    AnsiString Suffix;
};

// One parsed key of the sort key text.
struct SortKeyT {
    Integer Field;
    Integer SecondField;
    Byte Descending;
    Byte CaseSensitive;
    AnsiString KeyText;
    AnsiString RestText;
};

struct ArrayOfFiles;
using RowFilterT = bool (*)(ArrayOfFiles& Table, Integer Row);

namespace detail {
struct RowIndexes;
}

// Indexes of rows by their texts that the table's lookups make on first use and keep current as rows
// are added or written; ClearTable and sorting drop them, and a copied table starts without them.
class RowIndexesT {
public:
    RowIndexesT();
    ~RowIndexesT();
    RowIndexesT(const RowIndexesT&);
    RowIndexesT& operator=(const RowIndexesT& Other);
    RowIndexesT(RowIndexesT&&) noexcept;
    RowIndexesT& operator=(RowIndexesT&&) noexcept;

    detail::RowIndexes* Get() const { return indexes_.get(); }
    detail::RowIndexes& Make();
    void Reset();

private:
    std::unique_ptr<detail::RowIndexes> indexes_;
};

struct ArrayOfFiles {
    Integer Count;
    Integer AddedRows;
    Integer Reserved1;
    Integer Reserved2;
    AnsiString StatusText1;
    AnsiString StatusText2;
    Integer StatusNumber;
    Integer StatusIndex;
    Integer StatusFlag;
    AnsiString StatusText3;
    Integer GroupLetterField;
    AnsiString FromFolder;
    AnsiString ToFolder;
    Byte RelocateOptions;
    Integer CaseFieldA;
    Integer CaseFieldB;
    TComponentRef<TControl> BoundControl;  // nil once the control is freed
    valstr::LoopT Loop;
    AnsiString Selection;
    AnsiString BackingFiles[FieldCount];
    Integer BackingHandle;
    Integer ReservedNumber1;
    DataRecArT Rows;
    Byte NaturalSort;
    AnsiString SortSpec;
    SortKeyT SortKeys[SortKeyCount];  // key k at index k - 1
    AnsiString KeySeparator;
    Byte KeepEmptyLines;
    Byte KeepBlankLines;
    RowFilterT RowFilter;
    Byte UniqueRows;
    Byte UniqueIgnoreCase;
    exposit::PosInfoT Search;
    // Options of other users of the table; nothing here reads them.
    Byte LoadOption1;
    Byte LoadOption2;
    AnsiString LoadOption3;
    Byte LoadOption4;
    AnsiString LoadOptionBar;
    Byte LoadOption5;
    Byte LoadOption6;
    AnsiChar LoadOptionQuote;
    Integer LoadOption7;
    Integer LoadOption8;
    RowFilterT RowFilter2;
    Byte LoadOption9;
    Byte LoadOption10;
    Byte LoadOption11;
    Integer LoadOption12;
    AnsiString LoadOptionBackslashes;
    FieldNamesT FieldNames[FieldCount];
    gauge::TFormGauge Progress;
    // The file BackingHandle was opened for: fields may name different backing files.
    AnsiString BackingOpenFile;
    // 1: the lines of a [data] section load as bare values, one row each; 0 after InitTable.
    Byte ParamMode;
    RowIndexesT Indexes;
    SpareRowStorageT FreedRowStorage;
};

// Accepts every row.
bool AcceptAllRows(ArrayOfFiles& Table, Integer Row);

// Life cycle and rows.
void InitTable(ArrayOfFiles& Table, Integer InitialRows);
void ClearTable(ArrayOfFiles& Table);
// Makes room for N rows; N < 1 clears the table.
void SetRowCapacity(ArrayOfFiles& Table, Integer N, bool Exact);
// Rows that fit without growing the storage.
Integer RowCapacity(const ArrayOfFiles& Table);
void AppendRow(ArrayOfFiles& Table);
// True when Row is invalid. Row 0 becomes Count; with Grow a Row above Count extends the table.
bool ResolveRow(ArrayOfFiles& Table, Integer& Row, bool Grow);
bool IsRowSkipped(ArrayOfFiles& Table, Integer Row);

// Fields.
void GetFieldText(ArrayOfFiles& Table, Integer Row, Integer Field, AnsiString& Text, bool Formatted);
// The integer value of a field, computed fields included; 0 for an invalid row or field.
Int64 GetFieldInt(ArrayOfFiles& Table, Integer Row, Integer Field);
void SetFieldValue(ArrayOfFiles& Table, Integer Row, Integer Field, const Variant& Value);
// SetFieldValue with a text, without building a Variant for a text field.
void SetFieldText(ArrayOfFiles& Table, Integer Row, Integer Field, const AnsiString& Text);
void GetRowText(ArrayOfFiles& Table, Integer Row, AnsiString& Text);
void AddRowWithText(ArrayOfFiles& Table, const AnsiString& Text, Integer Field);
void AddLineAsRow(ArrayOfFiles& Table, const AnsiString& Line, Integer Field);
// First row of the selection whose field text equals Text; 0 when none.
Integer FindRowByText(ArrayOfFiles& Table, const AnsiString& Text, Integer Field, bool Formatted);

// Memos.
Integer LoadMemoLines(ArrayOfFiles& Table, TCustomMemo* Memo, Integer Field);
// LoadMemoLines for a table loaded from the memo before, each row's ResultField made from its line, the
// memo's text changed since: the rows up to the first line that is not its row's text (or whose result is
// not made) and those of the unchanged lines at the end keep all their fields; the rows between, First to
// Last (none when Last < First), are made anew. A table with UniqueRows set, or a field that is not plain
// text, is loaded afresh (First 1, Last its count).
Integer ReloadMemoLines(ArrayOfFiles& Table, TCustomMemo* Memo, Integer Field, Integer ResultField, Integer& First,
                        Integer& Last);
void WriteFieldToMemo(ArrayOfFiles& Table, TCustomMemo* Memo, Integer Field, bool Formatted);

// Field names. FieldNamesAt raises ERangeError for a field outside 0..LastField.
FieldNamesT& FieldNamesAt(ArrayOfFiles& Table, Integer Field);
const FieldNamesT& FieldNamesAt(const ArrayOfFiles& Table, Integer Field);
void DefineFieldName(ArrayOfFiles& Table, Integer Field, Integer Slot, const AnsiString& Sep, bool Append,
                     const AnsiString& Text);
void SetFieldNames(ArrayOfFiles& Table, Integer Field, const AnsiString& NamesText);
void GetFieldName(ArrayOfFiles& Table, Integer Field, Integer Slot, AnsiString& Name, bool WithDefaults);
bool FindFieldByName(ArrayOfFiles& Table, const AnsiString& Name, Integer& Field, bool WithDefaults);
// True for a text field whose text is computed from other fields or the row's file rather than stored.
bool IsComputedTextField(Integer Field);

// Sorting: rows 1..Count in place by the keys of SortSpec, separated by KeySeparator (each character a
// key when it is empty). A key is a field name or alias, "-" in front for descending order; any upper-case
// letter in it makes its texts compare with regard to case. Unknown keys are dropped; at most
// SortKeyCount keys count. Ties left by every key keep no particular order. BoundControl is disabled
// meanwhile, and a sort lasting over a second shows the progress window.
void SortTable(ArrayOfFiles& Table);
void SortTableBy(ArrayOfFiles& Table, const AnsiString& SortSpec);

// Settings text: "[section]" and "name = value // comment" lines, one row each (fields 0 and 51..59).
// The load state stays in the table between calls, so a text may come line by line. Nested marks a
// single line of a text already cut at its line breaks; it is not cut again.
void LoadTableText(ArrayOfFiles& Table, const AnsiString& Text, bool Nested);
// Fields 0, 51, 52, 53, 54 and 57 of one setting row.
void StoreSettingRow(ArrayOfFiles& Table, Integer Row, const AnsiString& Name, const AnsiString& Value,
                     const AnsiString& Kind, const AnsiString& Comment);
// The first row named Name (any letter case), in Section unless that is empty; an empty Name asks
// for the section's own row. 0 when none.
Integer FindSettingRow(ArrayOfFiles& Table, const AnsiString& Name, const AnsiString& Section);
// The row of the section's own line; Found tells whether there is one.
Integer FindSectionRow(ArrayOfFiles& Table, const AnsiString& Section, bool& Found);
// The line a setting row's parts are written back as (field 98); reading it back gives the same parts.
void WriteSettingLine(const AnsiString& Name, const AnsiString& Value, const AnsiString& Kind,
                      const AnsiString& Comment, const AnsiString& Section, AnsiString& Line);

}  // namespace superar
