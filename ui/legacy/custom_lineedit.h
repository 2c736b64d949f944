#ifndef CUSTOM_LINEEDIT_H
#define CUSTOM_LINEEDIT_H

#include <QWidget>

class QLineEdit;

// A labelled read-only line: the load's reading shown as a text field.
class custom_lineedit : public QWidget
{
    Q_OBJECT

public:
    custom_lineedit(const QString& label_text, const QString& text, QWidget* parent = nullptr);

    void set_text(const QString& text);

    QLineEdit* line_edit = nullptr;
};

#endif
