// The grid's published properties and events, as form descriptions name them.
#include "ProGrid.h"

namespace ProGrid {

namespace {

void PublishTFloatingFooter(TPublisher& p) {
    TPublishOf<TFloatingFooter> P(p);
    using C = TFloatingFooter;
    P.IntIdent("Color", &C::Color, &C::SetColor, &IdentToColor);
    P.Int("Column", &C::Column, &C::SetColumn);
    P.Str("CustomTemplate", &C::CustomTemplate, &C::SetCustomTemplate);
    P.Enum<TFooterStyle>("FooterStyle", &C::FooterStyle, &C::SetFooterStyle,
                         {{"fsFixedLastRow", fsFixedLastRow},
                          {"fsColumnPreview", fsColumnPreview},
                          {"fsCustomPreview", fsCustomPreview}});
    P.Bool("Visible", &C::Visible, &C::SetVisible);
}

void PublishSettings(TPublishOf<RAdeRedeviDidi>& P) {
    using C = RAdeRedeviDidi;
    P.Object("Bands", &C::Bands);
    P.Object("BackGround", &C::BackGround);
    P.Object("CellNode", &C::CellNode);
    P.Object("ColumnSize", &C::ColumnSize);
    P.Object("ControlLook", &C::ControlLook);
    P.Object("DragDropSettings", &C::DragDropSettings);
    P.Object("FloatingFooter", &C::FloatingFooter);
    P.Object("Grouping", &C::Grouping);
    P.Object("HTMLSettings", &C::HTMLSettings);
    P.Object("MouseActions", &C::MouseActions);
    P.Object("Navigation", &C::Navigation);
    P.Object("PrintSettings", &C::PrintSettings);
    P.Object("SizeWhileTyping", &C::SizeWhileTyping);
    P.Object("SortSettings", &C::SortSettings);
    P.Collection("Filter", &C::Filter);
    P.Object("FixedFont", &C::FixedFont);
    P.Object("ActiveCellFont", &C::ActiveCellFont);
    P.Object("ColumnHeaders", &C::ColumnHeaders);
    P.Object("RowHeaders", &C::RowHeaders);
    P.Object("LookupItems", &C::LookupItems);
    P.Object("RowIndicator", &C::RowIndicator);
    P.Component<grdcheck::RAdeRedeviDidiCheck>("CellChecker", &C::SetCellChecker);
}

void PublishValues(TPublishOf<RAdeRedeviDidi>& P) {
    using C = RAdeRedeviDidi;
    P.IntIdent("ActiveCellColor", &C::ActiveCellColor, &C::SetActiveCellColor, &IdentToColor);
    P.Bool("ActiveCellShow", &C::ActiveCellShow, &C::SetActiveCellShow);
    P.Bool("AutoSize", &C::AutoSize, &C::SetAutoSize);
    P.IntIdent("Cursor", &C::Cursor, &C::SetCursor, &IdentToCursor);
    P.Bool("EnableHTML", &C::EnableHTML, &C::SetEnableHTML);
    P.Bool("EnableWheel", &C::EnableWheel, &C::SetEnableWheel);
    P.Bool("EnhRowColMove", &C::EnhRowColMove, &C::SetEnhRowColMove);
    P.Bool("FixedAsButtons", &C::FixedAsButtons, &C::SetFixedAsButtons);
    P.Bool("Hovering", &C::Hovering, &C::SetHovering);
    P.Bool("EnableBlink", &C::EnableBlink, &C::SetEnableBlink);
    P.Bool("HintShowCells", &C::HintShowCells, &C::SetHintShowCells);
    P.Bool("HintShowLargeText", &C::HintShowLargeText, &C::SetHintShowLargeText);
    P.Bool("HintShowSizing", &C::HintShowSizing, &C::SetHintShowSizing);
    P.Bool("HTMLHint", &C::HTMLHint, &C::SetHTMLHint);
    P.Bool("AnchorHint", &C::AnchorHint, &C::SetAnchorHint);
    P.Bool("URLEdit", &C::URLEdit, &C::SetURLEdit);
    P.Bool("FixedColAlways", &C::FixedColAlways, &C::SetFixedColAlways);
    P.Int("FixedFooters", &C::FixedFooters, &C::SetFixedFooters);
    P.Bool("FixedRowAlways", &C::FixedRowAlways, &C::SetFixedRowAlways);
    P.Bool("ExcelStyleDecimalSeparator", &C::ExcelStyleDecimalSeparator, &C::SetExcelStyleDecimalSeparator);
    P.Int("FixedRowHeight", &C::FixedRowHeight, &C::SetFixedRowHeight);
    P.Str("FloatFormat", &C::FloatFormat, &C::SetFloatFormat);
    P.Bool("HideFocusRect", &C::HideFocusRect, &C::SetHideFocusRect);
    P.IntIdent("HintColor", &C::HintColor, &C::SetHintColor, &IdentToColor);
    P.Bool("IntegralHeight", &C::IntegralHeight, &C::SetIntegralHeight);
    P.Bool("IntelliZoom", &C::IntelliZoom, &C::SetIntelliZoom);
    P.Enum<TGridLook>("Look", &C::Look, &C::SetLook,
                      {{"glStandard", glStandard},
                       {"glSoft", glSoft},
                       {"glClassic", glClassic},
                       {"glZub", glZub},
                       {"glXP", glXP},
                       {"glListView", glListView}});
    P.IntIdent("ScrollColor", &C::ScrollColor, &C::SetScrollColor, &IdentToColor);
    P.Enum<TScrollType>("ScrollType", &C::ScrollType, &C::SetScrollType,
                        {{"ssNormal", ssNormal}, {"ssFlat", ssFlat}, {"ssEncarta", ssEncarta}});
    P.Int("ScrollWidth", &C::ScrollWidth, &C::SetScrollWidth);
    P.Bool("ScrollSynch", &C::ScrollSynch, &C::SetScrollSynch);
    P.Enum<TIntelliPan>(
        "IntelliPan", &C::IntelliPan, &C::SetIntelliPan,
        {{"ipVertical", ipVertical}, {"ipHorizontal", ipHorizontal}, {"ipBoth", ipBoth}, {"ipNone", ipNone}});
    P.Bool("ScrollProportional", &C::ScrollProportional, &C::SetScrollProportional);
    P.Enum<TScrollHintType>(
        "ScrollHints", &C::ScrollHints, &C::SetScrollHints,
        {{"shNone", shNone}, {"shVertical", shVertical}, {"shHorizontal", shHorizontal}, {"shBoth", shBoth}});
    P.IntIdent("SelectionColor", &C::SelectionColor, &C::SetSelectionColor, &IdentToColor);
    P.IntIdent("SelectionTextColor", &C::SelectionTextColor, &C::SetSelectionTextColor, &IdentToColor);
    P.Bool("ShowSelection", &C::ShowSelection, &C::SetShowSelection);
    P.IntIdent("URLColor", &C::URLColor, &C::SetURLColor, &IdentToColor);
    P.Enum<BaseGrid::TVAlignment>("VAlignment", &C::VAlignment, &C::SetVAlignment, BaseGrid::VAlignmentNames());
    P.Bool("WordWrap", &C::WordWrap, &C::SetWordWrap);
    P.Bool("URLShow", &C::URLShow, &C::SetURLShow);
    P.Bool("URLFull", &C::URLFull, &C::SetURLFull);
    P.Int("FixedRightCols", &C::FixedRightCols, &C::SetFixedRightCols);
    P.Int("FixedColWidth", &C::FixedColWidth, &C::SetFixedColWidth);
    P.Int("MaxEditLength", &C::MaxEditLength, &C::SetMaxEditLength);
    P.Bool("SelectionRectangle", &C::SelectionRectangle, &C::SetSelectionRectangle);
    P.Bool("SelectionResizer", &C::SelectionResizer, &C::SetSelectionResizer);
    P.Bool("Flat", &C::Flat, &C::SetFlat);
    P.Bool("OemConvert", &C::OemConvert, &C::SetOemConvert);
    P.Bool("Lookup", &C::Lookup, &C::SetLookup);
    P.Bool("LookupCaseSensitive", &C::LookupCaseSensitive, &C::SetLookupCaseSensitive);
    P.Bool("LookupHistory", &C::LookupHistory, &C::SetLookupHistory);
    P.Int("MinColWidth", &C::MinColWidth, &C::SetMinColWidth);
    P.Int("MaxColWidth", &C::MaxColWidth, &C::SetMaxColWidth);
    P.Int("MinRowHeight", &C::MinRowHeight, &C::SetMinRowHeight);
    P.Int("MaxRowHeight", &C::MaxRowHeight, &C::SetMaxRowHeight);
    P.Bool("FilterActive", &C::FilterActive, &C::SetFilterActive);
    P.Component<TImageList>("GridImages", &C::SetGridImages);
    // The grid's own setters in place of the base grid's.
    P.Int("ColCount", &C::ColCount, &C::SetColCount);
    P.Int("RowCount", &C::RowCount, &C::SetRowCount);
    P.Int("FixedCols", &C::FixedCols, &C::SetFixedCols);
    P.Int("FixedRows", &C::FixedRows, &C::SetFixedRows);
    P.Int("DefaultRowHeight", &C::DefaultRowHeight, &C::SetDefaultRowHeight);
}

void PublishEvents(TPublishOf<RAdeRedeviDidi>& P) {
    using C = RAdeRedeviDidi;
    P.Event("OnRichEditSelectionChange", &C::OnRichEditSelectionChange);
    P.Event("OnGridHint", &C::OnGridHint);
    P.Event("OnScrollHint", &C::OnScrollHint);
    P.Event("OnGetCellColor", &C::OnGetCellColor);
    P.Event("OnGetCellPrintColor", &C::OnGetCellPrintColor);
    P.Event("OnGetCellBorder", &C::OnGetCellBorder);
    P.Event("OnGetCellPrintBorder", &C::OnGetCellPrintBorder);
    P.Event("OnGetAlignment", &C::OnGetAlignment);
    P.Event("OnGetFormat", &C::OnGetFormat);
    P.Event("OnGetCheckTrue", &C::OnGetCheckTrue);
    P.Event("OnGetCheckFalse", &C::OnGetCheckFalse);
    P.Event("OnIsFixedCell", &C::OnIsFixedCell);
    P.Event("OnCanEditCell", &C::OnCanEditCell);
    P.Event("OnIsPasswordCell", &C::OnIsPasswordCell);
    P.Event("OnHasComboBox", &C::OnHasComboBox);
    P.Event("OnGetEditorType", &C::OnGetEditorType);
    P.Event("OnEllipsClick", &C::OnEllipsClick);
    P.Event("OnSelectionChanged", &C::OnSelectionChanged);
    P.Event("OnAutoInsertRow", &C::OnAutoInsertRow);
    P.Event("OnAutoDeleteRow", &C::OnAutoDeleteRow);
    P.Event("OnRowSize", &C::OnRowSize);
    P.Event("OnEndRowSize", &C::OnEndRowSize);
    P.Event("OnUpdateColumnSize", &C::OnUpdateColumnSize);
    P.Event("OnEditChange", &C::OnEditChange);
    P.Event("OnCellsChanged", &C::OnCellsChanged);
    P.Event("OnFilterProgress", &C::OnFilterProgress);
    P.Event("OnClipboardCut", &C::OnClipboardCut);
    P.Event("OnClipboardCopy", &C::OnClipboardCopy);
    P.Event("OnClipboardPaste", &C::OnClipboardPaste);
    P.Event("OnCanAddRow", &C::OnCanAddRow);
    P.Event("OnAutoAddRow", &C::OnAutoAddRow);
    P.Event("OnCanInsertRow", &C::OnCanInsertRow);
    P.Event("OnCanDeleteRow", &C::OnCanDeleteRow);
    P.Event("OnAutoInsertCol", &C::OnAutoInsertCol);
    P.Event("OnCellChanging", &C::OnCellChanging);
    P.Event("OnCellValidate", &C::OnCellValidate);
    P.Event("OnCellValidateWide", &C::OnCellValidateWide);
    P.Event("OnCheckBoxClick", &C::OnCheckBoxClick);
    P.Event("OnRadioClick", &C::OnRadioClick);
    P.Event("OnButtonClick", &C::OnButtonClick);
    P.Event("OnFileProgress", &C::OnFileProgress);
    P.Event("OnOleDrag", &C::OnOleDrag);
    P.Event("OnOleDragStart", &C::OnOleDragStart);
    P.Event("OnOleDragStop", &C::OnOleDragStop);
    P.Event("OnOleDrop", &C::OnOleDrop);
    P.Event("OnOleDropFile", &C::OnOleDropFile);
    P.Event("OnOleDragOver", &C::OnOleDragOver);
    P.Event("OnOleDropCol", &C::OnOleDropCol);
    P.Event("OnOleDropped", &C::OnOleDropped);
    P.Event("OnClickCell", &C::OnClickCell);
    P.Event("OnDblClickCell", &C::OnDblClickCell);
    P.Event("OnRightClickCell", &C::OnRightClickCell);
    P.Event("OnClickSort", &C::OnClickSort);
    P.Event("OnCanSort", &C::OnCanSort);
    P.Event("OnCheckBoxMouseUp", &C::OnCheckBoxMouseUp);
    P.Event("OnRadioMouseUp", &C::OnRadioMouseUp);
    P.Event("OnAnchorClick", &C::OnAnchorClick);
    P.Event("OnAnchorEnter", &C::OnAnchorEnter);
    P.Event("OnAnchorExit", &C::OnAnchorExit);
    P.Event("OnAnchorHint", &C::OnAnchorHint);
    P.Event("OnControlClick", &C::OnControlClick);
    P.Event("OnControlEditDone", &C::OnControlEditDone);
    P.Event("OnControlComboList", &C::OnControlComboList);
    P.Event("OnColumnSize", &C::OnColumnSize);
    P.Event("OnEndColumnSize", &C::OnEndColumnSize);
    P.Event("OnColumnMove", &C::OnColumnMove);
    P.Event("OnRowMove", &C::OnRowMove);
    P.Event("OnSelectionResize", &C::OnSelectionResize);
    P.Event("OnExpandNode", &C::OnExpandNode);
    P.Event("OnContractNode", &C::OnContractNode);
    P.Event("OnBeforeExpandNode", &C::OnBeforeExpandNode);
    P.Event("OnBeforeContractNode", &C::OnBeforeContractNode);
}

void PublishRAdeRedeviDidi(TPublisher& p) {
    TPublishOf<RAdeRedeviDidi> P(p);
    PublishSettings(P);
    PublishValues(P);
    PublishEvents(P);
}

}  // namespace

VCL_IMPLEMENT_CLASS(TFloatingFooter, nullptr, &PublishTFloatingFooter)
VCL_IMPLEMENT_CLASS(TFooterPanel, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TProRichEdit, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TGridTransEdit, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TControlEdit, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(TControlCombo, nullptr, nullptr)
VCL_IMPLEMENT_CLASS(RAdeRedeviDidi, VCL_CREATOR(RAdeRedeviDidi), &PublishRAdeRedeviDidi)

}  // namespace ProGrid
