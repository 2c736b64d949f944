#include "ui_about_info_t.h"

#include "ui_ui_about_info_t.h"

namespace {

const char* const version_number = "8.5";

} // namespace

ui_about_info_t::ui_about_info_t(QWidget* parent)
    : QDialog(parent),
      ui(new Ui_ui_about_info_t)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags((windowFlags() & ~(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint
                                      | Qt::WindowContextHelpButtonHint))
                   | Qt::Dialog);
    setFixedSize(width(), height());
    setWindowModality(Qt::ApplicationModal);
    init_ui();
}

ui_about_info_t::~ui_about_info_t()
{
    delete ui;
}

void ui_about_info_t::init_ui()
{
    const QString label_sheet = QStringLiteral("color: white;background-color: transparent;");
    ui->label_exe_name->setStyleSheet(label_sheet);
    ui->label_exe_icon->setStyleSheet(label_sheet);
    ui->label_version->setStyleSheet(label_sheet);
    ui->label_right->setStyleSheet(label_sheet);
    connect(ui->btn_ok, SIGNAL(clicked()), this, SLOT(btn_slot_func()));
    version_text = tr("Version:") + QLatin1String(version_number);
    ui->label_version->setText(version_text);
}

void ui_about_info_t::btn_slot_func()
{
    if (sender() == ui->btn_ok)
        close();
}
