// Reading form descriptions: classes by name, fields, handlers, sub-objects, collections, and failures.
#include <gtest/gtest.h>

#include "vcl/Classes.h"
#include "vcl/Resources.h"

namespace {

std::vector<std::string>* gLoadedLog = nullptr;

class TFontish : public TPersistent {
    VCL_CLASS(TFontish, TPersistent)
    Integer Height() const { return height_; }
    void SetHeight(Integer v) { height_ = v; }

private:
    Integer height_ = 0;
};
static void PublishTFontish(TPublisher& p) {
    TPublishOf<TFontish>(p).Int("Height", &TFontish::Height, &TFontish::SetHeight);
}
VCL_IMPLEMENT_CLASS(TFontish, nullptr, PublishTFontish)

class TPanelItem : public TCollectionItem {
    VCL_CLASS(TPanelItem, TCollectionItem)
    using TCollectionItem::TCollectionItem;
    Integer Width() const { return width_; }
    void SetWidth(Integer v) { width_ = v; }
    AnsiString Text() const { return text_; }
    void SetText(const AnsiString& v) { text_ = v; }

private:
    Integer width_ = 0;
    AnsiString text_;
};
static void PublishTPanelItem(TPublisher& p) {
    TPublishOf<TPanelItem> P(p);
    P.Int("Width", &TPanelItem::Width, &TPanelItem::SetWidth);
    P.Str("Text", &TPanelItem::Text, &TPanelItem::SetText);
}
VCL_IMPLEMENT_CLASS(TPanelItem, nullptr, PublishTPanelItem)

enum TStyle { stPlain, stBold, stItalic };

class TWidget : public TComponent {
    VCL_CLASS(TWidget, TComponent)
    explicit TWidget(TComponent* AOwner) : TComponent(AOwner), Panels(this, CollectionItemClassOf<TPanelItem>()) {}
    ~TWidget() override {
        delete font_;
        delete lines_;
    }

    AnsiString Caption() const { return caption_; }
    void SetCaption(const AnsiString& v) { caption_ = v; }
    double Ratio() const { return ratio_; }
    void SetRatio(double v) { ratio_ = v; }
    bool Visible() const { return visible_; }
    void SetVisible(bool v) { visible_ = v; }
    TSet<TStyle> Style() const { return style_; }
    void SetStyle(TSet<TStyle> v) { style_ = v; }
    TFontish* Font() const { return font_; }
    TStrings* Lines() const { return lines_; }
    TOwnedCollection* GetPanels() { return &Panels; }
    TWidget* Buddy() const { return buddy_; }
    void SetBuddy(TWidget* v) { buddy_ = v; }
    void SetParentComponent(TComponent* Value) override { ParentSeen = Value; }
    void Loaded() override {
        inherited::Loaded();
        WasReadingAtLoaded = ComponentState().Contains(csReading);
        if (gLoadedLog) gLoadedLog->push_back(Name());
    }

    TNotifyEvent OnClick;
    TComponent* ParentSeen = nullptr;
    bool WasReadingAtLoaded = true;
    TOwnedCollection Panels;

private:
    AnsiString caption_;
    double ratio_ = 0;
    bool visible_ = true;
    TSet<TStyle> style_;
    TFontish* font_ = new TFontish;
    TStringList* lines_ = new TStringList;
    TWidget* buddy_ = nullptr;
};
static void PublishTWidget(TPublisher& p) {
    TPublishOf<TWidget> P(p);
    P.Str("Caption", &TWidget::Caption, &TWidget::SetCaption);
    P.Float("Ratio", &TWidget::Ratio, &TWidget::SetRatio);
    P.Bool("Visible", &TWidget::Visible, &TWidget::SetVisible);
    P.Set("Style", &TWidget::Style, &TWidget::SetStyle, TEnumNames<TStyle>{{"stBold", stBold}, {"stItalic", stItalic}});
    P.Object("Font", &TWidget::Font);
    P.Object("Lines", &TWidget::Lines);
    P.Collection("Panels", &TWidget::GetPanels);
    P.Component<TWidget>("Buddy", &TWidget::SetBuddy);
    P.Event("OnClick", &TWidget::OnClick);
}
VCL_IMPLEMENT_CLASS(TWidget, VCL_CREATOR(TWidget), PublishTWidget)

class TOther : public TComponent {
    VCL_CLASS(TOther, TComponent)
    using TComponent::TComponent;
};
VCL_IMPLEMENT_CLASS(TOther, VCL_CREATOR(TOther), nullptr)

class TBaseForm : public TWidget {
    VCL_CLASS(TBaseForm, TWidget)
    using TWidget::TWidget;
};
VCL_IMPLEMENT_CLASS(TBaseForm, VCL_CREATOR(TBaseForm), nullptr)

class TTestForm : public TBaseForm {
    VCL_CLASS(TTestForm, TBaseForm)
    using TBaseForm::TBaseForm;
    TWidget* Edit1 = nullptr;
    TWidget* Edit2 = nullptr;
    TWidget* Inner = nullptr;
    int Clicks = 0;
    void ButtonClick(TObject*) { ++Clicks; }
    void WrongShape(int) {}
};
static void PublishTTestForm(TPublisher& p) {
    TPublishOf<TTestForm> P(p);
    P.Field("Edit1", &TTestForm::Edit1);
    P.Field("Edit2", &TTestForm::Edit2);
    P.Field("Inner", &TTestForm::Inner);
    P.Method("ButtonClick", &TTestForm::ButtonClick);
    P.Method("WrongShape", &TTestForm::WrongShape);
}
VCL_IMPLEMENT_CLASS(TTestForm, VCL_CREATOR(TTestForm), PublishTTestForm)

struct Registered {
    Registered() { RegisterClasses({TWidget::ClassInfo(), TOther::ClassInfo()}); }
} registered;

const char* const kGoodForm = R"(object Form1: TTestForm
  Caption = 'It''s a '#$41'BC'#233 +
    ' continued'
  Font.Height = -11
  Style = [stBold, stItalic]
  object Edit1: TWidget
    Caption = 'first'
    Ratio = 1.5E2
    Visible = False
    Buddy = Edit2
    OnClick = ButtonClick
    Lines.Strings = (
      'one'
      'two')
    Panels = <
      item
        Width = 50
      end
      item
        Text = 'x'
        Width = $10
      end>
    object Inner: TWidget
      Caption = ''
    end
  end
  object Edit2: TWidget
    Style = []
  end
end
)";

TEST(FormReader, ReadsComponentsFieldsHandlersSubObjectsAndCollections) {
    std::vector<std::string> loaded;
    gLoadedLog = &loaded;
    const auto owned = MakeOwned<TTestForm>(nullptr);
    TTestForm& form = *owned;
    ReadComponentFromText(kGoodForm, &form);
    gLoadedLog = nullptr;

    EXPECT_EQ(form.Name(), "Form1");
    EXPECT_EQ(form.Caption(), "It's a ABC\xE9 continued");
    EXPECT_EQ(form.Font()->Height(), -11);
    EXPECT_TRUE(form.Style() == (TSet<TStyle>{stBold, stItalic}));
    ASSERT_EQ(form.ComponentCount(), 3);
    ASSERT_NE(form.Edit1, nullptr);
    ASSERT_NE(form.Edit2, nullptr);
    ASSERT_NE(form.Inner, nullptr);
    EXPECT_EQ(form.Edit1->Owner(), &form);
    EXPECT_EQ(form.Inner->Owner(), &form);
    EXPECT_EQ(form.Edit1->ParentSeen, &form);
    EXPECT_EQ(form.Inner->ParentSeen, form.Edit1);
    EXPECT_EQ(form.Edit1->Caption(), "first");
    EXPECT_DOUBLE_EQ(form.Edit1->Ratio(), 150.0);
    EXPECT_FALSE(form.Edit1->Visible());
    EXPECT_EQ(form.Edit1->Buddy(), form.Edit2);  // a reference to a component read later
    EXPECT_EQ(form.Edit1->Lines()->Text(), "one\r\ntwo\r\n");
    ASSERT_EQ(form.Edit1->Panels.Count(), 2);
    EXPECT_EQ(static_cast<TPanelItem*>(form.Edit1->Panels.Items(0))->Width(), 50);
    EXPECT_EQ(static_cast<TPanelItem*>(form.Edit1->Panels.Items(1))->Width(), 16);
    EXPECT_EQ(static_cast<TPanelItem*>(form.Edit1->Panels.Items(1))->Text(), "x");
    ASSERT_TRUE(form.Edit1->OnClick);
    form.Edit1->OnClick(form.Edit1);
    EXPECT_EQ(form.Clicks, 1);
    EXPECT_EQ(loaded, (std::vector<std::string>{"Edit1", "Inner", "Edit2", "Form1"}));
    EXPECT_FALSE(form.Edit1->WasReadingAtLoaded);
    EXPECT_FALSE(form.ComponentState().Contains(csLoading));
    EXPECT_FALSE(form.Edit2->ComponentState().Contains(csLoading));
}

TEST(FormReader, ValuesOfEveryKindReachTheirProperties) {
    struct Case {
        std::string property;
        std::function<bool(TTestForm&)> check;
    };
    const Case cases[] = {
        {"Ratio = -2.5", [](TTestForm& f) { return f.Ratio() == -2.5; }},
        {"Ratio = 7", [](TTestForm& f) { return f.Ratio() == 7.0; }},
        {"Ratio = 1E3", [](TTestForm& f) { return f.Ratio() == 1000.0; }},
        {"Tag = -2147483648", [](TTestForm& f) { return f.Tag() == INT32_MIN; }},
        {"Tag = $7FFFFFFF", [](TTestForm& f) { return f.Tag() == INT32_MAX; }},
        {"Caption = #13#10'x'", [](TTestForm& f) { return f.Caption() == "\r\nx"; }},
        {"Caption = #8364", [](TTestForm& f) { return f.Caption() == "\x80"; }},
        {"visible = false", [](TTestForm& f) { return !f.Visible(); }},
        {"Lines.Strings = ('a' + 'b' #9)", [](TTestForm& f) { return f.Lines()->Text() == "ab\r\n\t\r\n"; }},
        {"Panels = <>", [](TTestForm& f) { return f.Panels.Count() == 0; }},
        {"OnClick = nil", [](TTestForm& f) { return !f.OnClick; }},
    };
    for (const Case& c : cases) {
        const auto owned = MakeOwned<TTestForm>(nullptr);
        TTestForm& form = *owned;
        ReadComponentFromText("object Form1: TTestForm\n  " + c.property + "\nend\n", &form);
        EXPECT_TRUE(c.check(form)) << c.property;
    }
}

TEST(FormReader, HeaderMayNameTheRootsClassOrAnAncestorAndObjectSynonyms) {
    const char* const texts[] = {
        "inherited Form1: TBaseForm\n  object Edit1: TWidget\n  end\nend",
        "object Form1: TWidget\n  inline Edit1: TWidget\n  end\nend",
        "inherited Form1: TTestForm\n  inherited Edit1: TWidget\n  end\nend",
    };
    for (const char* text : texts) {
        const auto owned = MakeOwned<TTestForm>(nullptr);
        TTestForm& form = *owned;
        ReadComponentFromText(text, &form);
        EXPECT_EQ(form.ComponentCount(), 1) << text;
        EXPECT_NE(form.Edit1, nullptr) << text;
    }
}

TEST(FormReader, InheritedChildrenAreReadIntoTheExistingComponent) {
    const auto owned = MakeOwned<TTestForm>(nullptr);
    TTestForm& form = *owned;
    ReadComponentFromText("object Form1: TTestForm\n object Edit1: TWidget\n Caption = 'a'\n end\nend", &form);
    TWidget* first = form.Edit1;
    ReadComponentFromText("inherited Form1: TTestForm\n inherited Edit1: TWidget\n Ratio = 2\n end\nend", &form);
    EXPECT_EQ(form.Edit1, first);
    EXPECT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(first->Caption(), "a");
    EXPECT_EQ(first->Ratio(), 2.0);
}

TEST(FormReader, ErrorsNameTheLineAndLeaveNoComponentBehind) {
    struct Case {
        const char* what;
        std::string text;
        std::string message;  // the whole message, or for parser errors its end
        bool parserError;
    };
    const std::string head = "object Form1: TTestForm\n  Caption = 'kept'\n  object Edit1: TWidget\n";
    const Case cases[] = {
        {"unknown class", head + "  end\n  object Edit2: TNoSuchClass\n  end\nend\n",
         "Error reading Form1.Edit2: Class TNoSuchClass not found (line 5)", false},
        {"unknown property", head + "    Foo = 1\n  end\nend\n",
         "Error reading Form1.Edit1.Foo: Property Foo does not exist (line 4)", false},
        {"unknown sub-property", head + "    Font.Size = 1\n  end\nend\n",
         "Error reading Form1.Edit1.Font.Size: Property Size does not exist (line 4)", false},
        {"unknown handler", head + "    OnClick = NoSuchHandler\n  end\nend\n",
         "Error reading Form1.Edit1.OnClick: Invalid property value (line 4)", false},
        {"handler of the wrong shape", head + "    OnClick = WrongShape\n  end\nend\n",
         "Error reading Form1.Edit1.OnClick: Invalid property value (line 4)", false},
        {"bad value", head + "    Visible = 'yes'\n  end\nend\n",
         "Error reading Form1.Edit1.Visible: Invalid property value (line 4)", false},
        {"out of range", head + "    Tag = 2147483648\n  end\nend\n",
         "Error reading Form1.Edit1.Tag: Range check error (line 4)", false},
        {"unknown set member", head + "    Style = [stBold, stHuge]\n  end\nend\n",
         "Error reading Form1.Edit1.Style: Invalid property value (line 4)", false},
        {"bad collection item",
         head + "    Panels = <\n      item\n        Width = 1\n      end\n      item\n        Depth = 2\n      end>\n "
                " end\nend\n",
         "Error reading Form1.Edit1.Panels[1].Depth: Property Depth does not exist (line 9)", false},
        {"unresolved reference", head + "    Buddy = Nobody\n  end\nend\n",
         "Error reading Form1.Edit1.Buddy: Invalid property value (line 4)", false},
        {"field of the wrong class", head + "  end\n  object Edit2: TOther\n  end\nend\n",
         "Error reading Form1.Edit2: Field Edit2 of TTestForm is not a TOther (line 5)", false},
        {"duplicate name", head + "  end\n  object Edit1: TWidget\n  end\nend\n",
         "Error reading Form1.Edit1: A component named Edit1 already exists (line 5)", false},
        {"bad name", head + "  end\n  object Edit2: TWidget\n  end\n  object 9: TWidget\n  end\nend\n",
         "Identifier expected on line 7", true},
        {"wrong root class", "object Form1: TOther\nend\n",
         "Error reading Form1: Class TOther does not match the root's class TTestForm (line 1)", false},
        {"unterminated object", head + "  end\n", "'end' expected on line 5", true},
        {"unterminated string", head + "    Caption = 'abc\n  end\nend\n", "Unterminated string on line 4", true},
        {"missing equals", head + "    Caption 'abc'\n  end\nend\n", "'=' expected on line 4", true},
        {"text after the end", head + "  end\nend\nobject\n", "End of text expected on line 6", true},
        {"bad binary", head + "    Data = { 0A1 }\n  end\nend\n", "Invalid binary value on line 4", true},
        {"too deep", head + "    Lines.Strings = " + std::string(100, '(') + "\n  end\nend\n",
         "Nesting too deep on line 4", true},
    };
    for (const Case& c : cases) {
        const auto owned = MakeOwned<TTestForm>(nullptr);
        TTestForm& form = *owned;
        form.SetCaption("before");
        try {
            ReadComponentFromText(c.text, &form);
            ADD_FAILURE() << "no error: " << c.what;
        } catch (const EParserError& e) {
            EXPECT_TRUE(c.parserError) << c.what << ": " << e.Message();
            EXPECT_EQ(e.Message(), c.message) << c.what;
        } catch (const EReadError& e) {
            EXPECT_FALSE(c.parserError) << c.what << ": " << e.Message();
            EXPECT_EQ(e.Message(), c.message) << c.what;
        }
        EXPECT_EQ(form.ComponentCount(), 0) << c.what;
        EXPECT_EQ(form.Edit1, nullptr) << c.what;
        EXPECT_EQ(form.Edit2, nullptr) << c.what;
        EXPECT_EQ(form.Inner, nullptr) << c.what;
        EXPECT_FALSE(form.ComponentState().Contains(csLoading)) << c.what;
        EXPECT_FALSE(form.ComponentState().Contains(csReading)) << c.what;
    }
}

TEST(FormReader, ResourcesAreFoundByNameAndMissingOnesRaise) {
    static const char text[] = "object Form1: TTestForm\n  Caption = 'from resource'\nend\n";
    static const TResourceEntry table[] = {
        {"TTESTFORM", "DFM", reinterpret_cast<const unsigned char*>(text), sizeof text - 1},
        {nullptr, nullptr, nullptr, 0},
    };
    RegisterResources(table);
    const auto owned = MakeOwned<TTestForm>(nullptr);
    TTestForm& form = *owned;
    ReadComponentRes("TTestForm", &form);
    EXPECT_EQ(form.Caption(), "from resource");
    try {
        ReadComponentRes("TMissingForm", &form);
        ADD_FAILURE();
    } catch (const EResNotFound& e) {
        EXPECT_EQ(e.Message(), "Resource TMissingForm not found");
    }
}

}  // namespace
