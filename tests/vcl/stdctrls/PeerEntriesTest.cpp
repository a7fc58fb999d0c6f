// What the peers report goes through the stand-in's access structs only: a control class derived
// outside the stand-in cannot call the peer's entry points (compile-time checks).
#include "vcl/ComCtrls.h"
#include "vcl/StdCtrls.h"

namespace {

// Each check asks from inside a derived class, where protected members would be reachable.
class TOutsideMemo : public TMemo {
public:
    template <class M = TOutsideMemo>
    static constexpr bool ReachesEditText = requires(M& m, const AnsiString& s) {
        m.TCustomEdit::TextFromPeer(s);
    };
    template <class M = TOutsideMemo>
    static constexpr bool ReachesEdit = requires(M& m, const AnsiString& s) {
        m.TCustomEdit::EditFromPeer(s, 0, 0);
    };
    template <class M = TOutsideMemo>
    static constexpr bool ReachesSelection = requires(M& m) {
        m.TCustomEdit::SelectionFromPeer(0, 0);
    };
    template <class M = TOutsideMemo>
    static constexpr bool ReachesMemoEdit = requires(M& m, const AnsiString& s) {
        m.EditFromPeer(0u, 0u, s, 0, 0);
    };
    template <class M = TOutsideMemo>
    static constexpr bool ReachesMemoText = requires(M& m) {
        m.TextForPeer();
    };
};

class TOutsideComboBox : public TComboBox {
public:
    template <class C = TOutsideComboBox>
    static constexpr bool ReachesText = requires(C& c, const AnsiString& s) {
        c.TextFromPeer(s);
    };
    template <class C = TOutsideComboBox>
    static constexpr bool ReachesItemIndex = requires(C& c) {
        c.ItemIndexFromPeer(0);
    };
    template <class C = TOutsideComboBox>
    static constexpr bool ReachesDroppedDown = requires(C& c) {
        c.DroppedDownFromPeer(true);
    };
};

class TOutsideTrackBar : public TTrackBar {
public:
    template <class T = TOutsideTrackBar>
    static constexpr bool ReachesPosition = requires(T& t) {
        t.PositionFromPeer(0);
    };
};

static_assert(!TOutsideMemo::ReachesEditText<> && !TOutsideMemo::ReachesEdit<> && !TOutsideMemo::ReachesSelection<>);
static_assert(!TOutsideMemo::ReachesMemoEdit<> && !TOutsideMemo::ReachesMemoText<>);
static_assert(!TOutsideComboBox::ReachesText<> && !TOutsideComboBox::ReachesItemIndex<> &&
              !TOutsideComboBox::ReachesDroppedDown<>);
static_assert(!TOutsideTrackBar::ReachesPosition<>);

}  // namespace
