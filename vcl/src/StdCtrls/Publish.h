#pragma once
// Enumeration names and property groups the standard controls publish alike.

#include "vcl/StdCtrls.h"

namespace StdPublish {

inline const TEnumNames<TBorderStyle>& BorderStyleNames() {
    static const TEnumNames<TBorderStyle> names{{"bsNone", bsNone}, {"bsSingle", bsSingle}};
    return names;
}

// What an edit and a memo both publish.
template <typename C>
void EditCommon(TPublishOf<C>& P) {
    P.template Enum<TBorderStyle>("BorderStyle", &C::BorderStyle, &C::SetBorderStyle, BorderStyleNames());
    P.Bool("HideSelection", &C::HideSelection, &C::SetHideSelection);
    P.Int("MaxLength", &C::MaxLength, &C::SetMaxLength);
    P.Bool("ReadOnly", &C::ReadOnly, &C::SetReadOnly);
    P.Event("OnChange", &C::OnChange);
}

}  // namespace StdPublish
