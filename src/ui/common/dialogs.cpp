#include "ui/common/dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>

namespace velnor::Dialogs {

namespace {

TestAnswers* g_answers = nullptr;

PrinterSnapshot snapshotOf(const QPrinter& printer) {
    const QPageLayout layout = printer.pageLayout();
    return PrinterSnapshot{printer.printerName(),
                           printer.copyCount(),
                           printer.docName(),
                           layout.pageSize().id() == QPageSize::A4,
                           layout.orientation() == QPageLayout::Portrait,
                           printer.fullPage()};
}

} // namespace

void setTestAnswers(TestAnswers* answers) {
    g_answers = answers;
}
TestAnswers* testAnswers() {
    return g_answers;
}

QString withDefaultSuffix(const QString& path, const QString& suffix) {
    // The file dialog's own rule: any dot in the name, a trailing one too, counts as an extension. Another
    // rule here would write a file other than the one whose replacement the dialog confirmed.
    if (path.isEmpty() || suffix.isEmpty() || QFileInfo(path).fileName().contains(QLatin1Char('.'))) {
        return path;
    }
    return path + QLatin1Char('.') + suffix;
}

void information(QWidget* parent, const QString& title, const QString& text) {
    if (g_answers) {
        g_answers->messages.push_back({title, text});
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

std::optional<QString> saveFileName(QWidget* parent, const SaveFileRequest& request) {
    if (g_answers) {
        g_answers->saveRequests.push_back(request);
        if (g_answers->savePaths.empty()) {
            ++g_answers->unexpectedDialogs;
            return std::nullopt;
        }
        std::optional<QString> answer = g_answers->savePaths.front();
        g_answers->savePaths.pop_front();
        if (!answer) {
            return std::nullopt;
        }
        return withDefaultSuffix(*answer, request.defaultSuffix);
    }

    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(request.nameFilters);
    if (!request.nameFilters.isEmpty()) {
        dialog.selectNameFilter(request.nameFilters.first());
    }
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.selectFile(request.defaultName);
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return std::nullopt;
        }
        const QString path = withDefaultSuffix(dialog.selectedFiles().first(), request.defaultSuffix);
        // The file dialog accepts a typed path into a folder that does not exist; ask again instead.
        if (QFileInfo(path).absoluteDir().exists()) {
            return path;
        }
        QMessageBox::warning(&dialog, request.title,
                             QFileDialog::tr("%1\nDirectory not found.").arg(QFileInfo(path).absolutePath()));
    }
}

bool print(QWidget* parent, QPrinter& printer) {
    if (g_answers) {
        g_answers->printRequests.push_back(snapshotOf(printer));
        if (g_answers->printAnswers.empty()) {
            ++g_answers->unexpectedDialogs;
            return false;
        }
        const PrintAnswer answer = g_answers->printAnswers.front();
        g_answers->printAnswers.pop_front();
        if (!answer.accept) {
            return false;
        }
        if (!answer.outputFile.isEmpty()) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(answer.outputFile);
        } else {
            printer.setPrinterName(answer.printerName);
        }
        if (answer.copies > 0) {
            printer.setCopyCount(answer.copies);
        }
        printer.setPageSize(QPageSize(answer.paper));
        printer.setPageOrientation(answer.landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
        return true;
    }

    QPrintDialog dialog(&printer, parent);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCollateCopies);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace velnor::Dialogs
