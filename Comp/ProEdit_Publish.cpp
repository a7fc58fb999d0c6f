// The typed edit's published properties, as form descriptions name them.
#include "ProEdit.h"

namespace ProEdit {

namespace {

const TEnumNames<TProEditType>& EditTypeNames() {
    static const TEnumNames<TProEditType> names{{"etString", etString},
                                                {"etNumeric", etNumeric},
                                                {"etFloat", etFloat},
                                                {"etUppercase", etUppercase},
                                                {"etMixedCase", etMixedCase},
                                                {"etLowerCase", etLowerCase},
                                                {"etPassword", etPassword},
                                                {"etMoney", etMoney},
                                                {"etRange", etRange},
                                                {"etHex", etHex},
                                                {"etAlphaNumeric", etAlphaNumeric}};
    return names;
}

const TEnumNames<TEditAlign>& EditAlignNames() {
    static const TEnumNames<TEditAlign> names{
        {"eaLeft", eaLeft}, {"eaRight", eaRight}, {"eaDefault", eaDefault}, {"eaCenter", eaCenter}};
    return names;
}

// What the edit re-publishes of its ancestor, with the ancestor's meaning.
void PublishEditBasics(TPublisher& p, TPublishOf<TProEdit>& P) {
    P.Bool("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect);
    P.Bool("AutoSize", &TCustomEdit::AutoSize, &TCustomEdit::SetAutoSize);
    P.Enum<TBorderStyle>("BorderStyle", &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle,
                         {{"bsNone", bsNone}, {"bsSingle", bsSingle}});
    P.Bool("HideSelection", &TCustomEdit::HideSelection, &TCustomEdit::SetHideSelection);
    P.Int("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength);
    P.Bool("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly);
    P.Event<TNotifyEvent>("OnChange", &TCustomEdit::OnChange);
    // A character written as '*' (or #42).
    p.Property({"PasswordChar",
                [](TObject& o, const TFormValue& v, TReadContext&) {
                    const std::string& s = v.AsString();
                    if (s.size() > 1) RaiseInvalidPropertyValue(v);
                    static_cast<TProEdit&>(o).SetPasswordChar(s.empty() ? '\0' : s[0]);
                },
                [](TObject& o) {
                    const char c = static_cast<TProEdit&>(o).PasswordChar();
                    return FormString(c ? std::string(1, c) : std::string());
                },
                {}});
}

void PublishTProEdit(TPublisher& p) {
    TPublishOf<TProEdit> P(p);
    PublishEditBasics(p, P);
    // The type first: a description's Precision and Text are then read by it.
    P.Enum<TProEditType>("EditType", &TProEdit::EditType, &TProEdit::SetEditType, EditTypeNames());
    P.Bool("Signed", &TProEdit::Signed, &TProEdit::SetSigned);
    P.Int("Precision", &TProEdit::Precision, &TProEdit::SetPrecision);
    P.Int("LengthLimit", &TProEdit::LengthLimit, &TProEdit::SetLengthLimit);
    P.Bool("TabOnFullLength", &TProEdit::TabOnFullLength, &TProEdit::SetTabOnFullLength);
    P.Bool("ExcelStyleDecimalSeparator", &TProEdit::ExcelStyleDecimalSeparator,
           &TProEdit::SetExcelStyleDecimalSeparator);
    P.Bool("AutoThousandSeparator", &TProEdit::AutoThousandSeparator, &TProEdit::SetAutoThousandSeparator);
    P.Str("Prefix", &TProEdit::Prefix, &TProEdit::SetPrefix);
    P.Str("Suffix", &TProEdit::Suffix, &TProEdit::SetSuffix);
    P.Enum<TEditAlign>("EditAlign", &TProEdit::EditAlign, &TProEdit::SetEditAlign, EditAlignNames());
    P.Enum<TEditAlign>("FocusAlign", &TProEdit::FocusAlign, &TProEdit::SetFocusAlign, EditAlignNames());
    P.Int("FocusWidthInc", &TProEdit::FocusWidthInc, &TProEdit::SetFocusWidthInc);
    P.IntIdent("FocusColor", &TProEdit::FocusColor, &TProEdit::SetFocusColor, &IdentToColor);
    P.IntIdent("FocusFontColor", &TProEdit::FocusFontColor, &TProEdit::SetFocusFontColor, &IdentToColor);
    P.Bool("FocusLabel", &TProEdit::FocusLabel, &TProEdit::SetFocusLabel);
    P.Bool("FocusBorder", &TProEdit::FocusBorder, &TProEdit::SetFocusBorder);
    P.IntIdent("ModifiedColor", &TProEdit::ModifiedColor, &TProEdit::SetModifiedColor, &IdentToColor);
    P.Bool("ShowModified", &TProEdit::ShowModified, &TProEdit::SetShowModified);
    P.IntIdent("ErrorColor", &TProEdit::ErrorColor, &TProEdit::SetErrorColor, &IdentToColor);
    P.IntIdent("ErrorFontColor", &TProEdit::ErrorFontColor, &TProEdit::SetErrorFontColor, &IdentToColor);
    P.Bool("ShowError", &TProEdit::ShowError, &TProEdit::SetShowError);
    P.IntIdent("DisabledColor", &TProEdit::DisabledColor, &TProEdit::SetDisabledColor, &IdentToColor);
    P.IntIdent("Color", &TProEdit::Color, &TProEdit::SetColor, &IdentToColor);
    P.Bool("Enabled", &TProEdit::Enabled, &TProEdit::SetEnabled);
    P.Bool("CanUndo", &TProEdit::CanUndo, &TProEdit::SetCanUndo);
    P.Bool("ReturnIsTab", &TProEdit::ReturnIsTab, &TProEdit::SetReturnIsTab);
    P.Bool("AutoFocus", &TProEdit::AutoFocus, &TProEdit::SetAutoFocus);
    P.Bool("ShowURL", &TProEdit::ShowURL, &TProEdit::SetShowURL);
    P.IntIdent("URLColor", &TProEdit::URLColor, &TProEdit::SetURLColor, &IdentToColor);
    P.Str("EmptyText", &TProEdit::EmptyText, &TProEdit::SetEmptyText);
    P.Int("ErrorMarkerPos", &TProEdit::ErrorMarkerPos, &TProEdit::SetErrorMarkerPos);
    P.Int("ErrorMarkerLen", &TProEdit::ErrorMarkerLen, &TProEdit::SetErrorMarkerLen);
    P.Bool("Flat", &TProEdit::Flat, &TProEdit::SetFlat);
    P.IntIdent("FlatLineColor", &TProEdit::FlatLineColor, &TProEdit::SetFlatLineColor, &IdentToColor);
    P.Bool("FlatParentColor", &TProEdit::FlatParentColor, &TProEdit::SetFlatParentColor);
    P.Bool("SoftBorder", &TProEdit::SoftBorder, &TProEdit::SetSoftBorder);
    P.Bool("Transparent", &TProEdit::Transparent, &TProEdit::SetTransparent);
    P.Bool("HintShowLargeText", &TProEdit::HintShowLargeText, &TProEdit::SetHintShowLargeText);
    P.Bool("OleDropSource", &TProEdit::OleDropSource, &TProEdit::SetOleDropSource);
    P.Bool("OleDropTarget", &TProEdit::OleDropTarget, &TProEdit::SetOleDropTarget);
    P.Object("LabelFont", &TProEdit::LabelFont);
    P.Enum<TLabelPosition>("LabelPosition", &TProEdit::LabelPosition, &TProEdit::SetLabelPosition,
                           {{"lpLeftTop", lpLeftTop},
                            {"lpLeftCenter", lpLeftCenter},
                            {"lpLeftBottom", lpLeftBottom},
                            {"lpTopLeft", lpTopLeft},
                            {"lpBottomLeft", lpBottomLeft},
                            {"lpLeftTopLeft", lpLeftTopLeft},
                            {"lpLeftCenterLeft", lpLeftCenterLeft},
                            {"lpLeftBottomLeft", lpLeftBottomLeft},
                            {"lpTopCenter", lpTopCenter},
                            {"lpBottomCenter", lpBottomCenter}});
    P.Int("LabelMargin", &TProEdit::LabelMargin, &TProEdit::SetLabelMargin);
    P.Bool("LabelTransparent", &TProEdit::LabelTransparent, &TProEdit::SetLabelTransparent);
    P.Bool("LabelAlwaysEnabled", &TProEdit::LabelAlwaysEnabled, &TProEdit::SetLabelAlwaysEnabled);
    P.Str("LabelCaption", &TProEdit::LabelCaption, &TProEdit::SetLabelCaption);
    P.Object("Persistence", &TProEdit::Persistence);
    P.Str("Text", &TProEdit::Text, &TProEdit::SetText);
    P.Bool("Visible", &TProEdit::Visible, &TProEdit::SetVisible);
    P.Event("OnValueValidate", &TProEdit::OnValueValidate);
    P.Event("OnClipboardCopy", &TProEdit::OnClipboardCopy);
    P.Event("OnClipboardCut", &TProEdit::OnClipboardCut);
    P.Event("OnClipboardPaste", &TProEdit::OnClipboardPaste);
}

}  // namespace

VCL_IMPLEMENT_CLASS(TProEdit, VCL_CREATOR(TProEdit), PublishTProEdit)

}  // namespace ProEdit
