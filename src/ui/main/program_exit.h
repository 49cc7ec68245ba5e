#pragma once

#include "model/selection_state.h"

#include <memory>

class QWidget;

namespace velnor {

class LoadingFlags;

// The state that lives from program start to exit.
struct ProgramState {
    SelectionState selection;
    SharedTexts shared;
    std::shared_ptr<LoadingFlags> loadingFlags;
};

// Creates the program's state and registers the exit routine that releases it. Once per process.
ProgramState& startProgram();

// Ends the message loop once `window` has closed, even while other windows (the quote editor) are open.
void quitWhenClosed(QWidget* window);

// Called after the message loop has ended: runs the exit routine, flushes output and ends the process at
// once. Loaders still waiting on a server are abandoned with the process; nothing is destroyed under them
// (neither the application object nor the window they post to), so none can touch a dead object.
[[noreturn]] void leaveProgram(int exitCode);

} // namespace velnor
