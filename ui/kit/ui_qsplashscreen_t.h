#ifndef UI_QSPLASHSCREEN_T_H
#define UI_QSPLASHSCREEN_T_H

#include <QSplashScreen>

class QLabel;

// Start-up splash: product name, version and a loading line over a picture.
class ui_qsplashscreen_t : public QSplashScreen
{
    Q_OBJECT

public:
    explicit ui_qsplashscreen_t(const QPixmap& pixmap = QPixmap(), Qt::WindowFlags flags = Qt::WindowFlags());
    ui_qsplashscreen_t(QWidget* parent, const QPixmap& pixmap = QPixmap(), Qt::WindowFlags flags = Qt::WindowFlags());

    void set_version_text(const QString& text);

    QLabel* product_label() const { return m_product_label; }
    QLabel* loading_label() const { return m_loading_label; }
    QLabel* version_label() const { return m_version_label; }

public slots:
    void timer_refresh_slot_func();

protected:
    // A click must not close the splash.
    void mousePressEvent(QMouseEvent* event) override;

private:
    void init_labels();

    QLabel* m_product_label = nullptr;
    QLabel* m_loading_label = nullptr;
    QLabel* m_version_label = nullptr;
    int m_dot_count = 0;
};

#endif
