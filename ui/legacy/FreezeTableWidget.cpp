#include "FreezeTableWidget.h"

#include <QColor>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>

namespace {

// The overlays show copies, white on the dark table. A missing source cell
// (a table still being filled) gives an empty copy.
QTableWidgetItem* white_copy(const QTableWidget* source, int row, int column)
{
    const QTableWidgetItem* item = source->item(row, column);
    auto* copy = new QTableWidgetItem(item ? item->data(Qt::DisplayRole).toString() : QString());
    copy->setData(Qt::ForegroundRole, QColor(Qt::white));
    return copy;
}

Qt::ScrollBarPolicy column_scroll_policy(int columns)
{
    return columns > 5 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
}

// the frozen row's width over the table
constexpr int row_overlay_width = 600;

} // namespace

FreezeTableWidget::FreezeTableWidget(QTableWidget* source)
    : QTableView(nullptr)
{
    column_overlay = new QTableWidget(source);
    row_overlay = new QTableWidget(source);

    for (QTableWidget* overlay : {column_overlay.data(), row_overlay.data()}) {
        overlay->setEditTriggers(QAbstractItemView::NoEditTriggers);
        overlay->setFocusPolicy(Qt::NoFocus);
        overlay->verticalHeader()->hide();
        overlay->horizontalHeader()->hide();
        overlay->setColumnCount(source->columnCount());
        overlay->setRowCount(source->rowCount());
    }

    for (int r = 0; r < column_overlay->rowCount(); ++r) {
        QTableWidgetItem* copy = white_copy(source, r, 0);
        copy->setFlags(Qt::NoItemFlags);
        column_overlay->setItem(r, 0, copy);
    }
    // row 1, under a row 0 of height 0
    if (row_overlay->rowCount() > 1) {
        for (int c = 0; c < row_overlay->columnCount(); ++c)
            row_overlay->setItem(1, c, white_copy(source, 0, c));
    }

    for (int c = 1; c < column_overlay->columnCount(); ++c)
        column_overlay->setColumnHidden(c, true);
    for (int r = 2; r < row_overlay->rowCount(); ++r)
        row_overlay->setRowHidden(r, true);
    row_overlay->setRowHeight(0, 0);

    row_overlay->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    row_overlay->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    row_overlay->horizontalScrollBar()->hide();
    row_overlay->verticalScrollBar()->hide();
    row_overlay->show();
    row_overlay->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);

    column_overlay->setHorizontalScrollBarPolicy(column_scroll_policy(source->columnCount()));
    column_overlay->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    column_overlay->horizontalScrollBar()->hide();
    column_overlay->verticalScrollBar()->hide();
    column_overlay->show();
    column_overlay->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);

    const int first_width = source->columnWidth(0);
    for (int c = 0; c < source->columnCount(); ++c) {
        row_overlay->setColumnWidth(c, first_width);
        column_overlay->setColumnWidth(c, first_width);
    }

    column_overlay->setGeometry(0, 0, first_width, 180);
    row_overlay->setGeometry(0, 0, row_overlay_width, source->rowHeight(0));

    connect(source->horizontalScrollBar(), SIGNAL(valueChanged(int)), this, SLOT(set_row_value(int)));
    connect(source->verticalScrollBar(), SIGNAL(valueChanged(int)), this, SLOT(set_column_value(int)));
}

FreezeTableWidget::~FreezeTableWidget()
{
    // the overlays are the source's children; gone already when it went first
    delete column_overlay.data();
    delete row_overlay.data();
}

void FreezeTableWidget::update_frozen_row(int columns, QTableWidget* source, int last_column)
{
    if (!row_overlay || !column_overlay || !source)
        return;
    row_overlay->setColumnCount(columns);
    column_overlay->setHorizontalScrollBarPolicy(column_scroll_policy(columns));
    if (row_overlay->rowCount() > 1) {
        const int last = std::min(last_column, row_overlay->columnCount() - 1);
        for (int c = 0; c <= last; ++c) {
            QTableWidgetItem* copy = white_copy(source, 0, c);
            copy->setFlags(Qt::NoItemFlags);
            row_overlay->setItem(1, c, copy);
        }
    }
    row_overlay->setGeometry(0, 0, row_overlay_width, source->rowHeight(0));
    row_overlay->show();
}

void FreezeTableWidget::set_row_value(int value)
{
    if (row_overlay)
        row_overlay->horizontalScrollBar()->setValue(value);
}

void FreezeTableWidget::set_column_value(int value)
{
    if (!column_overlay)
        return;
    // the source scrolls by rows of 30 pixels, the overlay by pixels; row 11
    // goes where row 12 does
    column_overlay->verticalScrollBar()->setValue(value == 11 ? 360 : value * 30);
}
