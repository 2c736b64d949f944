// The plot widget's two styles, its axis labels and its picker.
#include "ui_preview_plot_t.h"
#include "ui_qwt_picker_t.h"
#include "ui_xp_scale_draw_t.h"
#include "ui_xt_scale_draw_t.h"
#include "ui_yv_scale_draw_t.h"

#include <QtTest>

#include <QImage>
#include <QMouseEvent>
#include <qwt_plot_canvas.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_grid.h>
#include <qwt_plot_layout.h>
#include <qwt_point_data.h>
#include <qwt_scale_map.h>

namespace {

bool labels_only(const QwtScaleDraw *d)
{
    return !d->hasComponent(QwtAbstractScaleDraw::Backbone) && !d->hasComponent(QwtAbstractScaleDraw::Ticks)
        && d->hasComponent(QwtAbstractScaleDraw::Labels) && d->spacing() == 0.0;
}

} // namespace

class tst_plot_widget : public QObject
{
    Q_OBJECT

private slots:
    void time_labels_data();
    void time_labels();
    void step_and_value_labels();

    void styles();
    void y_unit_replaces_left_axis();
    void plot_draws_with_curves();

    void picker_reports_plot_position();
    void picker_without_plot();
};

void tst_plot_widget::time_labels_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("1: 0") << 1 << 0.0 << "0";
    QTest::newRow("1: 75") << 1 << 75.0 << "30s";
    QTest::newRow("1: 150") << 1 << 150.0 << "1min";
    QTest::newRow("1: 25") << 1 << 25.0 << "";
    QTest::newRow("1: 149.5") << 1 << 149.5 << "";
    QTest::newRow("2: 450") << 2 << 450.0 << "2.5min";
    QTest::newRow("2: 900") << 2 << 900.0 << "5min";
    QTest::newRow("3: 1800") << 3 << 1800.0 << "10min";
    QTest::newRow("3: 3600") << 3 << 3600.0 << "20min";
    QTest::newRow("4: 5000") << 4 << 5000.0 << "30min";
    QTest::newRow("4: 10000") << 4 << 10000.0 << "1hour";
    QTest::newRow("5: 5000") << 5 << 5000.0 << "2.5hour";
    QTest::newRow("5: 10000") << 5 << 10000.0 << "5hour";
    QTest::newRow("6: 5000") << 6 << 5000.0 << "5hour";
    QTest::newRow("6: 10000") << 6 << 10000.0 << "10hour";
    QTest::newRow("7: 5000") << 7 << 5000.0 << "12hour";
    QTest::newRow("7: 10000") << 7 << 10000.0 << "24hour";
    QTest::newRow("7: 150") << 7 << 150.0 << "";
    QTest::newRow("0: 0") << 0 << 0.0 << "0";
    QTest::newRow("0: 150") << 0 << 150.0 << "";
    QTest::newRow("9: 0") << 9 << 0.0 << "0";
    QTest::newRow("9: 10000") << 9 << 10000.0 << "";
    QTest::newRow("-1: 75") << -1 << 75.0 << "";
}

void tst_plot_widget::time_labels()
{
    QFETCH(int, mode);
    QFETCH(double, value);
    QFETCH(QString, text);

    ui_xt_scale_draw_t draw;
    QCOMPARE(draw.time_mode(), 1);
    draw.set_time_mode(mode);
    QCOMPARE(draw.time_mode(), mode);
    const QwtText label = draw.label(value);
    QCOMPARE(label.text(), text);
    QCOMPARE(label.color(), QColor(255, 255, 255, 255));
}

void tst_plot_widget::step_and_value_labels()
{
    ui_xp_scale_draw_t step;
    QCOMPARE(step.length(), 10.0);
    QCOMPARE(step.label(12).text(), QStringLiteral("12t"));
    QCOMPARE(step.label(2.5).text(), QStringLiteral("2.5t"));
    QCOMPARE(step.label(12).color(), QColor(200, 200, 0, 255));

    ui_yv_scale_draw_t volts(QStringLiteral("V"));
    QCOMPARE(volts.label(0.0001).text(), QStringLiteral("0.0001V"));
    QCOMPARE(volts.label(1234567).text(), QStringLiteral("1.23457e+06V"));
    QCOMPARE(volts.label(-3).text(), QStringLiteral("-3V"));
    QCOMPARE(volts.label(1).color(), QColor(200, 200, 0, 255));

    ui_yv_scale_draw_t ohms(QString::fromUtf8("Ω"));
    QCOMPARE(ohms.label(50).text(), QString::fromUtf8("50Ω"));
    ui_yv_scale_draw_t bare{QString()};
    QCOMPARE(bare.label(7.5).text(), QStringLiteral("7.5"));
}

void tst_plot_widget::styles()
{
    // style false: the list preview; true: the trend
    for (bool style : {false, true}) {
        QWidget parent;
        ui_preview_plot_t plot(&parent, style);
        QCOMPARE(plot.parentWidget(), &parent);

        const QwtScaleDraw *x = plot.axisScaleDraw(QwtPlot::xBottom);
        auto *y = dynamic_cast<const ui_yv_scale_draw_t *>(plot.axisScaleDraw(QwtPlot::yLeft));
        QVERIFY(y);
        QVERIFY(labels_only(x));
        QVERIFY(labels_only(y));
        QVERIFY(plot.axisEnabled(QwtPlot::xBottom));
        if (style) {
            auto *time = dynamic_cast<const ui_xt_scale_draw_t *>(x);
            QVERIFY(time);
            QCOMPARE(time->time_mode(), 1);
            QCOMPARE(y->unit(), QString());
            QVERIFY(!plot.axisEnabled(QwtPlot::yLeft));
            QCOMPARE(plot.grid()->majorPen().color(), QColor(0, 0, 0));
        } else {
            QVERIFY(dynamic_cast<const ui_xp_scale_draw_t *>(x));
            QCOMPARE(y->unit(), QStringLiteral("A"));
            QVERIFY(plot.axisEnabled(QwtPlot::yLeft));
            QCOMPARE(plot.grid()->majorPen().color(), QColor(120, 120, 120));
        }
        QCOMPARE(plot.grid()->plot(), &plot);
        for (int axis = 0; axis < QwtPlot::axisCnt; ++axis)
            QVERIFY(plot.plotLayout()->alignCanvasToScale(axis));

        QVERIFY(plot.picker());
        QCOMPARE(plot.picker()->parent(), plot.canvas());
        QCOMPARE(plot.picker()->rubberBand(), QwtPicker::CrossRubberBand);
        QCOMPARE(plot.picker()->trackerMode(), QwtPicker::AlwaysOn);
    }
}

void tst_plot_widget::y_unit_replaces_left_axis()
{
    ui_preview_plot_t plot(nullptr, false);
    plot.set_y_unit(QStringLiteral("V"));
    plot.set_y_unit(QString::fromUtf8("Ω")); // the plot drops the draw it replaces

    auto *y = dynamic_cast<const ui_yv_scale_draw_t *>(plot.axisScaleDraw(QwtPlot::yLeft));
    QVERIFY(y);
    QCOMPARE(y->unit(), QString::fromUtf8("Ω"));
    QCOMPARE(y->label(2).text(), QString::fromUtf8("2Ω"));
    // a plain draw: backbone and ticks come back, the x axis keeps labels only
    QVERIFY(y->hasComponent(QwtAbstractScaleDraw::Backbone));
    QVERIFY(y->hasComponent(QwtAbstractScaleDraw::Ticks));
    QVERIFY(labels_only(plot.axisScaleDraw(QwtPlot::xBottom)));
}

void tst_plot_widget::plot_draws_with_curves()
{
    // The trend set-up of the main window in miniature: time axis draws
    // replaced on every redraw, curves attached, painted offscreen.
    ui_preview_plot_t plot(nullptr, true);
    plot.resize(423, 220);
    plot.setCanvasBackground(QBrush(Qt::black));
    plot.setAxisScale(QwtPlot::yLeft, -11, 111, 10);
    QwtPlotCurve curve(QString{});
    curve.setPen(QColor(Qt::green), 0.0);
    curve.attach(&plot);

    QImage previous;
    for (int mode = 1; mode <= 7; ++mode) {
        auto *draw = new ui_xt_scale_draw_t;
        draw->set_time_mode(mode);
        draw->enableComponent(QwtAbstractScaleDraw::Backbone, false);
        draw->enableComponent(QwtAbstractScaleDraw::Ticks, false);
        draw->setSpacing(0.0);
        plot.setAxisScaleDraw(QwtPlot::xBottom, draw);
        plot.setAxisScale(QwtPlot::xBottom, 0, 150, 15);
        QVector<double> xs, ys;
        for (int i = 0; i <= 150; ++i) {
            xs << i;
            ys << (i % 20) * 5;
        }
        curve.setData(new QwtPointArrayData(xs, ys));
        plot.replot();
        const QImage image = plot.grab().toImage();
        QCOMPARE(image.size(), QSize(423, 220));
        // the green curve reaches the canvas
        bool green = false;
        for (int yy = 0; yy < image.height() && !green; ++yy)
            for (int xx = 0; xx < image.width() && !green; ++xx)
                green = image.pixelColor(xx, yy) == QColor(Qt::green);
        QVERIFY(green);
        if (mode == 1)
            previous = image;
        else if (mode == 2)
            QVERIFY(image != previous); // "2.5min" and "5min" instead of "30s" and "1min"
    }
    curve.detach();
}

void tst_plot_widget::picker_reports_plot_position()
{
    ui_preview_plot_t plot(nullptr, true);
    plot.resize(423, 220);
    plot.setAxisScale(QwtPlot::xBottom, 0, 150, 15);
    plot.setAxisScale(QwtPlot::yLeft, -11, 111, 10);
    plot.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plot));
    plot.replot();
    QCoreApplication::processEvents();

    ui_qwt_picker_t *picker = plot.picker();
    QSignalSpy spy(picker, SIGNAL(pos_update_signal(fp64,fp64)));
    QWidget *canvas = plot.canvas();
    const QPoint at(canvas->width() / 2, canvas->height() / 4);
    QMouseEvent enter(QEvent::MouseMove, at + QPoint(1, 1), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &enter);
    QMouseEvent move(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);
    QTRY_VERIFY(!spy.isEmpty());

    const double want_x = plot.canvasMap(QwtPlot::xBottom).invTransform(at.x());
    const double want_y = plot.canvasMap(QwtPlot::yLeft).invTransform(at.y());
    QVERIFY(want_x > 0 && want_x < 150);
    QVERIFY(want_y > -11 && want_y < 111);
    const QList<QVariant> last = spy.last();
    QCOMPARE(last.at(0).toDouble(), want_x);
    QCOMPARE(last.at(1).toDouble(), want_y);
    QCOMPARE(picker->get_pos(), QPointF(want_x, want_y));
    QVERIFY(picker->trackerText(at).isEmpty());

    // The replot it asks for must not keep the picker repainting by itself.
    QTest::qWait(100);
    const int settled = spy.count();
    QTest::qWait(200);
    QVERIFY2(spy.count() - settled <= 2, qPrintable(QString::number(spy.count() - settled)));
}

void tst_plot_widget::picker_without_plot()
{
    QWidget canvas;
    ui_qwt_picker_t a(&canvas);
    ui_qwt_picker_t b(QwtPicker::CrossRubberBand, QwtPicker::AlwaysOn, &canvas);
    QSignalSpy spy(&b, SIGNAL(pos_update_signal(fp64,fp64)));
    QVERIFY(a.trackerText(QPoint(3, 4)).isEmpty());
    QVERIFY(b.trackerText(QPoint(3, 4)).isEmpty());
    QVERIFY(spy.isEmpty());

    // the self-connection stores what the signal carries
    emit b.pos_update_signal(1.5, -2.0);
    QCOMPARE(b.get_pos(), QPointF(1.5, -2.0));
    QCOMPARE(a.get_pos(), QPointF(0.0, 0.0));
}

QTEST_MAIN(tst_plot_widget)
#include "tst_plot_widget.moc"
