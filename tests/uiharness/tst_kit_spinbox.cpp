// Focus-out spin boxes: sigUpdateValue once per finished edit, and only
// when the value changed.
#include "MyDoubleSpinBox.h"
#include "MySpinBox.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

template <typename Box>
struct fixture
{
    QWidget window;
    Box* box;
    QLineEdit* other;

    fixture()
    {
        auto* layout = new QVBoxLayout(&window);
        box = new Box(&window);
        box->setRange(-100, 100);
        other = new QLineEdit(&window);
        layout->addWidget(box);
        layout->addWidget(other);
        window.show();
        QApplication::setActiveWindow(&window);
    }

    bool ready() { return QTest::qWaitForWindowActive(&window); }

    void focus_box()
    {
        box->setFocus(Qt::OtherFocusReason);
        QCoreApplication::processEvents();
    }

    void type(const QString& text)
    {
        box->selectAll();
        QTest::keyClicks(box, text);
    }
};

class tst_kit_spinbox : public QObject
{
    Q_OBJECT

private:
    template <typename Box>
    void common_cases(const QString& new_text, double new_value)
    {
        fixture<Box> f;
        QVERIFY(f.ready());
        QSignalSpy spy(f.box, &Box::sigUpdateValue);

        // Focus in and out without a change.
        f.focus_box();
        QVERIFY(f.box->hasFocus());
        f.other->setFocus();
        QCOMPARE(spy.count(), 0);

        // A new value and Enter: one signal, focus gone.
        f.focus_box();
        f.type(new_text);
        QTest::keyClick(f.box, Qt::Key_Return);
        QCOMPARE(spy.count(), 1);
        QVERIFY(!f.box->hasFocus());
        QCOMPARE(double(f.box->value()), new_value);

        // Changed and changed back before leaving: nothing.
        f.focus_box();
        QTest::keyClick(f.box, Qt::Key_Up);
        QVERIFY(double(f.box->value()) != new_value);
        QTest::keyClick(f.box, Qt::Key_Down);
        f.other->setFocus();
        QCOMPARE(spy.count(), 1);

        // Arrow steps committed by a click elsewhere: one signal.
        f.focus_box();
        QTest::keyClick(f.box, Qt::Key_Up);
        QTest::keyClick(f.box, Qt::Key_Up);
        f.other->setFocus();
        QCOMPARE(spy.count(), 2);

        // Set by the program while the box has no focus: nothing.
        f.box->setValue(-5);
        QCOMPARE(spy.count(), 2);

        // The stored value is the one at focus-in, not the one last sent.
        f.focus_box();
        f.other->setFocus();
        QCOMPARE(spy.count(), 2);
    }

    template <typename Box>
    void typed_without_tracking(const QString& text, double expected)
    {
        fixture<Box> f;
        QVERIFY(f.ready());
        f.box->setKeyboardTracking(false);
        QSignalSpy spy(f.box, &Box::sigUpdateValue);
        f.focus_box();
        f.type(text);
        f.other->setFocus();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(double(f.box->value()), expected);
    }

private slots:
    void double_box() { common_cases<MyDoubleSpinBox>("12.5", 12.5); }
    void int_box() { common_cases<MySpinBox>("42", 42); }

    // Typed text that was never interpreted still counts as the new value.
    void double_box_without_tracking() { typed_without_tracking<MyDoubleSpinBox>("7.25", 7.25); }
    void int_box_without_tracking() { typed_without_tracking<MySpinBox>("9", 9); }

    // A whole-number box takes typed text as typed or not at all; what it
    // cannot take leaves the old value, the reason on the box.
    void int_box_takes_typed_text_exactly_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("reason");
        QTest::newRow("comma") << "1,5" << 250 << "Whole numbers only";
        QTest::newRow("a digit too many") << "1000000" << 250 << "Out of range: 0 to 999999";
        QTest::newRow("taken") << "1200" << 1200 << "";
    }

    void int_box_takes_typed_text_exactly()
    {
        QFETCH(QString, typed);
        QFETCH(int, value);
        QFETCH(QString, reason);
        fixture<MySpinBox> f;
        QVERIFY(f.ready());
        f.box->setRange(0, 999999);
        f.box->setValue(250);
        f.other->setFocus();
        QSignalSpy spy(f.box, &MySpinBox::sigUpdateValue);
        f.focus_box();
        f.type(typed);
        QTest::keyClick(f.box, Qt::Key_Return);
        QCOMPARE(f.box->value(), value);
        QCOMPARE(spy.count(), value == 250 ? 0 : 1);
        QCOMPARE(f.box->toolTip().isEmpty(), reason.isEmpty());
        QVERIFY2(reason.isEmpty() || f.box->toolTip().endsWith(reason), qPrintable(f.box->toolTip()));
    }

    void double_box_compares_exactly()
    {
        fixture<MyDoubleSpinBox> f;
        QVERIFY(f.ready());
        f.box->setDecimals(4);
        f.box->setSingleStep(0.0001);
        QSignalSpy spy(f.box, &MyDoubleSpinBox::sigUpdateValue);
        f.focus_box();
        QTest::keyClick(f.box, Qt::Key_Up);
        f.other->setFocus();
        QCOMPARE(spy.count(), 1);
    }
};

QTEST_MAIN(tst_kit_spinbox)
#include "tst_kit_spinbox.moc"
