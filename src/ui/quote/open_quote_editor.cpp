#include "ui/quote/open_quote_editor.h"

#include "ui/quote/quote_editor_window.h"

#include <QPointer>

namespace velnor {

namespace {
QPointer<QuoteEditorWindow> g_editor; // at most one; cleared when the window is deleted on close
} // namespace

QuoteEditorWindow* currentQuoteEditor() {
    return g_editor.data();
}

void openQuoteEditor(const Deployment& deployment, SelectionState& selection, const SharedTexts& shared) {
    if (QuoteEditorWindow* editor = currentQuoteEditor()) {
        if (editor->isMinimized()) {
            // Back to the size it had before, maximised or not (showNormal would drop maximised).
            editor->setWindowState(editor->windowState() & ~Qt::WindowMinimized);
            editor->show();
        }
        editor->raise();
        editor->activateWindow();
        return;
    }
    auto* editor = new QuoteEditorWindow(deployment, selection, shared);
    // Closing discards the sheet: quantities and retail prices are not kept for the next opening.
    editor->setAttribute(Qt::WA_DeleteOnClose);
    g_editor = editor;
    editor->show();
}

} // namespace velnor
