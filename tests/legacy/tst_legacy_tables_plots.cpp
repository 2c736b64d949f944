// The frozen row and column overlays of a scrolling table, the dynamic
// waveform diagram and the curve tracker.
#include "FreezeTableWidget.h"
#include "SAXYDataTracker.h"
#include "newframe.h"
#include "ui_custom_grid.h"

#include <QApplication>
#include <QScrollBar>
#include <QTableWidget>
#include <QtTest>
#include <qwt_plot.h>
#include <qwt_plot_canvas.h>
#include <qwt_plot_curve.h>
#include <qwt_text.h>

namespace {

// A table like the older window's step tables: titles in column 0 and
// row 0, "r,c" elsewhere.
QTableWidget* make_source(int rows, int columns, QWidget* parent)
{
    auto* table = new QTableWidget(rows, columns, parent);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            table->setItem(r, c, new QTableWidgetItem(QStringLiteral("%1,%2").arg(r).arg(c)));
    return table;
}

QPoint to_canvas(const QwtPlot& plot, double x, double y)
{
    return QPoint(qRound(plot.transform(QwtPlot::xBottom, x)), qRound(plot.transform(QwtPlot::yLeft, y)));
}

// Samples at x = 0, 5, 10 on the common 0..100 scale.
QwtPlotCurve* add_curve(QwtPlot& plot, const QColor& colour, const QVector<double>& ys)
{
    auto* curve = new QwtPlotCurve;
    curve->setPen(colour);
    curve->setSamples(QVector<double>{0, 5, 10}, ys);
    curve->attach(&plot);
    return curve;
}

bool show_plot(QwtPlot& plot)
{
    plot.resize(400, 300);
    plot.setAxisScale(QwtPlot::xBottom, 0, 10);
    plot.setAxisScale(QwtPlot::yLeft, 0, 100);
    plot.show();
    const bool shown = QTest::qWaitForWindowExposed(&plot);
    plot.replot();
    return shown;
}

bool is_gray(const QColor& colour)
{
    return colour == QColor(Qt::gray);
}

} // namespace

class tst_legacy_tables_plots : public QObject
{
    Q_OBJECT

private slots:
    void overlays_copy_the_first_column_and_row();
    void scrolling_the_source_scrolls_the_overlays_data();
    void scrolling_the_source_scrolls_the_overlays();
    void update_frozen_row_copies_only_the_named_columns();
    void source_deleted_first_leaves_a_sound_view();
    void waveform_points_data();
    void waveform_points();
    void fresh_diagram_draws_its_dimension_lines();
    void tracker_labels_the_nearest_sample_in_real_units_data();
    void tracker_labels_the_nearest_sample_in_real_units();
    void tracker_forgets_a_detached_curve_only();
};

void tst_legacy_tables_plots::overlays_copy_the_first_column_and_row()
{
    QWidget window;
    QTableWidget* source = make_source(16, 1, &window);
    delete source->takeItem(5, 0); // a cell not filled yet
    FreezeTableWidget freeze(source);

    QTableWidget* column = freeze.column_overlay;
    QTableWidget* row = freeze.row_overlay;
    QCOMPARE(column->rowCount(), 16);
    for (int r = 0; r < 16; ++r) {
        QTableWidgetItem* item = column->item(r, 0);
        QCOMPARE(item->text(), r == 5 ? QString() : QStringLiteral("%1,0").arg(r));
        QCOMPARE(item->foreground().color(), QColor(Qt::white));
        QCOMPARE(item->flags(), Qt::NoItemFlags);
    }
    // row 1 holds the copy, under a row 0 of no height
    QCOMPARE(row->item(1, 0)->text(), QString("0,0"));
    QCOMPARE(row->rowHeight(0), 0);
    QVERIFY(row->isRowHidden(2) && row->isRowHidden(15));
    QCOMPARE(column->geometry(), QRect(0, 0, source->columnWidth(0), 180));
    QCOMPARE(row->geometry(), QRect(0, 0, 600, source->rowHeight(0)));

    // the column overlay scrolls sideways only past 5 columns
    for (int columns : {5, 6}) {
        QTableWidget* wide = make_source(4, columns, &window);
        FreezeTableWidget wide_freeze(wide);
        QCOMPARE(wide_freeze.column_overlay->horizontalScrollBarPolicy(),
                 columns > 5 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        QVERIFY(wide_freeze.column_overlay->isColumnHidden(columns - 1));
        QCOMPARE(wide_freeze.row_overlay->item(1, columns - 1)->text(), QStringLiteral("0,%1").arg(columns - 1));
    }
}

void tst_legacy_tables_plots::scrolling_the_source_scrolls_the_overlays_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("pixels");

    QTest::newRow("row 3") << 3 << 90;
    QTest::newRow("row 11") << 11 << 360;
    QTest::newRow("row 12") << 12 << 360;
    QTest::newRow("row 0") << 0 << 0;
}

void tst_legacy_tables_plots::scrolling_the_source_scrolls_the_overlays()
{
    QFETCH(int, row);
    QFETCH(int, pixels);

    QWidget window;
    window.resize(500, 300);
    QTableWidget* source = make_source(60, 12, &window);
    source->setGeometry(0, 0, 480, 280);
    FreezeTableWidget freeze(source);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(freeze.column_overlay->verticalScrollBar()->maximum() >= 400);

    // start away from the value so a change is needed
    source->verticalScrollBar()->setValue(row + 5);
    freeze.column_overlay->verticalScrollBar()->setValue(17);
    source->verticalScrollBar()->setValue(row);
    QCOMPARE(source->verticalScrollBar()->value(), row);
    QCOMPARE(freeze.column_overlay->verticalScrollBar()->value(), pixels);

    source->horizontalScrollBar()->setValue(2);
    QCOMPARE(freeze.row_overlay->horizontalScrollBar()->value(), 2);
}

void tst_legacy_tables_plots::update_frozen_row_copies_only_the_named_columns()
{
    QWidget window;
    QTableWidget* source = make_source(16, 2, &window);
    FreezeTableWidget freeze(source);

    // the list page adds columns and retitles them
    source->setColumnCount(7);
    for (int c = 0; c < 7; ++c)
        source->setItem(0, c, new QTableWidgetItem(QStringLiteral("step %1").arg(c)));
    source->setRowHeight(0, 26);
    freeze.row_overlay->hide();
    freeze.update_frozen_row(7, source, 4);
    QTableWidget* row = freeze.row_overlay;
    QCOMPARE(row->columnCount(), 7);
    for (int c = 0; c <= 4; ++c) {
        QCOMPARE(row->item(1, c)->text(), QStringLiteral("step %1").arg(c));
        QCOMPARE(row->item(1, c)->flags(), Qt::NoItemFlags);
        QCOMPARE(row->item(1, c)->foreground().color(), QColor(Qt::white));
    }
    QVERIFY(row->item(1, 5) == nullptr);
    QCOMPARE(row->geometry(), QRect(0, 0, 600, 26));
    QVERIFY(!row->isHidden());
    QCOMPARE(freeze.column_overlay->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    // last column -1: counts, policy and place only
    freeze.update_frozen_row(3, source, -1);
    QCOMPARE(row->columnCount(), 3);
    QCOMPARE(row->item(1, 0)->text(), QString("step 0"));
    QCOMPARE(freeze.column_overlay->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    // past the count, or over missing cells, copies what there is
    delete source->takeItem(0, 1);
    freeze.update_frozen_row(3, source, 9);
    QCOMPARE(row->columnCount(), 3);
    QCOMPARE(row->item(1, 1)->text(), QString());
    QCOMPARE(row->item(1, 2)->text(), QString("step 2"));

    // a table of one row has no row 1 to copy into
    auto* flat = new QTableWidget(1, 3, &window);
    FreezeTableWidget flat_freeze(flat);
    flat_freeze.update_frozen_row(3, flat, 2);
    QCOMPARE(flat_freeze.row_overlay->rowCount(), 1);
}

void tst_legacy_tables_plots::source_deleted_first_leaves_a_sound_view()
{
    auto* source = make_source(16, 3, nullptr);
    auto* freeze = new FreezeTableWidget(source);
    delete source;
    QVERIFY(freeze->column_overlay.isNull());
    QVERIFY(freeze->row_overlay.isNull());
    freeze->set_column_value(3);
    freeze->set_row_value(1);
    delete freeze;

    // and the other way round the overlays go with the view
    source = make_source(16, 3, nullptr);
    freeze = new FreezeTableWidget(source);
    delete freeze;
    QVERIFY(source->findChildren<QTableWidget*>().isEmpty());
    delete source;
}

void tst_legacy_tables_plots::waveform_points_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("a_on_top");
    QTest::addColumn<bool>("slew");
    QTest::addColumn<double>("factor_1");
    QTest::addColumn<double>("factor_2");
    QTest::addColumn<QVector<QPointF>>("points");

    using P = QPointF;
    QTest::newRow("fresh: continuous, A on top, widened")
        << 1 << true << true << 5.0 << 3.0
        << QVector<P>{P(20, 30), P(40, 30), P(68, 170), P(130, 170), P(170, 30), P(220, 30), P(248, 170),
                      P(310, 170), P(350, 30), P(390, 30)};
    QTest::newRow("continuous, B on top, no slew")
        << 1 << false << false << 5.0 << 3.0
        << QVector<P>{P(20, 170), P(40, 170), P(50, 30), P(130, 30), P(140, 170), P(220, 170), P(230, 30),
                      P(310, 30), P(320, 170), P(390, 170)};
    QTest::newRow("pulse, A on top")
        << 2 << true << true << 1.0 << 2.0
        << QVector<P>{P(0, 30), P(100, 30), P(132, 170), P(280, 170), P(306, 30), P(400, 30)};
    // the rising edge keeps factor 1 when A is below
    QTest::newRow("pulse, A below")
        << 2 << false << true << 1.0 << 2.0
        << QVector<P>{P(0, 170), P(100, 170), P(126, 30), P(280, 30), P(312, 170), P(400, 170)};
    QTest::newRow("factor 0 is a plain edge, -5 leans back")
        << 1 << true << true << -5.0 << 0.0
        << QVector<P>{P(20, 30), P(40, 30), P(50, 170), P(130, 170), P(110, 30), P(220, 30), P(230, 170),
                      P(310, 170), P(290, 30), P(390, 30)};
}

void tst_legacy_tables_plots::waveform_points()
{
    QFETCH(int, kind);
    QFETCH(bool, a_on_top);
    QFETCH(bool, slew);
    QFETCH(double, factor_1);
    QFETCH(double, factor_2);
    QFETCH(QVector<QPointF>, points);

    newframe frame;
    frame.wave_kind = kind;
    frame.level_a_on_top = a_on_top;
    frame.show_slew = slew;
    frame.slew_factor_1 = factor_1;
    frame.slew_factor_2 = factor_2;
    QCOMPARE(frame.waveform_points(), points);
}

void tst_legacy_tables_plots::fresh_diagram_draws_its_dimension_lines()
{
    newframe frame;
    frame.resize(410, 230);
    QCOMPARE(frame.wave_kind, 1);
    QVERIFY(frame.level_a_on_top && frame.show_slew);
    const QImage fresh = frame.grab().toImage();
    // extension lines at 40 and 220, a tick at 130, the dimension line at 185
    QVERIFY(is_gray(fresh.pixelColor(40, 100)));
    QVERIFY(is_gray(fresh.pixelColor(220, 100)));
    QVERIFY(is_gray(fresh.pixelColor(130, 182)));
    QVERIFY(!is_gray(fresh.pixelColor(130, 100)));
    QVERIFY(is_gray(fresh.pixelColor(90, 185)));
    QVERIFY(is_gray(fresh.pixelColor(180, 185)));
    // the waveform's upper level
    QCOMPARE(fresh.pixelColor(30, 30), QColor(Qt::yellow));

    // a pulse with A on top: only line A, on the upper level, between 100 and 280
    frame.wave_kind = 2;
    const QImage pulse = frame.grab().toImage();
    QVERIFY(!is_gray(pulse.pixelColor(300, 185)));
    QVERIFY(is_gray(pulse.pixelColor(100, 100)));
    QVERIFY(is_gray(pulse.pixelColor(280, 100)));
}

void tst_legacy_tables_plots::tracker_labels_the_nearest_sample_in_real_units_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("quantity");
    QTest::addColumn<double>("lower");
    QTest::addColumn<double>("upper");
    QTest::addColumn<QString>("text");

    QTest::newRow("voltage") << QColor(Qt::red) << int(SAXYDataTracker::voltage) << 0.0 << 150.0
                             << "<font color=\"#ff0000\">Voltage:75.000 V</font><br>";
    QTest::newRow("current") << QColor(Qt::green) << int(SAXYDataTracker::current) << -1.0 << 29.0
                             << "<font color=\"#00ff00\">Current:14.0000 A</font><br>";
    QTest::newRow("power") << QColor(Qt::yellow) << int(SAXYDataTracker::power) << 0.0 << 300.0
                           << "<font color=\"#ffff00\">Power:150.00 W</font><br>";
    QTest::newRow("resistance") << QColor(Qt::cyan) << int(SAXYDataTracker::resistance) << 10.0 << 20.0
                                << "<font color=\"#00ffff\">Resis:15.000 ohm</font><br>";
    QTest::newRow("other colour") << QColor(Qt::blue) << int(SAXYDataTracker::voltage) << 0.0 << 150.0
                                  << QString();
}

void tst_legacy_tables_plots::tracker_labels_the_nearest_sample_in_real_units()
{
    QFETCH(QColor, colour);
    QFETCH(int, quantity);
    QFETCH(double, lower);
    QFETCH(double, upper);
    QFETCH(QString, text);

    QwtPlot plot;
    add_curve(plot, colour, {10, 50, 90});
    (new ui_custom_grid)->attach(&plot);
    SAXYDataTracker tracker(plot.canvas());
    tracker.set_value_range(SAXYDataTracker::quantity_t(quantity), lower, upper);
    QVERIFY(show_plot(plot));

    tracker.update_closest_point(to_canvas(plot, 5, 50) + QPoint(3, -2));
    QCOMPARE(tracker.closest_sample(), QPointF(5, 50));
    const QwtText label = tracker.trackerTextF(QPointF());
    QCOMPARE(label.text(), text);
    if (!text.isEmpty())
        QCOMPARE(label.backgroundBrush().color(), QColor(colour.red(), colour.green(), colour.blue(), 30));

    // the first sample counts as none
    tracker.update_closest_point(to_canvas(plot, 0, 10));
    QCOMPARE(tracker.closest_index(), 0);
    QVERIFY(tracker.trackerTextF(QPointF()).isEmpty());
}

void tst_legacy_tables_plots::tracker_forgets_a_detached_curve_only()
{
    QwtPlot plot;
    QwtPlotCurve* near_curve = add_curve(plot, Qt::red, {0, 50, 60});
    QwtPlotCurve* far_curve = add_curve(plot, Qt::green, {0, 95, 99});
    SAXYDataTracker tracker(plot.canvas());
    QVERIFY(show_plot(plot));

    // the mouse moving over the canvas finds the nearest sample itself
    QTest::mouseMove(plot.canvas(), to_canvas(plot, 4, 40));
    QTest::mouseMove(plot.canvas(), to_canvas(plot, 5, 52));
    QCOMPARE(tracker.closest_curve(), near_curve);
    QCOMPARE(tracker.rubberBandPen().color(), QColor(Qt::red));

    far_curve->detach();
    QCOMPARE(tracker.closest_curve(), near_curve);
    near_curve->detach();
    QVERIFY(tracker.closest_curve() == nullptr);
    QVERIFY(tracker.trackerTextF(QPointF()).isEmpty());
    delete near_curve;
    delete far_curve;
}

QTEST_MAIN(tst_legacy_tables_plots)
#include "tst_legacy_tables_plots.moc"
