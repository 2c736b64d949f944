// Read-back after a connection: every setting into the parameter store
// (operation 30), then the load's mode selects the page (operation 31).
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "cfg_thread_t.h"
#include "uiPara.h"

#include <QDebug>

#include <vector>

namespace {

// How one reply of the settings read-back is taken into the store.
enum class parse_t {
    i_range,  // "5\n" -> 0, any other text -> 1
    v_range,  // "36\n" -> 0, any other text -> 1
    number,   // double value
    count,    // integer value
    on_int,   // integer value, non-zero = on
    on_num,   // double value, non-zero = on
    aver,     // integer value minus 6
    word,     // index of the matching word; no match leaves the field
    steps,    // split at ",", empty parts kept
    skip,     // not stored
};

struct readback_field_t {
    parse_t parse;
    void (uiPara::*set_int)(int) = nullptr;
    void (uiPara::*set_double)(double) = nullptr;
    void (uiPara::*set_bool)(bool) = nullptr;
    void (uiPara::*set_steps)(const QStringList&) = nullptr;
    const QStringList* words = nullptr;
    // A second list setter fed the same steps (the LED voltage of a program
    // step is its level: the load has no query of its own for it).
    void (uiPara::*set_steps_too)(const QStringList&) = nullptr;
};

const QStringList dyn_mode_words = {QStringLiteral("CONTINUOUS\n"), QStringLiteral("PULSE\n"),
                                    QStringLiteral("TOGGLE\n")};
const QStringList list_mode_words = {QStringLiteral("CURRENT\n"), QStringLiteral("VOLTAGE\n"),
                                     QStringLiteral("RESISTANCE\n"), QStringLiteral("POWER\n")};
const QStringList battery_mode_words = {QStringLiteral("CURRENT\n"), QStringLiteral("POWER\n"),
                                        QStringLiteral("RESISTANCE\n")};
const QStringList ext_mode_words = {QStringLiteral("INT\n"), QStringLiteral("EXTI\n"), QStringLiteral("EXTV\n")};
const QStringList trig_words = {QStringLiteral("MANUAL\n"), QStringLiteral("EXTERNAL\n"), QStringLiteral("BUS\n")};

readback_field_t irange(void (uiPara::*fn)(int))
{
    readback_field_t f{parse_t::i_range};
    f.set_int = fn;
    return f;
}

readback_field_t vrange(void (uiPara::*fn)(int))
{
    readback_field_t f{parse_t::v_range};
    f.set_int = fn;
    return f;
}

readback_field_t num(void (uiPara::*fn)(double))
{
    readback_field_t f{parse_t::number};
    f.set_double = fn;
    return f;
}

readback_field_t count(void (uiPara::*fn)(int))
{
    readback_field_t f{parse_t::count};
    f.set_int = fn;
    return f;
}

readback_field_t aver(void (uiPara::*fn)(int))
{
    readback_field_t f{parse_t::aver};
    f.set_int = fn;
    return f;
}

readback_field_t on_int(void (uiPara::*fn)(bool))
{
    readback_field_t f{parse_t::on_int};
    f.set_bool = fn;
    return f;
}

readback_field_t on_num(void (uiPara::*fn)(bool))
{
    readback_field_t f{parse_t::on_num};
    f.set_bool = fn;
    return f;
}

readback_field_t word(void (uiPara::*fn)(int), const QStringList& words)
{
    readback_field_t f{parse_t::word};
    f.set_int = fn;
    f.words = &words;
    return f;
}

readback_field_t steps(void (uiPara::*fn)(const QStringList&), void (uiPara::*also)(const QStringList&) = nullptr)
{
    readback_field_t f{parse_t::steps};
    f.set_steps = fn;
    f.set_steps_too = also;
    return f;
}

readback_field_t skip()
{
    return readback_field_t{parse_t::skip};
}

// One entry per query of operation 30, in the command table's order.
const std::vector<readback_field_t>& readback_fields()
{
    using P = uiPara;
    static const std::vector<readback_field_t> fields = {
        // static CC, CV, CR, CP, LED
        irange(&P::set_static_cc_i_range), vrange(&P::set_static_cc_v_range), num(&P::set_static_cc_i),
        num(&P::set_static_cc_ris), num(&P::set_static_cc_fal),
        irange(&P::set_static_cv_i_range), vrange(&P::set_static_cv_v_range), num(&P::set_static_cv_v),
        irange(&P::set_static_cr_i_range), vrange(&P::set_static_cr_v_range), num(&P::set_static_cr_r),
        irange(&P::set_static_cp_i_range), vrange(&P::set_static_cp_v_range), num(&P::set_static_cp_p),
        irange(&P::set_static_led_i_range), vrange(&P::set_static_led_v_range), num(&P::set_static_led_io),
        num(&P::set_static_led_vo), num(&P::set_static_led_rco),
        // dynamic CC (with its slews), CV, CP, CR
        word(&P::set_dyn_cc_mode, dyn_mode_words), irange(&P::set_dyn_cc_i_range), vrange(&P::set_dyn_cc_v_range),
        num(&P::set_dyn_cc_a_level), num(&P::set_dyn_cc_b_level), num(&P::set_dyn_cc_a_width),
        num(&P::set_dyn_cc_b_width), num(&P::set_dyn_cc_ris), num(&P::set_dyn_cc_fal),
        word(&P::set_dyn_cv_mode, dyn_mode_words), irange(&P::set_dyn_cv_i_range), vrange(&P::set_dyn_cv_v_range),
        num(&P::set_dyn_cv_a_level), num(&P::set_dyn_cv_b_level), num(&P::set_dyn_cv_a_width),
        num(&P::set_dyn_cv_b_width),
        word(&P::set_dyn_cp_mode, dyn_mode_words), irange(&P::set_dyn_cp_i_range), vrange(&P::set_dyn_cp_v_range),
        num(&P::set_dyn_cp_a_level), num(&P::set_dyn_cp_b_level), num(&P::set_dyn_cp_a_width),
        num(&P::set_dyn_cp_b_width),
        word(&P::set_dyn_cr_mode, dyn_mode_words), irange(&P::set_dyn_cr_i_range), vrange(&P::set_dyn_cr_v_range),
        num(&P::set_dyn_cr_a_level), num(&P::set_dyn_cr_b_level), num(&P::set_dyn_cr_a_width),
        num(&P::set_dyn_cr_b_width),
        // program steps
        steps(&P::set_prog_pause), steps(&P::set_prog_mode), steps(&P::set_prog_irange),
        steps(&P::set_prog_vrange), steps(&P::set_prog_short), steps(&P::set_prog_ton), steps(&P::set_prog_toff),
        steps(&P::set_prog_tdly), steps(&P::set_prog_min), steps(&P::set_prog_max),
        steps(&P::set_prog_set, &P::set_prog_vo), steps(&P::set_prog_io), steps(&P::set_prog_rco),
        count(&P::set_program_step),
        // list
        word(&P::set_list_mode, list_mode_words), irange(&P::set_list_i_range), vrange(&P::set_list_v_range),
        count(&P::set_list_count), count(&P::set_list_step),
        steps(&P::set_list_set), steps(&P::set_list_width), steps(&P::set_list_slew),
        // OCP and OPP tests
        irange(&P::set_ocpt_i_range), vrange(&P::set_ocpt_v_range), num(&P::set_ocpt_v), num(&P::set_ocpt_i_step),
        num(&P::set_ocpt_i_start), num(&P::set_ocpt_i_end), num(&P::set_ocpt_i_min), num(&P::set_ocpt_i_max),
        num(&P::set_ocpt_delay),
        irange(&P::set_oppt_i_range), vrange(&P::set_oppt_v_range), num(&P::set_oppt_v), num(&P::set_oppt_p_step),
        num(&P::set_oppt_p_start), num(&P::set_oppt_p_end), num(&P::set_oppt_p_min), num(&P::set_oppt_p_max),
        num(&P::set_oppt_delay),
        // battery ("BATT:RRANG?" and "BATT:ADDCAP?" are not settings)
        word(&P::set_battery_mode, battery_mode_words), irange(&P::set_battery_i_range),
        vrange(&P::set_battery_v_range), skip(), num(&P::set_battery_level),
        on_num(&P::set_battery_v_stop_sw), on_num(&P::set_battery_c_stop_sw), on_num(&P::set_battery_t_stop_sw),
        num(&P::set_battery_v_stop), num(&P::set_battery_c_stop), num(&P::set_battery_t_stop), skip(),
        // external control
        word(&P::set_ext_mode, ext_mode_words), irange(&P::set_ext_i_range), vrange(&P::set_ext_v_range),
        // utility
        on_int(&P::set_utility_vrmt), on_int(&P::set_utility_sof), on_int(&P::set_utility_vol),
        aver(&P::set_utility_aver), num(&P::set_utility_von), word(&P::set_utility_trig, trig_words),
        on_int(&P::set_utility_ext_sw), on_int(&P::set_utility_imon), on_int(&P::set_utility_vmon),
        on_int(&P::set_utility_tmon), num(&P::set_utility_v_low), num(&P::set_utility_v_high),
        on_int(&P::set_utility_i_protect), num(&P::set_utility_current), num(&P::set_utility_i_delay),
        on_int(&P::set_utility_p_protect), num(&P::set_utility_power), num(&P::set_utility_p_delay),
    };
    return fields;
}

void store_field(uiPara* p, const readback_field_t& f, const QString& reply)
{
    switch (f.parse) {
    case parse_t::i_range:
        (p->*f.set_int)(reply == QLatin1String("5\n") ? 0 : 1);
        break;
    case parse_t::v_range:
        (p->*f.set_int)(reply == QLatin1String("36\n") ? 0 : 1);
        break;
    case parse_t::number:
        (p->*f.set_double)(reply.toDouble());
        break;
    case parse_t::count:
        (p->*f.set_int)(reply.toInt());
        break;
    case parse_t::aver:
        (p->*f.set_int)(reply.toInt() - 6);
        break;
    case parse_t::on_int:
        (p->*f.set_bool)(reply.toInt() != 0);
        break;
    case parse_t::on_num:
        (p->*f.set_bool)(reply.toDouble() != 0.0);
        break;
    case parse_t::word: {
        const int index = f.words->indexOf(reply);
        if (index >= 0)
            (p->*f.set_int)(index);
        break;
    }
    case parse_t::steps: {
        const QStringList parts = reply.split(QLatin1Char(','), Qt::KeepEmptyParts);
        (p->*f.set_steps)(parts);
        if (f.set_steps_too)
            (p->*f.set_steps_too)(parts);
        break;
    }
    case parse_t::skip:
        break;
    }
}

// Replies of operation 31.
enum mode_reply { m_mode, m_static, m_tran, m_time_test, m_short, m_ext, mode_reply_count };

} // namespace

int MyMainWindow::readback_field_count()
{
    return static_cast<int>(readback_fields().size());
}

void MyMainWindow::deal_static_value(QList<QString> replies, QList<QWidget*> widgets)
{
    if (replies.isEmpty()) {
        qDebug() << "MyMainWindow::deal_static_value: no reply; ignored";
        return;
    }
    static const QStringList words = {QStringLiteral("CURRENT\n"), QStringLiteral("VOLTAGE\n"),
                                      QStringLiteral("RESISTANCE\n"), QStringLiteral("POWER\n"),
                                      QStringLiteral("LED\n")};
    const int code = words.indexOf(replies[0]);
    if (code < 0)
        return;
    fill_cmd_list(code);
    // On the visit this read-back was asked on (its reply is not taken otherwise).
    cfg_thread->add_request(code, write_list, query_list, widgets, false, page_visit, false, QByteArray());
}

void MyMainWindow::deal_init_para_value(QList<QString> replies, int)
{
    const std::vector<readback_field_t>& fields = readback_fields();
    if (replies.size() >= static_cast<int>(fields.size())) {
        uiPara* p = uiPara::instance();
        for (std::size_t i = 0; i < fields.size(); ++i)
            store_field(p, fields[i], replies[static_cast<int>(i)]);
    } else {
        qDebug() << "MyMainWindow::deal_init_para_value: short reply," << replies.size() << "of"
                 << fields.size() << "replies; settings not stored";
    }
    // The mode read-back follows in any case: it shows the page and starts
    // the poll, and closes the wait prompt.
    fill_cmd_list(31);
    cfg_thread->add_request(31, write_list, query_list, QList<QWidget*>(), true, 1, false, QByteArray());
    connect_para_signals();
}

void MyMainWindow::deal_init_value(QList<QString> replies, int subcode)
{
    // The page changes below must not run the mode selector's own entry.
    disconnect(ui->comboBox_Mode, SIGNAL(currentIndexChanged(int)), this,
               SLOT(on_comboBox_Mode_currentIndexChanged(int)));

    const bool complete = replies.size() >= mode_reply_count;
    if (!complete) {
        qDebug() << "MyMainWindow::deal_init_value: short reply," << replies.size() << "of" << mode_reply_count
                 << "replies; page left as it is";
    } else {
        const int time_test = replies[m_time_test].toInt();
        if (time_test == 0)
            time_test_flag = false;
        else if (time_test == 1)
            time_test_flag = true;

        const bool layout = subcode == 1;
        auto basic_function = [&](const QString& reply, bool with_led) {
            static const QStringList words = {QStringLiteral("CURRENT\n"), QStringLiteral("VOLTAGE\n"),
                                              QStringLiteral("RESISTANCE\n"), QStringLiteral("POWER\n"),
                                              QStringLiteral("LED\n")};
            int func = words.indexOf(reply);
            if (func == 4 && !with_led)
                func = -1;
            if (func < 0)
                return;
            func_code = func;
            // A load in a plain static function is not laid out as LED, even
            // when an earlier connection left the LED form.
            is_led = func == 4;
            if (!layout)
                return;
            // LED is laid out as CR with the LED box checked.
            static const int modes[] = {0, 1, 2, 3, 2};
            QRadioButton* const buttons[] = {ui->radioButton_CC_Basic, ui->radioButton_CV_Basic,
                                             ui->radioButton_CR_Basic, ui->radioButton_CP_Basic,
                                             ui->radioButton_CR_Basic};
            buttons[func]->setChecked(true);
            ui->checkBox_LED_Basic->setChecked(func == 4);
            basic_mode = modes[func];
            init_Basic_Config_By_Mode(basic_mode);
        };
        auto select_page = [&](int page) {
            mode_page = page;
            // A visit ends only when the page shown changes: then, as the
            // selector's own change does, a new one begins and what an
            // earlier entry posted is not laid out over it. On the page
            // shown, what the user clicked meanwhile is still laid out.
            if (ui->comboBox_Mode->currentIndex() != page) {
                begin_page_visit();
                ui->comboBox_Mode->setCurrentIndex(page);
            }
        };

        const QString& ext = replies[m_ext];
        if (ext == QLatin1String("INT\n")) {
            // As Basic's own entry sets the page up (the other pages' entries below redo theirs).
            show_basic_page();
            const QString& mode = replies[m_mode];
            if (mode == QLatin1String("BASIC\n")) {
                select_page(0);
                is_dynamic = false;
                basic_function(replies[m_static], true);
            } else if (mode == QLatin1String("TRAN\n")) {
                select_page(0);
                func_code = 5;
                is_dynamic = true;
                is_led = false;
                basic_function(replies[m_tran], false);
            } else if (mode == QLatin1String("OCP\n") || mode == QLatin1String("OPP\n")) {
                const bool ocp = mode == QLatin1String("OCP\n");
                func_code = ocp ? 6 : 7;
                (ocp ? ui->radioButton_OCPT : ui->radioButton_OPPT)->setChecked(true);
                protect_mode = ocp ? 0 : 1;
                select_page(1);
                init_Protect();
            } else if (mode == QLatin1String("BATTERY\n")) {
                func_code = 8;
                select_page(2);
                init_Battery();
            } else if (mode == QLatin1String("LIST\n")) {
                func_code = 13;
                select_page(3);
                init_List();
            } else if (mode == QLatin1String("PROGRAM\n")) {
                func_code = 20;
                select_page(4);
                init_Prog();
            }
        } else if (ext == QLatin1String("EXTI\n") || ext == QLatin1String("EXTV\n")) {
            func_code = ext == QLatin1String("EXTI\n") ? 24 : 25;
            ext_mode_code = func_code;
            select_page(5);
            init_Ext();
        }
        update_short_state(replies[m_short].toInt() != 0);
    }

    uiPara* p = uiPara::instance();
    update_trig_state(p->get_utility_trig());
    update_aver_state(p->get_utility_aver());
    update_sense_state(p->get_utility_vrmt());
    update_sof_state(p->get_utility_sof());
    update_vol_state(p->get_utility_vol());
    update_ext_sw_state(p->get_utility_ext_sw());
    update_imon_state(p->get_utility_imon());
    update_vmon_state(p->get_utility_vmon());
    update_tmon_state(p->get_utility_tmon());
    update_iprotect_state(p->get_utility_i_protect());
    update_pprotect_state(p->get_utility_p_protect());

    close_wait_prompt(wait_t::connect);
    request_measure();
    // The connection has read the load back: a save or load pressed while
    // it was made goes now.
    connection_readback_open = false;
    if (settings_wait_connection)
        hold_for_settings_transfer();

    connect(ui->comboBox_Mode, SIGNAL(currentIndexChanged(int)), this,
            SLOT(on_comboBox_Mode_currentIndexChanged(int)), Qt::UniqueConnection);
}
