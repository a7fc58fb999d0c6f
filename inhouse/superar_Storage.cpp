// A row's field storage: one buffer per row holding its written fields in field order.
//
// Buffer: capacity (u32, bytes for entries), used (u32), size (u8, the row's field count), then the
// entries. Entry: the field number (bit 7: a flags byte follows); the flags (1 integer, 2 floating value,
// 4 length in four bytes); the text length in one byte, or four; the integer and the floating value when
// flagged; the text. A field with plain text up to 255 bytes so costs two bytes besides its text.
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
constexpr unsigned char LongLength = 4;
constexpr std::size_t MaxShortLength = 255;
// Field counts the table uses (up to Field + 11 for field 113) fit the size byte.
constexpr std::size_t MaxFieldCount = 255;

std::uint32_t ReadU32(const char* At) {
    std::uint32_t value;
    std::memcpy(&value, At, sizeof value);
    return value;
}

void WriteU32(char* At, std::uint32_t Value) { std::memcpy(At, &Value, sizeof Value); }

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

bool Inside(const char* Buffer, std::string_view Text) {
    return Buffer && Text.data() >= Buffer && Text.data() < Buffer + HeaderBytes + ReadU32(Buffer + CapacityAt);
}

}  // namespace

struct DataTextT::Entry {
    bool Found = false;
    std::size_t At = 0;     // offset in the buffer: of the entry, or where it would go
    std::size_t Bytes = 0;  // the whole entry
    std::size_t TextAt = 0;
    std::uint32_t Length = 0;
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
}

DataTextT& DataTextT::operator=(const DataTextT& Other) {
    if (this != &Other) *this = DataTextT(Other);
    return *this;
}

DataTextT& DataTextT::operator=(DataTextT&& Other) noexcept {
    if (this != &Other) {
        std::free(buffer_);
        buffer_ = std::exchange(Other.buffer_, nullptr);
    }
    return *this;
}

DataTextT::~DataTextT() { std::free(buffer_); }

std::size_t DataTextT::size() const { return buffer_ ? static_cast<unsigned char>(buffer_[SizeAt]) : 1; }

void DataTextT::SetSize(std::size_t Count) {
    if (Count > MaxFieldCount) throw ERangeError("A row has at most " + IntToStr(static_cast<Integer>(MaxFieldCount)) + " fields");
    if (!buffer_) {
        if (Count == 1) return;
        Reserve(0);
    }
    buffer_[SizeAt] = static_cast<char>(Count);
}

void DataTextT::Reset(std::size_t Count) {
    if (buffer_) WriteU32(buffer_ + UsedAt, 0);
    SetSize(Count);
}

void DataTextT::resize(std::size_t Count) {
    if (buffer_ && Count < size()) {
        // Entries are in field order: those from Count on are the buffer's tail.
        const Entry first = Find(Count);
        WriteU32(buffer_ + UsedAt, static_cast<std::uint32_t>(first.At - HeaderBytes));
    }
    SetSize(Count);
}

DataTextT::Entry DataTextT::Find(std::size_t Field) const {
    Entry entry;
    if (!buffer_) return entry;
    const std::size_t end = HeaderBytes + ReadU32(buffer_ + UsedAt);
    std::size_t at = HeaderBytes;
    while (at < end) {
        const auto first = static_cast<unsigned char>(buffer_[at]);
        const std::size_t field = first & ~FlagsFollow;
        if (field > Field) break;
        std::size_t next = at + 1;
        const unsigned char flags = (first & FlagsFollow) ? static_cast<unsigned char>(buffer_[next++]) : 0;
        std::uint32_t length;
        if (flags & LongLength) {
            length = ReadU32(buffer_ + next);
            next += 4;
        } else {
            length = static_cast<unsigned char>(buffer_[next++]);
        }
        if (field == Field) {
            entry.Found = true;
            if (flags & HasInt) {
                std::memcpy(&entry.IntValue, buffer_ + next, 8);
                next += 8;
            }
            if (flags & HasFloat) {
                std::memcpy(&entry.FloatValue, buffer_ + next, 8);
                next += 8;
            }
            entry.At = at;
            entry.TextAt = next;
            entry.Length = length;
            entry.Bytes = next + length - at;
            return entry;
        }
        next += ((flags & HasInt) ? 8 : 0) + ((flags & HasFloat) ? 8 : 0);
        at = next + length;
    }
    entry.At = at;
    return entry;
}

std::string_view DataTextT::Text(std::size_t Field) const {
    if (!buffer_) return {};
    // Plain short texts (two bytes before the text) are passed over without decoding more.
    const auto* at = reinterpret_cast<const unsigned char*>(buffer_) + HeaderBytes;
    const unsigned char* const end = at + ReadU32(buffer_ + UsedAt);
    while (at < end && !(*at & FlagsFollow)) {
        if (*at > Field) return {};
        if (*at == Field) return {reinterpret_cast<const char*>(at + 2), at[1]};
        at += 2 + at[1];
    }
    if (at == end) return {};
    const Entry entry = Find(Field);
    return entry.Found ? std::string_view(buffer_ + entry.TextAt, entry.Length) : std::string_view();
}

Int64 DataTextT::IntValue(std::size_t Field) const { return Find(Field).IntValue; }

Double DataTextT::FloatValue(std::size_t Field) const { return Find(Field).FloatValue; }

void DataTextT::Reserve(std::size_t EntryBytes) {
    const std::size_t capacity = buffer_ ? ReadU32(buffer_ + CapacityAt) : 0;
    if (buffer_ && EntryBytes <= capacity) return;
    if (EntryBytes > 0xFFFFFFFFu - HeaderBytes - 64) throw ERangeError("A row's texts are too long");
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
    const bool hasFloat = std::bit_cast<std::uint64_t>(FloatValue) != 0;
    const bool longLength = TextLength > MaxShortLength;
    const bool flagged = IntValue != 0 || hasFloat || longLength;
    const std::size_t header =
        1 + (flagged ? 1 : 0) + (longLength ? 4 : 1) + (IntValue != 0 ? 8 : 0) + (hasFloat ? 8 : 0);
    const std::size_t bytes = header + TextLength;

    Entry& entry = Place;
    const std::size_t used = buffer_ ? ReadU32(buffer_ + UsedAt) : 0;
    const std::size_t oldBytes = entry.Found ? entry.Bytes : 0;
    const std::size_t kept = entry.Found ? std::min<std::size_t>(entry.Length, TextLength) : 0;
    if (!buffer_) entry.At = HeaderBytes;
    Reserve(used - oldBytes + bytes);
    const std::size_t tailFrom = entry.At + oldBytes;
    const std::size_t tailTo = entry.At + bytes;
    const std::size_t tailBytes = HeaderBytes + used - tailFrom;
    char* text = buffer_ + entry.At + header;
    // The kept text moves inside the entry's old room when it shrinks, inside its new room when it grows.
    if (bytes <= oldBytes) {
        std::memmove(text, buffer_ + entry.TextAt, kept);
        std::memmove(buffer_ + tailTo, buffer_ + tailFrom, tailBytes);
    } else {
        std::memmove(buffer_ + tailTo, buffer_ + tailFrom, tailBytes);
        if (kept > 0) std::memmove(text, buffer_ + entry.TextAt, kept);
    }
    char* out = buffer_ + entry.At;
    *out++ = static_cast<char>(Field | (flagged ? FlagsFollow : 0));
    if (flagged)
        *out++ = static_cast<char>((IntValue != 0 ? HasInt : 0) | (hasFloat ? HasFloat : 0) | (longLength ? LongLength : 0));
    if (longLength) {
        WriteU32(out, static_cast<std::uint32_t>(TextLength));
        out += 4;
    } else {
        *out++ = static_cast<char>(TextLength);
    }
    if (IntValue != 0) {
        std::memcpy(out, &IntValue, 8);
        out += 8;
    }
    if (hasFloat) std::memcpy(out, &FloatValue, 8);
    WriteU32(buffer_ + UsedAt, static_cast<std::uint32_t>(used - oldBytes + bytes));
    return text;
}

void DataTextT::SetText(std::size_t Field, std::string_view Value) {
    if (Inside(buffer_, Value)) {
        const std::string copy(Value);
        SetText(Field, copy);
        return;
    }
    Entry entry = Find(Field);
    if (!entry.Found && Value.empty()) return;  // reads "" as it is
    const std::size_t used = buffer_ ? ReadU32(buffer_ + UsedAt) : 0;
    if (!entry.Found && entry.At == HeaderBytes + used && Value.size() <= MaxShortLength &&
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
    std::memcpy(text, Value.data(), Value.size());
}

void DataTextT::AppendText(std::size_t Field, std::string_view Value) {
    if (Inside(buffer_, Value)) {
        const std::string copy(Value);
        AppendText(Field, copy);
        return;
    }
    Entry entry = Find(Field);
    const std::size_t length = entry.Length;
    char* text = Put(entry, Field, length + Value.size(), entry.IntValue, entry.FloatValue);
    std::memcpy(text + length, Value.data(), Value.size());
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
    char* buffer = std::exchange(Row.buffer_, nullptr);
    if (!buffer) return;
    std::memcpy(buffer + HeaderBytes, &head_, sizeof head_);
    head_ = buffer;
}

bool SpareRowStorageT::GiveTo(DataTextT& Row) {
    if (!head_ || Row.buffer_) return false;
    const std::size_t count = Row.size();
    Row.buffer_ = head_;
    std::memcpy(&head_, Row.buffer_ + HeaderBytes, sizeof head_);
    Row.Reset(count);
    return true;
}

void SpareRowStorageT::Clear() {
    while (head_) {
        char* next = nullptr;
        std::memcpy(&next, head_ + HeaderBytes, sizeof next);
        std::free(head_);
        head_ = next;
    }
}

}  // namespace superar
