#pragma once

#include "model/deployment.h"
#include "model/selection_state.h"
#include "quote/print_layout.h"
#include "quote/quote_documents.h"
#include "quote/quote_sheet.h"

#include <QMainWindow>

#include <array>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QTimer;

namespace velnor {

class QuoteTextSink;

// The quote editor: twelve priced lines that follow the SelectionState once a second, their totals, and the
// buttons that copy, save and print the quote. The form mirrors a QuoteSheet; documents and printouts are
// built from the texts the form shows at that moment.
class QuoteEditorWindow : public QMainWindow {
    Q_OBJECT
public:
    QuoteEditorWindow(const Deployment& deployment, SelectionState& selection, const SharedTexts& shared,
                      QWidget* parent = nullptr);
    ~QuoteEditorWindow() override;

    // The quote exactly as the form shows it now.
    QuoteSheet displayedSheet() const;

    void refreshFromSelection();
    void recalculate();
    void clearLine(ComponentCategory category);
    void copyQuote(DocumentKind kind);
    void saveQuote(DocumentKind kind);
    void printQuote(PrintoutKind kind);

    // Tests record the printed texts instead of printing.
    void setPrintSink(std::unique_ptr<QuoteTextSink> sink);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct LineControls {
        QLabel* model = nullptr;
        QLabel* costPrice = nullptr;
        QLabel* warranty = nullptr;
        QLineEdit* quantity = nullptr;
        QLineEdit* retailPrice = nullptr;
    };

    void buildForm();
    void showSheet(const QuoteSheet& sheet);
    std::array<QByteArray, 5> extraInfo() const;
    void fitOuterSize();

    Deployment m_deployment;
    SelectionState& m_selection;
    QuoteSheet m_sheet;
    std::array<LineControls, kCategoryCount> m_lines;
    QLineEdit* m_costTotal = nullptr;
    QLineEdit* m_retailTotal = nullptr;
    QLineEdit* m_profit = nullptr;
    QCheckBox* m_withExtraInfo = nullptr;
    std::array<QLineEdit*, 5> m_extraBoxes{};
    QLabel* m_statusText = nullptr;
    QTimer* m_timer = nullptr;
    std::unique_ptr<QuoteTextSink> m_printSink;
    bool m_outerSizeFitted = false;
};

// The open editor, or nullptr.
QuoteEditorWindow* currentQuoteEditor();

} // namespace velnor
