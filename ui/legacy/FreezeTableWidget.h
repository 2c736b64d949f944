#ifndef FREEZETABLEWIDGET_H
#define FREEZETABLEWIDGET_H

#include <QPointer>
#include <QTableView>

class QTableWidget;

// Keeps a table's first column and first row in view while it scrolls: two
// overlay tables, children of the source, laid over its top-left corner and
// scrolled in step with it. The view itself is never shown.
class FreezeTableWidget : public QTableView
{
    Q_OBJECT

public:
    explicit FreezeTableWidget(QTableWidget* source);
    ~FreezeTableWidget() override;

    // Refreshes the frozen row after the source changed its columns; copies
    // the source's row 0, columns 0 to last_column, into row 1.
    void update_frozen_row(int columns, QTableWidget* source, int last_column);

    // Only column 0 visible.
    QPointer<QTableWidget> column_overlay;
    // Row 0 of height 0, row 1 holding the copies of the source's row 0.
    QPointer<QTableWidget> row_overlay;

public slots:
    void set_row_value(int value);
    // The source scrolls by rows, the overlay by pixels (30 a row).
    void set_column_value(int value);
};

#endif
