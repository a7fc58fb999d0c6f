// TMemoViewText: the byte text and its line index.

#include "qt/MemoViewText.h"

#include <algorithm>
#include <cstring>

namespace {

bool IsBlank(char C) { return C == ' ' || C == '\t'; }

}  // namespace

void TMemoViewText::IndexBreaks(std::size_t From, std::size_t To, std::vector<std::size_t>& Starts) const {
    const char* data = bytes_->data();
    std::size_t at = std::max<std::size_t>(From, 1);
    while (at < To) {
        const void* found = std::memchr(data + at, '\n', To - at);
        if (!found) break;
        std::size_t lf = static_cast<std::size_t>(static_cast<const char*>(found) - data);
        if (data[lf - 1] == '\r') Starts.push_back(lf + 1);
        at = lf + 1;
    }
}

const AnsiString& TMemoViewText::NoText() {
    static const AnsiString empty;
    return empty;
}

void TMemoViewText::Show(const AnsiString& Text) {
    bytes_ = &Text;
    starts_.clear();
    starts_.push_back(0);
    IndexBreaks(0, bytes_->size(), starts_);
    longest_ = 0;
    Lengthen(0, LineCount() - 1);
}

void TMemoViewText::Lengthen(int FirstLine, int LastLine) {
    if (longest_ >= LineCount()) longest_ = 0;
    std::size_t best = LineLength(longest_);
    for (int line = FirstLine; line <= LastLine; ++line) {
        std::size_t length = LineLength(line);
        if (length > best) best = length, longest_ = line;
    }
}

void TMemoViewText::Replaced(std::size_t Start, std::size_t End, std::size_t ValueLength) {
    int first = LineOf(Start);
    int last = LineOf(End);
    std::vector<std::size_t> added;
    IndexBreaks(Start, Start + ValueLength, added);
    auto from = starts_.begin() + first + 1;
    from = starts_.erase(from, starts_.begin() + last + 1);
    from = starts_.insert(from, added.begin(), added.end()) + static_cast<std::ptrdiff_t>(added.size());
    for (auto it = from; it != starts_.end(); ++it) *it = *it - (End - Start) + ValueLength;
    if (longest_ > last) longest_ += static_cast<int>(added.size()) - (last - first);
    else if (longest_ > first) longest_ = first;
    Lengthen(first, first + static_cast<int>(added.size()));
}

std::size_t TMemoViewText::LineEnd(int Line) const {
    auto next = static_cast<std::size_t>(Line) + 1;
    return next < starts_.size() ? starts_[next] - 2 : bytes_->size();
}

int TMemoViewText::LineOf(std::size_t Position) const {
    auto it = std::upper_bound(starts_.begin(), starts_.end(), Position);
    return static_cast<int>(it - starts_.begin()) - 1;
}

std::size_t TMemoViewText::Snap(std::size_t Position) const {
    Position = std::min(Position, bytes_->size());
    if (Position > 0 && Position < bytes_->size() && (*bytes_)[Position - 1] == '\r' && (*bytes_)[Position] == '\n')
        --Position;
    return Position;
}

std::size_t TMemoViewText::NextWordStart(std::size_t Position) const {
    int line = LineOf(Position);
    std::size_t end = LineEnd(line);
    if (Position >= end) return line + 1 < LineCount() ? LineStart(line + 1) : Position;
    while (Position < end && !IsBlank((*bytes_)[Position])) ++Position;
    while (Position < end && IsBlank((*bytes_)[Position])) ++Position;
    return Position;
}

std::size_t TMemoViewText::PreviousWordStart(std::size_t Position) const {
    int line = LineOf(Position);
    std::size_t start = LineStart(line);
    if (Position <= start) return line > 0 ? LineEnd(line - 1) : Position;
    while (Position > start && IsBlank((*bytes_)[Position - 1])) --Position;
    while (Position > start && !IsBlank((*bytes_)[Position - 1])) --Position;
    return Position;
}

void TMemoViewText::WordAround(std::size_t Position, std::size_t& Start, std::size_t& End) const {
    int line = LineOf(Position);
    std::size_t lineStart = LineStart(line);
    std::size_t lineEnd = LineEnd(line);
    Start = End = Position;
    if (lineStart == lineEnd) return;
    // At the end of a line the word before the caret counts.
    std::size_t probe = Position < lineEnd ? Position : Position - 1;
    bool blank = IsBlank((*bytes_)[probe]);
    Start = probe;
    End = probe;
    while (Start > lineStart && IsBlank((*bytes_)[Start - 1]) == blank) --Start;
    while (End < lineEnd && IsBlank((*bytes_)[End]) == blank) ++End;
}
