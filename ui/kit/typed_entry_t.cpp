#include "typed_entry_t.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <QToolTip>

namespace {

// A limit as the user would type it: no exponent, no trailing zeros.
QString limit_text(double v, int decimals)
{
    QString t = QString::number(v, 'f', decimals);
    if (t.contains(QLatin1Char('.'))) {
        while (t.endsWith(QLatin1Char('0')))
            t.chop(1);
        if (t.endsWith(QLatin1Char('.')))
            t.chop(1);
    }
    return t;
}

// The decimal points users type: "," and ".", also as a Chinese input
// method gives them in full width.
QString with_point(QString text)
{
    for (const QChar c : {QChar(','), QChar(0xFF0C), QChar(0xFF0E), QChar(0x3002)})
        text.replace(c, QLatin1Char('.'));
    return text;
}

// Room for a tip's margins, and the height of a pointer, at most.
const int tip_slack = 16;
const int pointer_height = 32;

} // namespace

QWidget* typed_entry_t::shown_tip()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->inherits("QTipLabel") && w->isVisible())
            return w;
    return nullptr;
}

typed_entry_t::verdict_t typed_entry_t::read(const QString& text, const limits_t& limits, double* value)
{
    // One comma before three digits is how both languages of the program
    // write thousands: "1,000" may mean 1000 or 1. A whole part of 0
    // ("0,125") cannot be thousands.
    static const QRegularExpression thousands(QStringLiteral("^[+-]?0*[1-9][0-9]*[,\\x{FF0C}][0-9]{3}$"));
    if (thousands.match(text.trimmed()).hasMatch())
        return thousands_comma;
    static const QRegularExpression number(QStringLiteral("^[+-]?([0-9]*)(?:\\.([0-9]*))?$"));
    const QString t = with_point(text.trimmed());
    const QRegularExpressionMatch m = number.match(t);
    if (!m.hasMatch() || m.capturedLength(1) + m.capturedLength(2) == 0)
        return not_number;
    QString fraction = m.captured(2);
    // "1.50" is 1.5: trailing zeros ask for no decimal the box lacks.
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    if (fraction.size() > limits.decimals)
        return too_many_decimals;
    if (limits.digits > 0) {
        const QString digits = m.captured(1) + fraction;
        static const QRegularExpression nonzero(QStringLiteral("[1-9]"));
        const int first = digits.indexOf(nonzero);
        if (first >= 0 && digits.lastIndexOf(nonzero) - first + 1 > limits.digits)
            return too_many_digits;
    }
    bool ok = false;
    // + 0.0: a typed "-0" is 0, never sent as "-0".
    const double v = t.toDouble(&ok) + 0.0;
    if (!ok)
        return not_number;
    if (v < limits.low || v > limits.high)
        return out_of_range;
    if (value)
        *value = v;
    return taken;
}

QString typed_entry_t::reason(verdict_t verdict, const limits_t& limits)
{
    switch (verdict) {
    case not_number:
        return tr("Not a number");
    case thousands_comma:
        return tr("A comma before three digits is read as a thousands separator: "
                  "type the number without it, or with a point");
    case too_many_decimals:
        return limits.decimals == 0 ? tr("Whole numbers only") : tr("At most %1 decimals").arg(limits.decimals);
    case too_many_digits:
        return tr("At most %1 significant digits").arg(limits.digits);
    case out_of_range:
        return tr("Out of range: %1 to %2")
            .arg(limit_text(limits.low, limits.decimals), limit_text(limits.high, limits.decimals));
    case taken:
        break;
    }
    return QString();
}

QValidator::State typed_entry_t::validate(const QString& text, const limits_t& limits)
{
    return read(text, limits) == taken ? QValidator::Acceptable : QValidator::Intermediate;
}

void typed_entry_t::end_edit(QAbstractSpinBox* box, const QString& text, const limits_t& limits,
                             const std::function<void()>& put_back)
{
    const verdict_t verdict = read(text, limits);
    if (verdict == taken) {
        clear_reason(box);
        return;
    }
    // Put back first: the value it restores clears an older reason, not this one.
    put_back();
    m_put_back = box->text();
    if (!m_reason_shown) {
        m_tool_tip = box->toolTip();
        m_reason_shown = true;
    }
    m_shown = QStringLiteral("\"%1\": %2").arg(text.trimmed(), reason(verdict, limits));
    m_holds_ok = true;
    box->setToolTip(m_shown);
    show_later(box);
}

bool typed_entry_t::show_reason(QAbstractSpinBox* box)
{
    if (!m_reason_shown || !m_holds_ok)
        return false;
    // Shown once is enough: a second OK on what the box shows is meant.
    m_holds_ok = false;
    show_later(box);
    return true;
}

void typed_entry_t::show_later(QAbstractSpinBox* box)
{
    // Not now: the focus change that ends the edit hides a tip at once.
    QTimer::singleShot(0, box, [this, box] { show_tip(box); });
}

void typed_entry_t::show_tip(QAbstractSpinBox* box)
{
    if (!m_reason_shown || !box->isVisible())
        return;
    // The release of a click that ended the edit would hide it too.
    if (QGuiApplication::mouseButtons() != Qt::NoButton) {
        QTimer::singleShot(50, box, [this, box] { show_tip(box); });
        return;
    }
    // Below the box, unless the tip would land under the pointer (which has
    // just clicked OK, low in the window): the pointer then leaves the
    // button for the tip, and the tip hides at once. QToolTip puts a tip a
    // pointer's height below the point it is given; the estimate is
    // generous.
    const QRect at(box->mapToGlobal(QPoint(0, 0)), box->size());
    const QFontMetrics fm(QToolTip::font());
    const QSize tip(fm.horizontalAdvance(m_shown) + tip_slack, fm.height() + tip_slack);
    const QRect below(at.bottomLeft(), QSize(tip.width(), tip.height() + pointer_height));
    const QScreen* screen = box->screen();
    const int above = at.top() - tip.height() - pointer_height;
    if (!below.contains(QCursor::pos()) || !screen || above < screen->geometry().top()) {
        QToolTip::showText(at.bottomLeft(), m_shown, box);
        return;
    }
    QToolTip::showText(QPoint(at.left(), above), m_shown, box);
    // Right above the box, now that its size is known.
    if (QWidget* shown = shown_tip())
        shown->move(shown->x(), at.top() - shown->height());
}

void typed_entry_t::value_changed(QAbstractSpinBox* box)
{
    if (m_reason_shown && box->text() != m_put_back)
        clear_reason(box);
}

void typed_entry_t::clear_reason(QAbstractSpinBox* box)
{
    if (!m_reason_shown)
        return;
    m_reason_shown = false;
    m_holds_ok = false;
    box->setToolTip(m_tool_tip);
    if (QToolTip::isVisible() && QToolTip::text() == m_shown)
        QToolTip::hideText();
}
