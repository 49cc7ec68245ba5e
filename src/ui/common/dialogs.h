#pragma once

#include <QPageSize>
#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <vector>

class QPrinter;
class QWidget;

namespace velnor {

// The application's modal dialogs. Product code opens them only through these functions, so that a test
// can answer them in advance (setTestAnswers) instead of waiting on a modal window.
namespace Dialogs {

// A message box with one OK button and no icon, modal for the whole application.
void information(QWidget* parent, const QString& title, const QString& text);

struct SaveFileRequest {
    QString title;
    QStringList nameFilters; // "描述(*.ext)", the first one selected
    QString defaultSuffix;   // without the dot; appended when the chosen name has no extension
    QString defaultName;
};
// The save dialog, with overwrite confirmation; the chosen folder must exist. The full path, or nothing
// when the user cancels.
std::optional<QString> saveFileName(QWidget* parent, const SaveFileRequest& request);

// The print dialog on a prepared printer (page-range and selection choices not offered). True when the user
// confirmed; the printer then carries the chosen printer, output file and copy count.
bool print(QWidget* parent, QPrinter& printer);

// Canned answers for tests. While installed, no dialog is shown: message boxes are recorded, and the save
// and print dialogs take the next queued answer (an empty queue answers cancel and counts as unexpected).
struct PrintAnswer {
    bool accept = true;
    QString printerName;                         // used when outputFile is empty
    QString outputFile;                          // non-empty: print to this PDF file
    int copies = 0;                              // 0: leave as preset
    bool landscape = false;                      // the user turns the page
    QPageSize::PageSizeId paper = QPageSize::A4; // and may pick other paper
};
struct PrinterSnapshot { // the printer as the dialog was opened with it
    QString printerName;
    int copies = 0;
    QString docName;
    bool a4 = false;
    bool portrait = false;
    bool fullPage = false;
};
struct MessageRecord {
    QString title;
    QString text;
};
struct TestAnswers {
    std::deque<std::optional<QString>> savePaths; // nullopt: the user cancels
    std::deque<PrintAnswer> printAnswers;
    std::vector<MessageRecord> messages;
    std::vector<SaveFileRequest> saveRequests;
    std::vector<PrinterSnapshot> printRequests;
    int unexpectedDialogs = 0;
};
// nullptr restores the real dialogs. The object must outlive its installation.
void setTestAnswers(TestAnswers* answers);
TestAnswers* testAnswers();

// Applies the default suffix the way the save dialog does: only to a name without any dot.
QString withDefaultSuffix(const QString& path, const QString& suffix);

} // namespace Dialogs

} // namespace velnor
