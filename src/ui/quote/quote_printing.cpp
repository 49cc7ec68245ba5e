#include "ui/quote/quote_printing.h"

#include "model/gbk.h"
#include "ui/common/dialogs.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>

namespace velnor {

namespace {

QString g_lastPrinterName; // the printer chosen last during this run

double screenDpiY() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

} // namespace

QFont quotePrintFont() {
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(15.0 * 72.0 / screenDpiY());
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    return font;
}

PrinterTextSink::PrinterTextSink() = default;

PrinterTextSink::~PrinterTextSink() {
    if (m_painter.isActive()) {
        m_painter.end();
    }
}

bool PrinterTextSink::beginJob(QWidget* dialogParent) {
    // A fresh printer each time, so that paper and orientation chosen last time do not carry over.
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!g_lastPrinterName.isEmpty()) {
        m_printer->setPrinterName(g_lastPrinterName);
    }
    m_printer->setPageSize(QPageSize(QPageSize::A4));
    m_printer->setPageOrientation(QPageLayout::Portrait);
    m_printer->setFullPage(false);
    m_printer->setDocName(QString::fromUtf8("未命名打印作业"));
    m_printer->setCopyCount(m_copies);
    if (!Dialogs::print(dialogParent, *m_printer)) {
        m_printer.reset();
        return false;
    }
    m_copies = m_printer->copyCount();
    if (m_printer->outputFormat() == QPrinter::NativeFormat && !m_printer->printerName().isEmpty()) {
        g_lastPrinterName = m_printer->printerName();
    }
    if (!m_painter.begin(m_printer.get())) {
        m_printer.reset();
        return false;
    }
    m_painter.setFont(quotePrintFont());
    m_painter.setPen(Qt::black);
    m_painter.setBackgroundMode(Qt::TransparentMode);
    return true;
}

void PrinterTextSink::writeText(int x, int y, const QByteArray& text) {
    if (!m_painter.isActive() || text.isEmpty()) {
        return;
    }
    const QPaintDevice* device = m_painter.device();
    const double px = x * device->logicalDpiX() / 254.0;
    double py = y * device->logicalDpiY() / 254.0;
    const QFontMetricsF metrics(m_painter.font(), m_painter.device());
    const double lineStep = metrics.height() + 2.0;
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    const QStringList lines = fromGbk(text).split(lineBreak);
    for (const QString& line : lines) {
        if (!line.isEmpty()) {
            m_painter.drawText(QPointF(px, py + metrics.ascent()), line);
        }
        py += lineStep;
    }
}

void PrinterTextSink::endJob() {
    if (m_painter.isActive()) {
        m_painter.end();
    }
    m_printer.reset();
}

} // namespace velnor
