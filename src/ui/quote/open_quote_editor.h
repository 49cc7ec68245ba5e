#pragma once

#include "model/deployment.h"
#include "model/selection_state.h"

namespace velnor {

// The 编辑器 button: opens the one non-modal quote editor, or restores/raises the open one keeping its
// typed values. The referenced objects live for the whole program.
void openQuoteEditor(const Deployment& deployment, SelectionState& selection, const SharedTexts& shared);

} // namespace velnor
