#include "ipcreat.h"

#include "ui_ipcreat.h"

#include "app_paths.h"
#include "custom_messagebox.h"
#include "normalize_ip_address.h"
#include "ui_ipline_widget_t.h"

#include <QGridLayout>

namespace {

// Next element name tried is "IP" + this; lives for the whole process.
int g_ip_name_counter = 1;

} // namespace

ipcreat::ipcreat(QWidget* parent)
    : QDialog(parent),
      ui(new Ui_ipcreat)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags((windowFlags() & ~(Qt::WindowContextHelpButtonHint | Qt::WindowMinimizeButtonHint
                                      | Qt::WindowMaximizeButtonHint))
                   | Qt::Dialog);
    setFixedSize(width(), height());
    setWindowModality(Qt::ApplicationModal);
    init_ui();
}

ipcreat::~ipcreat()
{
    delete m_address;
    delete ui;
}

void ipcreat::init_ui()
{
    setObjectName(QStringLiteral("normal_widget"));
    ui->gpbx_ip_addr->setObjectName(QStringLiteral("normal_gpbx"));
    ui->btn_ok->setObjectName(QStringLiteral("normal_button"));
    ui->btn_cancle->setObjectName(QStringLiteral("normal_button"));

    m_address = new ui_ipline_widget_t;
    auto* grid = new QGridLayout;
    grid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    grid->setMargin(0);
    grid->setSpacing(0);
    grid->setContentsMargins(20, 20, 20, 0);
    grid->addWidget(m_address, 0, 0, 1, 1);
    ui->gpbx_ip_addr->setLayout(grid);

    connect(ui->btn_ok, &QPushButton::clicked, this, &ipcreat::btn_slot_func);
    connect(ui->btn_cancle, &QPushButton::clicked, this, &ipcreat::btn_slot_func);
    connect(this, &ipcreat::btn_info_signal, this, &ipcreat::ip_create_form_btn_slot_func);
}

void ipcreat::btn_slot_func()
{
    const QObject* from = sender();
    if (from == ui->btn_cancle) {
        emit btn_info_signal(this, result_exists_or_cancel);
        return;
    }
    if (from != ui->btn_ok)
        return;

    QString address;
    if (!normalize_ip_address(m_address->get_value().join(QLatin1Char('.')), &address)) {
        // The dialog stays open for the user to correct the address.
        custom_messagebox box(QMessageBox::Warning, tr("Warning"),
                              tr("Please enter a valid IP address."), QMessageBox::Ok, this);
        box.setAttribute(Qt::WA_DeleteOnClose, false);
        box.exec();
        return;
    }
    emit btn_info_signal(this, store_resource(QStringLiteral("TCPIP0::") + address + QStringLiteral("::INSTR")));
}

int ipcreat::store_resource(const QString& resource)
{
    const QString path = app_paths::config_file();
    if (m_xml.read_file(path, resource, lib_xml_t::match_text))
        return result_exists_or_cancel;

    QString name = QStringLiteral("IP") + QString::number(g_ip_name_counter);
    while (m_xml.read_file(path, name)) {
        ++g_ip_name_counter;
        name = QStringLiteral("IP") + QString::number(g_ip_name_counter);
    }
    return m_xml.add_node(path, QString::fromLatin1(lib_xml_t::manual_ip_name), name, resource) ? result_stored
                                                                                             : result_failed;
}

void ipcreat::ip_create_form_btn_slot_func(ipcreat* dialog, int code)
{
    emit ip_create_form_btn_signal(dialog, code);
}
