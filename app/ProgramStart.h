#pragma once
// The program's start, shared by main and the tests that start the calculator as a user would.

// Makes the embedded resources and the classes the form descriptions name known to the stand-in.
void RegisterProgramClassesAndResources();

// Creates the calculator window (Form1); its creation handler brings it to its first state.
void CreateCalculatorWindow();

// Creates the calculator window and runs the message loop until it closes; returns the exit code.
int RunCalculator();
