#include <vcl/System.h>

#include "ProgramStart.h"

int main(int argc, char** argv) {
    InitCommandLine(argc, argv);
    return RunCalculator();
}
