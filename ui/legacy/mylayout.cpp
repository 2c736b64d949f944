#include "mylayout.h"

mylayout::mylayout(QWidget* parent)
    : QGridLayout(parent)
{
}

void mylayout::set_cell_minimum(int width, int height)
{
    // an empty grid still reports one row and one column
    if (count() == 0)
        return;
    for (int c = 0; c < columnCount(); ++c)
        setColumnMinimumWidth(c, width);
    for (int r = 0; r < rowCount(); ++r)
        setRowMinimumHeight(r, height);
}

void mylayout::set_spacings(int horizontal, int vertical)
{
    setHorizontalSpacing(horizontal);
    setVerticalSpacing(vertical);
}

void mylayout::set_min_rows_cols(int rows, int row_height, int columns, int column_width)
{
    for (int r = 0; r < rows; ++r)
        setRowMinimumHeight(r, row_height);
    for (int c = 0; c < columns; ++c)
        setColumnMinimumWidth(c, column_width);
}
