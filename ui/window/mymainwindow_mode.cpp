// Mode selector, page entries, load switch and trigger.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "SwitchButton.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace {
// Indices of the mode selector's items.
enum mode_index { page_basic = 0, page_protect = 1, page_battery = 2, page_list = 3, page_prog = 4, page_ext = 5 };

// Functions (func_code) in which the load has no short: OCP, OPP, battery,
// list, program (as entered and as read back), external CC and CV.
const int no_short_functions[] = {6, 7, 8, 13, 14, 20, 24, 25};
}

void MyMainWindow::on_comboBox_Mode_currentIndexChanged(int index)
{
    mode_page = index;
    // The page entered shows no run yet; replies of one shown before are late.
    begin_new_run();
    // Nor do the entries of pages passed on the way: their replies come
    // after this one's request, and lay out nothing.
    begin_page_visit();
    switch (index) {
    case page_basic: init_Basic(); break;
    case page_protect: init_Protect(); break;
    case page_battery: init_Battery(); break;
    case page_list: init_List(); break;
    case page_prog: init_Prog(); break;
    case page_ext: init_Ext(); break;
    default: break;
    }
}

void MyMainWindow::begin_page_visit()
{
    // Counted without overflow: past the largest int it starts again at 1.
    page_visit = page_visit < std::numeric_limits<int>::max() ? page_visit + 1 : 1;
}

bool MyMainWindow::page_visit_shown(int visit) const
{
    // Kept apart from the run number: a trigger on the page leaves the
    // page's entry reply its own.
    return visit == page_visit;
}

void MyMainWindow::show_config_page(QWidget* page)
{
    for (QWidget* p : {static_cast<QWidget*>(ui->groupBox_Config_Basic), static_cast<QWidget*>(ui->groupBox_Config_Protect),
                       static_cast<QWidget*>(ui->groupBox_Config_Battery), static_cast<QWidget*>(ui->groupBox_Config_List),
                       static_cast<QWidget*>(ui->groupBox_Config_Prog), static_cast<QWidget*>(ui->groupBox_Config_Ext)}) {
        p->setVisible(p == page);
    }
}

void MyMainWindow::on_pushButton_Load_clicked()
{
    if (!is_connected)
        return;
    const bool input_on = load_switch->getSelectedItem();
    // The page is told by the selector's index, not by its (translated) text.
    const int page = ui->comboBox_Mode->currentIndex();
    if (page == page_list && input_on)
        init_list_ui();
    // An input the user switched off is no protection's doing.
    input_off_asked = input_on;
    if (page != page_battery) {
        post(32, {input_on ? QStringLiteral("INP 0") : QStringLiteral("INP 1")}, {QStringLiteral("INP?")}, false, 0);
    } else if (!input_on) {
        // Switching a battery discharge on asks about the accumulated capacity first.
        post(32, {QString()}, {QStringLiteral("BATT:ADDCAP?")}, false, 185);
    } else {
        post(32, {QStringLiteral("INP 0")}, {QStringLiteral("BATT:ADDCAP?")}, false, 186);
    }
}

void MyMainWindow::on_pushButton_Trig_clicked()
{
    if (!is_connected)
        return;
    if (!load_switch->getSelectedItem()) {
        show_warning(tr("Please turn on the load !"));
        return;
    }
    // The reply follows this run only: it is tied to the page shown now.
    begin_new_run();
    post(82, {QStringLiteral("TRIG:SOUR BUS"), QStringLiteral("*TRG")}, {QString(), QString()}, false, run_number);
}

void MyMainWindow::on_pushButton_Short_clicked()
{
    if (!is_connected)
        return;
    if (std::find(std::begin(no_short_functions), std::end(no_short_functions), func_code)
        != std::end(no_short_functions)) {
        show_warning(tr("Short is invalid in present state !"));
        return;
    }
    post(33, {short_on ? QStringLiteral("SHOR 0") : QStringLiteral("SHOR 1")}, {QStringLiteral("SHOR?")});
}
