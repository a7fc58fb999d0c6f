// Components in the binary stream form: round trips over the published tables, the value forms
// written, and streams that are cut short or malformed.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "vcl/Classes.h"
#include "vcl/Forms.h"
#include "vcl/Graphics.h"

namespace {

int gLiveNodes = 0;

class TNodeFont : public TPersistent {
    VCL_CLASS(TNodeFont, TPersistent)
    Integer Height() const { return height_; }
    void SetHeight(Integer v) { height_ = v; }
    AnsiString Name() const { return name_; }
    void SetName(const AnsiString& v) { name_ = v; }

private:
    Integer height_ = 0;
    AnsiString name_;
};
static void PublishTNodeFont(TPublisher& p) {
    TPublishOf<TNodeFont> P(p);
    P.Int("Height", &TNodeFont::Height, &TNodeFont::SetHeight);
    P.Str("Name", &TNodeFont::Name, &TNodeFont::SetName);
}
VCL_IMPLEMENT_CLASS(TNodeFont, nullptr, PublishTNodeFont)

class TNodeItem : public TCollectionItem {
    VCL_CLASS(TNodeItem, TCollectionItem)
    using TCollectionItem::TCollectionItem;
    Integer Width() const { return width_; }
    void SetWidth(Integer v) { width_ = v; }

private:
    Integer width_ = 0;
};
static void PublishTNodeItem(TPublisher& p) {
    TPublishOf<TNodeItem>(p).Int("Width", &TNodeItem::Width, &TNodeItem::SetWidth);
}
VCL_IMPLEMENT_CLASS(TNodeItem, nullptr, PublishTNodeItem)

enum TShade { shLight, shDark, shDeep };

// A component publishing every kind of value; its parent component decides where it is written.
class TNode : public TComponent {
    VCL_CLASS(TNode, TComponent)
    explicit TNode(TComponent* AOwner) : TComponent(AOwner), Items(this, CollectionItemClassOf<TNodeItem>()) {
        ++gLiveNodes;
    }
    ~TNode() override { --gLiveNodes; }

    Int64 Count() const { return count_; }
    void SetCount(Int64 v) { count_ = v; }
    AnsiString Caption() const { return caption_; }
    void SetCaption(const AnsiString& v) { caption_ = v; }
    double Ratio() const { return ratio_; }
    void SetRatio(double v) { ratio_ = v; }
    bool Active() const { return active_; }
    void SetActive(bool v) { active_ = v; }
    TShade Shade() const { return shade_; }
    void SetShade(TShade v) { shade_ = v; }
    TSet<TShade> Shades() const { return shades_; }
    void SetShades(TSet<TShade> v) { shades_ = v; }
    TColor Color() const { return color_; }
    void SetColor(TColor v) { color_ = v; }
    TNodeFont* Font() { return &font_; }
    TStrings* Lines() { return &lines_; }
    TOwnedCollection* GetItems() { return &Items; }
    TNode* Buddy() const { return buddy_; }
    void SetBuddy(TNode* v) { buddy_ = v; }
    std::string Data;

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override { return parent_; }
    void SetParentComponent(TComponent* Value) override { parent_ = Value; }

    TOwnedCollection Items;

private:
    Int64 count_ = 0;
    AnsiString caption_;
    double ratio_ = 0;
    bool active_ = false;
    TShade shade_ = shLight;
    TSet<TShade> shades_;
    TColor color_ = clBlack;
    TNodeFont font_;
    TStringList lines_;
    TNode* buddy_ = nullptr;
    TComponent* parent_ = nullptr;
};
static void PublishTNode(TPublisher& p) {
    TPublishOf<TNode> P(p);
    const TEnumNames<TShade> shades{{"shLight", shLight}, {"shDark", shDark}, {"shDeep", shDeep}};
    P.Int("Count", &TNode::Count, &TNode::SetCount);
    P.Str("Caption", &TNode::Caption, &TNode::SetCaption);
    P.Float("Ratio", &TNode::Ratio, &TNode::SetRatio);
    P.Bool("Active", &TNode::Active, &TNode::SetActive);
    P.Enum("Shade", &TNode::Shade, &TNode::SetShade, shades);
    P.Set("Shades", &TNode::Shades, &TNode::SetShades, shades);
    P.IntIdent("Color", &TNode::Color, &TNode::SetColor, static_cast<TIdentToInt>(&IdentToColor));
    P.Object("Font", &TNode::Font);
    P.Object("Lines", &TNode::Lines);
    P.Collection("Items", &TNode::GetItems);
    P.Component<TNode>("Buddy", &TNode::SetBuddy);
    p.Property({"Data",
                [](TObject& o, const TFormValue& v, TReadContext&) { static_cast<TNode&>(o).Data = v.Str; },
                [](TObject& o) {
                    TFormValue v;
                    v.Kind = TFormValue::vaBinary;
                    v.Str = static_cast<TNode&>(o).Data;
                    return v;
                },
                {}});
}
VCL_IMPLEMENT_CLASS(TNode, VCL_CREATOR(TNode), PublishTNode)

class ComponentStreamTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        RegisterVclClasses();
        RegisterClass(TNode::ClassInfo());
    }
};

std::string Written(TComponent* Component) {
    TMemoryStream stream;
    stream.WriteComponent(Component);
    return stream.Bytes();
}

TOwned<TNode> ReadBack(const std::string& Bytes) {
    TMemoryStream stream;
    stream.WriteBuffer(Bytes.data(), static_cast<Integer>(Bytes.size()));
    stream.SetPosition(0);
    TComponent* read = stream.ReadComponent(nullptr);
    TOwned<TNode> node(dynamic_cast<TNode*>(read));
    if (!node && read) read->Free();
    return node;
}

// The bytes written after the property's name: its value.
std::string ValueBytes(const std::string& Stream, const std::string& Name) {
    const std::string key = std::string(1, static_cast<char>(Name.size())) + Name;
    const std::size_t at = Stream.find(key);
    return at == std::string::npos ? std::string() : Stream.substr(at + key.size());
}

}  // namespace

TEST_F(ComponentStreamTest, AFormWithNestedComponentsAndEveryValueKindRoundTrips) {
    TOwned<TNode> form(new TNode(nullptr));
    form->SetName("Form1");
    form->SetCount(-5);
    form->SetCaption(std::string(300, 'x') + "\xE9");  // past a one-byte length
    form->SetRatio(-2.75);
    form->SetActive(true);
    form->SetShade(shDeep);
    form->SetShades(TSet<TShade>{shLight, shDeep});
    form->SetColor(clRed);
    form->Font()->SetHeight(-11);
    form->Font()->SetName("Arial");
    form->Lines()->Add("first");
    form->Lines()->Add("");
    form->Lines()->Add("third");
    static_cast<TNodeItem*>(form->Items.Add())->SetWidth(50);
    static_cast<TNodeItem*>(form->Items.Add())->SetWidth(70000);
    form->Data = std::string("\0\1\xFF", 3);
    auto* panel = new TNode(form.get());
    panel->SetName("Panel1");
    panel->SetParentComponent(form.get());
    panel->SetColor(0x123456);
    auto* button = new TNode(form.get());
    button->SetName("Button1");
    button->SetParentComponent(panel);
    button->SetCount(std::int64_t{1} << 40);
    button->SetBuddy(panel);  // references are written nil

    const std::string bytes = Written(form.get());
    ASSERT_EQ(bytes.substr(0, 4), "TPF0");
    TOwned<TNode> read = ReadBack(bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Name(), "Form1");
    EXPECT_EQ(read->Count(), -5);
    EXPECT_EQ(read->Caption(), form->Caption());
    EXPECT_EQ(read->Ratio(), -2.75);
    EXPECT_TRUE(read->Active());
    EXPECT_EQ(read->Shade(), shDeep);
    EXPECT_TRUE(read->Shades() == (TSet<TShade>{shLight, shDeep}));
    EXPECT_EQ(read->Color(), clRed);
    EXPECT_EQ(read->Font()->Height(), -11);
    EXPECT_EQ(read->Font()->Name(), "Arial");
    EXPECT_EQ(read->Lines()->Text(), "first\r\n\r\nthird\r\n");
    ASSERT_EQ(read->Items.Count(), 2);
    EXPECT_EQ(static_cast<TNodeItem*>(read->Items.Items(1))->Width(), 70000);
    EXPECT_EQ(read->Data, form->Data);

    ASSERT_EQ(read->ComponentCount(), 2);
    auto* readPanel = dynamic_cast<TNode*>(read->FindComponent("Panel1"));
    auto* readButton = dynamic_cast<TNode*>(read->FindComponent("Button1"));
    ASSERT_TRUE(readPanel && readButton);
    EXPECT_EQ(readPanel->GetParentComponent(), read.get());
    EXPECT_EQ(readButton->GetParentComponent(), readPanel);
    EXPECT_EQ(readPanel->Color(), 0x123456);
    EXPECT_EQ(readButton->Count(), std::int64_t{1} << 40);
    EXPECT_EQ(readButton->Buddy(), nullptr);
    EXPECT_EQ(Written(read.get()), bytes);
}

TEST_F(ComponentStreamTest, ValuesTakeTheirDocumentedFormsAndOnlyEmptyStringsAreLeftOut) {
    struct Case {
        const char* Name;
        std::function<void(TNode&)> Set;
        std::string Bytes;  // the value, then what follows it
    };
    const Case cases[] = {
        {"Count", [](TNode& n) { n.SetCount(-128); }, std::string("\x02\x80", 2)},
        {"Count", [](TNode& n) { n.SetCount(128); }, std::string("\x03\x80\x00", 3)},
        {"Count", [](TNode& n) { n.SetCount(-70000); }, std::string("\x04\x90\xEE\xFE\xFF", 5)},
        {"Count", [](TNode& n) { n.SetCount(std::int64_t{1} << 32); }, std::string("\x13\0\0\0\0\1\0\0\0", 9)},
        {"Ratio", [](TNode& n) { n.SetRatio(1.5); }, std::string("\x05\0\0\0\0\0\0\0\xC0\xFF\x3F", 11)},
        {"Ratio", [](TNode& n) { n.SetRatio(-0.0); }, std::string("\x05\0\0\0\0\0\0\0\0\0\x80", 11)},
        {"Active", [](TNode& n) { n.SetActive(true); }, "\x09"},
        {"Active", [](TNode&) {}, "\x08"},
        {"Shade", [](TNode& n) { n.SetShade(shDark); }, "\x07\x06shDark"},
        {"Shades", [](TNode& n) { n.SetShades(TSet<TShade>{shDark}); }, std::string("\x0B\x06shDark\x00", 9)},
        {"Color", [](TNode& n) { n.SetColor(clWindow); },
         "\x07\x08"
         "clWindow"},
        {"Color", [](TNode& n) { n.SetColor(0x10); }, "\x02\x10"},
        {"Caption", [](TNode& n) { n.SetCaption("ab"); },
         "\x06\x02"
         "ab"},
        {"Lines.Strings", [](TNode& n) { n.Lines()->Add("a"); },
         std::string("\x01\x06\x01"
                     "a\x00",
                     5)},
        {"Items", [](TNode& n) { n.Items.Add(); }, std::string("\x0E\x01\x05Width\x02\x00\x00\x00", 11)},
    };
    for (const Case& c : cases) {
        TOwned<TNode> node(new TNode(nullptr));
        c.Set(*node);
        const std::string value = ValueBytes(Written(node.get()), c.Name);
        EXPECT_EQ(value.substr(0, c.Bytes.size()), c.Bytes) << c.Name;
    }
    TOwned<TNode> plain(new TNode(nullptr));
    const std::string bytes = Written(plain.get());
    EXPECT_EQ(bytes.find("Caption"), std::string::npos);
    EXPECT_EQ(bytes.find("Buddy"), std::string::npos);
    EXPECT_NE(bytes.find("Font.Height"), std::string::npos);
    EXPECT_EQ(bytes.substr(0, 11), std::string("TPF0\x05TNode\x00", 11));
    EXPECT_EQ(bytes.substr(bytes.size() - 2), std::string("\x00\x00", 2));  // ends of the properties and children
}

TEST_F(ComponentStreamTest, FloatsKeepTheirValueThroughTheExtendedForm) {
    const double values[] = {0.0,
                             1.0,
                             -3.25,
                             3.141592653589793,
                             1e300,
                             -1e-300,
                             std::numeric_limits<double>::denorm_min(),
                             std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::infinity()};
    for (double value : values) {
        TOwned<TNode> node(new TNode(nullptr));
        node->SetRatio(value);
        TOwned<TNode> read = ReadBack(Written(node.get()));
        ASSERT_TRUE(read);
        EXPECT_EQ(read->Ratio(), value);
    }
}

TEST_F(ComponentStreamTest, CutOrMalformedStreamsRaiseReadErrorAndLeaveNothingBehind) {
    TOwned<TNode> form(new TNode(nullptr));
    form->SetName("Form1");
    form->SetCaption("caption");
    form->Lines()->Add("line");
    form->Items.Add();
    (new TNode(form.get()))->SetParentComponent(form.get());
    const std::string bytes = Written(form.get());
    const int live = gLiveNodes;
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        EXPECT_THROW(ReadBack(bytes.substr(0, length)), EReadError) << length;
        EXPECT_EQ(gLiveNodes, live) << length;
    }

    const std::string header(
        "TPF0\x05TNode\x00\x07"
        "Caption",
        19);
    const std::string malformed[] = {
        "TPF1" + bytes.substr(4),
        header + std::string("\x0C\xFF\xFF\xFF\x7F", 5),  // a length far past the end
        header + std::string("\x0C\x00\x00\x00\x80", 5),  // a negative length
        header + std::string("\x12\xFF\xFF\xFF\x7F", 5),  // a wide length far past the end
        header + "\x63",                                  // no such value type
        header + std::string(200, '\x01'),                // lists nested too deeply
        std::string("TPF0\x07TNobody\x00\x00\x00", 12),   // a class nobody registered
        std::string("TPF0\x05TNode\x00\x05Nosuch\x02\x01\x00\x00", 18),
    };
    for (const std::string& stream : malformed) {
        EXPECT_THROW(ReadBack(stream), EReadError);
        EXPECT_EQ(gLiveNodes, live);
    }
}

TEST_F(ComponentStreamTest, AStreamReadsIntoAGivenComponentAndStopsAtItsEnd) {
    TOwned<TNode> first(new TNode(nullptr));
    first->SetCaption("one");
    TOwned<TNode> second(new TNode(nullptr));
    second->SetCaption("two");
    TMemoryStream stream;
    stream.WriteComponent(first.get());
    stream.WriteComponent(second.get());
    stream.SetPosition(0);

    TOwned<TNode> target(new TNode(nullptr));
    EXPECT_EQ(stream.ReadComponent(target.get()), target.get());
    EXPECT_EQ(target->Caption(), "one");
    EXPECT_EQ(stream.Position(), static_cast<Int64>(Written(first.get()).size()));
    EXPECT_EQ(stream.ReadComponent(target.get()), target.get());
    EXPECT_EQ(target->Caption(), "two");

    TOwned<TComponent> other(new TComponent(nullptr));
    stream.SetPosition(0);
    EXPECT_THROW(stream.ReadComponent(other.get()), EReadError);
}
