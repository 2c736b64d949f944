#ifndef CUSTOM_COMBOBOX_H
#define CUSTOM_COMBOBOX_H

#include <QStringList>
#include <QWidget>

class QLabel;
class mycombobox;

// A labelled combo box that ignores the mouse wheel.
class custom_combobox : public QWidget
{
    Q_OBJECT

public:
    explicit custom_combobox(QWidget* parent = nullptr);

    void set_label_text(const QString& text);
    // Replaces the items.
    void set_items(const QStringList& items);
    void set_current_index(int index);
    int current_index() const;
    void set_combo_width(int width);
    void set_enable(bool enable);

    QLabel* name_label = nullptr;
    mycombobox* combo = nullptr;

signals:
    // Every index change, those made by code included.
    void currentindex_changed(int index);

public slots:
    void deal_combobox(int index);
};

#endif
