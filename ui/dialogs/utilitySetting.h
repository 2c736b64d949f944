#ifndef UTILITYSETTING_H
#define UTILITYSETTING_H

#include <QList>
#include <QMainWindow>
#include <QString>

#include <functional>

class Ui_utilitySetting;
class cfg_thread_t;

// The utility settings window. It shows the utility fields of the parameter
// store, remembers which controls the user changed and on OK posts one set
// command per changed control, in a fixed row order, as operation 161. It
// never writes the store: the store learns the new values from the load's
// read-back.
class utilitySetting : public QMainWindow
{
    Q_OBJECT

public:
    // The operation codes of the request and of the read-back it leads to.
    static const int op_utility_set = 161;
    static const int op_utility_read = 9;
    // Replies of the read-back (operation 9).
    static const int read_back_count = 18;
    // Number of rows (controls) of the form.
    static const int row_count = 19;

    explicit utilitySetting(QWidget* parent = nullptr);
    ~utilitySetting() override;

    // The command thread the request is posted to (not owned).
    void set_command_thread(cfg_thread_t* thread);
    // Asked on OK: whether a load is connected. Unset: not connected.
    void set_connected_probe(std::function<bool()> is_connected);

    // Fills the controls from the parameter store and hides Short_En.
    void init_utility_value();

    // Stores the replies of the read-back (operation 9) into the parameter
    // store by position. False, storing nothing, when fewer than 18 replies
    // came. Shared with the main window's handler of the same replies.
    static bool store_utility_replies(const QList<QString>& replies);

    // The commands OK would post now, and the controls they belong to.
    struct request_t
    {
        QList<QString> writes;
        QList<QString> queries;
        QList<QWidget*> widgets;
        bool time_test_sent = false; // the request carries the time-test row
        int time_test_position = 0;  // entries ahead of the time-test row
    };
    request_t build_request() const;

    bool row_changed(int row) const;
    Ui_utilitySetting* form() const { return ui; }

signals:
    // Told right before the request is posted: whether it carries the
    // time-test row, and the count of entries ahead of that row.
    void sig_pending_utility_a(bool sent, int count);
    // The read-back was stored: the measurement poll may go on.
    void sig_request_measure();

public slots:
    void deal_utility_cfg(int button_model, QList<QString> value_list, QList<QWidget*> widget,
                          int private_data);

private slots:
    void on_checkBox_Vrmt_clicked();
    void on_checkBox_SOF_clicked();
    void on_checkBox_VOL_clicked();
    void on_checkBox_short_en_clicked();
    void on_comboBox_Trig_currentIndexChanged(int index);
    void on_comboBox_Aver_currentIndexChanged(int index);
    void on_doubleSpinBox_Von_sigUpdateValue();
    void on_checkBox_ExtSwitch_clicked();
    void on_checkBox_I_M_ON_clicked();
    void on_checkBox_V_M_ON_clicked();
    void on_groupBox_TMon_clicked();
    void on_doubleSpinBox_V_Low_sigUpdateValue();
    void on_doubleSpinBox_V_High_sigUpdateValue();
    void on_groupBox_I_Protect_clicked();
    void on_doubleSpinBox_C_sigUpdateValue();
    void on_doubleSpinBox_C_Delay_sigUpdateValue();
    void on_groupBox_P_Protect_clicked();
    void on_doubleSpinBox_P_sigUpdateValue();
    void on_doubleSpinBox_P_Delay_sigUpdateValue();
    void on_pushButton_OK_clicked();
    void on_pushButton_Cancel_clicked();

private:
    // The command of one row from its control's present state ("" = none).
    QString row_command(int row) const;
    QWidget* row_widget(int row) const;

    cfg_thread_t* m_thread = nullptr;
    Ui_utilitySetting* ui = nullptr;
    bool m_changed[row_count] = {};
    std::function<bool()> m_is_connected;
};

#endif
