// Variant conversions and comparison, dates, error codes, automation objects and arrays.
#include <cmath>
#include <vector>

#include "vcl/SysUtils.h"

const Variant Unassigned;

namespace {

const char* TypeName(TVarType type) {
    switch (type) {
        case varEmpty: return "Empty";
        case varNull: return "Null";
        case varInteger: return "Integer";
        case varDouble: return "Double";
        case varBoolean: return "Boolean";
        case varInt64: return "Int64";
        case varString: return "String";
        case varDate: return "Date";
        case varError: return "Error";
        case varDispatch: return "Dispatch";
        case varArray | varVariant: return "Array Variant";
        default: return "Unknown";
    }
}

[[noreturn]] void CannotConvert(TVarType from, TVarType to) {
    throw EVariantError(AnsiString("Could not convert variant of type (") + TypeName(from) + ") into type (" +
                        TypeName(to) + ")");
}

// "True"/"False" in any letter case.
bool TextToBoolean(const AnsiString& s, bool& value) {
    if (SameText(s, "True")) value = true;
    else if (SameText(s, "False")) value = false;
    else return false;
    return true;
}

Int64 RoundChecked(double value) {
    if (!(value > -9.2233720368547758e18 && value < 9.2233720368547758e18)) throw EVariantError("Variant overflow");
    return static_cast<Int64>(std::nearbyint(value));  // banker's rounding under the default control word
}

[[noreturn]] void BoundsError() { throw EVariantError("Variant or safe array index out of bounds"); }

}  // namespace

struct Variant::TArray {
    std::vector<Integer> low, count;  // per dimension
    std::vector<Variant> items;       // the last dimension's index runs fastest

    std::size_t Offset(std::initializer_list<Integer> Indices) const {
        if (Indices.size() != low.size()) BoundsError();
        std::size_t offset = 0;
        std::size_t dim = 0;
        for (Integer index : Indices) {
            const Int64 at = static_cast<Int64>(index) - low[dim];
            if (at < 0 || at >= count[dim]) BoundsError();
            offset = offset * static_cast<std::size_t>(count[dim]) + static_cast<std::size_t>(at);
            ++dim;
        }
        return offset;
    }
};

Variant::Variant(std::shared_ptr<IDispatch> Dispatch) {
    if (!Dispatch) return;
    type_ = varDispatch;
    shared_ = std::move(Dispatch);
}

IDispatch& Variant::Dispatch() const {
    if (type_ != varDispatch) throw EVariantError("Variant does not reference an automation object");
    return *static_cast<IDispatch*>(shared_.get());
}

const Variant::TArray& Variant::Array() const {
    if (type_ != (varArray | varVariant)) throw EVariantError("Variant is not an array");
    return *static_cast<const TArray*>(shared_.get());
}

Variant VarFromDateTime(TDateTime DateTime) {
    Variant v;
    v.type_ = varDate;
    v.double_ = DateTime;
    return v;
}

Variant VarAsError(Integer AResult) {
    Variant v;
    v.type_ = varError;
    v.int_ = AResult;
    return v;
}

Variant VarArrayCreate(std::initializer_list<Integer> Bounds) {
    if (Bounds.size() != 2 && Bounds.size() != 4) throw EVariantError("Variant array bounds error");
    auto array = std::make_shared<Variant::TArray>();
    std::size_t size = 1;
    for (auto bound = Bounds.begin(); bound != Bounds.end(); bound += 2) {
        const Int64 count = static_cast<Int64>(bound[1]) - bound[0] + 1;
        if (count < 0 || count > std::numeric_limits<Integer>::max()) throw EVariantError("Variant array bounds error");
        array->low.push_back(bound[0]);
        array->count.push_back(static_cast<Integer>(count));
        size *= static_cast<std::size_t>(count);
    }
    array->items.resize(size);
    Variant v;
    v.type_ = varArray | varVariant;
    v.shared_ = std::move(array);
    return v;
}

bool VarIsArray(const Variant& V) { return V.VarType() == (varArray | varVariant); }

Integer VarArrayDimCount(const Variant& A) { return VarIsArray(A) ? static_cast<Integer>(A.Array().low.size()) : 0; }

Integer VarArrayLowBound(const Variant& A, Integer Dim) {
    const Variant::TArray& array = A.Array();
    if (Dim < 1 || Dim > static_cast<Integer>(array.low.size())) BoundsError();
    return array.low[static_cast<std::size_t>(Dim - 1)];
}

Integer VarArrayHighBound(const Variant& A, Integer Dim) {
    const Variant::TArray& array = A.Array();
    if (Dim < 1 || Dim > static_cast<Integer>(array.low.size())) BoundsError();
    const auto dim = static_cast<std::size_t>(Dim - 1);
    return static_cast<Integer>(static_cast<Int64>(array.low[dim]) + array.count[dim] - 1);
}

const Variant& VarArrayGet(const Variant& A, std::initializer_list<Integer> Indices) {
    const Variant::TArray& array = A.Array();
    return array.items[array.Offset(Indices)];
}

void VarArrayPut(Variant& A, const Variant& Value, std::initializer_list<Integer> Indices) {
    const std::size_t offset = A.Array().Offset(Indices);
    // Copies share the elements until one of them writes.
    if (A.shared_.use_count() > 1) A.shared_ = std::make_shared<Variant::TArray>(A.Array());
    static_cast<Variant::TArray*>(A.shared_.get())->items[offset] = Value;
}

Variant Variant::Null() {
    Variant v;
    v.type_ = varNull;
    return v;
}

AnsiString Variant::AsString() const {
    switch (type_) {
        case varEmpty: return {};
        case varInteger:
        case varInt64: return IntToStr(int_);
        case varDouble: return FloatToStr(double_);
        case varBoolean: return int_ ? "True" : "False";
        case varString: return string_;
        case varDate: return DateTimeToStr(double_);
        default: CannotConvert(type_, varString);
    }
}

Int64 Variant::AsInt64() const {
    switch (type_) {
        case varEmpty: return 0;
        case varInteger:
        case varInt64: return int_;
        case varDouble:
        case varDate: return RoundChecked(double_);
        case varBoolean: return int_ ? -1 : 0;
        case varString: {
            Int64 value = 0;
            double real = 0;
            bool flag = false;
            if (TryStrToInt64(string_, value)) return value;
            if (TryStrToFloat(string_, real)) return RoundChecked(real);
            if (TextToBoolean(string_, flag)) return flag ? -1 : 0;
            CannotConvert(type_, varInt64);
        }
        default: CannotConvert(type_, varInt64);
    }
}

Integer Variant::AsInteger() const {
    if (type_ == varNull) CannotConvert(type_, varInteger);
    const Int64 value = AsInt64();
    if (value < std::numeric_limits<Integer>::min() || value > std::numeric_limits<Integer>::max())
        throw EVariantError("Variant overflow");
    return static_cast<Integer>(value);
}

double Variant::AsDouble() const {
    switch (type_) {
        case varEmpty: return 0.0;
        case varInteger:
        case varInt64: return static_cast<double>(int_);
        case varDouble:
        case varDate: return double_;
        case varBoolean: return int_ ? -1.0 : 0.0;
        case varString: {
            double value = 0;
            bool flag = false;
            if (TryStrToFloat(string_, value)) return value;
            if (TextToBoolean(string_, flag)) return flag ? -1.0 : 0.0;
            CannotConvert(type_, varDouble);
        }
        default: CannotConvert(type_, varDouble);
    }
}

bool Variant::AsBoolean() const {
    switch (type_) {
        case varEmpty: return false;
        case varString: {
            bool flag = false;
            double value = 0;
            if (TextToBoolean(string_, flag)) return flag;
            if (TryStrToFloat(string_, value)) return value != 0.0;
            CannotConvert(type_, varBoolean);
        }
        case varNull:
        case varError:
        case varDispatch:
        case varArray | varVariant: CannotConvert(type_, varBoolean);
        default: return AsDouble() != 0.0;
    }
}

int Variant::Compare(const Variant& A, const Variant& B) {
    if (A.IsNull() || B.IsNull()) return A.IsNull() == B.IsNull() ? 0 : (A.IsNull() ? -1 : 1);
    if (A.type_ == varString && B.type_ == varString) return AnsiCompareStr(A.string_, B.string_);
    const auto inexact = [](TVarType type) { return type == varDouble || type == varDate || type == varString; };
    const bool exact = !inexact(A.type_) && !inexact(B.type_);
    if (exact) {
        const Int64 a = A.AsInt64();
        const Int64 b = B.AsInt64();
        return a < b ? -1 : a > b ? 1 : 0;
    }
    const double a = A.AsDouble();
    const double b = B.AsDouble();
    return a < b ? -1 : a > b ? 1 : 0;
}

TVarType VarType(const Variant& V) { return V.VarType(); }
bool VarIsEmpty(const Variant& V) { return V.IsEmpty(); }
bool VarIsNull(const Variant& V) { return V.IsNull(); }
AnsiString VarToStr(const Variant& V) { return V.IsNull() ? AnsiString() : V.AsString(); }
