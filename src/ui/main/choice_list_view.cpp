#include "ui/main/choice_list_view.h"

#include "model/gbk.h"

#include <QHeaderView>
#include <QMouseEvent>

namespace velnor {

namespace {
constexpr int kBytesRole = Qt::UserRole;
}

ChoiceRow makeChoiceRow(QList<QByteArray> cells) {
    ChoiceRow row;
    row.shown.reserve(cells.size());
    for (const QByteArray& cell : cells) {
        row.shown.append(fromGbk(cell));
    }
    row.cells = std::move(cells);
    return row;
}

ChoiceListView::ChoiceListView(const QString& objectName, const QList<Column>& columns, QWidget* parent)
    : QTreeWidget(parent), m_columnCount(int(columns.size())) {
    setObjectName(objectName);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    // Columns have the form's fixed widths; a scroll bar would only cover the last row.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setColumnCount(m_columnCount);
    QStringList headers;
    for (const Column& column : columns) {
        headers.append(QString::fromUtf8(column.header));
    }
    setHeaderLabels(headers);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    for (int i = 0; i < m_columnCount; ++i) {
        setColumnWidth(i, columns[i].width);
        setColumnHidden(i, columns[i].width == 0);
    }
    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current, QTreeWidgetItem*) {
        if (current != nullptr) {
            emit choiceMade();
        }
    });
}

void ChoiceListView::appendRows(const std::vector<ChoiceRow>& rows) {
    appendRows(rows.begin(), rows.end());
}

void ChoiceListView::appendRows(std::vector<ChoiceRow>::const_iterator begin,
                                std::vector<ChoiceRow>::const_iterator end) {
    QList<QTreeWidgetItem*> items;
    items.reserve(int(end - begin));
    for (auto it = begin; it != end; ++it) {
        auto* item = new QTreeWidgetItem;
        for (int c = 0; c < m_columnCount && c < it->cells.size(); ++c) {
            item->setText(c, c < it->shown.size() ? it->shown[c] : fromGbk(it->cells[c]));
            item->setData(c, kBytesRole, it->cells[c]);
        }
        items.append(item);
    }
    const bool wasEnabled = updatesEnabled();
    setUpdatesEnabled(false);
    addTopLevelItems(items);
    setUpdatesEnabled(wasEnabled);
}

void ChoiceListView::clearRows() {
    const bool wasBlocked = blockSignals(true);
    clear();
    blockSignals(wasBlocked);
}

void ChoiceListView::mousePressEvent(QMouseEvent* event) {
    // The view makes the pressed row current before it selects it; the choice reads the selected row, so
    // the row is selected first and the click chooses the row it lands on.
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index.row() != currentIndex().row() && event->modifiers() == Qt::NoModifier) {
        selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    QTreeWidget::mousePressEvent(event);
}

void ChoiceListView::focusInEvent(QFocusEvent* event) {
    // Gaining the focus gives no row the focus: the view would make the first row current, and so choose
    // it without selecting it. An explicitly set (empty) current index stops that; the selection stays.
    if (!currentIndex().isValid()) {
        const QItemSelection selected = selectionModel()->selection();
        setCurrentIndex(QModelIndex());
        selectionModel()->select(selected, QItemSelectionModel::Select);
    }
    QTreeWidget::focusInEvent(event);
}

QByteArray ChoiceListView::currentText(int column) const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    if (selected.isEmpty()) {
        return {};
    }
    return selected.first()->data(column, kBytesRole).toByteArray();
}

QByteArray ChoiceListView::rowText(int row, int column) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item != nullptr ? item->data(column, kBytesRole).toByteArray() : QByteArray();
}

} // namespace velnor
