#ifndef NEWFRAME_H
#define NEWFRAME_H

#include <QFrame>
#include <QPointF>
#include <QVector>

// A schematic of the load's transient waveform: levels A and B joined by
// slanted edges, with gray dimension and extension lines. The owner's
// labels carry the numbers; the owner sets the fields and calls update().
// Coordinates are fixed pixels for a 410 x 230 frame.
class newframe : public QFrame
{
    Q_OBJECT

public:
    explicit newframe(QWidget* parent = nullptr);
    ~newframe() override;

    // The waveform polyline as drawn (10 points continuous, 6 pulse).
    QVector<QPointF> waveform_points() const;

    bool level_a_on_top = true;
    // 1 continuous (three periods); any other value one pulse.
    int wave_kind = 1;
    // Edges widened by the slew factors (current function only).
    bool show_slew = true;
    double slew_factor_1 = 5.0;
    double slew_factor_2 = 3.0;

protected:
    void paintEvent(QPaintEvent* event) override;
};

#endif
