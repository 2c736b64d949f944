#ifndef CUSTOM_PICTURE_H
#define CUSTOM_PICTURE_H

#include <QLabel>

// A picture that reports a mouse press as a click.
class custom_picture : public QLabel
{
    Q_OBJECT

public:
    explicit custom_picture(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

#endif
