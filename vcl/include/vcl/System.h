#pragma once
// The language runtime's basic types and helpers.

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <memory>
#include <string>
#include <type_traits>

using Integer = std::int32_t;
using Cardinal = std::uint32_t;
using LongInt = std::int32_t;
using LongWord = std::uint32_t;
using ShortInt = std::int8_t;
using SmallInt = std::int16_t;
using Byte = std::uint8_t;
using Word = std::uint16_t;
using Int64 = std::int64_t;
using UInt64 = std::uint64_t;
using Boolean = bool;
using WordBool = bool;
using LongBool = bool;
using Double = double;
using Single = float;
using Extended = long double;
using Pointer = void*;
using WideChar = char16_t;
using AnsiChar = char;

// AnsiString holds Windows-1252 bytes; WideString UTF-16 code units.
using AnsiString = std::string;
using String = AnsiString;
using WideString = std::u16string;

// Days since 1899-12-30; the fraction is the time of day.
using TDateTime = double;

// A Pascal set over an enumeration (or a byte-sized ordinal such as char): members 0..255.
template <typename E>
class TSet {
public:
    constexpr TSet() = default;
    TSet(std::initializer_list<E> members) {
        for (E e : members) Include(e);
    }

    bool Contains(E e) const { return bits_.test(Index(e)); }
    TSet& Include(E e) {
        bits_.set(Index(e));
        return *this;
    }
    TSet& Exclude(E e) {
        bits_.reset(Index(e));
        return *this;
    }
    bool Empty() const { return bits_.none(); }
    void Clear() { bits_.reset(); }
    std::size_t Count() const { return bits_.count(); }

    friend TSet operator+(TSet a, const TSet& b) {
        a.bits_ |= b.bits_;
        return a;
    }
    friend TSet operator-(TSet a, const TSet& b) {
        a.bits_ &= ~b.bits_;
        return a;
    }
    friend TSet operator*(TSet a, const TSet& b) {
        a.bits_ &= b.bits_;
        return a;
    }
    TSet& operator+=(const TSet& b) {
        bits_ |= b.bits_;
        return *this;
    }
    TSet& operator-=(const TSet& b) {
        bits_ &= ~b.bits_;
        return *this;
    }
    TSet& operator*=(const TSet& b) {
        bits_ &= b.bits_;
        return *this;
    }
    friend bool operator==(const TSet& a, const TSet& b) { return a.bits_ == b.bits_; }
    // a <= b: every member of a is in b.
    friend bool operator<=(const TSet& a, const TSet& b) { return (a.bits_ & ~b.bits_).none(); }

    static std::size_t Index(E e) {
        if constexpr (std::is_enum_v<E>) {
            return static_cast<std::size_t>(static_cast<std::underlying_type_t<E>>(e)) & 0xFF;
        } else {
            return static_cast<std::size_t>(static_cast<std::make_unsigned_t<E>>(e));
        }
    }

private:
    std::bitset<256> bits_;
};

// Run-time checks: range and overflow checking is on, as in the original build.
[[noreturn]] void RaiseRangeError();
[[noreturn]] void RaiseIntOverflow();

// Index must lie in [Low, High]; otherwise ERangeError.
inline void CheckRange(Int64 value, Int64 low, Int64 high) {
    if (value < low || value > high) RaiseRangeError();
}

// Element Index of a fixed table whose first element is numbered Low; ERangeError outside the table.
template <typename Table>
auto& CheckedElement(Table& T, Int64 Index, Int64 Low = 0) {
    CheckRange(Index, Low, static_cast<Int64>(std::size(T)) - 1);
    return T[static_cast<std::size_t>(Index)];
}

// Narrowing assignment with range checking (Integer := Int64 and the like).
template <typename To, typename From>
To CheckedCast(From value) {
    static_assert(std::is_integral_v<To> && std::is_integral_v<From>);
    if constexpr (std::is_signed_v<From> == std::is_signed_v<To>) {
        if (value < std::numeric_limits<To>::min() || value > std::numeric_limits<To>::max()) RaiseRangeError();
    } else if constexpr (std::is_signed_v<From>) {
        if (value < 0 || static_cast<std::make_unsigned_t<From>>(value) > std::numeric_limits<To>::max())
            RaiseRangeError();
    } else {
        if (value > static_cast<std::make_unsigned_t<To>>(std::numeric_limits<To>::max())) RaiseRangeError();
    }
    return static_cast<To>(value);
}

// Overflow-checked integer arithmetic: EIntOverflow instead of wrapping.
template <typename T>
T CheckedAdd(T a, T b) {
    T r;
    if (__builtin_add_overflow(a, b, &r)) RaiseIntOverflow();
    return r;
}
template <typename T>
T CheckedSub(T a, T b) {
    T r;
    if (__builtin_sub_overflow(a, b, &r)) RaiseIntOverflow();
    return r;
}
template <typename T>
T CheckedMul(T a, T b) {
    T r;
    if (__builtin_mul_overflow(a, b, &r)) RaiseIntOverflow();
    return r;
}

// The runtime's Round: to the nearest integer, a half to the even one; ERangeError for NaN and values
// outside Int64.
Int64 Round(double X);

// ---------------------------------------------------------------------------
// Windows-1252 <-> UTF-16: every byte maps to one code unit and back.

WideString AnsiToWide(const AnsiString& S);
// Characters without a Windows-1252 byte become '?'.
AnsiString WideToAnsi(const WideString& S);
// Exact tells whether every character had its byte, so that the text converts back unchanged.
AnsiString WideToAnsi(const WideString& S, bool& Exact);

// ---------------------------------------------------------------------------
// Variant: the runtime's tagged value for the kinds this system uses.

enum : Word {
    varEmpty = 0x0000,
    varNull = 0x0001,
    varInteger = 0x0003,
    varDouble = 0x0005,
    varDate = 0x0007,
    varDispatch = 0x0009,
    varError = 0x000A,
    varBoolean = 0x000B,
    varVariant = 0x000C,
    varInt64 = 0x0014,
    varString = 0x0100,
    varArray = 0x2000,  // with varVariant: an array of Variants
};
using TVarType = Word;

class IDispatch;  // ComObj.h

class Variant {
public:
    Variant() = default;  // Unassigned
    Variant(Integer Value) : type_(varInteger), int_(Value) {}
    Variant(Int64 Value) : type_(varInt64), int_(Value) {}
    Variant(double Value) : type_(varDouble), double_(Value) {}
    Variant(bool Value) : type_(varBoolean), int_(Value ? 1 : 0) {}
    Variant(AnsiString Value) : type_(varString), string_(std::move(Value)) {}
    Variant(const char* Value) : type_(varString), string_(Value ? Value : "") {}
    // An automation object (ComObj.h); nil is Unassigned.
    Variant(std::shared_ptr<IDispatch> Dispatch);

    static Variant Null();

    TVarType VarType() const { return type_; }
    bool IsEmpty() const { return type_ == varEmpty; }
    bool IsNull() const { return type_ == varNull; }

    // Conversions raise EVariantError "Could not convert variant of type (X) into type (Y)".
    AnsiString AsString() const;
    Integer AsInteger() const;
    Int64 AsInt64() const;
    double AsDouble() const;
    bool AsBoolean() const;
    explicit operator AnsiString() const { return AsString(); }
    explicit operator Integer() const { return AsInteger(); }
    explicit operator Int64() const { return AsInt64(); }
    explicit operator double() const { return AsDouble(); }
    explicit operator bool() const { return AsBoolean(); }

    // Numbers compare by value, strings with AnsiCompareStr, a string against a number as a number;
    // Null equals only Null and orders before everything else.
    friend bool operator==(const Variant& A, const Variant& B) { return Variant::Compare(A, B) == 0; }
    friend bool operator<(const Variant& A, const Variant& B) { return Variant::Compare(A, B) < 0; }
    friend bool operator>(const Variant& A, const Variant& B) { return Variant::Compare(A, B) > 0; }
    friend bool operator<=(const Variant& A, const Variant& B) { return Variant::Compare(A, B) <= 0; }
    friend bool operator>=(const Variant& A, const Variant& B) { return Variant::Compare(A, B) >= 0; }
    static int Compare(const Variant& A, const Variant& B);

    // The object a varDispatch holds; EVariantError for any other kind.
    IDispatch& Dispatch() const;

private:
    friend Variant VarFromDateTime(TDateTime DateTime);
    friend Variant VarAsError(Integer AResult);
    friend Variant VarArrayCreate(std::initializer_list<Integer> Bounds);
    friend Integer VarArrayDimCount(const Variant& A);
    friend Integer VarArrayLowBound(const Variant& A, Integer Dim);
    friend Integer VarArrayHighBound(const Variant& A, Integer Dim);
    friend const Variant& VarArrayGet(const Variant& A, std::initializer_list<Integer> Indices);
    friend void VarArrayPut(Variant& A, const Variant& Value, std::initializer_list<Integer> Indices);
    struct TArray;
    const TArray& Array() const;

    TVarType type_ = varEmpty;
    union {
        Int64 int_ = 0;
        double double_;
    };
    AnsiString string_;
    std::shared_ptr<void> shared_;  // the dispatch object or the array, shared by copies
};

extern const Variant Unassigned;
TVarType VarType(const Variant& V);
bool VarIsEmpty(const Variant& V);
bool VarIsNull(const Variant& V);
// Null gives "" here, unlike the conversion operator.
AnsiString VarToStr(const Variant& V);

// A date (text as DateTimeToStr) and an error code.
Variant VarFromDateTime(TDateTime DateTime);
Variant VarAsError(Integer AResult);
// Arrays of Variants, all Unassigned at first, of one or two dimensions given as low and high bound
// pairs. Copies share the elements until one is written. Bad bounds, dimensions and indices raise
// EVariantError.
Variant VarArrayCreate(std::initializer_list<Integer> Bounds);
bool VarIsArray(const Variant& V);
// 0 for a Variant that is no array.
Integer VarArrayDimCount(const Variant& A);
Integer VarArrayLowBound(const Variant& A, Integer Dim);
Integer VarArrayHighBound(const Variant& A, Integer Dim);
// The element itself: it holds until the array is written or goes.
const Variant& VarArrayGet(const Variant& A, std::initializer_list<Integer> Indices);
void VarArrayPut(Variant& A, const Variant& Value, std::initializer_list<Integer> Indices);

// ---------------------------------------------------------------------------
// Floating-point control word. Bits 0..5 mask the exceptions, 8..9 set the precision,
// 10..11 the rounding; the masks and the rounding also apply to SSE arithmetic.

void Set8087CW(Word NewCW);
Word Get8087CW();

// ---------------------------------------------------------------------------
// Command line, captured once by main.

void InitCommandLine(int argc, char** argv);
// The arguments joined by one blank, written by the platform's quoting rules so that SplitCommandLine
// gives each back whole (the program name cannot hold a double quote; one there is left out).
AnsiString CmdLine();
Integer ParamCount();
// 0 is the program's path; outside 0..ParamCount gives "".
AnsiString ParamStr(Integer Index);
