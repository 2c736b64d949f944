#include "app_paths.h"

#include "lib_xml_t.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

const char* const app_paths::config_file_name = "wattload_config.xml";

QString app_paths::app_data_dir()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString app_paths::config_file()
{
    return QDir(app_data_dir()).filePath(QLatin1String(config_file_name));
}

bool app_paths::init(QString* error)
{
    const QString dir = app_data_dir();
    if (dir.isEmpty() || !QDir().mkpath(dir)) {
        if (error)
            *error = QCoreApplication::translate("app_paths", "Cannot create the folder %1.").arg(dir);
        return false;
    }
    lib_xml_t xml;
    if (!xml.ensure_file(config_file())) {
        if (error)
            *error = QCoreApplication::translate("app_paths", "Cannot write the configuration file %1.")
                         .arg(config_file());
        return false;
    }
    return true;
}
