#pragma once
// The program's start and end, shared by main, the test main, the benchmarks and the fuzz targets.

#include <cstddef>
#include <functional>
#include <span>

// One unit's start-up and exit steps; a unit may have either or both.
struct TUnitSteps {
    void (*Start)();
    void (*End)();
};

// Starts the units in order and ends the started ones in reverse: when destroyed, or at once when a start
// fails (the failure then propagates). A failing exit is reported on stderr and the other exits still run.
class TUnitSequence {
public:
    explicit TUnitSequence(std::span<const TUnitSteps> Units);
    ~TUnitSequence();
    TUnitSequence(const TUnitSequence&) = delete;
    TUnitSequence& operator=(const TUnitSequence&) = delete;

private:
    void EndStarted() noexcept;

    std::span<const TUnitSteps> units_;
    std::size_t started_ = 0;
};

// Every unit of the program in unit order (ProgramStart.cpp holds the one list): the stand-in's, the
// in-house library's, the component libraries' and the calculator's. The command line is taken first.
class TProgramUnits : public TUnitSequence {
public:
    TProgramUnits(int argc, char** argv);
};

// The one list TProgramUnits runs: every unit's steps in unit order.
std::span<const TUnitSteps> ProgramUnitSteps();

// Prints the exception in flight as one line on stderr.
void PrintFailure() noexcept;

// Starts the program's units, runs Body and ends the units. Whatever escapes, a start-up failure too, is
// printed as one line on stderr and gives exit status 1.
int RunProgram(int argc, char** argv, const std::function<int()>& Body);

// Creates the calculator window (Form1); its creation handler brings it to its first state.
void CreateCalculatorWindow();

// Creates the calculator window and runs the message loop until it closes; returns the exit status.
int RunCalculator();
