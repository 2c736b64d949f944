#ifndef MYLAYOUT_H
#define MYLAYOUT_H

#include <QGridLayout>

// A grid layout with the sizing calls the older window's page builders use.
class mylayout : public QGridLayout
{
    Q_OBJECT

public:
    explicit mylayout(QWidget* parent = nullptr);

    // Every column and row that exists now gets these minimum sizes.
    void set_cell_minimum(int width, int height);
    void set_spacings(int horizontal, int vertical);
    // Rows 0..rows-1 and columns 0..columns-1 get the minimum sizes; a count
    // of 0 or less touches nothing.
    void set_min_rows_cols(int rows, int row_height, int columns, int column_width);
};

#endif
