#include "ui/main/program_exit.h"

#include "ui/main/catalogue_loader.h"

#include <cstdio>
#include <cstdlib>

namespace velnor {

namespace {

ProgramState* g_state = nullptr;

void exitRoutine() {
    delete g_state;
    g_state = nullptr;
    std::fflush(nullptr);
}

} // namespace

ProgramState& startProgram() {
    g_state = new ProgramState;
    g_state->loadingFlags = std::make_shared<LoadingFlags>();
    std::at_quick_exit(exitRoutine);
    return *g_state;
}

void leaveProgram(int exitCode) {
    std::quick_exit(exitCode);
}

} // namespace velnor
