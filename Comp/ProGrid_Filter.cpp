// Row filtering: the verdict of the Filter items on a row, hiding the rows refused, and switching the
// filter on and off.
#include "ProGrid.h"
#include "ProUtil.h"
#include "vcl/ScopeGuard.h"

namespace ProGrid {

// The Filter items as one run of ApplyFilter reads them: each condition prepared once for all rows.
struct RAdeRedeviDidi::TAppliedFilter {
    struct TItem {
        Integer Column;
        AnsiString Prefix, Suffix;
        TFilterOperation Operation;
        ProUtil::TFilterCondition Condition;
    };
    std::vector<TItem> Items;

    explicit TAppliedFilter(const TFilter& Filter) {
        Items.reserve(static_cast<std::size_t>(Filter.Count()));
        for (Integer i = 0; i < Filter.Count(); ++i) {
            const TFilterData* data = Filter.Items(i);
            Items.push_back({data->Column(), data->Prefix(), data->Suffix(), data->Operation(),
                             ProUtil::TFilterCondition(data->Condition(), data->CaseSensitive())});
        }
    }

    bool Keeps(RAdeRedeviDidi& Grid, Integer ARow) const {
        bool result = true;
        AnsiString text;
        for (const TItem& item : Items) {
            Grid.ReadCell(item.Column, ARow, text);
            if (!item.Prefix.empty() && text.starts_with(item.Prefix)) text.erase(0, item.Prefix.size());
            if (!item.Suffix.empty()) {
                // Only the suffix's first occurrence counts, and only when it ends the text.
                const std::size_t at = text.find(item.Suffix);
                if (at != AnsiString::npos && at + item.Suffix.size() == text.size()) text.erase(at);
            }
            const bool matches = item.Condition.Matches(text);
            switch (item.Operation) {
                case foSHORT:
                    if (!matches) return false;
                    result = true;
                    break;
                case foNONE: result = matches; break;
                case foAND: result = result && matches; break;
                case foXOR: result = result != matches; break;
                case foOR: result = result || matches; break;
            }
        }
        return result;
    }
};

bool RAdeRedeviDidi::MatchFilter(Integer ARow) {
    if (appliedFilter_) return appliedFilter_->Keeps(*this, ARow);
    return TAppliedFilter(*filter_).Keeps(*this, ARow);
}

void RAdeRedeviDidi::ApplyFilter() {
    const TAppliedFilter applied(*filter_);
    const TValueGuard<const TAppliedFilter*> reading(appliedFilter_, &applied);
    const Integer first = FixedRows();
    const Integer last = RowCount() - FixedFooters() - 1;
    const Integer count = last - first + 1;
    ProObj::TIntList refused(0, 0);
    for (Integer r = first; r <= last; ++r) {
        if (!MatchFilter(r)) refused.Add(r);
        if (OnFilterProgress && count >= 1)
            OnFilterProgress(this, static_cast<SmallInt>(Round(static_cast<double>(r + 1 - first) / count * 100)));
    }
    HideRowList(&refused);
    if (OnFilterProgress && count >= 1) OnFilterProgress(this, 100);
}

void RAdeRedeviDidi::SetFilterActive(bool Value) {
    if (Value != filterActive_) {
        BeginUpdate();
        const TScopeExit endUpdate([this] { EndUpdate(); });
        if (Value) {
            filterFixedRows_ = FixedRows();
            ApplyFilter();
            selectionHidden_ = false;
        } else {
            UnhideAllRows();
            SetFixedRows(filterFixedRows_);
            if (selectionHidden_) UnHideSelection();
        }
        filterActive_ = Value;
    }
    FilterFooterRefresh();
}

void RAdeRedeviDidi::FilterFooterRefresh() {
    // The column results count only the rows shown.
    UpdateFooterAll();
    UpdateFooter();
}

}  // namespace ProGrid
