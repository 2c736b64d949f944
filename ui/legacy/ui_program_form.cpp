// The program result window: a three-column table below no other widget.
#include "ui_program_form.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QMetaObject>
#include <QTableWidget>

#include <algorithm>

namespace Ui {
// The window's form holds no widgets of its own; it names and sizes the window.
class ui_program_form
{
public:
    void setupUi(QWidget* form)
    {
        if (form->objectName().isEmpty())
            form->setObjectName(QStringLiteral("ui_program_form"));
        form->resize(450, 300);
        form->setWindowTitle(QCoreApplication::translate("ui_program_form", "Program_form"));
        QMetaObject::connectSlotsByName(form);
    }
};
} // namespace Ui

ui_program_form::ui_program_form(int steps, QWidget* parent) : QWidget(parent), ui(new Ui::ui_program_form)
{
    ui->setupUi(this);
    build_table(steps);
}

ui_program_form::~ui_program_form()
{
    delete ui;
}

void ui_program_form::build_table(int steps)
{
    program_tablewidget = new QTableWidget(this);
    program_tablewidget->setObjectName(QStringLiteral("program_tablewidget"));
    program_tablewidget->setGeometry(15, 11, 420, 278);
    program_tablewidget->horizontalHeader()->hide();
    program_tablewidget->verticalHeader()->hide();
    program_tablewidget->setColumnCount(3);
    program_tablewidget->setRowCount(std::max(0, steps) + 1);
    const char* const head[3] = {"Step", "Result", "Remarks"};
    for (int c = 0; c < 3; ++c) {
        auto* item = new QTableWidgetItem(QString::fromLatin1(head[c]));
        item->setFlags(Qt::NoItemFlags);
        program_tablewidget->setItem(0, c, item);
    }
    const int widths[3] = {100, 100, 200};
    for (int c = 0; c < 3; ++c)
        program_tablewidget->setColumnWidth(c, widths[c]);
}
