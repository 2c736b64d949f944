#ifndef APP_PATHS_H
#define APP_PATHS_H

#include <QString>

// The application's folders and files. The application-data folder is
// QStandardPaths::AppDataLocation, so the application and organisation names
// must be set before init() (and QStandardPaths' test mode keeps tests out of
// the real home).
class app_paths
{
public:
    // Creates the application-data folder and, on the first start, the XML
    // configuration file with its defaults (a corrupt one is replaced, see
    // lib_xml_t). False with *error set when either cannot be created; the
    // program can still run, only the configuration is not kept.
    static bool init(QString* error = nullptr);

    // The application-data folder (no trailing slash).
    static QString app_data_dir();

    // The process-wide configuration file: "wattload_config.xml" in the
    // application-data folder. Every lib_xml_t call takes this path.
    static QString config_file();

    static const char* const config_file_name; // "wattload_config.xml"
};

#endif // APP_PATHS_H
