#pragma once
// The shown form that a grid target parents its grids to: made once, it lives with the process, as the
// program's forms do. With it, a grid placed on it and the replay of an input as steps of five bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "FuzzCheck.h"
#include "vcl/Forms.h"
#include "vcl/Testing.h"

namespace fuzzstage {

inline TForm& Stage() {
    static TForm* form = [] {
        auto* made = new TForm(nullptr);
        made->SetBounds(0, 0, 400, 300);
        Testing::ShowAndActivate(made);
        return made;
    }();
    return *form;
}

// A new grid shown on the stage, which owns it, at the size the grid targets use.
template <class TGrid>
TGrid* NewStageGrid() {
    auto* grid = new TGrid(&Stage());
    grid->SetParent(&Stage());
    grid->SetBounds(0, 0, 300, 200);
    return grid;
}

// One grid on the stage for every run of a target; an exception that reaches the application's handler
// ends the process with its message.
template <class TGrid>
TGrid& SharedStageGrid() {
    static TGrid* grid = [] {
        Application->OnException = [](TObject*, Exception* E) {
            std::fprintf(stderr, "%s\n", E->Message().c_str());
            std::abort();
        };
        return NewStageGrid<TGrid>();
    }();
    return *grid;
}

// Replays the input through a new TRun, a Step of an opcode byte and four argument bytes at a time, and
// then lets it Finish.
template <class TRun>
void RunSteps(const std::uint8_t* Data, std::size_t Size) {
    TRun run;
    for (std::size_t at = 0; at + 5 <= Size; at += 5)
        run.Step(Data[at], Data[at + 1], Data[at + 2], Data[at + 3], Data[at + 4]);
    run.Finish();
}

}  // namespace fuzzstage
