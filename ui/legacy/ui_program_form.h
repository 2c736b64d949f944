// A small window of a program's step results: step, result and remarks, a
// header row and one empty row per step. It stands beside the older
// window's program page; that page draws its results in its own form.
#ifndef UI_PROGRAM_FORM_H
#define UI_PROGRAM_FORM_H

#include "cfg_if_scpi_t.h"

#include <QList>
#include <QString>
#include <QWidget>

class QTableWidget;

namespace Ui {
class ui_program_form;
}

class ui_program_form : public QWidget
{
    Q_OBJECT

public:
    explicit ui_program_form(int steps, QWidget* parent = nullptr);
    ~ui_program_form() override;

    void build_table(int steps);

    QList<QString> steps_text;
    QList<QString> results_text;
    QList<QString> remarks_text;
    Ui::ui_program_form* ui = nullptr;
    cfg_if_scpi_t scpi;
    QTableWidget* program_tablewidget = nullptr;
};

#endif
