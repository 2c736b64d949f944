// Menus and their actions.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "guide_opener.h"
#include "ui_prompt_t.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>

#ifndef WATTLEX_WEB_SITE
#define WATTLEX_WEB_SITE ""
#endif

namespace {
const char* const chinese = "chinese";
}

void MyMainWindow::init_actions()
{
    connect(ui->actionSetting, SIGNAL(triggered()), this, SLOT(do_setting_action()));
    connect(ui->actionSave, SIGNAL(triggered()), this, SLOT(do_save_action()));
    connect(ui->actionLoad, SIGNAL(triggered()), this, SLOT(do_load_action()));
    connect(ui->actionRefresh, SIGNAL(triggered()), this, SLOT(do_refresh_action()));
    connect(ui->actionEnglish, SIGNAL(triggered()), this, SLOT(do_english_action()));
    connect(ui->actionChinese, SIGNAL(triggered()), this, SLOT(do_chinese_action()));
    connect(ui->actionAbout_Wattlex, SIGNAL(triggered()), this, SLOT(do_about_action()));
    connect(ui->actionUser_guide, SIGNAL(triggered()), this, SLOT(do_guide_action()));
    connect(ui->actionWeb_site, SIGNAL(triggered()), this, SLOT(do_web_action()));
    connect(ui->menuConnect, SIGNAL(aboutToShow()), this, SLOT(show_Connect_dock()));

    const bool is_chinese = ui_language() == QLatin1String(chinese);
    ui->actionChinese->setChecked(is_chinese);
    ui->actionEnglish->setChecked(!is_chinese);
}

void MyMainWindow::show_Connect_dock()
{
    ui->dockWidget_connect->show();
}

void MyMainWindow::do_refresh_action()
{
    // The refresh ends a session: asked before its prompt comes up.
    const leave_t leave = ask_leave_session(road_t::refresh);
    if (leave == leave_t::stay)
        return;
    refresh_input_off = leave == leave_t::leave_input_off;
    // The rebuild runs inside the prompt's modal loop and closes it.
    QTimer::singleShot(200, this, SLOT(refresh_device()));
    show_wait_prompt(tr("Connect"), tr("Refreshing devices, please wait."), wait_t::refresh);
}

void MyMainWindow::do_guide_action()
{
    const QString name = ui_language() == QLatin1String(chinese) ? QStringLiteral("Wattlex_CN.chm")
                                                                 : QStringLiteral("Wattlex_EN.chm");
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    if (!QFileInfo::exists(path)) {
        ui_prompt_t(this).show_info(tr("Can not find document."));
        return;
    }
    if (!wattlex_open_guide(path))
        ui_prompt_t(this).show_info(
            tr("The user guide %1 could not be opened: no program to show .chm files was found. "
               "Please install a CHM viewer (xchm).")
                .arg(QDir::toNativeSeparators(path)));
}

void MyMainWindow::do_web_action()
{
    const QString address = QStringLiteral(WATTLEX_WEB_SITE);
    if (address.isEmpty()) {
        ui_prompt_t(this).show_info(tr("No web site address is set in this build."));
        return;
    }
    QDesktopServices::openUrl(QUrl(address));
}
