// Indexes of rows by their stored texts, so that loading looks a row up once per line without walking
// the table. An index is built on first use and kept current: rows added since the last lookup are taken
// in before the next one, and a write through the table's routines files the row under its new key.
// Rows are filed under their key's hash: under a hash lie the rows that held a key of that hash at some
// time, and a lookup keeps those that still hold the key asked for, so a row whose key changed needs no
// search for its old place and the index keeps no copy of the texts.
#include "superar.h"
#include "superar_Detail.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include <vcl/SysUtils.h>

namespace superar {

namespace detail {

namespace {

// A row's key, or false when the row is filed under none.
using KeyOfRowT = std::function<bool(const ArrayOfFiles& Table, Integer Row, std::string& Key)>;

// The filings sit in one flat array of 8-byte slots searched from the hash's slot onwards (open addressing):
// a lookup of a new key reads one or two neighbouring slots and no row, and the index is one allocation
// rather than a node per filing scattered over the heap, which made the cost per line grow with the table.
class KeyedRowsT {
public:
    explicit KeyedRowsT(KeyOfRowT KeyOf) : keyOf_(std::move(KeyOf)) {}

    // Files rows added since the last call.
    void CatchUp(const ArrayOfFiles& Table) {
        for (; indexed_ < Table.Count; ++indexed_) File(Table, indexed_ + 1);
    }

    void Written(const ArrayOfFiles& Table, Integer Row) {
        if (Row <= indexed_) File(Table, Row);
    }

    // The first row that holds Key and passes Accept; 0 when none.
    template <typename AcceptT>
    Integer First(const ArrayOfFiles& Table, const std::string& Key, AcceptT&& Accept) {
        CatchUp(Table);
        if (slots_.empty()) return 0;
        const std::uint32_t hash = Hash(Key);
        Integer first = 0;
        // A row filed under the hash holds the key, or another of the same hash, or (since it was
        // written) neither: then it goes.
        for (std::size_t at = hash & Mask(); slots_[at].Row != Empty; at = (at + 1) & Mask()) {
            SlotT& slot = slots_[at];
            if (slot.Row == Removed || slot.Hash != hash) continue;
            const Integer row = slot.Row;
            const bool filed = row <= Table.Count && keyOf_(Table, row, key_);
            if (filed && key_ == Key) {
                if ((first == 0 || row < first) && Accept(row)) first = row;
            } else if (!filed || Hash(key_) != hash) {
                slot.Row = Removed;
                --live_;
            }
        }
        return first;
    }

    static std::uint32_t Hash(std::string_view Key) {
        const std::size_t hash = std::hash<std::string_view>{}(Key);
        return static_cast<std::uint32_t>(hash ^ (hash >> 32));
    }

    void PrefetchSlot(std::uint32_t Hash) const {
        if (!slots_.empty()) __builtin_prefetch(&slots_[Hash & Mask()]);
    }

    // The first row filed under Hash; 0 when none.
    Integer FirstFiled(std::uint32_t Hash) const {
        if (slots_.empty()) return 0;
        for (std::size_t at = Hash & Mask(); slots_[at].Row != Empty; at = (at + 1) & Mask())
            if (slots_[at].Row != Removed && slots_[at].Hash == Hash) return slots_[at].Row;
        return 0;
    }

private:
    static constexpr Integer Empty = 0;
    static constexpr Integer Removed = -1;

    struct SlotT {
        std::uint32_t Hash;
        Integer Row;
    };

    std::size_t Mask() const { return slots_.size() - 1; }

    void File(const ArrayOfFiles& Table, Integer Row) {
        if (!keyOf_(Table, Row, key_)) return;
        const std::uint32_t hash = Hash(key_);
        // At most half the slots taken (removed ones count): a search ends soon at an empty one.
        if (2 * (taken_ + 1) > slots_.size()) Rehash();
        std::size_t at = hash & Mask();
        std::size_t reuse = slots_.size();
        for (; slots_[at].Row != Empty; at = (at + 1) & Mask()) {
            if (slots_[at].Row == Row && slots_[at].Hash == hash) return;
            if (slots_[at].Row == Removed && reuse == slots_.size()) reuse = at;
        }
        if (reuse == slots_.size()) ++taken_;
        else at = reuse;
        slots_[at] = {hash, Row};
        ++live_;
    }

    // Room for three times the filings there are at least, removed slots dropped.
    void Rehash() {
        const std::size_t size = std::max<std::size_t>(16, std::bit_ceil(3 * (live_ + 1)));
        const std::vector<SlotT> old = std::exchange(slots_, std::vector<SlotT>(size, SlotT{0, Empty}));
        taken_ = live_;
        for (const SlotT& slot : old) {
            if (slot.Row == Empty || slot.Row == Removed) continue;
            std::size_t at = slot.Hash & Mask();
            while (slots_[at].Row != Empty) at = (at + 1) & Mask();
            slots_[at] = slot;
        }
    }

    KeyOfRowT keyOf_;
    Integer indexed_ = 0;
    std::vector<SlotT> slots_;
    std::size_t taken_ = 0;  // slots not empty: filings and removed ones
    std::size_t live_ = 0;
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

namespace {

void TextKey(std::string& Key, std::string_view Text, bool IgnoreCase) {
    if (IgnoreCase) LowerInto(Key, Text);
    else Key.assign(Text);
}

}  // namespace

void PrefetchTextRows(const ArrayOfFiles& Table, std::span<const std::string_view> Texts, Integer Field) {
    const RowIndexes* indexes = Table.Indexes.Get();
    if (!indexes || !indexes->ByText || indexes->TextField != Field ||
        indexes->IgnoreCase != (Table.UniqueIgnoreCase != 0) || Texts.size() > MaxPrefetch)
        return;
    const KeyedRowsT& rows = *indexes->ByText;
    std::uint32_t hashes[MaxPrefetch];
    Integer filed[MaxPrefetch];
    std::string key;
    // Each step reads what the one before fetched for every text: the slots, the row records, the rows' fields.
    for (std::size_t i = 0; i < Texts.size(); ++i) {
        TextKey(key, Texts[i], indexes->IgnoreCase);
        hashes[i] = KeyedRowsT::Hash(key);
        rows.PrefetchSlot(hashes[i]);
    }
    for (std::size_t i = 0; i < Texts.size(); ++i) {
        filed[i] = rows.FirstFiled(hashes[i]);
        if (filed[i] > Table.Count) filed[i] = 0;
        if (filed[i] > 0) __builtin_prefetch(&Table.Rows[static_cast<std::size_t>(filed[i])]);
    }
    for (std::size_t i = 0; i < Texts.size(); ++i)
        if (filed[i] > 0) __builtin_prefetch(Table.Rows[static_cast<std::size_t>(filed[i])].Texts.Storage());
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
    TextKey(key, Text, ignoreCase);
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
