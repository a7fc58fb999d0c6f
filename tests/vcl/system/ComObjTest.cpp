// Automation values and objects: dates, error codes, arrays, calls by member name, servers by ProgID and
// the A1 addresses of the spreadsheet server.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "vcl/ComObj.h"
#include "vcl/SheetRange.h"

namespace {

// Records each call and answers with the arguments joined.
class TEcho : public IDispatch {
public:
    Variant Invoke(const AnsiString& Name, std::span<const Variant> Args,
                   std::span<const TNamedParam> NamedArgs) override {
        if (SameText(Name, "Missing")) OleUnknownMember(Name);
        AnsiString text = Name;
        for (const Variant& arg : Args) text += " " + arg.AsString();
        for (const TNamedParam& arg : NamedArgs) text += " " + arg.Name + "=" + arg.Value.AsString();
        return Variant(text);
    }
};

}  // namespace

TEST(Automation, DatesErrorsAndObjectsAsVariants) {
    const Variant date = VarFromDateTime(EncodeDate(2024, 3, 4) + EncodeTime(13, 5, 0, 0));
    EXPECT_EQ(VarType(date), varDate);
    EXPECT_EQ(VarToStr(date), "3/4/2024 1:05:00 PM");
    EXPECT_DOUBLE_EQ(date.AsDouble(), EncodeDate(2024, 3, 4) + EncodeTime(13, 5, 0, 0));
    EXPECT_TRUE(VarFromDateTime(1.5) > Variant(1.25)) << "dates compare as numbers";
    const Variant error = VarAsError(2042);
    EXPECT_EQ(VarType(error), varError);
    EXPECT_THROW((void)VarToStr(error), EVariantError);
    const Variant object(std::make_shared<TEcho>());
    EXPECT_EQ(VarType(object), varDispatch);
    EXPECT_THROW((void)VarToStr(object), EVariantError);
    EXPECT_TRUE(VarIsEmpty(Variant(std::shared_ptr<IDispatch>())));
}

TEST(Automation, ArraysKeepTheirBoundsAndCopiesTheirValues) {
    Variant a = VarArrayCreate({1, 2, 0, 2});
    EXPECT_TRUE(VarIsArray(a));
    EXPECT_EQ(VarArrayDimCount(a), 2);
    EXPECT_EQ(VarArrayLowBound(a, 1), 1);
    EXPECT_EQ(VarArrayHighBound(a, 1), 2);
    EXPECT_EQ(VarArrayLowBound(a, 2), 0);
    EXPECT_EQ(VarArrayHighBound(a, 2), 2);
    EXPECT_TRUE(VarIsEmpty(VarArrayGet(a, {2, 2})));
    VarArrayPut(a, Variant("x"), {2, 0});
    const Variant copy = a;
    VarArrayPut(a, Variant("y"), {2, 0});
    EXPECT_EQ(VarArrayGet(copy, {2, 0}).AsString(), "x") << "a copy keeps its own values";
    EXPECT_EQ(VarArrayGet(a, {2, 0}).AsString(), "y");
    const Variant row = VarArrayCreate({5, 4});
    EXPECT_EQ(VarArrayDimCount(row), 1);
    EXPECT_EQ(VarArrayHighBound(row, 1), 4) << "an empty dimension";
    for (auto bad : {std::vector<Integer>{3, 1}, {1, 3}, {0, 2}}) {
        EXPECT_THROW((void)VarArrayGet(a, {bad[0], bad[1]}), EVariantError);
    }
    EXPECT_THROW((void)VarArrayGet(a, {1}), EVariantError);
    EXPECT_THROW((void)VarArrayGet(a, {1, 2, 0}), EVariantError);
    EXPECT_THROW((void)VarArrayLowBound(a, 3), EVariantError);
    EXPECT_THROW((void)VarArrayCreate({1, 2, 3}), EVariantError);
    EXPECT_THROW((void)VarArrayCreate({3, 1}), EVariantError);
    EXPECT_THROW((void)VarArrayGet(Variant(1), {1}), EVariantError);
    EXPECT_EQ(VarArrayDimCount(Variant(1)), 0);
    EXPECT_THROW((void)a.AsString(), EVariantError);
}

TEST(Automation, ObjectsAreCalledByNameWithTheirArguments) {
    const Variant object(std::make_shared<TEcho>());
    EXPECT_EQ(OleInvoke(object, "Open", {Variant("f.xls"), Variant(3)}).AsString(), "Open f.xls 3");
    EXPECT_EQ(OleInvoke(object, "Close", {}, {{"SaveChanges", false}}).AsString(), "Close SaveChanges=False");
    try {
        OleInvoke(object, "Missing");
        ADD_FAILURE();
    } catch (const EOleError& e) {
        EXPECT_EQ(e.Message(), "Method 'Missing' not supported by automation object");
    }
    EXPECT_THROW(OleInvoke(Variant("text"), "Open"), EVariantError);
}

TEST(Automation, ServersAreFoundByProgIDWhateverItsCase) {
    try {
        CreateOleObject("no.such.server");
        ADD_FAILURE();
    } catch (const EOleSysError& e) {
        EXPECT_EQ(e.Message(), "Invalid class string");
        EXPECT_EQ(e.ErrorCode(), CO_E_CLASSSTRING);
    }
    EXPECT_FALSE(RegisterOleServer("Test.Echo", [] { return std::make_shared<TEcho>(); }));
    EXPECT_EQ(OleInvoke(CreateOleObject("test.echo"), "Name").AsString(), "Name");
    EXPECT_TRUE(RegisterOleServer("TEST.ECHO", {})) << "removed, giving back the one it had";
    EXPECT_THROW(CreateOleObject("Test.Echo"), EOleSysError);
    EXPECT_EQ(VarType(CreateOleObject("Excel.Application")), varDispatch) << "the platform's own";
}

TEST(Automation, SheetAddressesReadAndWrite) {
    struct Case {
        const char* address;
        bool valid;
        TSheetRange range = {};
        const char* plain = "";
        const char* absolute = "";
    };
    const Case cases[] = {
        {"$A$1:$D$20", true, {1, 1, 4, 20}, "A1:D20", "$A$1:$D$20"},
        {"A1:Z2", true, {1, 1, 26, 2}, "A1:Z2", "$A$1:$Z$2"},
        {"$AA$3:$IV$65536", true, {27, 3, 256, 65536}, "AA3:IV65536", "$AA$3:$IV$65536"},
        {"$C$5", true, {3, 5, 3, 5}, "C5", "$C$5"},
        {"C5:C5", true, {3, 5, 3, 5}, "C5", "$C$5"},
        {"$A$1:$B$x", false},
        {"$A$1:$ZZ$1048576", true, {1, 1, 702, 1048576}, "A1:ZZ1048576", "$A$1:$ZZ$1048576"},
        {"$A$1:$A$1048577", false},
        {"$A$0", false},
        {"$B$2:$A$1", false},
        {"a1", false},
        {"ABC1", false},
        {"A", false},
        {"12", false},
        {"A1:B2:C3", false},
        {"", false},
        {"A-1", false},
        {"A99999999999", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        TSheetRange range{7, 7, 7, 7};
        EXPECT_EQ(ParseSheetRange(c.address, range), c.valid);
        if (!c.valid) {
            EXPECT_EQ(range, (TSheetRange{7, 7, 7, 7})) << "kept";
            continue;
        }
        EXPECT_EQ(range, c.range);
        EXPECT_EQ(SheetRangeAddress(range, false), c.plain);
        EXPECT_EQ(SheetRangeAddress(range, true), c.absolute);
    }
    EXPECT_EQ(SheetColumnName(52), "AZ");
    EXPECT_EQ(SheetColumnName(53), "BA");
}
