#pragma once
// The status bar: one simple text, or a row of panels, painted by the stand-in itself.

#include <functional>
#include <memory>

#include "Classes.h"
#include "Controls.h"
#include "StdCtrls.h"  // TAlignment

class TStatusBar;

enum TStatusPanelStyle { psText, psOwnerDraw };
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };

class TStatusPanel : public TCollectionItem {
    VCL_CLASS(TStatusPanel, TCollectionItem)
    explicit TStatusPanel(TCollection* Collection);
    void Assign(TPersistent* Source) override;

    const AnsiString& Text() const { return text_; }
    void SetText(const AnsiString& Value);
    Integer Width() const { return width_; }
    void SetWidth(Integer Value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment Value);
    TStatusPanelBevel Bevel() const { return bevel_; }
    void SetBevel(TStatusPanelBevel Value);
    TStatusPanelStyle Style() const { return style_; }
    void SetStyle(TStatusPanelStyle Value);

protected:
    AnsiString GetDisplayName() const override;

private:
    AnsiString text_;
    Integer width_ = 50;
    TAlignment alignment_ = taLeftJustify;
    TStatusPanelBevel bevel_ = pbLowered;
    TStatusPanelStyle style_ = psText;
};

class TStatusPanels : public TCollection {
    VCL_CLASS(TStatusPanels, TCollection)
    explicit TStatusPanels(TStatusBar* StatusBar);
    TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
    TStatusPanel* Items(Integer Index) const { return static_cast<TStatusPanel*>(TCollection::Items(Index)); }
    TPersistent* Owner() const override;

protected:
    void Update(TCollectionItem* Item) override;

private:
    TStatusBar* statusBar_;
};

using TDrawPanelEvent = std::function<void(TStatusBar* StatusBar, TStatusPanel* Panel, const TRect& Rect)>;

class TStatusBar : public TCustomControl {
    VCL_CLASS(TStatusBar, TCustomControl)
    explicit TStatusBar(TComponent* AOwner);
    ~TStatusBar() override;

    TStatusPanels* Panels() const { return panels_.get(); }
    void SetPanels(TStatusPanels* Value) { panels_->Assign(Value); }
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool Value);
    const AnsiString& SimpleText() const { return simpleText_; }
    void SetSimpleText(const AnsiString& Value);
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool Value);

    // Where panel Index is drawn (the last panel reaches the right edge); the simple text's rectangle for -1.
    TRect PanelRect(Integer Index) const;

    TDrawPanelEvent OnDrawPanel;

protected:
    void Paint() override;
    virtual void DrawPanel(TStatusPanel* Panel, const TRect& Rect);

private:
    void PaintPanel(const TRect& Rect, TStatusPanelBevel Bevel, const AnsiString& Text, TAlignment Alignment);
    void PaintSizeGrip();
    Integer GripWidth() const;

    std::unique_ptr<TStatusPanels> panels_;
    bool simplePanel_ = false;
    AnsiString simpleText_;
    bool sizeGrip_ = true;
};

// Registers the classes of this unit for form descriptions.
void RegisterComCtrls();
