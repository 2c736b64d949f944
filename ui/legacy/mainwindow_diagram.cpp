// The dynamic page's waveform diagram: its numbers, the places of its
// labels and the frame's drawing fields, from the stored dynamic settings.
#include "mainwindow.h"

#include "custom_radiobutton.h"
#include "newframe.h"

#include <QLabel>

namespace {

struct function_look_t
{
    const char* unit;
    bool show_slew;
};
// current, voltage, resistance, power
const function_look_t k_functions[] = {{"A", true}, {"V", false}, {"Ω", false}, {"W", false}};

QString fixed3(double v)
{
    return QString::number(v, 'f', 3);
}

// Seconds from 1 s up, else milliseconds.
QString width_text(double seconds)
{
    return seconds >= 1.0 ? fixed3(seconds) + QLatin1Char('s') : fixed3(seconds * 1000) + QStringLiteral("ms");
}

} // namespace

QString MainWindow::width_caption(double seconds)
{
    return QStringLiteral("width\n") + width_text(seconds);
}

void MainWindow::set_position()
{
    newframe* d = dynamic_diagram;
    QLabel** l = dynamic_labels; // l[0] .. l[6] are labels 1 .. 7
    if (dynamic_function >= 0 && dynamic_function < int(std::size(k_functions))) {
        dynamic_unit = QString::fromUtf8(k_functions[dynamic_function].unit);
        d->show_slew = k_functions[dynamic_function].show_slew;
    }

    // equal levels put B on top
    const bool a_on_top = !(level_b >= level_a);
    d->level_a_on_top = a_on_top;
    const QString a_level = QStringLiteral("A_level\n") + fixed3(level_a) + dynamic_unit;
    const QString b_level = QStringLiteral("B_level\n") + fixed3(level_b) + dynamic_unit;
    const QString a_width = QStringLiteral("A_width\n") + width_text(width_a);
    const QString b_width = QStringLiteral("B_width\n") + width_text(width_b);
    l[2]->setText(a_on_top ? b_level : a_level); // lower line
    l[3]->setText(a_on_top ? a_level : b_level); // upper line
    l[4]->setText(a_on_top ? a_width : b_width); // upper level's width
    l[5]->setText(a_on_top ? b_width : a_width);

    const bool continuous = dynamic_mode_text == QLatin1String("CONTINUOUS\n");
    const bool pulse = dynamic_mode_text == QLatin1String("PULSE\n");
    const bool toggle = dynamic_mode_text == QLatin1String("TOGGLE\n");
    if (continuous || pulse || toggle) {
        d->wave_kind = continuous ? 1 : 2;
        // places of the first and second slew labels, A on top / B on top
        const QPoint slew_1_at = continuous ? QPoint(40, 70) : QPoint(100, 70);
        const QPoint slew_2_at = continuous ? QPoint(110, 100) : QPoint(280, 100);
        l[1]->setVisible(d->show_slew);
        l[0]->setVisible(d->show_slew);
        if (d->show_slew) {
            l[1]->move(a_on_top ? slew_2_at : slew_1_at);
            l[0]->move(a_on_top ? slew_1_at : slew_2_at);
        }
        l[4]->setVisible(continuous);
        l[5]->setVisible(continuous);
        trigger_marks[0]->setVisible(!continuous);
        trigger_marks[1]->setVisible(toggle);
        l[6]->setVisible(pulse);
        if (!continuous)
            l[6]->move(170, a_on_top ? 0 : 180);
    }

    l[0]->setText(fixed3(slew_2) + QStringLiteral("A/us"));
    l[1]->setText(fixed3(slew_1) + QStringLiteral("A/us"));
    // the low range's edges widen faster
    const double per_rate = dynamic_range_radio->checked_index() == 0 ? 10 : 2;
    d->slew_factor_1 = 5 - per_rate * slew_1;
    d->slew_factor_2 = 5 - per_rate * slew_2;
    l[6]->setText(width_caption(width_b));
    d->update();
}
