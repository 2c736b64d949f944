#ifndef UI_ABOUT_INFO_T_H
#define UI_ABOUT_INFO_T_H

#include <QDialog>
#include <QString>

class Ui_ui_about_info_t;

// The About box: product name, icon, version line, rights line, OK.
class ui_about_info_t : public QDialog
{
    Q_OBJECT

public:
    explicit ui_about_info_t(QWidget* parent = nullptr);
    ~ui_about_info_t() override;

    const QString& get_version_text() const { return version_text; }
    Ui_ui_about_info_t* form() const { return ui; }

public slots:
    void btn_slot_func();

private:
    void init_ui();

    Ui_ui_about_info_t* ui = nullptr;
    QString version_text;
};

#endif
