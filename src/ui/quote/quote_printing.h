#pragma once

#include <QByteArray>
#include <QFont>
#include <QPainter>

#include <memory>

class QPrinter;
class QWidget;

namespace velnor {

// The three operations a printout needs of the printing system. Positions are in 0.1 mm from the origin of
// the printable area; texts are GBK.
class QuoteTextSink {
public:
    virtual ~QuoteTextSink() = default;
    // Shows the print dialog; false when no job was started (cancelled, or the printer could not be opened).
    virtual bool beginJob(QWidget* dialogParent) = 0;
    // Top-left corner of the first character at (x, y). A line break continues one text height lower.
    virtual void writeText(int x, int y, const QByteArray& text) = 0;
    virtual void endJob() = 0;
};

// The print style: regular, upright, 15 screen pixels high, a face that covers GB2312.
QFont quotePrintFont();

// Prints through QPrinter. Remembers the copy count for its own lifetime (the editor's) and the printer
// for the whole run; paper and orientation go back to A4 portrait for every job.
class PrinterTextSink : public QuoteTextSink {
public:
    PrinterTextSink();
    ~PrinterTextSink() override;

    bool beginJob(QWidget* dialogParent) override;
    void writeText(int x, int y, const QByteArray& text) override;
    void endJob() override;

private:
    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    int m_copies = 1;
};

} // namespace velnor
