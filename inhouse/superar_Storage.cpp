// A row's field storage: one buffer per row holding its written fields in field order.
//
// Buffer: capacity (u32, bytes for entries), used (u32), size (u8: the row's field count, bit 7 set once
// a long text was written), then the entries. A plain entry is the field number, the text's length in one byte and the
// text. Bit 7 of the field number marks a flags byte after it (1 an integer follows, 2 a floating value follows, 4 the
// text is long); then the length byte and the text, or for a long text the address of its block; the numbers come last.
// A long text's block holds its capacity and length (u64 each) and the bytes.
#include "superar.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include <vcl/SysUtils.h>

namespace superar {

namespace {

constexpr std::size_t CapacityAt = 0;
constexpr std::size_t UsedAt = 4;
constexpr std::size_t SizeAt = 8;
constexpr std::size_t HeaderBytes = 9;

constexpr unsigned char FlagsFollow = 0x80;
constexpr unsigned char HasInt = 1;
constexpr unsigned char HasFloat = 2;
constexpr unsigned char LongText = 4;
constexpr std::size_t MaxShortLength = 255;
// Field counts the table uses (up to Field + 11 for field 113) fit the size byte beside its flag.
constexpr std::size_t MaxFieldCount = 127;
constexpr unsigned char HoldsLongText = 0x80;
constexpr std::size_t BlockHeader = 16;

std::uint32_t ReadU32(const char* At) {
    std::uint32_t value;
    std::memcpy(&value, At, sizeof value);
    return value;
}

void WriteU32(char* At, std::uint32_t Value) { std::memcpy(At, &Value, sizeof Value); }

char* ReadPointer(const char* At) {
    char* value;
    std::memcpy(&value, At, sizeof value);
    return value;
}

void WritePointer(char* At, const char* Value) { std::memcpy(At, &Value, sizeof Value); }

std::uint64_t BlockLength(const char* Block) {
    std::uint64_t length;
    std::memcpy(&length, Block + 8, sizeof length);
    return length;
}

// Allocation sizes that fill the allocator's 16-byte chunks (8 bytes of each go to its own header).
std::size_t AllocationFor(std::size_t Bytes) {
    const std::size_t chunks = (std::max<std::size_t>(Bytes, 56) + 8 + 15) / 16;
    return chunks * 16 - 8;
}

char* Allocate(char* Old, std::size_t Bytes) {
    void* block = std::realloc(Old, Bytes);
    if (!block) throw std::bad_alloc();
    return static_cast<char*>(block);
}

// A long text's block with room for Length bytes; Old's bytes stay (Old may be null).
char* BlockFor(char* Old, std::size_t Length) {
    std::uint64_t capacity = 0;
    if (Old) std::memcpy(&capacity, Old, sizeof capacity);
    if (Old && Length <= capacity) return Old;
    // A text loaded line by line grows in steps of half its size: appending stays linear.
    capacity = std::max<std::uint64_t>(Length, capacity + capacity / 2);
    char* block = Allocate(Old, BlockHeader + capacity);
    std::memcpy(block, &capacity, sizeof capacity);
    return block;
}

}  // namespace

struct DataTextT::Entry {
    bool Found = false;
    std::size_t At = 0;      // offset in the buffer: of the entry, or where it would go
    std::size_t Bytes = 0;   // the whole entry
    std::size_t TextAt = 0;  // offset of an inline text
    char* Block = nullptr;   // a long text's block
    std::uint64_t Length = 0;
    Int64 IntValue = 0;
    Double FloatValue = 0.0;
};

DataTextT::DataTextT(const DataTextT& Other) {
    if (!Other.buffer_) return;
    const std::size_t bytes = HeaderBytes + ReadU32(Other.buffer_ + UsedAt);
    const std::size_t allocated = AllocationFor(bytes);
    buffer_ = Allocate(nullptr, allocated);
    std::memcpy(buffer_, Other.buffer_, bytes);
    WriteU32(buffer_ + CapacityAt, static_cast<std::uint32_t>(allocated - HeaderBytes));
    // Long texts get blocks of their own; should that fail, the entries past those done are dropped.
    std::size_t at = HeaderBytes;
    try {
        for (; at < bytes; at += EntryAt(at).Bytes) {
            const Entry entry = EntryAt(at);
            if (!entry.Block) continue;
            char* block = BlockFor(nullptr, entry.Length);
            std::memcpy(block + 8, entry.Block + 8, 8 + entry.Length);
            WritePointer(buffer_ + at + 2, block);
        }
    } catch (...) {
        WriteU32(buffer_ + UsedAt, static_cast<std::uint32_t>(at - HeaderBytes));
        FreeLongTexts(HeaderBytes);
        std::free(std::exchange(buffer_, nullptr));
        throw;
    }
}

DataTextT& DataTextT::operator=(const DataTextT& Other) {
    if (this != &Other) *this = DataTextT(Other);
    return *this;
}

DataTextT& DataTextT::operator=(DataTextT&& Other) noexcept {
    if (this != &Other) {
        FreeLongTexts(HeaderBytes);
        std::free(buffer_);
        buffer_ = std::exchange(Other.buffer_, nullptr);
    }
    return *this;
}

DataTextT::~DataTextT() {
    FreeLongTexts(HeaderBytes);
    std::free(buffer_);
}

void DataTextT::FreeLongTexts(std::size_t From) {
    // Rows of short texts only, nearly all, are not walked.
    if (!buffer_ || !(static_cast<unsigned char>(buffer_[SizeAt]) & HoldsLongText)) return;
    const std::size_t end = HeaderBytes + ReadU32(buffer_ + UsedAt);
    for (std::size_t at = From; at < end;) {
        const Entry entry = EntryAt(at);
        std::free(entry.Block);
        at += entry.Bytes;
    }
    if (From == HeaderBytes) buffer_[SizeAt] = static_cast<char>(buffer_[SizeAt] & ~HoldsLongText);
}

std::size_t DataTextT::size() const {
    return buffer_ ? static_cast<unsigned char>(buffer_[SizeAt]) & ~HoldsLongText : 1;
}

void DataTextT::SetSize(std::size_t Count) {
    if (Count > MaxFieldCount)
        throw ERangeError("A row has at most " + IntToStr(static_cast<Integer>(MaxFieldCount)) + " fields");
    if (!buffer_) {
        if (Count == 1) return;
        Reserve(0);
    }
    buffer_[SizeAt] = static_cast<char>(Count | (buffer_[SizeAt] & HoldsLongText));
}

void DataTextT::Reset(std::size_t Count) {
    if (buffer_) {
        FreeLongTexts(HeaderBytes);
        WriteU32(buffer_ + UsedAt, 0);
    }
    SetSize(Count);
}

void DataTextT::resize(std::size_t Count) {
    if (buffer_ && Count < size()) {
        // Entries are in field order: those from Count on are the buffer's tail.
        const Entry first = Find(Count);
        FreeLongTexts(first.At);
        WriteU32(buffer_ + UsedAt, static_cast<std::uint32_t>(first.At - HeaderBytes));
    }
    SetSize(Count);
}

DataTextT::Entry DataTextT::EntryAt(std::size_t At) const {
    Entry entry;
    entry.Found = true;
    entry.At = At;
    const auto first = static_cast<unsigned char>(buffer_[At]);
    std::size_t next = At + 1;
    const unsigned char flags = (first & FlagsFollow) ? static_cast<unsigned char>(buffer_[next++]) : 0;
    if (flags & LongText) {
        entry.Block = ReadPointer(buffer_ + next);
        entry.Length = BlockLength(entry.Block);
        next += sizeof entry.Block;
    } else {
        entry.Length = static_cast<unsigned char>(buffer_[next++]);
    }
    if (flags & HasInt) {
        std::memcpy(&entry.IntValue, buffer_ + next, 8);
        next += 8;
    }
    if (flags & HasFloat) {
        std::memcpy(&entry.FloatValue, buffer_ + next, 8);
        next += 8;
    }
    entry.TextAt = next;
    if (!entry.Block) next += entry.Length;
    entry.Bytes = next - At;
    return entry;
}

DataTextT::Entry DataTextT::Find(std::size_t Field) const {
    if (!buffer_) return {};
    const std::size_t end = HeaderBytes + ReadU32(buffer_ + UsedAt);
    std::size_t at = HeaderBytes;
    while (at < end) {
        const std::size_t field = static_cast<unsigned char>(buffer_[at]) & ~FlagsFollow;
        if (field > Field) break;
        const Entry entry = EntryAt(at);
        if (field == Field) return entry;
        at += entry.Bytes;
    }
    Entry missing;
    missing.At = at;
    return missing;
}

std::string_view DataTextT::Text(std::size_t Field) const {
    if (!buffer_) return {};
    // Plain entries (two bytes before the text) are passed over without decoding more.
    const auto* at = reinterpret_cast<const unsigned char*>(buffer_) + HeaderBytes;
    const unsigned char* const end = at + ReadU32(buffer_ + UsedAt);
    while (at < end && !(*at & FlagsFollow)) {
        if (*at > Field) return {};
        if (*at == Field) return {reinterpret_cast<const char*>(at + 2), at[1]};
        at += 2 + at[1];
    }
    if (at == end) return {};
    const Entry entry = Find(Field);
    if (!entry.Found) return {};
    if (entry.Block) return {entry.Block + BlockHeader, static_cast<std::size_t>(entry.Length)};
    return {buffer_ + entry.TextAt, static_cast<std::size_t>(entry.Length)};
}

Int64 DataTextT::IntValue(std::size_t Field) const { return Find(Field).IntValue; }

Double DataTextT::FloatValue(std::size_t Field) const { return Find(Field).FloatValue; }

void DataTextT::Reserve(std::size_t EntryBytes) {
    const std::size_t capacity = buffer_ ? ReadU32(buffer_ + CapacityAt) : 0;
    if (buffer_ && EntryBytes <= capacity) return;
    if (EntryBytes > 0xFFFFFFFFu - HeaderBytes - 64) throw ERangeError("A row has too many fields");
    const std::size_t grown = buffer_ ? HeaderBytes + capacity + capacity / 2 : 0;
    const std::size_t allocated = AllocationFor(std::max(HeaderBytes + EntryBytes, grown));
    const bool fresh = buffer_ == nullptr;
    buffer_ = Allocate(buffer_, allocated);
    WriteU32(buffer_ + CapacityAt, static_cast<std::uint32_t>(allocated - HeaderBytes));
    if (fresh) {
        WriteU32(buffer_ + UsedAt, 0);
        buffer_[SizeAt] = 1;
    }
}

char* DataTextT::Put(Entry& Place, std::size_t Field, std::size_t TextLength, Int64 IntValue, Double FloatValue) {
    Entry& entry = Place;
    const bool hasFloat = std::bit_cast<std::uint64_t>(FloatValue) != 0;
    const bool isLong = TextLength > MaxShortLength;
    const bool flagged = IntValue != 0 || hasFloat || isLong;
    const std::size_t numbers = (IntValue != 0 ? 8 : 0) + (hasFloat ? 8 : 0);
    const std::size_t header = 1 + (flagged ? 1 : 0) + (isLong ? sizeof(char*) : 1) + numbers;
    const std::size_t bytes = header + (isLong ? 0 : TextLength);
    const std::size_t kept = entry.Found ? std::min<std::size_t>(entry.Length, TextLength) : 0;

    // Room first: should it fail, nothing has changed.
    const std::size_t used = buffer_ ? ReadU32(buffer_ + UsedAt) : 0;
    const std::size_t oldBytes = entry.Found ? entry.Bytes : 0;
    if (!buffer_) entry.At = HeaderBytes;
    Reserve(used - oldBytes + bytes);

    // A long text keeps its block (or takes one with the kept bytes); a short one leaving a block keeps
    // its bytes aside until the entry has room for them.
    char* block = nullptr;
    char shortened[MaxShortLength];
    if (isLong) {
        if (entry.Block) {
            block = BlockFor(entry.Block, TextLength);
        } else {
            block = BlockFor(nullptr, TextLength);
            if (kept > 0) std::memcpy(block + BlockHeader, buffer_ + entry.TextAt, kept);
        }
        const std::uint64_t length = TextLength;
        std::memcpy(block + 8, &length, sizeof length);
    } else if (entry.Block) {
        std::memcpy(shortened, entry.Block + BlockHeader, kept);
    }
    const std::size_t tailFrom = entry.At + oldBytes;
    const std::size_t tailTo = entry.At + bytes;
    const std::size_t tailBytes = HeaderBytes + used - tailFrom;
    char* text = isLong ? block + BlockHeader : buffer_ + entry.At + header;
    // An inline text kept moves inside the entry's old room when it shrinks, inside its new room when it
    // grows.
    const bool movesInline = !isLong && !entry.Block && kept > 0;
    if (bytes <= oldBytes) {
        if (movesInline) std::memmove(text, buffer_ + entry.TextAt, kept);
        std::memmove(buffer_ + tailTo, buffer_ + tailFrom, tailBytes);
    } else {
        std::memmove(buffer_ + tailTo, buffer_ + tailFrom, tailBytes);
        if (movesInline) std::memmove(text, buffer_ + entry.TextAt, kept);
    }
    if (!isLong && entry.Block) {
        std::memcpy(text, shortened, kept);
        std::free(entry.Block);
    }

    char* out = buffer_ + entry.At;
    *out++ = static_cast<char>(Field | (flagged ? FlagsFollow : 0));
    if (flagged)
        *out++ = static_cast<char>((IntValue != 0 ? HasInt : 0) | (hasFloat ? HasFloat : 0) | (isLong ? LongText : 0));
    if (isLong) {
        WritePointer(out, block);
        out += sizeof block;
    } else {
        *out++ = static_cast<char>(TextLength);
    }
    if (IntValue != 0) {
        std::memcpy(out, &IntValue, 8);
        out += 8;
    }
    if (hasFloat) std::memcpy(out, &FloatValue, 8);
    WriteU32(buffer_ + UsedAt, static_cast<std::uint32_t>(used - oldBytes + bytes));
    if (isLong) buffer_[SizeAt] = static_cast<char>(buffer_[SizeAt] | HoldsLongText);
    return text;
}

bool DataTextT::Aliases(const Entry& Place, std::string_view Value) const {
    const char* data = Value.data();
    if (buffer_ && data >= buffer_ && data < buffer_ + HeaderBytes + ReadU32(buffer_ + CapacityAt)) return true;
    return Place.Block && data >= Place.Block && data <= Place.Block + BlockHeader + Place.Length;
}

void DataTextT::SetText(std::size_t Field, std::string_view Value) {
    Entry entry = Find(Field);
    if (!Value.empty() && Aliases(entry, Value)) {
        // A text of this very row: making room may move it.
        const std::string copy(Value);
        SetText(Field, copy);
        return;
    }
    if (!entry.Found && Value.empty()) return;  // reads "" as it is
    const std::size_t used = buffer_ ? ReadU32(buffer_ + UsedAt) : 0;
    if (!entry.Found && buffer_ && entry.At == HeaderBytes + used && Value.size() <= MaxShortLength &&
        used + 2 + Value.size() <= ReadU32(buffer_ + CapacityAt)) {
        // A new plain field after the row's last one, where there is room: the usual first write.
        char* out = buffer_ + entry.At;
        out[0] = static_cast<char>(Field);
        out[1] = static_cast<char>(Value.size());
        std::memcpy(out + 2, Value.data(), Value.size());
        WriteU32(buffer_ + UsedAt, static_cast<std::uint32_t>(used + 2 + Value.size()));
        return;
    }
    char* text = Put(entry, Field, Value.size(), entry.IntValue, entry.FloatValue);
    if (!Value.empty()) std::memcpy(text, Value.data(), Value.size());
}

void DataTextT::AppendText(std::size_t Field, std::string_view Value) {
    Entry entry = Find(Field);
    if (!Value.empty() && Aliases(entry, Value)) {
        const std::string copy(Value);
        AppendText(Field, copy);
        return;
    }
    const std::size_t length = entry.Length;
    char* text = Put(entry, Field, length + Value.size(), entry.IntValue, entry.FloatValue);
    if (!Value.empty()) std::memcpy(text + length, Value.data(), Value.size());
}

void DataTextT::SetIntValue(std::size_t Field, Int64 Value) {
    Entry entry = Find(Field);
    Put(entry, Field, entry.Length, Value, entry.FloatValue);
}

void DataTextT::SetFloatValue(std::size_t Field, Double Value) {
    Entry entry = Find(Field);
    Put(entry, Field, entry.Length, entry.IntValue, Value);
}

// ---------------------------------------------------------------------------
// Spare storage: each kept buffer holds the next one's address where its entries start.

SpareRowStorageT& SpareRowStorageT::operator=(const SpareRowStorageT& Other) {
    if (this != &Other) Clear();
    return *this;
}

SpareRowStorageT& SpareRowStorageT::operator=(SpareRowStorageT&& Other) noexcept {
    if (this != &Other) {
        Clear();
        head_ = std::exchange(Other.head_, nullptr);
    }
    return *this;
}

void SpareRowStorageT::Keep(DataTextT& Row) {
    if (!Row.buffer_) return;
    Row.FreeLongTexts(HeaderBytes);
    WriteU32(Row.buffer_ + UsedAt, 0);
    char* buffer = std::exchange(Row.buffer_, nullptr);
    WritePointer(buffer + HeaderBytes, head_);
    head_ = buffer;
}

bool SpareRowStorageT::GiveTo(DataTextT& Row) {
    if (!head_ || Row.buffer_) return false;
    const std::size_t count = Row.size();
    Row.buffer_ = head_;
    head_ = ReadPointer(Row.buffer_ + HeaderBytes);
    Row.Reset(count);
    return true;
}

void SpareRowStorageT::Clear() {
    while (head_) std::free(std::exchange(head_, ReadPointer(head_ + HeaderBytes)));
}

}  // namespace superar
