#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTreeWidget>

#include <vector>

namespace velnor {

// One row for a ChoiceListView: the catalogue's GBK bytes per column, and the texts the cells show.
// Built on any thread (decoding is the costly part of a large load); handed to the GUI thread whole.
struct ChoiceRow {
    QList<QByteArray> cells;
    QStringList shown;
};
ChoiceRow makeChoiceRow(QList<QByteArray> cells);

// A report-style list with one selected row at a time. GUI thread only.
// Each cell keeps its raw bytes beside the decoded text, so bytes that are not valid GBK are passed on
// unchanged. Columns of width 0 carry data for the program and are hidden.
class ChoiceListView : public QTreeWidget {
    Q_OBJECT
public:
    struct Column {
        const char* header; // UTF-8
        int width;
    };
    ChoiceListView(const QString& objectName, const QList<Column>& columns, QWidget* parent = nullptr);

    // Appends rows at the end; no choice event.
    void appendRows(const std::vector<ChoiceRow>& rows);
    void appendRows(std::vector<ChoiceRow>::const_iterator begin, std::vector<ChoiceRow>::const_iterator end);
    // Empties the list; no choice event.
    void clearRows();
    // A cell of the current row, which is the first selected row; empty when none is selected.
    QByteArray currentText(int column) const;
    int rowCount() const { return topLevelItemCount(); }
    QByteArray rowText(int row, int column) const;

signals:
    // A row gained the focus (mouse or keyboard). Not raised when the focused row is chosen again.
    void choiceMade();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    int m_columnCount;
};

} // namespace velnor
