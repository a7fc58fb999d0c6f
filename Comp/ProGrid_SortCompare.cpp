// The sort's comparison of two cells of a column by the column's sort style.
#include "GrdHTMLE.h"
#include "ProGrid.h"
#include "ProGrid_Sort.h"
#include "ProUtil.h"
#include "vcl/SysUtils.h"
#include "vcl/Windows.h"

namespace ProGrid {

using namespace ProUtil;

namespace {

Integer Sign(Integer Value) { return Value < 0 ? -1 : Value > 0 ? 1 : 0; }

template <typename T>
Integer Order(const T& A, const T& B) {
    return A < B ? -1 : B < A ? 1 : 0;
}

bool IsDigit(char C) { return C >= '0' && C <= '9'; }

// The date separator at position 2 or 3, not last, between two digits.
bool LooksLikeDate(const AnsiString& S) {
    for (std::size_t at : {std::size_t{1}, std::size_t{2}})
        if (at + 1 < S.size() && S[at] == DateSeparator && IsDigit(S[at - 1]) && IsDigit(S[at + 1])) return true;
    return false;
}

void EraseFirst(AnsiString& Text, const AnsiString& Part) {
    if (Part.empty()) return;
    const std::size_t at = Text.find(Part);
    if (at != AnsiString::npos) Text.erase(at, Part.size());
}

void AsciiUpper(AnsiString& Text) {
    for (char& c : Text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - ('a' - 'A'));
}

}  // namespace

Integer RAdeRedeviDidi::TCellComparer::Compare(Integer ACol, Integer ARow1, bool ADescending, Integer ARow2) {
    TSortStyle style = grid_.SortSettings()->AutoFormat() ? ssAutomatic : ssAlphabetic;
    prefix_.clear();
    suffix_.clear();
    grid_.GetFormat(ACol, style, prefix_, suffix_);
    grid_.ReadCell(ACol, ARow1, text1_);
    grid_.ReadCell(ACol, ARow2, text2_);
    const bool detected = style == ssAutomatic;
    if (detected) style = Detect(ACol, ARow1);
    // The comparisons below may change the texts they read.
    const bool empty1 = text1_.empty(), empty2 = text2_.empty();

    Integer result = 1;
    switch (style) {
        case ssAlphabetic:
        case ssAlphaCase: result = Sign(text1_.compare(text2_)); break;
        case ssAlphaNoCase:
            AsciiUpper(text1_);
            AsciiUpper(text2_);
            result = Sign(text1_.compare(text2_));
            break;
        case ssHTML: {
            AnsiString stripped1, stripped2;
            GrdHTMLE::StripHTML(text1_, stripped1);
            GrdHTMLE::StripHTML(text2_, stripped2);
            result = Sign(stripped1.compare(stripped2));
            break;
        }
        case ssNumeric:
        case ssNumericGrouped: result = CompareNumbers(style == ssNumericGrouped, detected); break;
        case ssDate:
        case ssDateDMY:
        case ssDateMDY: result = CompareDates(style, detected); break;
        case ssCustom:
            result = 0;
            if (grid_.OnCustomCompare) grid_.OnCustomCompare(&grid_, text1_, text2_, result);
            result = Sign(result);
            break;
        case ssAnsiAlphaCase: result = Sign(AnsiCompareStr(text1_, text2_)); break;
        case ssAnsiAlphaNoCase: result = Sign(AnsiCompareText(text1_, text2_)); break;
        case ssRaw:
            result = 0;
            if (grid_.OnRawCompare) grid_.OnRawCompare(&grid_, ACol, ARow1, ARow2, result);
            result = Sign(result);
            break;
        case ssImages: result = CompareImages(ACol, ARow1, ARow2); break;
        case ssCheckBox: result = CompareChecks(ACol, ARow1, ARow2); break;
        case ssUnicode: {
            const WideString wide1 = grid_.WideCells(ACol, ARow1), wide2 = grid_.WideCells(ACol, ARow2);
            const int order =
                CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wide1.data(), static_cast<int>(wide1.size()),
                               wide2.data(), static_cast<int>(wide2.size()));
            result = order == CSTR_LESS_THAN ? -1 : order == CSTR_GREATER_THAN ? 1 : 0;
            break;
        }
        case ssAutomatic: break;  // resolved above
    }

    // Blanks go to the chosen end in both directions.
    if (grid_.SortSettings()->IgnoreBlanks() && empty1 != empty2) {
        const Integer last = grid_.SortSettings()->BlankPos() == blLast ? 1 : -1;
        result = empty1 ? last : -last;
        if (ADescending) result = -result;
    }
    return result;
}

TSortStyle RAdeRedeviDidi::TCellComparer::Detect(Integer ACol, Integer ARow1) const {
    const TCellType type = grid_.GetCellType(ACol, ARow1);
    if (type == ctCheckBox || type == ctDataCheckBox || type == ctVirtCheckBox) return ssCheckBox;
    const Integer kind = ClassifyNumber(text1_);
    if (kind == 0 || kind == 1) return ssNumeric;
    return LooksLikeDate(text1_) ? ssDate : ssAlphabetic;
}

double RAdeRedeviDidi::TCellComparer::Number(AnsiString& Text, bool Grouped) const {
    EraseFirst(Text, prefix_);
    EraseFirst(Text, suffix_);
    if (Grouped) std::erase(Text, ThousandSeparator);
    if (DecimalSeparator != '.') {
        const std::size_t at = Text.find(DecimalSeparator);
        if (at != AnsiString::npos) Text[at] = '.';
    }
    double value = 0;
    Integer code = 0;
    Val(Text, value, code);
    return code == 0 ? value : 0.0;
}

// A text that does not convert counts 0. Detected numbers may carry thousand separators: the detection
// takes them for part of a number.
Integer RAdeRedeviDidi::TCellComparer::CompareNumbers(bool Grouped, bool Detected) {
    const double a = Number(text1_, Grouped || Detected);
    const double b = Number(text2_, Grouped || Detected);
    return Order(a, b);
}

// An empty text counts 0. A detected date's other text may be no date: it counts 0 too; an explicit
// ssDate raises for it.
Integer RAdeRedeviDidi::TCellComparer::CompareDates(TSortStyle Style, bool Detected) const {
    const auto value = [&](const AnsiString& Text) -> TDateTime {
        if (Style == ssDateDMY) return StrToDateDMY(Text);
        if (Style == ssDateMDY) return StrToDateMDY(Text);
        if (Text.empty()) return 0;
        if (!Detected) return StrToDate(Text);
        TDateTime date = 0;
        return TryStrToDate(Text, date) ? date : 0;
    };
    const TDateTime a = value(text1_);
    return Order(a, value(text2_));
}

Integer RAdeRedeviDidi::TCellComparer::CompareImages(Integer ACol, Integer ARow1, Integer ARow2) {
    const auto key = [&](Integer ARow) -> Integer {
        const TCellGraphic* graphic = grid_.GetCellGraphic(ACol, ARow);
        if (!graphic) return -1;
        switch (graphic->CellType) {
            case ctImageList: return graphic->CellIndex;
            case ctBitmap: return graphic->CellBitmap ? grid_.ImageSerial(graphic->CellBitmap) : -1;
            case ctIcon: return graphic->CellIcon ? grid_.ImageSerial(graphic->CellIcon) : -1;
            default: return -1;
        }
    };
    const Integer a = key(ARow1);
    return Order(a, key(ARow2));
}

// A cell without a check box counts as unchecked.
Integer RAdeRedeviDidi::TCellComparer::CompareChecks(Integer ACol, Integer ARow1, Integer ARow2) {
    bool a = false, b = false;
    grid_.GetCheckBoxState(ACol, ARow1, a);
    grid_.GetCheckBoxState(ACol, ARow2, b);
    return Order(a, b);
}

Integer RAdeRedeviDidi::TCellComparer::CompareColumns(Integer ACol, Integer ARow1, bool ADescending, Integer ARow2) {
    Integer result = Compare(ACol, ARow1, ADescending, ARow2);
    for (Integer col = ACol; result == 0 && grid_.SortSettings()->Full() && col <= grid_.ColCount() - 2;)
        result = Compare(++col, ARow1, ADescending, ARow2);
    return result;
}

Integer RAdeRedeviDidi::TCellComparer::CompareIndexed(std::span<const Integer> Indexes, Integer ARow1, Integer ARow2) {
    for (std::size_t k = 0; k < Indexes.size(); ++k) {
        const auto entry = static_cast<std::uint32_t>(Indexes[k]);
        const bool descending = (entry >> 31) != 0;
        const Integer result = Compare(static_cast<Integer>(entry & 0x7FFFFFFF), ARow1, descending, ARow2);
        if (result == 0 && grid_.SortSettings()->Full() && k + 1 < Indexes.size()) continue;
        return descending ? -result : result;
    }
    return 0;
}

Integer RAdeRedeviDidi::CompareCells(Integer ACol, Integer ARow1, bool ADescending, Integer ARow2) {
    TCellComparer comparer(*this);
    return comparer.Compare(ACol, ARow1, ADescending, ARow2);
}

Integer RAdeRedeviDidi::ImageSerial(const TObject* Image) {
    return imageSerials_.try_emplace(Image, static_cast<Integer>(imageSerials_.size())).first->second;
}

}  // namespace ProGrid
