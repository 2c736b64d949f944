// The "Program Result" window: one row per program step with the verdict
// of the step's measured value against its limits.
#ifndef PROGRESULTWIN_H
#define PROGRESULTWIN_H

#include <QList>
#include <QMainWindow>
#include <QString>

class Ui_ProgResultWin;
class QTableWidget;

class ProgResultWin : public QMainWindow
{
    Q_OBJECT

public:
    // `parent` is the main window: its result signal feeds the window.
    explicit ProgResultWin(QWidget* parent);
    ~ProgResultWin() override;

    QTableWidget* result_table() const;

public slots:
    void clear_res_table();
    void init_res_table();
    // Grows or shrinks the table to `count` rows; kept rows keep their texts.
    void update_prog_res_table(int count);
    // value_list[0]: the measured values of the steps, comma-separated, in
    // step order; each is judged against the step's limits in the store.
    void deal_prog_result_operating_button(QList<QString> value_list);

private:
    Ui_ProgResultWin* ui = nullptr;
};

#endif
