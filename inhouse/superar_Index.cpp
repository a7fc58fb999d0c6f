// Indexes of rows by their stored texts, so that loading looks a row up once per line without walking
// the table. An index is built on first use and kept current: rows added since the last lookup are taken
// in before the next one, and a write through the table's routines files the row under its new key.
// Rows are filed under their key's hash: under a hash lie the rows that held a key of that hash at some
// time, and a lookup keeps those that still hold the key asked for, so a row whose key changed needs no
// search for its old place and the index keeps no copy of the texts.
#include "superar.h"
#include "superar_Detail.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include <vcl/SysUtils.h>

namespace superar {

namespace detail {

namespace {

// The rows filed under one key; most keys have one row, which takes no allocation.
struct KeyRowsT {
    Integer First = 0;
    std::vector<Integer> More;

    void Add(Integer Row) {
        if (First == Row || std::find(More.begin(), More.end(), Row) != More.end()) return;
        if (First == 0) First = Row;
        else More.push_back(Row);
    }
};

// A row's key, or false when the row is filed under none.
using KeyOfRowT = std::function<bool(const ArrayOfFiles& Table, Integer Row, std::string& Key)>;

class KeyedRowsT {
public:
    explicit KeyedRowsT(KeyOfRowT KeyOf) : keyOf_(std::move(KeyOf)) {}

    // Files rows added since the last call. When the table has made room for many more rows than the
    // index has buckets (a memo's lines loaded), the index makes room for them at once rather than
    // rehashing again and again as it grows.
    void CatchUp(const ArrayOfFiles& Table) {
        if (indexed_ == Table.Count) return;
        const std::size_t expected = Table.Rows.size();
        if (expected > 2 * rows_.bucket_count()) rows_.reserve(expected);
        for (; indexed_ < Table.Count; ++indexed_) File(Table, indexed_ + 1);
    }

    void Written(const ArrayOfFiles& Table, Integer Row) {
        if (Row <= indexed_) File(Table, Row);
    }

    // The first row that holds Key and passes Accept; 0 when none.
    template <typename AcceptT>
    Integer First(const ArrayOfFiles& Table, const std::string& Key, AcceptT&& Accept) {
        CatchUp(Table);
        const auto found = rows_.find(Hash(Key));
        if (found == rows_.end()) return 0;
        KeyRowsT& rows = found->second;
        // A row filed here holds the key, or another of the same hash, or (since it was written) neither:
        // then it goes.
        const auto holds = [&](Integer Row) { return Row <= Table.Count && keyOf_(Table, Row, key_) && key_ == Key; };
        const auto staysFiled = [&](Integer Row) {
            return Row <= Table.Count && keyOf_(Table, Row, key_) && Hash(key_) == found->first;
        };
        if (rows.More.empty()) {
            const Integer row = rows.First;
            if (holds(row)) return Accept(row) ? row : 0;
            if (!staysFiled(row)) rows_.erase(found);
            return 0;
        }
        std::vector<Integer> filed(1, rows.First);
        filed.insert(filed.end(), rows.More.begin(), rows.More.end());
        std::sort(filed.begin(), filed.end());
        std::vector<Integer> kept;
        Integer first = 0;
        for (Integer row : filed) {
            const bool holdsKey = holds(row);
            if (holdsKey || staysFiled(row)) kept.push_back(row);
            if (holdsKey && first == 0 && Accept(row)) first = row;
        }
        if (kept.empty()) {
            rows_.erase(found);
        } else {
            rows.First = kept.front();
            rows.More.assign(kept.begin() + 1, kept.end());
        }
        return first;
    }

private:
    static std::size_t Hash(std::string_view Key) { return std::hash<std::string_view>{}(Key); }

    void File(const ArrayOfFiles& Table, Integer Row) {
        if (keyOf_(Table, Row, key_)) rows_[Hash(key_)].Add(Row);
    }

    KeyOfRowT keyOf_;
    Integer indexed_ = 0;
    std::unordered_map<std::size_t, KeyRowsT> rows_;
    std::string key_;
};

// Setting rows: by section and name, by name alone, and the sections' own rows by section.
void AppendSectionAndName(std::string& Key, std::string_view Section, std::string_view Name) {
    Key.assign(std::to_string(Section.size())).append(1, ':').append(Section).append(Name);
}

bool SectionAndNameKey(const ArrayOfFiles& Table, Integer Row, std::string& Key) {
    const std::string_view name = StoredTextView(Table, Row, FieldData);
    if (name.empty()) return false;
    AppendSectionAndName(Key, StoredTextView(Table, Row, FieldSettingSectionLower), name);
    return true;
}

bool NameKey(const ArrayOfFiles& Table, Integer Row, std::string& Key) {
    const std::string_view name = StoredTextView(Table, Row, FieldData);
    if (name.empty()) return false;
    Key.assign(name);
    return true;
}

bool SectionRowKey(const ArrayOfFiles& Table, Integer Row, std::string& Key) {
    if (StoredTextView(Table, Row, FieldSettingKind) != valstr::KindSectionLine) return false;
    Key.assign(StoredTextView(Table, Row, FieldSettingSectionLower));
    return true;
}

void LowerInto(std::string& Key, std::string_view Text) {
    Key.resize(Text.size());
    std::transform(Text.begin(), Text.end(), Key.begin(), AnsiLowerChar);
}

}  // namespace

struct RowIndexes {
    std::optional<KeyedRowsT> BySectionAndName;
    std::optional<KeyedRowsT> ByName;
    std::optional<KeyedRowsT> SectionRows;
    // Rows by the text of one field, in lower case when IgnoreCase.
    std::optional<KeyedRowsT> ByText;
    Integer TextField = 0;
    bool IgnoreCase = false;
};

namespace {

bool SettingFieldsIndexable(const ArrayOfFiles& Table) {
    return IsPlainTextField(Table, FieldData) && IsPlainTextField(Table, FieldSettingKind) &&
           IsPlainTextField(Table, FieldSettingSectionLower);
}

KeyedRowsT& Made(std::optional<KeyedRowsT>& Index, KeyOfRowT KeyOf) {
    if (!Index) Index.emplace(KeyOf);
    return *Index;
}

}  // namespace

Integer IndexedSettingRow(ArrayOfFiles& Table, const AnsiString& NameLower, const AnsiString& SectionLower,
                          bool AnySection) {
    if (!SettingFieldsIndexable(Table)) {
        Table.Indexes.Reset();
        return NoIndex;
    }
    RowIndexes& indexes = Table.Indexes.Make();
    std::string key;
    auto any = [](Integer) { return true; };
    if (NameLower.empty()) return Made(indexes.SectionRows, SectionRowKey).First(Table, SectionLower, any);
    if (AnySection) return Made(indexes.ByName, NameKey).First(Table, NameLower, any);
    AppendSectionAndName(key, SectionLower, NameLower);
    return Made(indexes.BySectionAndName, SectionAndNameKey).First(Table, key, any);
}

Integer IndexedTextRow(ArrayOfFiles& Table, std::string_view Text, Integer Field) {
    if (!Table.Selection.empty() || !IsPlainTextField(Table, Field)) return NoIndex;
    RowIndexes& indexes = Table.Indexes.Make();
    const bool ignoreCase = Table.UniqueIgnoreCase != 0;
    if (!indexes.ByText || indexes.TextField != Field || indexes.IgnoreCase != ignoreCase) {
        indexes.ByText.emplace([Field, ignoreCase](const ArrayOfFiles& Of, Integer Row, std::string& Key) {
            if (ignoreCase) LowerInto(Key, StoredTextView(Of, Row, Field));
            else Key.assign(StoredTextView(Of, Row, Field));
            return true;
        });
        indexes.TextField = Field;
        indexes.IgnoreCase = ignoreCase;
    }
    std::string key;
    if (ignoreCase) LowerInto(key, Text);
    else key.assign(Text);
    return indexes.ByText->First(Table, key, [&](Integer Row) { return !IsRowSkipped(Table, Row); });
}

void NoteFieldWritten(ArrayOfFiles& Table, Integer Row, Integer Field) {
    RowIndexes* indexes = Table.Indexes.Get();
    if (!indexes) return;
    if (Field == FieldData || Field == FieldSettingSectionLower) {
        if (indexes->BySectionAndName) indexes->BySectionAndName->Written(Table, Row);
        if (indexes->ByName && Field == FieldData) indexes->ByName->Written(Table, Row);
    }
    if ((Field == FieldSettingKind || Field == FieldSettingSectionLower) && indexes->SectionRows)
        indexes->SectionRows->Written(Table, Row);
    if (indexes->ByText && Field == indexes->TextField) indexes->ByText->Written(Table, Row);
}

}  // namespace detail

RowIndexesT::RowIndexesT() = default;
RowIndexesT::~RowIndexesT() = default;
RowIndexesT::RowIndexesT(const RowIndexesT&) {}
RowIndexesT& RowIndexesT::operator=(const RowIndexesT& Other) {
    if (this != &Other) Reset();
    return *this;
}
RowIndexesT::RowIndexesT(RowIndexesT&&) noexcept = default;
RowIndexesT& RowIndexesT::operator=(RowIndexesT&&) noexcept = default;

detail::RowIndexes& RowIndexesT::Make() {
    if (!indexes_) indexes_ = std::make_unique<detail::RowIndexes>();
    return *indexes_;
}

void RowIndexesT::Reset() { indexes_.reset(); }

}  // namespace superar
