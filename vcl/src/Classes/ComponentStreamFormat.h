#pragma once
// The binary form of component streams: its signature, the ordinals of its value types and the
// 10-byte extended floating-point number, shared by the writer and the reader.
#include <array>
#include <cstdint>

constexpr char kComponentSignature[4] = {'T', 'P', 'F', '0'};

enum TValueType : std::uint8_t {
    vtNull = 0,  // ends a list
    vtList = 1,
    vtInt8 = 2,
    vtInt16 = 3,
    vtInt32 = 4,
    vtExtended = 5,
    vtString = 6,  // length in one byte
    vtIdent = 7,
    vtFalse = 8,
    vtTrue = 9,
    vtBinary = 10,
    vtSet = 11,
    vtLString = 12,  // length in four bytes
    vtNil = 13,
    vtCollection = 14,
    vtSingle = 15,
    vtCurrency = 16,
    vtDate = 17,
    vtWString = 18,
    vtInt64 = 19,
    vtUTF8String = 20,
};

// A leading byte 0xF0 | flags before a class name marks an inherited, positioned or inline child.
constexpr std::uint8_t kFilerFlagsMask = 0xF0;
constexpr std::uint8_t kFilerInherited = 0x01;
constexpr std::uint8_t kFilerChildPos = 0x02;
constexpr std::uint8_t kFilerInline = 0x04;

// Little-endian: eight bytes of mantissa with its integer bit, then sign and 15-bit exponent.
std::array<std::uint8_t, 10> ExtendedFromDouble(double Value);
double DoubleFromExtended(const std::array<std::uint8_t, 10>& Bytes);
