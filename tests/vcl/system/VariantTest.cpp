#include <gtest/gtest.h>

#include "vcl/SysUtils.h"

TEST(Variant, KindsAndTextConversion) {
    struct Case {
        Variant value;
        TVarType type;
        const char* text;
    };
    const Case cases[] = {
        {Variant(), varEmpty, ""},
        {Variant(Integer(-5)), varInteger, "-5"},
        {Variant(Int64(1) << 40), varInt64, "1099511627776"},
        {Variant(0.1), varDouble, "0.1"},
        {Variant(1e20), varDouble, "1E20"},
        {Variant(true), varBoolean, "True"},
        {Variant(false), varBoolean, "False"},
        {Variant("abc"), varString, "abc"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VarType(c.value), c.type) << c.text;
        EXPECT_EQ(c.value.AsString(), c.text);
        EXPECT_EQ(VarToStr(c.value), c.text);
    }
    EXPECT_TRUE(VarIsEmpty(Unassigned));
    EXPECT_TRUE(Variant::Null().IsNull());
    EXPECT_EQ(VarToStr(Variant::Null()), "");
}

TEST(Variant, NullDoesNotConvert) {
    const Variant null = Variant::Null();
    try {
        (void)null.AsString();
        ADD_FAILURE();
    } catch (const EVariantError& e) {
        EXPECT_EQ(e.Message(), "Could not convert variant of type (Null) into type (String)");
    }
    EXPECT_THROW((void)null.AsInteger(), EVariantError);
    EXPECT_THROW((void)null.AsDouble(), EVariantError);
    EXPECT_THROW((void)null.AsBoolean(), EVariantError);
}

TEST(Variant, NumbersFromText) {
    EXPECT_EQ(Variant("42").AsInteger(), 42);
    EXPECT_EQ(Variant("2.5").AsInteger(), 2);  // banker's rounding
    EXPECT_EQ(Variant("3.5").AsInteger(), 4);
    EXPECT_EQ(Variant("1.5e3").AsDouble(), 1500.0);
    EXPECT_EQ(Variant("true").AsInteger(), -1);
    EXPECT_EQ(Variant(true).AsInteger(), -1);
    EXPECT_TRUE(Variant("1").AsBoolean());
    EXPECT_FALSE(Variant("False").AsBoolean());
    EXPECT_EQ(Variant().AsInteger(), 0);
    try {
        (void)Variant("x1").AsInteger();
        ADD_FAILURE();
    } catch (const EVariantError& e) {
        EXPECT_EQ(e.Message(), "Could not convert variant of type (String) into type (Int64)");
    }
    EXPECT_THROW((void)Variant("abc").AsDouble(), EVariantError);
    EXPECT_THROW((void)Variant(3e10).AsInteger(), EVariantError);
    EXPECT_THROW((void)Variant(Int64(1) << 40).AsInteger(), EVariantError);
}

TEST(Variant, ComparesWithinAndAcrossKinds) {
    EXPECT_TRUE(Variant(Integer(2)) == Variant(2.0));
    EXPECT_TRUE(Variant(Integer(2)) < Variant(Int64(3)));
    EXPECT_TRUE(Variant("10") > Variant(Integer(9)));  // text against a number compares as a number
    EXPECT_TRUE(Variant("a") < Variant("B"));
    EXPECT_TRUE(Variant::Null() == Variant::Null());
    EXPECT_FALSE(Variant::Null() == Variant());
    EXPECT_TRUE(Variant::Null() < Variant(Integer(-100)));
    EXPECT_TRUE(Variant() == Variant(Integer(0)));
}
