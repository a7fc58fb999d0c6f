// The filter language: conditions of comparisons, wildcards and negation joined by combiners.
//
// A "*" matches the rest of the pattern against every tail of the text, and that rest may hold further
// stars, comparisons and negations of its own. Tried naively this is exponential in the stars. But
// whether a rest matches some tail from position J on only depends on the last tail it matches, so that
// one position is worked out once per rest, from the last run of stars back to the first: a part costs
// its length times the text's at most.
#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "ProUtil.h"

namespace ProUtil {

namespace {

bool IsDigit(char C) { return C >= '0' && C <= '9'; }

bool IsCombiner(char C) { return C == '&' || C == ';' || C == '^' || C == '|'; }

// Characters whose neighbouring blanks a condition drops.
bool IsBlankEater(char C) { return IsCombiner(C) || C == '='; }

// The matcher reads zero-terminated texts: nothing after a NUL counts.
std::string_view UpToNul(std::string_view S) { return S.substr(0, std::min(S.find('\0'), S.size())); }

// Texts compare as short strings do: over at most 255 bytes, unsigned.
constexpr std::size_t ShortStringLength = 255;

int CompareShort(std::string_view A, std::string_view B) {
    A = A.substr(0, std::min(A.size(), ShortStringLength));
    B = B.substr(0, std::min(B.size(), ShortStringLength));
    const std::size_t common = std::min(A.size(), B.size());
    const int bytes = common == 0 ? 0 : std::memcmp(A.data(), B.data(), common);
    if (bytes != 0) return bytes;
    return A.size() < B.size() ? -1 : A.size() > B.size() ? 1 : 0;
}

// A number as the filter reads it: normalised, then the whole text a floating-point number with a digit.
bool ReadFilterNumber(std::string_view S, double& Value) {
    const AnsiString number = NormalizeNumberText(AnsiString(S));
    if (std::none_of(number.begin(), number.end(), IsDigit)) return false;
    Integer code = 0;
    Val(number, Value, code);
    return code == 0;
}

// What a comparison needs of a text: its number and date, each read once when first asked for. A text
// known not to be one is never read as one.
class TReadings {
public:
    explicit TReadings(std::string_view Text, bool MayBeNumber = true, bool MayBeDate = true)
        : text_(Text), numberRead_(!MayBeNumber), dateRead_(!MayBeDate) {}
    std::string_view Text() const { return text_; }
    bool Number(double& Value) {
        if (!numberRead_) {
            isNumber_ = ReadFilterNumber(text_, number_);
            numberRead_ = true;
        }
        Value = number_;
        return isNumber_;
    }
    bool Date(TDateTime& Value) {
        if (!dateRead_) {
            isDate_ = ParseDateByFormat(AnsiString(text_), date_);
            dateRead_ = true;
        }
        Value = date_;
        return isDate_;
    }

private:
    std::string_view text_;
    bool numberRead_, isNumber_ = false, dateRead_, isDate_ = false;
    double number_ = 0;
    TDateTime date_ = 0;
};

// The right-hand side of ">", ">=", "<" or "<=", read once with its number and date.
struct TOperand {
    bool Present = false;
    bool OrEqual = false;
    AnsiString Text;
    bool IsNumber = false;
    double Number = 0;
    bool IsDate = false;
    TDateTime Date = 0;

    // The first Operator in Pattern from From on; the operand runs after it and any blanks up to a
    // blank, the end, "&" or "|", without a leading and a trailing double quote.
    TOperand(std::string_view Pattern, std::size_t From, char Operator) {
        std::size_t at = Pattern.find(Operator, From);
        if (at == std::string_view::npos) return;
        Present = true;
        ++at;
        if (at < Pattern.size() && Pattern[at] == '=') {
            OrEqual = true;
            ++at;
        }
        while (at < Pattern.size() && Pattern[at] == ' ') ++at;
        std::size_t end = at;
        while (end < Pattern.size() && Pattern[end] != ' ' && Pattern[end] != '&' && Pattern[end] != '|') ++end;
        std::string_view operand = Pattern.substr(at, end - at);
        if (!operand.empty() && operand.front() == '"') operand.remove_prefix(1);
        if (!operand.empty() && operand.back() == '"') operand.remove_suffix(1);
        Text = AnsiString(operand);
        IsNumber = ReadFilterNumber(operand, Number);
        IsDate = ParseDateByFormat(Text, Date);
    }

    // Sign of the text against the operand: by number when both are numbers, else by date when both
    // are dates, else by bytes.
    int Order(TReadings& Value) const {
        double number = 0;
        if (IsNumber && Value.Number(number)) return number < Number ? -1 : number > Number ? 1 : 0;
        TDateTime date = 0;
        if (IsDate && Value.Date(date)) return date < Date ? -1 : date > Date ? 1 : 0;
        return CompareShort(Value.Text(), Text);
    }
};

// The comparisons a pattern from one position on makes.
struct TComparisons {
    TOperand Greater, Less;
    TComparisons(std::string_view Pattern, std::size_t From) : Greater(Pattern, From, '>'), Less(Pattern, From, '<') {}
    bool Any() const { return Greater.Present || Less.Present; }
    bool Hold(TReadings& Value) const {
        if (Greater.Present) {
            const int order = Greater.Order(Value);
            if (order > 0 || (order == 0 && Greater.OrEqual)) return true;
        }
        if (Less.Present) {
            const int order = Less.Order(Value);
            if (order < 0 || (order == 0 && Less.OrEqual)) return true;
        }
        return false;
    }
};

// The tails of a text that might read as numbers or dates; every other tail reads as neither, which
// spares reading each of them.
class TTailKinds {
public:
    explicit TTailKinds(std::string_view Text) {
        const auto runStart = [Text](auto inRun) {
            std::size_t from = Text.size();
            while (from > 0 && inRun(Text[from - 1])) --from;
            return from;
        };
        const std::size_t numeric = runStart([](char c) {
            return IsDigit(c) || c == '+' || c == '-' || c == '.' || c == 'e' || c == 'E' || c == DecimalSeparator ||
                   c == ThousandSeparator;
        });
        // Val skips blanks in front.
        numberFrom_ = numeric;
        while (numberFrom_ > 0 && Text[numberFrom_ - 1] == ' ') --numberFrom_;
        dateFrom_ = runStart([](char c) {
            return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || c == ' ' || c == '+' ||
                   c == '-' || c == '$' || c == 'x' || c == 'X' || c == DateSeparator;
        });
        separatorsFrom_.assign(Text.size() + 1, 0);
        for (std::size_t k = Text.size(); k-- > dateFrom_;)
            separatorsFrom_[k] = separatorsFrom_[k + 1] + (Text[k] == DateSeparator ? 1 : 0);
    }
    bool MayBeNumber(std::size_t Tail) const { return Tail >= numberFrom_; }
    // A date has three parts.
    bool MayBeDate(std::size_t Tail) const { return Tail >= dateFrom_ && separatorsFrom_[Tail] >= 2; }

private:
    std::size_t numberFrom_ = 0, dateFrom_ = 0;
    std::vector<Integer> separatorsFrom_;
};

}  // namespace

AnsiString NormalizeNumberText(const AnsiString& S) {
    AnsiString result;
    result.reserve(S.size());
    for (char c : S) {
        if (c == DecimalSeparator) result += '.';
        else if (c != ThousandSeparator) result += c;
    }
    return result;
}

// One part of a condition: a pattern, with the comparisons of the whole and of the rest after each run
// of stars.
struct TFilterCondition::TPart {
    bool And = false;  // joins the result so far by AND (else by OR)
    AnsiString Pattern;
    TComparisons Whole;
    // Rests: the positions just after each run of stars, in order, with their comparisons.
    std::vector<std::size_t> RestAt;
    std::vector<TComparisons> RestComparisons;
    // A rest of plain characters (double quotes aside) up to the next star or the end, without
    // comparisons, is found by searching for them.
    struct TPlainRest {
        bool Plain = false;
        bool Last = false;  // no star follows
        std::string Text;
    };
    std::vector<TPlainRest> PlainRests;
    // For each position holding a star: the rest its run leads to.
    std::vector<Integer> RestOfStar;
    // Scratch of one match, per rest: the last tail it matches (a rest matches from J on exactly when J
    // is at or before that tail). Kept here to spare allocating it per value; a condition is not shared
    // between threads.
    mutable std::vector<std::ptrdiff_t> LastTail;

    TPart(bool AAnd, std::string_view APattern)
        : And(AAnd), Pattern(UpToNul(APattern)), Whole(Pattern, 0), RestOfStar(Pattern.size(), -1) {
        for (std::size_t i = 0; i < Pattern.size();) {
            if (Pattern[i] != '*') {
                ++i;
                continue;
            }
            const std::size_t first = i;
            while (i < Pattern.size() && Pattern[i] == '*') ++i;
            std::fill(RestOfStar.begin() + static_cast<std::ptrdiff_t>(first),
                      RestOfStar.begin() + static_cast<std::ptrdiff_t>(i), static_cast<Integer>(RestAt.size()));
            RestAt.push_back(i);
            RestComparisons.emplace_back(Pattern, i);
            PlainRests.push_back(PlainRestAt(i, RestComparisons.back()));
        }
        LastTail.resize(RestAt.size());
    }

private:
    TPlainRest PlainRestAt(std::size_t At, const TComparisons& Comparisons) const;
};

TFilterCondition::TPart::TPlainRest TFilterCondition::TPart::PlainRestAt(std::size_t At,
                                                                         const TComparisons& Comparisons) const {
    TPlainRest rest;
    if (Comparisons.Any()) return rest;
    std::size_t i = At;
    for (; i < Pattern.size() && Pattern[i] != '*'; ++i) {
        if (Pattern[i] == '?' || Pattern[i] == '!') return rest;
        if (Pattern[i] != '"') rest.Text += Pattern[i];
    }
    rest.Plain = true;
    rest.Last = i == Pattern.size();
    return rest;
}

// The state of matching one part against one text.
class TFilterCondition::TMatch {
public:
    TMatch(const TPart& Part, std::string_view Text, TReadings& Whole)
        : part_(Part), pattern_(Part.Pattern), text_(Text), whole_(Whole), unknown_(Part.LastTail.size()) {}

    bool Run() {
        if (part_.Whole.Any() && part_.Whole.Hold(whole_)) return true;
        return Walk(0, 0);
    }

private:
    static constexpr std::ptrdiff_t None = -1;

    // The wildcard walk from pattern position I and text position J up to the end or to a star, whose
    // rest is looked up.
    bool Walk(std::size_t I, std::size_t J) {
        bool negated = false;
        for (;;) {
            if (I == pattern_.size() && J == text_.size()) return !negated;
            const char c = I < pattern_.size() ? pattern_[I] : '\0';
            if (c == '!') {
                negated = true;
                ++I;
            } else if (c == '"') {
                ++I;
            } else if (c == '*') {
                return RestMatchesFrom(part_.RestOfStar[I], J) != negated;
            } else if (c == '?' && J < text_.size()) {
                ++I;
                ++J;
            } else if (c != '?' && c != '\0' && J < text_.size() && c == text_[J]) {
                ++I;
                ++J;
            } else {
                return negated;
            }
        }
    }

    // Whether rest R matches some tail from J on: whether J lies at or before the last tail it matches.
    // The rests are worked out from the last one back, each needing only those after it.
    bool RestMatchesFrom(Integer R, std::size_t J) {
        while (unknown_ > static_cast<std::size_t>(R)) WorkOut(--unknown_);
        return static_cast<std::ptrdiff_t>(J) <= part_.LastTail[static_cast<std::size_t>(R)];
    }

    // The last tail the rest matches, trying the tails from the shortest.
    void WorkOut(std::size_t Rest) {
        if (part_.PlainRests[Rest].Plain) {
            part_.LastTail[Rest] = LastPlainTail(Rest);
            return;
        }
        const TComparisons& comparisons = part_.RestComparisons[Rest];
        if (comparisons.Any() && !tailKinds_) tailKinds_.emplace(text_);
        std::ptrdiff_t last = None;
        for (std::size_t k = text_.size() + 1; k-- > 0 && last == None;) {
            if (comparisons.Any()) {
                TReadings tail(text_.substr(k), tailKinds_->MayBeNumber(k), tailKinds_->MayBeDate(k));
                if (comparisons.Hold(tail)) last = static_cast<std::ptrdiff_t>(k);
            }
            if (last == None && Walk(part_.RestAt[Rest], k)) last = static_cast<std::ptrdiff_t>(k);
        }
        part_.LastTail[Rest] = last;
    }

    // The last place of the rest's characters that the rest after them (when a star follows) matches
    // from.
    std::ptrdiff_t LastPlainTail(std::size_t Rest) const {
        const std::string& plain = part_.PlainRests[Rest].Text;
        const auto n = static_cast<std::ptrdiff_t>(text_.size()), length = static_cast<std::ptrdiff_t>(plain.size());
        if (part_.PlainRests[Rest].Last) return n >= length && text_.ends_with(plain) ? n - length : None;
        const std::ptrdiff_t last = part_.LastTail[Rest + 1] - length;
        if (last < 0 || length == 0) return last < 0 ? None : last;
        for (std::ptrdiff_t k = last; k >= 0; --k) {
            const void* first = memrchr(text_.data(), plain.front(), static_cast<std::size_t>(k) + 1);
            if (!first) return None;
            k = static_cast<const char*>(first) - text_.data();
            if (text_.compare(static_cast<std::size_t>(k), plain.size(), plain) == 0) return k;
        }
        return None;
    }

    const TPart& part_;
    std::string_view pattern_, text_;
    TReadings& whole_;
    std::size_t unknown_;  // the rests below this index are not worked out yet
    std::optional<TTailKinds> tailKinds_;
};

namespace {

// The condition trimmed, without blanks next to "&", ";", "^", "|" and "=", and without a leading "=".
AnsiString TidyCondition(const AnsiString& Condition) {
    const AnsiString trimmed = Trim(Condition);
    AnsiString tidy;
    tidy.reserve(trimmed.size());
    for (std::size_t i = 0; i < trimmed.size();) {
        if (trimmed[i] != ' ') {
            tidy += trimmed[i++];
            continue;
        }
        const std::size_t first = i;
        while (i < trimmed.size() && trimmed[i] == ' ') ++i;
        // Trimmed: a run of blanks has a character on either side.
        if (!IsBlankEater(trimmed[first - 1]) && !IsBlankEater(trimmed[i])) tidy.append(trimmed, first, i - first);
    }
    if (!tidy.empty() && tidy.front() == '=') tidy.erase(0, 1);
    return tidy;
}

}  // namespace

TFilterCondition::TFilterCondition(const AnsiString& Condition, bool CaseSensitive) : caseSensitive_(CaseSensitive) {
    const AnsiString tidy = TidyCondition(Condition);
    const AnsiString condition = CaseSensitive ? tidy : AnsiUpperCase(tidy);
    bool joinByAnd = false;
    std::size_t from = 0;
    for (std::size_t i = 0;; ++i) {
        if (i < condition.size() && !IsCombiner(condition[i])) continue;
        parts_.emplace_back(joinByAnd, std::string_view(condition).substr(from, i - from));
        if (i == condition.size()) break;
        joinByAnd = condition[i] == '&';
        from = i + 1;
    }
}

TFilterCondition::~TFilterCondition() = default;
TFilterCondition::TFilterCondition(TFilterCondition&&) noexcept = default;
TFilterCondition& TFilterCondition::operator=(TFilterCondition&&) noexcept = default;

bool TFilterCondition::Matches(const AnsiString& Value) const {
    const AnsiString upper = caseSensitive_ ? AnsiString() : AnsiUpperCase(Value);
    const std::string_view text = UpToNul(caseSensitive_ ? Value : upper);
    TReadings whole(text);
    bool result = false;
    for (std::size_t i = 0; i < parts_.size(); ++i) {
        const TPart& part = parts_[i];
        // Strictly left to right: a part that cannot change the result is not matched.
        if (i > 0 && (part.And ? !result : result)) continue;
        result = TMatch(part, text, whole).Run();
    }
    return result;
}

bool MatchFilterCondition(const AnsiString& Condition, const AnsiString& Value, bool CaseSensitive) {
    return TFilterCondition(Condition, CaseSensitive).Matches(Value);
}

}  // namespace ProUtil
