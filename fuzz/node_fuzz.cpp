// Random node trees on a grid of labelled rows (spans of 0 to 7, so that nodes nest and span-0 nodes reach
// the next node row) and random expand, contract, all and remove steps. After every step: the rows hidden
// are exactly those a contracted node holds (its span's rows after it, or with span 0 the rows up to the
// next node row), the shown rows keep their real order, and the node count is the number of node
// descriptors. At the end UnhideAllRows brings every row back in its order.
//
// Input: operations of an opcode byte and four argument bytes.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "ProGrid.h"
#include "support/FuzzCheck.h"
#include "support/FuzzStage.h"

using namespace ProGrid;
using BaseGrid::TCellProperties;

namespace {

constexpr Integer Rows = 24;

RAdeRedeviDidi& SharedGrid() {
    static RAdeRedeviDidi* grid = [] {
        RAdeRedeviDidi* made = fuzzstage::NewStageGrid<RAdeRedeviDidi>();
        made->SetColCount(2);
        return made;
    }();
    return *grid;
}

AnsiString Label(Integer ARealRow) { return "L" + std::to_string(ARealRow); }

class TNodeRun {
public:
    TNodeRun() : grid_(&SharedGrid()) {
        grid_->UnhideAllRows();
        grid_->ClearAll();
        grid_->CellNode()->SetExpandOne(false);
        grid_->SetRowCount(Rows);
        Check(grid_->NodeCount() == 0);
        for (Integer r = 0; r < Rows; ++r) grid_->SetCells(1, r, Label(r));
    }

    void Step(std::uint8_t Op, Integer A, Integer B, Integer C, Integer) {
        const Integer row = A % Rows;
        switch (Op % 7) {
            case 0: AddNode(row, B % 8, C % 3 + 1); break;
            case 1: grid_->ContractNode(row); break;
            case 2: grid_->ExpandNode(row); break;
            case 3: grid_->ContractAllNodes(); break;
            case 4: grid_->ExpandAllNodes(); break;
            case 5:
                grid_->RemoveAllNodes();
                Check(grid_->NodeCount() == 0 && grid_->HiddenRowCount() == 0);
                break;
            case 6: grid_->CellNode()->SetExpandOne(B % 2 == 1); break;
        }
        CheckState();
    }

    void Finish() {
        grid_->UnhideAllRows();
        Check(grid_->RowCount() == Rows);
        for (Integer r = 0; r < Rows; ++r) Check(grid_->Cells(1, r) == Label(r));
    }

private:
    // A new node joins the tree while every node is expanded, so that no contracted node's extent changes.
    void AddNode(Integer ARow, Integer ASpan, Integer ALevel) {
        grid_->ExpandAllNodes();
        TCellGraphic* node = grid_->CreateCellGraphic(0, ARow);
        node->CellType = ctNode;
        node->CellIndex = ASpan;
        grid_->GetCellProperties(0, ARow)->SetNodeLevel(ALevel);
    }

    // Column 0's properties of every real row, hidden ones from their items.
    std::vector<TCellProperties*> RealProperties() const {
        std::vector<TCellProperties*> props;
        Integer shown = 0, hidden = 0;
        for (Integer r = 0; r < grid_->RowCount() + grid_->HiddenRowCount(); ++r) {
            TObject* object = nullptr;
            if (hidden < grid_->HiddenRowCount() && grid_->HiddenRows()->Items(hidden)->Idx() == r) {
                TStringList* items = grid_->HiddenRows()->Items(hidden++)->Items();
                object = items->Count() > 0 ? items->Objects(0) : nullptr;
            } else {
                object = grid_->GetRawObject(0, shown++);
            }
            props.push_back(dynamic_cast<TCellProperties*>(object));
        }
        return props;
    }

    void CheckState() {
        const std::vector<TCellProperties*> props = RealProperties();
        const auto real = static_cast<Integer>(props.size());
        Check(real == Rows);
        std::vector<const TCellGraphic*> nodes(props.size(), nullptr);
        Integer count = 0;
        for (std::size_t r = 0; r < props.size(); ++r) {
            const auto* graphic = props[r] ? dynamic_cast<const TCellGraphic*>(props[r]->GraphicObject()) : nullptr;
            if (graphic && graphic->CellType == ctNode) {
                nodes[r] = graphic;
                ++count;
            }
        }
        Check(grid_->NodeCount() == count && grid_->HasNodes() == (count > 0));
        // The rows the contracted nodes hold.
        std::set<Integer> held;
        for (Integer n = 0; n < real; ++n) {
            const TCellGraphic* node = nodes[static_cast<std::size_t>(n)];
            if (!node || !node->CellBoolean || node->CellIndex < 0) continue;
            Integer end = n + 1;
            if (node->CellIndex > 0) end = std::min(n + node->CellIndex, real);
            else
                while (end < real && !nodes[static_cast<std::size_t>(end)]) ++end;
            for (Integer r = n + 1; r < end; ++r) held.insert(r);
        }
        std::set<Integer> hidden;
        for (Integer i = 0; i < grid_->HiddenRowCount(); ++i) hidden.insert(grid_->HiddenRows()->Items(i)->Idx());
        Check(hidden == held);
        for (Integer d = 0; d < grid_->RowCount(); ++d) Check(grid_->Cells(1, d) == Label(grid_->RealRowIndex(d)));
    }

    RAdeRedeviDidi* grid_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 2048) return 0;
    fuzzstage::RunSteps<TNodeRun>(data, size);
    return 0;
}
