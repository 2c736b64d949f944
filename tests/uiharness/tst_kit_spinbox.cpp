// Focus-out spin boxes: sigUpdateValue once per finished edit, and only
// when the value changed.
#include "MyDoubleSpinBox.h"
#include "MySpinBox.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QToolTip>
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
        // Beyond ASCII as an input method gives it: a key with its text.
        for (const QChar c : text) {
            if (c.unicode() < 128)
                QTest::keyClick(box, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
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

    template <typename Box>
    void typed_text()
    {
        QFETCH(int, decimals);
        QFETCH(QString, typed);
        QFETCH(double, value);
        QFETCH(QString, reason);
        QFETCH(QString, then);
        fixture<Box> f;
        QVERIFY(f.ready());
        if (decimals > 0)
            f.box->setProperty("decimals", decimals);
        f.box->setRange(0, 999999);
        f.box->setValue(250);
        f.box->setToolTip("own tip");
        f.other->setFocus();
        QSignalSpy spy(f.box, &Box::sigUpdateValue);
        f.focus_box();
        f.type(typed);
        QTest::keyClick(f.box, Qt::Key_Return);
        QCOMPARE(double(f.box->value()), value);
        QCOMPARE(spy.count(), value == 250 ? 0 : 1);
        if (reason.isEmpty()) {
            QCOMPARE(f.box->toolTip(), QString("own tip"));
            return;
        }
        QCOMPARE(f.box->toolTip(), QString("\"%1\": %2").arg(typed, reason));
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), f.box->toolTip());
        if (then.isEmpty())
            return;
        if (then == "set") {
            f.box->setValue(3);
        } else {
            f.box->setKeyboardTracking(false); // no value on the way to clear it
            f.focus_box();
            f.type(then);
            QTest::keyClick(f.box, Qt::Key_Return);
        }
        QCOMPARE(f.box->toolTip(), QString("own tip"));
        QTRY_VERIFY(!QToolTip::isVisible());
    }

private slots:
    void double_box() { common_cases<MyDoubleSpinBox>("12.5", 12.5); }
    void int_box() { common_cases<MySpinBox>("42", 42); }

    // Typed text that was never interpreted still counts as the new value.
    void double_box_without_tracking() { typed_without_tracking<MyDoubleSpinBox>("7.25", 7.25); }
    void int_box_without_tracking() { typed_without_tracking<MySpinBox>("9", 9); }

    // Typed text is taken as typed or not at all: what a box cannot take
    // leaves the old value, and the reason shows at once beside the box and
    // stays as its tool tip until an entry is taken (also of the same value)
    // or the program sets a value. Decimals 0: the whole-number box.
    void typed_text_taken_exactly_data()
    {
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("value"); // 250: refused
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("then"); // typed next, or "set" by the program
        const QString thousands = "A comma before three digits is read as a thousands separator: "
                                  "type the number without it, or with a point";
        QTest::newRow("comma") << 0 << "1,5" << 250.0 << "Whole numbers only" << "set";
        QTest::newRow("a digit too many") << 0 << "1000000" << 250.0 << "Out of range: 0 to 999999" << "";
        QTest::newRow("taken") << 0 << "1200" << 1200.0 << "" << "";
        QTest::newRow("whole, thousands") << 0 << "1,000" << 250.0 << thousands << "7";
        QTest::newRow("thousands") << 3 << "1,000" << 250.0 << thousands << "set";
        QTest::newRow("thousands 12") << 3 << "12,500" << 250.0 << thousands << "250";
        QTest::newRow("thousands, full width") << 3 << QString::fromUtf8("12\uFF0C500") << 250.0 << thousands << "7";
        QTest::newRow("comma point") << 3 << "1,5" << 1.5 << "" << "";
        QTest::newRow("whole part 0") << 3 << "0,125" << 0.125 << "" << "";
        QTest::newRow("two decimals") << 3 << "0,25" << 0.25 << "" << "";
        QTest::newRow("point, three digits") << 3 << "1.000" << 1.0 << "" << "";
        QTest::newRow("comma, four zeros") << 3 << "1,0000" << 1.0 << "" << "";
        QTest::newRow("comma, two zeros") << 3 << "1,00" << 1.0 << "" << "";
        QTest::newRow("comma, four decimals") << 3 << "1,2345" << 250.0 << "At most 3 decimals" << "";
    }

    void typed_text_taken_exactly()
    {
        QFETCH(int, decimals);
        if (decimals == 0)
            typed_text<MySpinBox>();
        else
            typed_text<MyDoubleSpinBox>();
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
