// Variant conversions and comparison.
#include <cmath>

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

}  // namespace

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
        default: CannotConvert(type_, varString);
    }
}

Int64 Variant::AsInt64() const {
    switch (type_) {
        case varEmpty: return 0;
        case varInteger:
        case varInt64: return int_;
        case varDouble: return RoundChecked(double_);
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
        case varDouble: return double_;
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
        case varNull: CannotConvert(type_, varBoolean);
        default: return AsDouble() != 0.0;
    }
}

int Variant::Compare(const Variant& A, const Variant& B) {
    if (A.IsNull() || B.IsNull()) return A.IsNull() == B.IsNull() ? 0 : (A.IsNull() ? -1 : 1);
    if (A.type_ == varString && B.type_ == varString) return AnsiCompareStr(A.string_, B.string_);
    const bool exact = A.type_ != varDouble && B.type_ != varDouble && A.type_ != varString && B.type_ != varString;
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
