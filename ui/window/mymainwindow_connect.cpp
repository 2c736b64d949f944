// The device tree and the connection: the loads the window can reach,
// connecting, disconnecting, the manual LAN addresses and the status timer
// that follows the connection.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "Get_configure_value.h"
#include "SwitchButton.h"
#include "app_paths.h"
#include "cfg_if_scpi_t.h"
#include "cfg_thread_t.h"
#include "connectWindow.h"
#include "ui_connectwindow.h"
#include "device/visa_session.h"
#include "device_scan_t.h"
#include "ipcreat.h"
#include "lib_xml_t.h"
#include "ui_comm_tree_xml_t.h"
#include "thread_order.h"
#include "window_place.h"

#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QDockWidget>
#include <QDebug>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIcon>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <algorithm>
#include <iterator>

namespace {

const int status_period_ms = 500;
const char remote_off_command[] = "SYST:REMOT:STAT 0";
const char input_off_command[] = "INP 0";

// Pauses before a new connection opens, after the old load was told it is
// no longer remote-controlled, or after a LAN session was closed.
const int pause_after_remote_off_ms = 100;
const int pause_after_lan_close_ms = 50;

const char icon_usb[] = ":/resource/image_comm_instr_usb.png";
const char icon_usb_connected[] = ":/resource/image_comm_instr_usb_connected.png";
const char icon_net[] = ":/resource/image_comm_instr_net.png";
const char icon_net_invalid[] = ":/resource/image_comm_instr_net_invalid.png";
const char icon_net_connected[] = ":/resource/image_comm_instr_net_connected.png";
const char icon_network[] = ":/resource/image_comm_dev_network.png";

QIcon icon(const char* path)
{
    return QIcon(QString::fromLatin1(path));
}

// Written on the window's thread, with the command thread ended.
void write_now(const char* command)
{
    const ViSession session = g_visa_session.load();
    if (session == VISA_NO_SESSION)
        return;
    cfg_if_scpi_t scpi;
    scpi.scpi_write(session, command);
}

QTreeWidgetItem* find_item(QTreeWidget* tree, const QString& text)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        if ((*it)->text(0) == text)
            return *it;
    }
    return nullptr;
}

} // namespace

void MyMainWindow::init_connect_signals()
{
    network_root_text = tr("Network Devices");
    wrong_resource_text = tr("It's not the correct resource !");

    status_timer = new QTimer(this);
    connect(status_timer, SIGNAL(timeout()), this, SLOT(device_status()));

    connect(get_configure_value, SIGNAL(send_connect_no_exist(int)), this, SLOT(deal_connect_no_exist(int)));
    connect(get_configure_value, SIGNAL(send_connect_success(int)), this, SLOT(deal_connect_success(int)));
    connect(get_configure_value, SIGNAL(send_connect_fail(int)), this, SLOT(deal_connect_fail(int)));
    // A disconnect finishes once the command thread has really ended, and a
    // connection that replaced another opens once that one's thread has.
    connect(cfg_thread, &QThread::finished, this, &MyMainWindow::finish_session_end);
    connect(get_configure_value, &QThread::finished, this, &MyMainWindow::deal_identify_end);

    identify_timer = new QTimer(this);
    identify_timer->setSingleShot(true);
    // Started only once no identification is busy (open_waiting_connection).
    connect(identify_timer, &QTimer::timeout, this, [this] {
        const std::string resource = connect_waiting_resource.toUtf8().toStdString();
        get_configure_value->resource = resource;
        get_configure_value->attempt = connect_attempt;
        cfg_thread->set_resource(resource);
        get_configure_value->request_code = Get_configure_value::code_connect;
        get_configure_value->clear_abort();
        identify_busy = true;
        get_configure_value->start();
    });

    connect(ui->treeWidget_dev, SIGNAL(itemPressed(QTreeWidgetItem*,int)), this,
            SLOT(deal_dev_tree_item_clicked(QTreeWidgetItem*,int)));
    ui->treeWidget_dev->header()->setFixedHeight(20);

    device_scan = new device_scan_t(this);
    connect(device_scan, &QThread::finished, this, &MyMainWindow::deal_device_scan_end);

    refresh_device();

    action_create = new QAction(icon(":/resource/image_comm_create_net.png"), tr("Create VISA TCP/IP Resource"), this);
    connect(action_create, SIGNAL(triggered()), this, SLOT(deal_action_creatnet()));
    action_connect = new QAction(icon(":/resource/image_connect_to_instr_usb.png"), tr("Connect to Resource"), this);
    connect(action_connect, SIGNAL(triggered()), this, SLOT(deal_action_connect()));
    action_disconnect =
        new QAction(icon(":/resource/image_disconnect_to_instr_usb.png"), tr("Disconnect Resource"), this);
    connect(action_disconnect, SIGNAL(triggered()), this, SLOT(deal_action_disconnect()));
    action_delete = new QAction(icon(":/resource/image_point_del.png"), tr("Delete Resource"), this);
    connect(action_delete, SIGNAL(triggered()), this, SLOT(deal_action_delete()));

    // The form's "Connect" action opens the connection dialog; the Connect
    // menu offers it after "Refresh".
    connect(ui->actionConnect, SIGNAL(triggered()), this, SLOT(do_connect_action()));
    ui->menuConnect->addAction(ui->actionConnect);
}

// ---- the tree and its menu

void MyMainWindow::deal_dev_tree_item_clicked(QTreeWidgetItem* item, int column)
{
    if (!item)
        return;
    pressed_text = item->text(0);
    if (QGuiApplication::mouseButtons() != Qt::RightButton)
        return;
    const QString text = item->text(column);
    if (text.isEmpty())
        return;

    QMenu* menu = new QMenu(ui->treeWidget_dev);
    menu->setStyleSheet(QStringLiteral("QMenu{background-color: rgb(51, 51, 51);color: white;}"
                                       "QMenu::item:selected{background-color: rgb(114, 114, 114)}"
                                       "QMenu::item:!enabled{color: rgb(120, 120, 120)}"));
    pressed_item = item;
    if (text == network_root_text) {
        menu->addAction(action_create);
    } else {
        pressed_is_usb = text.left(6) != QLatin1String("TCPIP0");
        const bool is_connected_item = item == connected_item;
        if (is_connected_item) {
            action_disconnect->setIcon(icon(pressed_is_usb ? ":/resource/image_disconnect_to_instr_usb.png"
                                                           : ":/resource/image_disconnect_to_instr_net.png"));
            menu->addAction(action_disconnect);
        } else {
            action_connect->setIcon(icon(pressed_is_usb ? ":/resource/image_connect_to_instr_usb.png"
                                                        : ":/resource/image_connect_to_instr_net.png"));
            menu->addAction(action_connect);
        }
        if (!pressed_is_usb)
            menu->addAction(action_delete);
    }
    QPointer<QMenu> guard(menu);
    menu->exec(QCursor::pos());
    delete guard.data();
}

void MyMainWindow::set_item_icon(QTreeWidgetItem* item, bool usb, bool connected)
{
    if (!item)
        return;
    if (usb)
        item->setIcon(0, icon(connected ? icon_usb_connected : icon_usb));
    else if (connected)
        item->setIcon(0, icon(icon_net_connected));
    else // what its last scan found
        item->setIcon(0, icon(manual_lan_map.value(item->text(0).toUtf8()) ? icon_net : icon_net_invalid));
}

void MyMainWindow::restore_connected_icon()
{
    set_item_icon(connected_item, connected_is_usb, false);
    connected_item = nullptr;
    connected_item_text.clear();
}

void MyMainWindow::update_usb_resource()
{
    QTreeWidget* tree = ui->treeWidget_dev;
    for (const QString& resource : scanned_resources) {
        if (!resource.contains(QLatin1String("USB")))
            continue;
        auto* item = new QTreeWidgetItem(tree);
        item->setText(0, resource);
        item->setToolTip(0, resource);
        item->setIcon(0, icon(icon_usb));
    }
    tree->expandAll();
}

void MyMainWindow::update_net_resource()
{
    QTreeWidget* tree = ui->treeWidget_dev;
    auto* root = new QTreeWidgetItem(tree);
    root->setText(0, network_root_text);
    root->setIcon(0, icon(icon_network));
    for (auto it = manual_lan_map.constBegin(); it != manual_lan_map.constEnd(); ++it) {
        const QString resource = QString::fromUtf8(it.key());
        auto* item = new QTreeWidgetItem(root);
        item->setText(0, resource);
        item->setToolTip(0, resource);
        item->setIcon(0, icon(it.value() ? icon_net : icon_net_invalid));
    }
    tree->expandAll();
}

void MyMainWindow::_update_manual_tcpip_list()
{
    manual_lan_map.clear();
    ui_comm_tree_xml_t xml;
    const QMap<QString, QString> children = xml.get_all_child_node_by_parent(
        app_paths::config_file(), QString::fromLatin1(lib_xml_t::manual_ip_name), QStringLiteral("IP"));
    for (const QString& resource : children)
        manual_lan_map.insert(resource.toUtf8(), false);
}

void MyMainWindow::clear_resource()
{
    ui->treeWidget_dev->clear();
    pressed_item = nullptr;
    connected_item = nullptr;
}

void MyMainWindow::rebuild_tree()
{
    const QString pressed = pressed_item ? pressed_item->text(0) : QString();
    clear_resource();
    update_usb_resource();
    update_net_resource();
    // The items stand for the same resources as before the rebuild.
    if (!pressed.isEmpty())
        pressed_item = find_item(ui->treeWidget_dev, pressed);
    // A load connected without an item (through the Connect window) gets
    // its item marked once the tree holds one.
    if (!connected_item_text.isEmpty()) {
        connected_item = find_item(ui->treeWidget_dev, connected_item_text);
        if (connected_item && is_connected)
            set_item_icon(connected_item, connected_is_usb, true);
    }
    fit_dock_to_tree();
}

void MyMainWindow::fit_dock_to_tree()
{
    QTreeWidget* tree = ui->treeWidget_dev;
    QDockWidget* dock = ui->dockWidget_connect;
    const int needed = static_cast<QAbstractItemView*>(tree)->sizeHintForColumn(0) + 2 * tree->frameWidth() + tree->verticalScrollBar()->sizeHint().width();
    const int target = qBound(dock->minimumWidth(), needed, dock->maximumWidth());
    const int grow = target - dock->width();
    if (grow <= 0)
        return;
    // The central area keeps its fixed layout: the window grows with the dock.
    int width_wanted = width() + grow;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        width_wanted = qMin(width_wanted, screen->availableGeometry().width());
    if (width_wanted > width())
        resize(width_wanted, height());
    // On a small screen the dock takes only what the central area leaves
    // (the items' tool tips show whole names).
    const int room = width() - central_width_needed() - 6;
    resizeDocks({dock}, {qMax(dock->width(), qMin(target, room))}, Qt::Horizontal);
}

// ---- the scan

bool MyMainWindow::device_scan_busy() const
{
    return device_scan_open;
}

void MyMainWindow::start_device_scan()
{
    if (device_scan->isRunning()) {
        // The list changed meanwhile: scan again once this one ends.
        rescan_wanted = true;
        return;
    }
    rescan_wanted = false;
    device_scan_open = true;
    device_scan->start_scan(manual_lan_map);
}

void MyMainWindow::deal_device_scan_end()
{
    if (rescan_wanted) {
        start_device_scan();
        return;
    }
    device_scan_open = false;
    scanned_resources = device_scan->scanned();
    const QMap<QByteArray, bool> answered = device_scan->lan_resources();
    for (auto it = manual_lan_map.begin(); it != manual_lan_map.end(); ++it)
        it.value() = answered.value(it.key(), false);
    rebuild_tree();
    if (auto* dialog = qobject_cast<connectWindow*>(connect_dialog.data())) {
        // Not while the user is on the LAN page: the refill shows the USB page.
        if (dialog->form()->tabWidget->currentWidget() == dialog->form()->USB)
            usb_resources = dialog->fill_usb_table(scanned_resources);
    }
    if (refresh_prompt && wait_prompt == refresh_prompt)
        close_wait_prompt(wait_t::refresh);
    refresh_prompt.clear();
}

void MyMainWindow::refresh_device()
{
    // The refresh action asked before its prompt came up.
    const bool input_off = refresh_input_off;
    refresh_input_off = false;
    if (is_connected || connecting)
        disconnect_load(input_off);
    // The refresh action's prompt stays until the scan has ended.
    if (wait_prompt)
        refresh_prompt = wait_prompt;
    _update_manual_tcpip_list();
    rebuild_tree();
    start_device_scan();
}

// ---- ending a session

void MyMainWindow::write_remote_off()
{
    write_now(remote_off_command);
}

void MyMainWindow::end_session(bool remote_off, bool input_off)
{
    session_ending = true;
    session_remote_off = session_remote_off || remote_off;
    session_input_off = session_input_off || input_off;
    cfg_thread->stop();
    // Without an exchange in progress the end comes at once; otherwise the
    // thread's finished() brings it.
    finish_session_end();
}

void MyMainWindow::finish_session_end()
{
    if (!session_ending || cfg_thread->carries_replies())
        return;
    session_ending = false;
    const bool remote_off = session_remote_off;
    const bool input_off = session_input_off;
    session_remote_off = false;
    session_input_off = false;
    // While an identification runs, or its result is still to be handled,
    // the shared session is its own: there is no session of ours to end.
    if (!identify_busy) {
        if (input_off)
            write_now(input_off_command);
        if (remote_off)
            write_remote_off();
        cfg_thread->close_session();
        if (remote_off)
            connect_pause_ms = qMax(connect_pause_ms, pause_after_remote_off_ms);
    }
    open_waiting_connection();
    if (close_when_ended)
        QTimer::singleShot(0, this, &QWidget::close);
}

void MyMainWindow::open_waiting_connection()
{
    if (!connect_waiting || session_ending || identify_busy)
        return;
    connect_waiting = false;
    identify_timer->start(connect_pause_ms);
}

void MyMainWindow::deal_identify_end()
{
    // Queued after the thread's result, so that result has been handled:
    // only now is the shared session free for the next identification.
    thread_order::wait(get_configure_value);
    identify_busy = false;
    open_waiting_connection();
}

void MyMainWindow::start_identify(const QString& resource, int pause_ms, bool input_off)
{
    // An identification in progress is cut short, not waited for: the new
    // one starts when its thread has ended.
    get_configure_value->abort();
    identify_timer->stop();
    connect_waiting_resource = resource;
    connect_waiting = true;
    connecting = true;
    ++connect_attempt;
    connect_pause_ms = pause_ms;
    connection_readback_open = false;
    // Whatever was connected before ends first (told it is no longer
    // remote-controlled when it was connected).
    end_session(is_connected, input_off);
    is_connected = false;
}

MyMainWindow::stage_t MyMainWindow::session_stage() const
{
    if (connecting)
        return stage_t::identifying;
    if (is_connected)
        return connection_readback_open ? stage_t::reading_back : stage_t::connected;
    return session_ending ? stage_t::ending : stage_t::none;
}

// ---- connect and disconnect

void MyMainWindow::deal_action_connect()
{
    // Copied: a press while the question is open changes the pressed text.
    const QString resource = pressed_text;
    connect_to(resource, resource);
}

void MyMainWindow::connect_resource(const QString& resource)
{
    connect_to(resource, resource);
}

void MyMainWindow::connect_tcpip_address(const QString& address)
{
    // The tree keeps a LAN load under its short resource name.
    // A closed LAN session gets a moment before the next one opens.
    connect_to(QStringLiteral("TCPIP0::") + address + QStringLiteral("::inst0::INSTR"),
               QStringLiteral("TCPIP0::") + address + QStringLiteral("::INSTR"), pause_after_lan_close_ms);
}

void MyMainWindow::connect_to(const QString& resource, const QString& item_text, int pause_ms)
{
    const leave_t leave = ask_leave_session(road_t::connect_elsewhere);
    if (leave == leave_t::stay)
        return;
    restore_connected_icon();
    current_resource = resource;
    // The load's item, whichever road connects it, shows the connection; the
    // tree may have been rebuilt while the question was open.
    connected_item = find_item(ui->treeWidget_dev, item_text);
    connected_is_usb = item_text.left(6) != QLatin1String("TCPIP0");
    connected_item_text = item_text;
    start_identify(resource, pause_ms, leave == leave_t::leave_input_off);
}

void MyMainWindow::deal_action_disconnect()
{
    const leave_t leave = ask_leave_session(road_t::disconnect);
    if (leave == leave_t::stay)
        return;
    disconnect_load(leave == leave_t::leave_input_off);
}

void MyMainWindow::disconnect_load(bool input_off)
{
    give_up_connecting();
    is_connected = false;
    current_resource.clear();
    restore_connected_icon();
    end_session(true, input_off);
}

void MyMainWindow::give_up_connecting()
{
    if (!connecting)
        return;
    // A load still being identified is not connected afterwards: a result
    // already on its way is not taken.
    connecting = false;
    drop_waiting_settings_transfer();
    connect_waiting = false;
    identify_timer->stop();
    get_configure_value->abort();
}

bool MyMainWindow::take_connect_result(int attempt)
{
    if (!connecting || attempt != connect_attempt)
        return false;
    connecting = false;
    return true;
}

void MyMainWindow::on_pushButton_Disconnect_clicked()
{
    if (!is_connected)
        return;
    const leave_t leave = ask_leave_session(road_t::disconnect, tr("Do you want to disconnect the device?"));
    if (leave == leave_t::stay)
        return;
    disconnect_load(leave == leave_t::leave_input_off);
}

void MyMainWindow::deal_action_delete()
{
    const QString resource = pressed_text;
    const leave_t leave = ask_leave_session(road_t::delete_resource);
    if (leave == leave_t::stay)
        return;
    // Like a connected load, a load being connected is let go.
    if (connecting) {
        give_up_connecting();
        restore_connected_icon();
    }
    if (is_connected) {
        is_connected = false;
        current_resource.clear();
        connected_item = nullptr;
        connected_item_text.clear();
        end_session(true, leave == leave_t::leave_input_off);
    }
    lib_xml_t xml;
    if (!xml.delete_node_by_content(app_paths::config_file(), resource))
        return;
    _update_manual_tcpip_list();
    rebuild_tree();
    start_device_scan();
}

void MyMainWindow::deal_action_creatnet()
{
    auto* dialog = new ipcreat(this);
    connect(dialog, SIGNAL(ip_create_form_btn_signal(ipcreat*,int)), this,
            SLOT(ip_create_form_btn_slot_func(ipcreat*,int)));
    place_centred_on(dialog, this);
    dialog->show();
}

void MyMainWindow::ip_create_form_btn_slot_func(ipcreat* dialog, int code)
{
    if (code == ipcreat::result_stored) {
        _update_manual_tcpip_list();
        if (dialog)
            dialog->close();
        rebuild_tree();
        start_device_scan();
    } else if (code == ipcreat::result_failed || code == ipcreat::result_exists_or_cancel) {
        if (dialog)
            dialog->close();
    }
}

void MyMainWindow::do_connect_action()
{
    // The dialog lists the last scan's USB loads at once and the new scan's
    // when it ends.
    start_device_scan();
    auto* dialog = new connectWindow(this);
    connect_dialog = dialog;
    usb_resources = dialog->fill_usb_table(scanned_resources);
    connect(dialog, &connectWindow::sig_connect_resource, this, &MyMainWindow::connect_resource);
    connect(dialog, &connectWindow::sig_connect_tcpip_address, this, &MyMainWindow::connect_tcpip_address);
    place_centred_on(dialog, this);
    dialog->show();
}

// ---- results of the identify thread

void MyMainWindow::deal_connect_success(int attempt)
{
    if (!take_connect_result(attempt)) {
        // Replaced or given up while it was made: the load took the remote
        // state, so it is handed back before its session closes. The shared
        // session is still its own: the next identification waits for this
        // thread's end, which is handled after this result.
        write_remote_off();
        close_visa_session();
        return;
    }
    is_connected = true;
    // An earlier session's end not yet seen by the status check is not told.
    session_end_text.clear();
    // It answered: once disconnected, its item shows so.
    const QByteArray address = connected_item_text.toUtf8();
    if (manual_lan_map.contains(address))
        manual_lan_map[address] = true;
    set_item_icon(connected_item, connected_is_usb, true);
    reset_trend_view();
    status_timer->start(status_period_ms);
    disconnect_para_signals();
    fill_cmd_list(30);
    // A thread still winding down from an earlier session must end first.
    if (cfg_thread->isRunning())
        cfg_thread->stop_and_wait();
    // A click while no load was connected (or while this one was being
    // identified) was made for no load: it does not reach this one.
    cfg_thread->discard_posts();
    cfg_thread->add_request(30, write_list, query_list, QList<QWidget*>(), false, 0, false, QByteArray());
    connection_readback_open = true;
    cfg_thread->start();
    // (Not shown over the prompt of a save or load that waits for this read-back.)
    show_wait_prompt(tr("Initial"), tr("Please waiting for the data initing"), wait_t::connect);
}

void MyMainWindow::deal_connect_no_exist(int attempt)
{
    if (!take_connect_result(attempt))
        return; // nothing to tell
    drop_waiting_settings_transfer();
    connected_item = nullptr;
    connected_item_text.clear();
    show_warning(wrong_resource_text);
}

void MyMainWindow::deal_connect_fail(int attempt)
{
    if (!take_connect_result(attempt))
        return; // the identify closed its session
    drop_waiting_settings_transfer();
    connected_item = nullptr;
    connected_item_text.clear();
    close_visa_session();
    is_connected = false;
    current_resource.clear();
    show_warning(wrong_resource_text);
}

void MyMainWindow::device_status()
{
    // A command thread that is being stopped no longer carries the connection.
    // One that has just ended on a lost link still does until its last sets
    // have been handled: they are readings taken before the loss, and after
    // the end they would paint a gone load's readings as live.
    // A settings transfer carries it until its reply slot has run: its
    // thread may have ended with that slot still queued, and the slot
    // restarts the command thread. One that waits for the connection being
    // made carries nothing: the connection's end ends it.
    const bool traffic =
        (cfg_thread->carries_replies() && !session_ending) || transfer_stage() == transfer_t::running;
    if (traffic) {
        is_connected = true;
        return;
    }
    // Still marked connected: the load went without being asked to.
    const bool asked = !is_connected && session_end_text.isEmpty();
    // A save or load waiting for the connection being made waits on, with
    // its prompt: this is the old session's end.
    if (!connecting) {
        connection_readback_open = false;
        drop_waiting_settings_transfer();
    }
    if (!settings_wait_connection)
        close_wait_prompt();
    ocp_test_state = 0;
    opp_test_state = 0;
    battery_start_state = 0;
    is_connected = false;
    // The end of the old session leaves the item of the connection being
    // made alone: its result marks it.
    if (!connecting)
        restore_connected_icon();
    status_timer->stop();
    // A read-back cut short leaves the store's signals cut.
    connect_para_signals();
    show_session_ended(asked);
}

void MyMainWindow::load_left_remote()
{
    is_connected = false;
    session_end_text = tr("The load left remote control: the connection ended.");
    end_session(true);
}

void MyMainWindow::show_session_ended(bool asked)
{
    QString told;
    if (!asked)
        told = session_end_text.isEmpty() ? tr("The connection to the load was lost.") : session_end_text;
    session_end_text.clear();

    // A gone load's last readings and input state are not shown as if live.
    ui->label_C->setText(QStringLiteral("-.----A"));
    ui->label_V->setText(QStringLiteral("-.----V"));
    ui->label_R->setText(QStringLiteral("-.---") + QChar(0x03A9));
    ui->label_P->setText(QStringLiteral("-.--W"));
    load_switch->setSelectedItem(false);
    input_seen_on = false;
    show_alarm_bits(0);
    update_short_state(false);
    // A run the window can no longer follow is not shown as running.
    update_state_vis(false, 0);
    clear_trend(true);

    // One box: a running record's end tells of the session's end too.
    if (recording) {
        end_record_session_ended();
        return;
    }
    if (told.isEmpty())
        return;
    // Shown once the status check has returned, as the record's end is.
    QTimer::singleShot(0, this, [this, told]() { show_warning(told); });
}

// ---- leaving a session, closing the window

MyMainWindow::leave_t MyMainWindow::ask_leave_session(road_t road, const QString& question)
{
    // The question names what the user is doing, not only closing.
    static const struct {
        road_t road;
        const char* title;
        const char* text;
    } input_questions[] = {
        {road_t::close, QT_TRANSLATE_NOOP("MyMainWindow", "Exit"),
         QT_TRANSLATE_NOOP("MyMainWindow", "The load's input is on.\nSwitch it off before exiting?")},
        {road_t::disconnect, QT_TRANSLATE_NOOP("MyMainWindow", "Disconnect"),
         QT_TRANSLATE_NOOP("MyMainWindow", "The load's input is on.\nSwitch it off before disconnecting?")},
        {road_t::connect_elsewhere, QT_TRANSLATE_NOOP("MyMainWindow", "Connect"),
         QT_TRANSLATE_NOOP("MyMainWindow", "The load's input is on.\nSwitch it off before connecting to another load?")},
        {road_t::delete_resource, QT_TRANSLATE_NOOP("MyMainWindow", "Delete Resource"),
         QT_TRANSLATE_NOOP("MyMainWindow", "The load's input is on.\nSwitch it off before deleting the resource?")},
        {road_t::refresh, QT_TRANSLATE_NOOP("MyMainWindow", "Refresh"),
         QT_TRANSLATE_NOOP("MyMainWindow", "The load's input is on.\nSwitch it off before refreshing?")},
    };
    if (!is_connected)
        return leave_t::leave;
    if (load_switch->getSelectedItem()) {
        const auto* asked = std::find_if(std::begin(input_questions), std::end(input_questions),
                                         [road](const auto& q) { return q.road == road; });
        // The load would go on sinking current in local mode: asked on every
        // road out, in place of the road's own question.
        custom_messagebox box(QMessageBox::Question, tr(asked->title), tr(asked->text),
                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
        box.setAttribute(Qt::WA_DeleteOnClose, false);
        box.setDefaultButton(QMessageBox::Yes);
        const int answer = box.exec();
        // A session lost meanwhile has nothing left to switch off.
        if (answer == QMessageBox::Yes)
            return is_connected ? leave_t::leave_input_off : leave_t::leave;
        // Cancel, Escape or the box's own close: the session stays.
        return answer == QMessageBox::No ? leave_t::leave : leave_t::stay;
    }
    if (question.isEmpty())
        return leave_t::leave;
    QPointer<custom_messagebox> box = new custom_messagebox(QMessageBox::Warning, QStringLiteral("disconnect_dialog"),
                                                            question, QMessageBox::Yes | QMessageBox::No, nullptr);
    box->setWindowIcon(QIcon(QStringLiteral(":/resource/lion.jpg")));
    keep_in_front_of(box, this);
    const int answer = box->exec();
    delete box.data();
    return answer == QMessageBox::Yes ? leave_t::leave : leave_t::stay;
}

void MyMainWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    // A close that already waits for the session's end changes nothing.
    if (close_when_ended && session_ending)
        return;
    const leave_t leave = ask_leave_session(road_t::close);
    if (leave == leave_t::stay)
        return;
    if (is_connected)
        disconnect_load(leave == leave_t::leave_input_off);
    // Rows already written stay in the file; there is no one left to tell.
    if (recording)
        end_record(QString());
    // A connection being made is not opened.
    give_up_connecting();
    if (!session_ending) {
        event->accept();
        return;
    }
    // The command thread ends once its exchange in progress has: the
    // window closes then, and takes nothing more meanwhile.
    close_when_ended = true;
    setEnabled(false);
    statusBar()->showMessage(tr("Closing: the load finishes its exchange in progress..."));
}
