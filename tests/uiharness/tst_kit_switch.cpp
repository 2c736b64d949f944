// The load switch: SwitchControl's slide, SwitchButton's state and
// BaseButton's press/release signals.
#include "SwitchButton.h"
#include "SwitchControl.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

class tst_kit_switch : public QObject
{
    Q_OBJECT

private:
    // Sends a mouse event with explicit local and screen positions.
    static void send(QWidget* w, QEvent::Type type, QPoint local, Qt::MouseButton button = Qt::LeftButton)
    {
        const QPointF screen = w->mapToGlobal(local);
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent ev(type, QPointF(local), screen, type == QEvent::MouseMove ? Qt::NoButton : button, held,
                       Qt::NoModifier);
        QApplication::sendEvent(w, &ev);
    }

    static QList<int> slide(SwitchControl* c, int ticks)
    {
        QList<int> positions;
        for (int i = 0; i < ticks; ++i) {
            c->updateValue();
            positions << c->knobPosition();
        }
        return positions;
    }

    // Names of the button's signals in the order they arrive.
    static QStringList* record(BaseButton* b)
    {
        auto* log = new QStringList;
        connect(b, &BaseButton::pressSignal, b, [log] { *log << "press"; });
        connect(b, &BaseButton::forceReleasedSignal, b, [log] { *log << "forceReleased"; });
        connect(b, &BaseButton::clickReleased, b, [log](bool t) { *log << (t ? "click(true)" : "click(false)"); });
        connect(b, &BaseButton::releasedSignal, b, [log] { *log << "released"; });
        connect(b, &QObject::destroyed, [log] { delete log; });
        return log;
    }

private slots:
    void control_defaults()
    {
        SwitchControl c;
        QCOMPARE(c.size(), QSize(138, 23));
        QVERIFY(!c.isChecked());
        QCOMPARE(c.knobPosition(), 0);
        QCOMPARE(c.offText(), QString("OFF"));
        QCOMPARE(c.onText(), QString("ON"));
        auto* timer = c.findChild<QTimer*>();
        QVERIFY(timer);
        QCOMPARE(timer->interval(), 40);
        QVERIFY(!timer->isActive());
    }

    void slide_on_and_off()
    {
        SwitchButton b;
        SwitchControl* c = b.control();
        b.setSelectedItem(true);
        // The state is reported at once, before the knob has moved.
        QVERIFY(b.getSelectedItem());
        QCOMPARE(c->knobPosition(), 0);
        QVERIFY(c->isSliding());
        QCOMPARE(slide(c, 7), (QList<int> {13, 26, 39, 52, 65, 78, 69}));
        QVERIFY(!c->isSliding());

        b.setSelectedItem(false);
        QVERIFY(!b.getSelectedItem());
        QCOMPARE(slide(c, 7), (QList<int> {56, 43, 30, 17, 4, -9, 0}));
        QVERIFY(!c->isSliding());
    }

    void same_state_settles_in_one_tick()
    {
        SwitchButton b;
        SwitchControl* c = b.control();
        b.setSelectedItem(false);
        QVERIFY(c->isSliding());
        QCOMPARE(slide(c, 1), QList<int> {0});
        QVERIFY(!c->isSliding());
    }

    void timer_drives_the_slide()
    {
        SwitchButton b;
        b.setSelectedItem(true);
        QTRY_VERIFY_WITH_TIMEOUT(!b.control()->isSliding(), 2000);
        QCOMPARE(b.control()->knobPosition(), 69);
    }

    void resize_jumps_to_the_end()
    {
        SwitchControl c;
        c.show();
        c.setChecked(true);
        c.setFixedSize(200, 23);
        QCOMPARE(c.knobPosition(), 100);
        c.setChecked(false);
        c.setFixedSize(150, 23);
        QCOMPARE(c.knobPosition(), 0);
    }

    void click_signals_and_state()
    {
        SwitchButton b;
        b.resize(140, 25);
        QStringList* log = record(&b);
        const QPoint mid(70, 12);

        send(&b, QEvent::MouseButtonPress, mid);
        QCOMPARE(b.styleSheet(), QString(".SwitchButton{ background-color: #505050; }"));
        send(&b, QEvent::MouseButtonRelease, mid);
        QCOMPARE(*log, (QStringList {"press", "forceReleased", "click(true)", "released"}));

        log->clear();
        send(&b, QEvent::MouseButtonPress, mid);
        send(&b, QEvent::MouseButtonRelease, mid);
        QCOMPARE(*log, (QStringList {"press", "forceReleased", "click(false)", "released"}));
        // A press never moves the switch: the state follows the load.
        QVERIFY(!b.getSelectedItem());
    }

    void vertical_drag_cancels_horizontal_does_not()
    {
        SwitchButton b;
        b.resize(140, 25);
        QStringList* log = record(&b);

        send(&b, QEvent::MouseButtonPress, QPoint(10, 2));
        send(&b, QEvent::MouseMove, QPoint(10, 23));
        send(&b, QEvent::MouseButtonRelease, QPoint(10, 23));
        QCOMPARE(*log, (QStringList {"press", "forceReleased"}));

        log->clear();
        send(&b, QEvent::MouseButtonPress, QPoint(10, 2));
        send(&b, QEvent::MouseMove, QPoint(10, 22));  // 20 px: not yet a drag
        send(&b, QEvent::MouseMove, QPoint(130, 2));
        send(&b, QEvent::MouseButtonRelease, QPoint(130, 2));
        QCOMPARE(*log, (QStringList {"press", "forceReleased", "click(true)", "released"}));
    }

    void release_just_outside()
    {
        SwitchButton b;
        b.resize(140, 25);
        QSignalSpy clicks(&b, &BaseButton::clickReleased);

        send(&b, QEvent::MouseButtonPress, QPoint(70, 12));
        send(&b, QEvent::MouseButtonRelease, QPoint(140, 12));  // one pixel right of the last column
        QCOMPARE(clicks.count(), 1);
        send(&b, QEvent::MouseButtonPress, QPoint(70, 12));
        send(&b, QEvent::MouseButtonRelease, QPoint(70, 25));   // one pixel below
        QCOMPARE(clicks.count(), 2);
        send(&b, QEvent::MouseButtonPress, QPoint(70, 12));
        send(&b, QEvent::MouseButtonRelease, QPoint(141, 12));
        send(&b, QEvent::MouseButtonPress, QPoint(70, 12));
        send(&b, QEvent::MouseButtonRelease, QPoint(70, 26));
        send(&b, QEvent::MouseButtonPress, QPoint(70, 12));
        send(&b, QEvent::MouseButtonRelease, QPoint(-1, 12));
        QCOMPARE(clicks.count(), 2);
    }

    void click_disabled()
    {
        SwitchButton b;
        b.resize(140, 25);
        b.setClickDisabled(true);
        QStringList* log = record(&b);
        send(&b, QEvent::MouseButtonPress, QPoint(70, 12));
        send(&b, QEvent::MouseButtonRelease, QPoint(70, 12));
        QCOMPARE(*log, (QStringList {"press", "forceReleased"}));
    }

    void long_press_repeats_until_release()
    {
        SwitchButton b;
        b.resize(140, 25);
        QSignalSpy longs(&b, &BaseButton::longPressSignal);
        send(&b, QEvent::MouseButtonPress, QPoint(70, 12));
        QTest::qWait(300);
        QCOMPARE(longs.count(), 0);  // off unless enabled

        b.setLongPressEnabled(true);
        send(&b, QEvent::MouseButtonPress, QPoint(70, 12));
        QTRY_VERIFY_WITH_TIMEOUT(longs.count() >= 2, 2000);
        send(&b, QEvent::MouseButtonRelease, QPoint(70, 12));
        const int after_release = longs.count();
        QTest::qWait(300);
        QCOMPARE(longs.count(), after_release);
    }

    void border_looks()
    {
        SwitchButton b;
        QVERIFY(!b.borderState());
        b.setBordState(true);
        QVERIFY(b.borderState());
        QCOMPARE(b.styleSheet(), QString(".SwitchButton{ border: 1px solid #848484; }"));
        b.setDisBord();
        QVERIFY(!b.borderState());

        BaseButton plain;
        plain.setEableBord();
        QCOMPARE(plain.styleSheet(), QString(".swicthButton{ border: 1px solid #848484; }"));
    }

    void layout_holds_the_control()
    {
        SwitchButton b;
        b.show();
        QVERIFY(QTest::qWaitForWindowExposed(&b));
        SwitchControl* c = b.control();
        QCOMPARE(c->parentWidget(), &b);
        QCOMPARE(c->size(), QSize(138, 23));
        QVERIFY(b.rect().contains(c->geometry()));
        QCOMPARE(c->x(), 1);
    }
};

QTEST_MAIN(tst_kit_switch)
#include "tst_kit_switch.moc"
