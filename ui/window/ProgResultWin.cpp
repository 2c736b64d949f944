#include "ProgResultWin.h"

#include "ui_progresultwin.h"

#include "mymainwindow.h"
#include "prog_step_text.h"
#include "uiPara.h"

#include <QDebug>
#include <QHeaderView>
#include <QTableWidget>

namespace {
// No red text reads on the table's grey (a pure red has 2:1 against it):
// a verdict colours its cells, and their white text stands at 6:1 or more.
const QColor pass_ground(30, 110, 50);
const QColor fail_ground(150, 30, 30);

QTableWidgetItem* make_item(const QString& text = QString())
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::NoItemFlags);
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}
} // namespace

ProgResultWin::ProgResultWin(QWidget* parent)
    : QMainWindow(parent)
{
    ui = new Ui_ProgResultWin;
    ui->setupUi(this);
    // A dialog-type window: a window manager keeps it (transient for the
    // main window, its parent) in front of the main window. Not modal.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(342, 348);
    QTableWidget* table = ui->tableWidget_Prog_Res;
    table->setColumnWidth(0, 40);
    table->setColumnWidth(1, 60);
    // The remarks take the width the scroll bar leaves, no horizontal
    // scrolling: a stretched last section never shrinks below the width it
    // was given, and 40 + 60 + 197 is more than the scroll bar leaves (the
    // view then scrolled the step numbers away once the window took focus).
    table->horizontalHeader()->setStretchLastSection(true);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    init_res_table();
    update_prog_res_table(uiPara::instance()->get_program_step());
    connect(uiPara::instance(), SIGNAL(sig_program_step(int)), this, SLOT(update_prog_res_table(int)));
    MyMainWindow* main_window = qobject_cast<MyMainWindow*>(parent);
    if (!main_window)
        main_window = g_main_window;
    if (main_window) {
        connect(main_window, SIGNAL(update_prog_res(QList<QString>)), this,
                SLOT(deal_prog_result_operating_button(QList<QString>)));
    }
}

ProgResultWin::~ProgResultWin()
{
    delete ui;
}

QTableWidget* ProgResultWin::result_table() const
{
    return ui->tableWidget_Prog_Res;
}

void ProgResultWin::clear_res_table()
{
    QTableWidget* table = ui->tableWidget_Prog_Res;
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int col = 1; col <= 2; ++col) {
            if (QTableWidgetItem* item = table->item(row, col))
                item->setText(QString());
        }
    }
}

void ProgResultWin::init_res_table()
{
    QTableWidget* table = ui->tableWidget_Prog_Res;
    table->setRowCount(1);
    for (int col = 0; col < 3; ++col)
        table->setItem(0, col, make_item());
    table->setItem(0, 0, new QTableWidgetItem(QStringLiteral("1")));
}

void ProgResultWin::update_prog_res_table(int count)
{
    QTableWidget* table = ui->tableWidget_Prog_Res;
    count = qBound(0, count, int(uiPara::prog_entries));
    const int old_count = table->rowCount();
    if (count == old_count)
        return;
    table->setRowCount(count);
    for (int row = old_count; row < count; ++row) {
        for (int col = 0; col < 3; ++col)
            table->setItem(row, col, make_item());
        table->setItem(row, 0, new QTableWidgetItem(QString::number(row + 1)));
    }
}

void ProgResultWin::deal_prog_result_operating_button(QList<QString> value_list)
{
    if (value_list.isEmpty()) {
        qDebug() << "ProgResultWin::deal_prog_result_operating_button: no reply";
        return;
    }
    QStringList values = value_list.at(0).split(QLatin1Char(','));
    // The line end after the last value's comma is no value.
    if (!values.isEmpty() && values.last().trimmed().isEmpty())
        values.removeLast();

    uiPara* para = uiPara::instance();
    const int n = qBound(0, para->get_program_step(), int(uiPara::prog_entries));
    QTableWidget* table = ui->tableWidget_Prog_Res;
    if (table->rowCount() < n)
        update_prog_res_table(n);
    for (int i = 0; i < n; ++i) {
        // The limits the load judged with, as the store holds them.
        const QString mode = prog_step_text::mode_abbrev(prog_step_text::mode_index(para->get_prog_mode_by_index(i)));
        const double min = prog_step_text::number(para->get_prog_min_by_index(i));
        const double max = prog_step_text::number(para->get_prog_max_by_index(i));
        QString verdict;
        QString remark;
        QColor ground;
        if (i >= values.size()) {
            remark = tr("No reading");
        } else {
            const double v = prog_step_text::number(values.at(i));
            const QString number = QString::number(v, 'f', 3) + QStringLiteral("(") + mode + QStringLiteral(")");
            // Below the minimum first: with min above max that is the remark.
            const bool pass = v >= min && v <= max;
            verdict = pass ? tr("Pass") : tr("Fail");
            if (v < min)
                remark = tr("Below MIN: ") + number;
            else if (v > max)
                remark = tr("Over MAX: ") + number;
            else
                remark = number;
            ground = pass ? pass_ground : fail_ground;
        }
        auto* verdict_item = new QTableWidgetItem(verdict);
        auto* remark_item = new QTableWidgetItem(remark);
        for (QTableWidgetItem* item : {verdict_item, remark_item}) {
            if (ground.isValid()) {
                item->setBackground(ground);
                item->setForeground(QColor(Qt::white));
            }
            item->setFlags(Qt::NoItemFlags);
        }
        table->setItem(i, 1, verdict_item);
        table->setItem(i, 2, remark_item);
        if (QTableWidgetItem* step = table->item(i, 0))
            step->setFlags(Qt::NoItemFlags);
    }
}
