// Sorting an item table's rows in place by the keys of its sort key text: a heap sort on a
// ternary heap, then an insertion pass over the first rows.
#include "superar.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include <vcl/SysUtils.h>

#include "ComponentHandling.h"
#include "exposit.h"
#include "gauge.h"

namespace superar {

using namespace valstr;

namespace {

constexpr Integer NoField = -1;
// A key holding "|" is bound to this field, the field it names kept as the second one.
constexpr Integer CellField = 80;
// The heap sort leaves this many rows to the insertion pass.
constexpr std::size_t InsertionRows = 4;
constexpr Int64 ProgressDelayMs = 1000;

bool HasUpperCaseLetter(std::string_view Text) {
    for (const char c : Text)
        if (AnsiLowerChar(c) != c) return true;
    return false;
}

// One written key; false when it names no field.
bool ParseKey(ArrayOfFiles& Table, std::string_view Text, SortKeyT& Key) {
    Key = SortKeyT{};
    Key.Descending = Text.starts_with('-') ? 1 : 0;
    if (Key.Descending) Text.remove_prefix(1);
    Key.CaseSensitive = HasUpperCaseLetter(Text) ? 1 : 0;
    Key.KeyText = Text;
    Key.SecondField = NoField;
    Integer field = NoField;
    const std::size_t bar = Text.find('|');
    if (bar != std::string_view::npos) {
        Key.RestText = Text.substr(bar + 1);
        Key.KeyText = "cell:" + AnsiString(Text);
        if (FindFieldByName(Table, AnsiString(Text.substr(0, bar)), field, true)) Key.SecondField = field;
        Key.Field = CellField;
        return true;
    }
    if (!FindFieldByName(Table, Key.KeyText, field, true)) return false;
    Key.Field = field;
    return true;
}

// SortKeys from SortSpec; the slots after the last key found hold NoField. Returns the keys found.
Integer ParseSortSpec(ArrayOfFiles& Table) {
    Integer found = 0;
    auto take = [&](std::string_view text) {
        if (found < SortKeyCount && ParseKey(Table, text, Table.SortKeys[found])) ++found;
    };
    const std::string_view keyText(Table.SortSpec);
    if (Table.KeySeparator.empty()) {
        for (std::size_t i = 0; i < keyText.size(); ++i) take(keyText.substr(i, 1));
    } else {
        AnsiString rest = Table.SortSpec;
        AnsiString key;
        while (!rest.empty()) {
            exposit::CutToken(rest, Table.KeySeparator, true, key);
            take(key);
        }
    }
    for (Integer k = found; k < SortKeyCount; ++k) {
        Table.SortKeys[k] = SortKeyT{};
        Table.SortKeys[k].Field = NoField;
        Table.SortKeys[k].SecondField = NoField;
    }
    return found;
}

// Where a key's values come from, decided once per sort so that comparing rows stays lean.
enum class KeySource : Byte { OriginalNumber, StartRow, Integer, Float, StoredText, FetchedText };

struct KeyPlan {
    KeySource Source;
    Integer Field;
    bool Descending;
    bool CaseSensitive;
};

KeySource SourceOf(const ArrayOfFiles& Table, Integer Field) {
    if (Field == FieldOriginalNumber) return KeySource::OriginalNumber;
    // The row number is the row's place before the sort: a row's current place changes as it moves.
    if (Field == FieldRowNumber) return KeySource::StartRow;
    switch (FieldNamesAt(Table, Field).Kind) {
        case KindInteger: return KeySource::Integer;
        case KindDate:
        case KindTime: return KeySource::Float;
        default: break;
    }
    if (IsComputedTextField(Field) || !Table.BackingFiles[Field].empty()) return KeySource::FetchedText;
    return KeySource::StoredText;
}

template <typename T>
int Order(const T& A, const T& B) {
    return A < B ? -1 : B < A ? 1 : 0;
}

// Compares rows at two places of the table by the parsed keys and exchanges them, whole.
class RowOrder {
public:
    RowOrder(ArrayOfFiles& Table, Integer KeyCount) : table_(Table), natural_(Table.NaturalSort == 1) {
        for (Integer k = 0; k < KeyCount; ++k) {
            const SortKeyT& key = Table.SortKeys[k];
            keys_.push_back({SourceOf(Table, key.Field), key.Field, key.Descending != 0, key.CaseSensitive != 0});
            if (keys_.back().Source == KeySource::StartRow && startRows_.empty()) {
                startRows_.resize(static_cast<std::size_t>(Table.Count) + 1);
                for (std::size_t row = 0; row < startRows_.size(); ++row) startRows_[row] = static_cast<Integer>(row);
            }
        }
    }

    // A sorts before B.
    bool Before(std::size_t A, std::size_t B) {
        for (const KeyPlan& key : keys_) {
            const int order = Compare(key, A, B);
            if (order != 0) return key.Descending ? order > 0 : order < 0;
        }
        return false;
    }

    void Exchange(std::size_t A, std::size_t B) {
        std::swap(table_.Rows[A], table_.Rows[B]);
        if (!startRows_.empty()) std::swap(startRows_[A], startRows_[B]);
    }

private:
    int Compare(const KeyPlan& Key, std::size_t A, std::size_t B) {
        switch (Key.Source) {
            case KeySource::OriginalNumber: return Order(table_.Rows[A].OriginalNumber, table_.Rows[B].OriginalNumber);
            case KeySource::StartRow: return Order(startRows_[A], startRows_[B]);
            case KeySource::Integer:
                return Order(GetFieldInt(table_, static_cast<Integer>(A), Key.Field),
                             GetFieldInt(table_, static_cast<Integer>(B), Key.Field));
            case KeySource::Float: return Order(Stored(A).FloatValue(FieldOf(Key)), Stored(B).FloatValue(FieldOf(Key)));
            case KeySource::StoredText:
                return CompareTexts(Key, Stored(A).Text(FieldOf(Key)), Stored(B).Text(FieldOf(Key)));
            case KeySource::FetchedText:
                GetFieldText(table_, static_cast<Integer>(A), Key.Field, textA_, false);
                GetFieldText(table_, static_cast<Integer>(B), Key.Field, textB_, false);
                return CompareTexts(Key, textA_, textB_);
        }
        return 0;
    }

    // A row's stored fields; an unwritten one reads as empty.
    const DataTextT& Stored(std::size_t Row) const { return table_.Rows[Row].Texts; }
    static std::size_t FieldOf(const KeyPlan& Key) { return static_cast<std::size_t>(Key.Field); }

    int CompareTexts(const KeyPlan& Key, std::string_view A, std::string_view B) const {
        const Byte order = CompareStrings(A, B, natural_, Key.CaseSensitive);
        return order == CompareEqual ? 0 : order == CompareSmaller ? -1 : 1;
    }

    ArrayOfFiles& table_;
    const bool natural_;
    std::vector<KeyPlan> keys_;
    std::vector<Integer> startRows_;  // only for a row-number key
    AnsiString textA_;                // reused by every comparison of fetched texts
    AnsiString textB_;
};

// The table's progress controller for the length of a sort. Reports only when the percent changes:
// every report pumps the message queue, and whatever runs then must have left the rows where they were.
class SortProgress {
public:
    explicit SortProgress(ArrayOfFiles& Table)
        : table_(Table), count_(Table.Count), rows_(Table.Rows.data()), size_(Table.Rows.size()) {
        gauge::FormGaugeInit(table_.Progress, ProgressDelayMs);
    }
    ~SortProgress() { gauge::FormGaugeClose(table_.Progress); }
    SortProgress(const SortProgress&) = delete;
    SortProgress& operator=(const SortProgress&) = delete;

    void Report(Integer Percent) {
        if (Percent == last_) return;
        last_ = Percent;
        gauge::FormGaugeUpdate(table_.Progress, "Sorting...", "", Percent);
        if (table_.Count != count_ || table_.Rows.data() != rows_ || table_.Rows.size() != size_)
            throw Exception("The table was changed while its rows were being sorted");
    }

private:
    ArrayOfFiles& table_;
    const Integer count_;
    const DataRecT* const rows_;
    const std::size_t size_;
    Integer last_ = -1;
};

// The bound control stays disabled while the rows move under it.
class ControlDisabled {
public:
    explicit ControlDisabled(TControl* Control) : control_(Control) {
        ComponentHandling::SetEnabledGetOld(control_, false, wasEnabled_);
    }
    ~ControlDisabled() {
        if (control_) ComponentHandling::SetControlEnabled(control_, wasEnabled_);
    }
    ControlDisabled(const ControlDisabled&) = delete;
    ControlDisabled& operator=(const ControlDisabled&) = delete;

private:
    TComponentRef<TControl> control_;  // the sort's message pump may free it
    bool wasEnabled_ = false;
};

// Children of place k are 3k - 1, 3k and 3k + 1 (places from 1).
void SiftDown(RowOrder& Rows, std::size_t K, std::size_t N) {
    for (;;) {
        const std::size_t first = 3 * K - 1;
        if (first > N) return;
        const std::size_t last = std::min(first + 2, N);
        std::size_t largest = first;
        for (std::size_t child = first + 1; child <= last; ++child)
            if (Rows.Before(largest, child)) largest = child;
        if (!Rows.Before(K, largest)) return;
        Rows.Exchange(K, largest);
        K = largest;
    }
}

// The heap after its top was replaced by a row from the end, which mostly belongs near the bottom: it
// goes down the path of the larger children without being compared, then up to its place.
void RestoreTop(RowOrder& Rows, std::size_t N) {
    std::size_t k = 1;
    for (std::size_t first = 2; first <= N; first = 3 * k - 1) {
        const std::size_t last = std::min(first + 2, N);
        std::size_t largest = first;
        for (std::size_t child = first + 1; child <= last; ++child)
            if (Rows.Before(largest, child)) largest = child;
        Rows.Exchange(k, largest);
        k = largest;
    }
    for (std::size_t parent = (k + 1) / 3; k > 1 && Rows.Before(parent, k); parent = (k + 1) / 3) {
        Rows.Exchange(parent, k);
        k = parent;
    }
}

// The largest rows go to the end one by one until InsertionRows remain in the heap.
void HeapSort(RowOrder& Rows, std::size_t N, SortProgress& Progress) {
    const std::size_t lastInner = (N + 1) / 3;
    const auto n = static_cast<Integer>(N);
    for (std::size_t k = lastInner; k >= 1; --k) {
        SiftDown(Rows, k, N);
        Progress.Report(ProgressPercent(static_cast<Integer>(k), static_cast<Integer>(lastInner), 1, 0, 10));
    }
    for (std::size_t end = N; end > InsertionRows; --end) {
        Rows.Exchange(1, end);
        RestoreTop(Rows, end - 1);
        Progress.Report(
            ProgressPercent(static_cast<Integer>(end), n, static_cast<Integer>(InsertionRows) + 1, 10, 100));
    }
}

void InsertionSort(RowOrder& Rows, std::size_t N) {
    for (std::size_t i = 2; i <= N; ++i)
        for (std::size_t j = i; j > 1 && Rows.Before(j, j - 1); --j) Rows.Exchange(j, j - 1);
}

}  // namespace

void SortTable(ArrayOfFiles& Table) {
    const Integer keyCount = ParseSortSpec(Table);
    // Without a key every row ties: the heap would still move them about.
    if (Table.Count < 2 || keyCount == 0) return;
    const auto n = static_cast<std::size_t>(Table.Count);
    ControlDisabled disabled(Table.BoundControl);
    SortProgress progress(Table);
    progress.Report(0);
    // Rows move: the indexes know them by their old places (a lookup from a progress report's message
    // pump would file rows mid-sort, so they go again at the end).
    Table.Indexes.Reset();
    RowOrder rows(Table, keyCount);
    if (n > InsertionRows) HeapSort(rows, n, progress);
    InsertionSort(rows, std::min(n, InsertionRows));
    Table.Indexes.Reset();
}

void SortTableBy(ArrayOfFiles& Table, const AnsiString& SortSpec) {
    Table.SortSpec = SortSpec;
    SortTable(Table);
}

}  // namespace superar
