// The row tree on a shown grid: the node count, indents, tree lines, and expanding and contracting nested
// nodes in every order, checked against the rule that a row is hidden exactly where a contracted node
// holds it.
#include <memory>
#include <set>
#include <string>
#include <vector>

#include <gmock/gmock.h>

#include "GridUnitFixture.h"
#include "ProGrid.h"
#include "support/GraphicsTestSupport.h"
#include "support/InputSimulator.h"

using namespace ProGrid;
using BaseGrid::TCellProperties;

namespace {

struct TNodeSpec {
    Integer Row;
    Integer Span;
    Integer Level;
};

// One fixed row, then: node 1 (span 6, rows 1..6) holding node 3 (span 3, rows 3..5); node 7 (span 0, up
// to node 10); node 10 (span 0, to the end). Rows under a node carry its level.
const std::vector<TNodeSpec> Tree = {{1, 6, 1}, {3, 3, 2}, {7, 0, 1}, {10, 0, 1}};
constexpr Integer TreeRows = 13;
// The rows each node holds.
const std::vector<std::pair<Integer, std::vector<Integer>>> Children = {
    {1, {2, 3, 4, 5, 6}}, {3, {4, 5}}, {7, {8, 9}}, {10, {11, 12}}};

class ProGridNodesTest : public GridUnitFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        form->SetColor(clWhite);
        grid = Place<RAdeRedeviDidi>(0, 0, 300, 290);
        grid->SetBorderStyle(bsNone);
        grid->SetScrollBars(ssNone);
        grid->SetColCount(2);
        grid->SetRowCount(TreeRows);
        grid->SetDefaultRowHeight(20);
        grid->SetDefaultColWidth(100);
        for (Integer r = 0; r < TreeRows; ++r) grid->SetCells(1, r, "r" + std::to_string(r));
        for (const TNodeSpec& node : Tree) {
            AddNode(node.Row, node.Span);
            for (Integer r = node.Row; r < node.Row + std::max(node.Span, 1); ++r) SetLevel(r, node.Level);
        }
        for (Integer r : {8, 9}) SetLevel(r, 1);
        for (Integer r : {11, 12}) SetLevel(r, 1);
        Input::Settle();
    }
    void TearDown() override {
        grid = nullptr;
        FormFixture::TearDown();
    }

    TCellGraphic* AddNode(Integer ARow, Integer ASpan) {
        TCellGraphic* node = grid->CreateCellGraphic(0, ARow);
        node->CellType = ctNode;
        node->CellIndex = ASpan;
        return node;
    }
    void SetLevel(Integer ARow, Integer ALevel) { grid->GetCellProperties(0, ARow)->SetNodeLevel(ALevel); }

    // Column 0's properties of a real row, shown or hidden.
    TCellProperties* RealProps(Integer ARealRow) const {
        if (!grid->IsHiddenRow(ARealRow)) {
            return dynamic_cast<TCellProperties*>(grid->GetRawObject(0, grid->DisplayRowIndex(ARealRow)));
        }
        for (Integer i = 0; i < grid->HiddenRowCount(); ++i)
            if (grid->HiddenRows()->Items(i)->Idx() == ARealRow)
                return dynamic_cast<TCellProperties*>(grid->HiddenRows()->Items(i)->Items()->Objects(0));
        return nullptr;
    }
    TCellGraphic* RealNode(Integer ARealRow) const {
        TCellProperties* props = RealProps(ARealRow);
        auto* graphic = props ? dynamic_cast<TCellGraphic*>(props->GraphicObject()) : nullptr;
        return graphic && graphic->CellType == ctNode ? graphic : nullptr;
    }
    bool Contracted(Integer ARealRow) const { return RealNode(ARealRow)->CellBoolean; }

    std::set<Integer> Hidden() const {
        std::set<Integer> rows;
        for (Integer i = 0; i < grid->HiddenRowCount(); ++i) rows.insert(grid->HiddenRows()->Items(i)->Idx());
        return rows;
    }
    // The rows the tree's contracted nodes hold.
    std::set<Integer> Held() const {
        std::set<Integer> rows;
        for (const auto& [node, children] : Children)
            if (Contracted(node)) rows.insert(children.begin(), children.end());
        return rows;
    }
    // The rows shown, by their texts, are the real rows not hidden, in order.
    void ExpectShownInOrder() const {
        std::vector<AnsiString> expected, shown;
        for (Integer r = 0; r < TreeRows; ++r)
            if (!grid->IsHiddenRow(r)) expected.push_back("r" + std::to_string(r));
        for (Integer r = 0; r < grid->RowCount(); ++r) shown.push_back(grid->Cells(1, r));
        EXPECT_EQ(shown, expected);
    }

    RAdeRedeviDidi* grid = nullptr;
};

TEST_F(ProGridNodesTest, TheNodeCountFollowsAttachingDetachingAndTypeWrites) {
    EXPECT_EQ(grid->NodeCount(), 4);
    EXPECT_TRUE(grid->HasNodes());
    struct TCase {
        const char* Step;
        std::function<void(RAdeRedeviDidi&)> Do;
        Integer Count;
    };
    const std::vector<TCase> cases = {
        {"a node turned into a check box", [](RAdeRedeviDidi& g) { g.GetCellGraphic(0, 10)->CellType = ctCheckBox; },
         3},
        {"back into a node", [](RAdeRedeviDidi& g) { g.GetCellGraphic(0, 10)->CellType = ctNode; }, 4},
        {"written with its own type", [](RAdeRedeviDidi& g) { g.GetCellGraphic(0, 10)->CellType = ctNode; }, 4},
        {"a node row hidden", [](RAdeRedeviDidi& g) { g.HideRows(7, 7); }, 4},
        {"shown again and removed",
         [](RAdeRedeviDidi& g) {
             g.UnhideAllRows();
             g.RemoveRows(7, 1);
         },
         3},
        {"a graphic removed", [](RAdeRedeviDidi& g) { g.RemoveCellGraphic(0, 3); }, 2},
        {"properties replaced",
         [](RAdeRedeviDidi& g) { g.SetCellProperties(0, 1, new TCellProperties(nullptr, 0, 1)); }, 1},
        {"a node's properties given to the grid",
         [](RAdeRedeviDidi& g) {
             auto* props = new TCellProperties(nullptr, 0, 2);
             auto* node = new TCellGraphic;
             node->CellType = ctNode;
             props->SetGraphicObject(node);
             g.SetCellProperties(0, 2, props);
         },
         2},
        {"everything cleared", [](RAdeRedeviDidi& g) { g.ClearAll(); }, 0},
    };
    for (const TCase& c : cases) {
        c.Do(*grid);
        EXPECT_EQ(grid->NodeCount(), c.Count) << c.Step;
        EXPECT_EQ(grid->HasNodes(), c.Count > 0) << c.Step;
    }
}

TEST_F(ProGridNodesTest, NestedNodesInEveryOrderHideExactlyTheRowsContractedNodesHold) {
    struct TOp {
        const char* Name;
        std::function<void(RAdeRedeviDidi&)> Do;
    };
    const std::vector<TOp> ops = {
        {"contract 1", [](RAdeRedeviDidi& g) { g.ContractNode(1); }},
        {"expand 1", [](RAdeRedeviDidi& g) { g.ExpandNode(1); }},
        {"contract 3", [](RAdeRedeviDidi& g) { g.ContractNode(3); }},
        {"expand 3", [](RAdeRedeviDidi& g) { g.ExpandNode(3); }},
        {"contract 7", [](RAdeRedeviDidi& g) { g.ContractNode(7); }},
        {"expand 7", [](RAdeRedeviDidi& g) { g.ExpandNode(7); }},
        {"contract all", [](RAdeRedeviDidi& g) { g.ContractAllNodes(); }},
        {"expand all", [](RAdeRedeviDidi& g) { g.ExpandAllNodes(); }},
    };
    const auto count = static_cast<Integer>(ops.size());
    for (Integer sequence = 0; sequence < count * count * count; ++sequence) {
        grid->ExpandAllNodes();
        std::string done;
        for (Integer step = 0, code = sequence; step < 3; ++step, code /= count) {
            const TOp& op = ops[static_cast<std::size_t>(code % count)];
            op.Do(*grid);
            done += std::string(op.Name) + "; ";
            ASSERT_EQ(Hidden(), Held()) << done;
            ExpectShownInOrder();
        }
    }
}

TEST_F(ProGridNodesTest, ContractingAndExpandingKeepNestedStatesAsTheTreeSays) {
    struct TCase {
        const char* Name;
        std::function<void(RAdeRedeviDidi&)> Do;
        std::vector<Integer> Contracted;
        std::set<Integer> Hidden;
    };
    const std::vector<TCase> cases = {
        {"a span-0 node contracts up to the next node row", [](RAdeRedeviDidi& g) { g.ContractNode(7); }, {7}, {8, 9}},
        {"the last span-0 node contracts to the end", [](RAdeRedeviDidi& g) { g.ContractNode(10); }, {10}, {11, 12}},
        {"an outer node expands the nested node it contracts over",
         [](RAdeRedeviDidi& g) {
             g.ContractNode(3);
             g.ContractNode(1);
         },
         {1},
         {2, 3, 4, 5, 6}},
        {"expanding after contracting all keeps the nested node's rows hidden",
         [](RAdeRedeviDidi& g) {
             g.ContractAllNodes();
             g.ExpandNode(1);
         },
         {3, 7, 10},
         {4, 5, 8, 9, 11, 12}},
        {"a hidden nested node expands under its contracted outer node",
         [](RAdeRedeviDidi& g) {
             g.ContractAllNodes();
             g.ExpandNode(3);
         },
         {1, 7, 10},
         {2, 3, 4, 5, 6, 8, 9, 11, 12}},
        {"a non-node row and an expanded node do not expand",
         [](RAdeRedeviDidi& g) {
             g.ExpandNode(2);
             g.ExpandNode(1);
         },
         {},
         {}},
    };
    for (const TCase& c : cases) {
        grid->ExpandAllNodes();
        c.Do(*grid);
        std::vector<Integer> contracted;
        for (const TNodeSpec& node : Tree)
            if (Contracted(node.Row)) contracted.push_back(node.Row);
        EXPECT_EQ(contracted, c.Contracted) << c.Name;
        EXPECT_EQ(Hidden(), c.Hidden) << c.Name;
    }
}

TEST_F(ProGridNodesTest, ExpandOneContractsEveryOtherDataNode) {
    // A node in the fixed row keeps its state and the data rows it holds.
    AddNode(0, 3);
    grid->ContractNode(0);
    grid->CellNode()->SetExpandOne(true);
    grid->ExpandNode(7);
    EXPECT_FALSE(Contracted(7));
    EXPECT_TRUE(Contracted(0));
    EXPECT_TRUE(Contracted(1));
    EXPECT_TRUE(Contracted(10));
    EXPECT_EQ(Hidden(), std::set<Integer>({1, 2, 3, 4, 5, 6, 11, 12}));
}

TEST_F(ProGridNodesTest, RemovingAllNodesShowsTheirRowsAndTakesNestedNodesToo) {
    grid->ContractAllNodes();
    grid->RemoveAllNodes();
    EXPECT_EQ(grid->HiddenRowCount(), 0);
    EXPECT_EQ(grid->NodeCount(), 0);
    EXPECT_FALSE(grid->HasNodes());
    for (Integer r = 0; r < TreeRows; ++r) {
        EXPECT_NE(grid->GetCellType(0, r), ctNode) << r;
        EXPECT_EQ(grid->HasCellProperties(0, r) ? grid->GetCellProperties(0, r)->NodeLevel() : 0, 0) << r;
        EXPECT_EQ(grid->RowIndent(r), 0) << r;
    }
    ExpectShownInOrder();
}

TEST_F(ProGridNodesTest, IndentsButtonsAndTreeLinesFollowTheLevels) {
    grid->CellNode()->SetNodeIndent(12);
    struct TCase {
        Integer Row;
        Integer Indent;
        Integer LineKind;
        std::vector<std::pair<Integer, bool>> ButtonHits;
    };
    const std::vector<TCase> cases = {
        {1, 12, 0, {{0, false}, {1, true}, {11, true}, {12, false}}},
        {2, 12, 2, {{6, true}}},
        {3, 24, 0, {{12, false}, {13, true}, {23, true}, {24, false}}},
        {5, 24, 1, {{18, true}}},
        {6, 12, 2, {}},
        {9, 12, 2, {}},
        {12, 12, 1, {}},
        {0, 0, 2, {{5, false}}},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(grid->RowIndent(c.Row), c.Indent) << c.Row;
        EXPECT_EQ(grid->TreeLineKind(c.Row), c.LineKind) << c.Row;
        for (const auto& [x, hit] : c.ButtonHits) EXPECT_EQ(grid->NodeButtonHit(c.Row, x), hit) << c.Row << " " << x;
    }
    EXPECT_EQ(grid->RowIndent(-1), 0);
    EXPECT_EQ(grid->RowIndent(TreeRows), 0);
}

TEST_F(ProGridNodesTest, AContractedNodeTakesItsRowsAndTheirTreeLineOffTheWindow) {
    grid->CellNode()->SetTreeColor(clRed);
    grid->CellNode()->SetNodeIndent(12);
    grid->SetFixedCols(0);
    const auto redRows = [this] {
        grid->Invalidate();
        std::unique_ptr<TBitmap> shown(Testing::GrabWindow(form));
        std::string rows;
        // The level-1 line runs at x = 8 through the rows under node 1.
        for (Integer r = 0; r < 8; ++r) {
            const TPoint at = form->ScreenToClient(grid->ClientToScreen(Point(8, r * 20 + 10)));
            rows += ColorToRGB(shown->Canvas()->Pixels(at.X, at.Y)) == ColorToRGB(clRed) ? '#' : '.';
        }
        return rows;
    };
    // Under node 1 every row shows the line, the nested node's rows as its outer level.
    EXPECT_EQ(redRows(), "..#####.");
    grid->ContractNode(1);
    EXPECT_EQ(grid->Cells(1, 2), "r7");
    EXPECT_EQ(redRows(), "...##.##");
}

TEST_F(ProGridNodesTest, SortingWithinNodesReadsSpanZeroUpToTheNextNodeRow) {
    grid->SetCells(1, 8, "b");
    grid->SetCells(1, 9, "a");
    grid->SetCells(1, 11, "z");
    grid->SetCells(1, 12, "y");
    grid->SortSettings()->SetColumn(1);
    grid->SortWithinNodes();
    EXPECT_EQ(grid->Cells(1, 8), "a");
    EXPECT_EQ(grid->Cells(1, 9), "b");
    EXPECT_EQ(grid->Cells(1, 10), "r10");
    EXPECT_EQ(grid->Cells(1, 11), "y");
}

}  // namespace
