#include "program_look.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegion>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTest>
#include <QTextDocument>
#include <QToolButton>

#include <array>
#include <cmath>

QString use_program_font(const QString& family)
{
    static const QString resource_family = QFontDatabase::applicationFontFamilies(
        QFontDatabase::addApplicationFont(QStringLiteral(":/resource/NotoSansCJKsc-Regular.otf"))).value(0);
    if (resource_family.isEmpty())
        return QString();
    if (!family.isEmpty())
        QFont::insertSubstitution(family, resource_family);
    QFont::insertSubstitution(QStringLiteral("Calibri"), resource_family);
    QFont font(family.isEmpty() ? resource_family : family);
    font.setPixelSize(11);
    QApplication::setFont(font);
    return resource_family;
}

program_style_sheet_t::program_style_sheet_t()
{
    QFile qss(QStringLiteral(":/resource/QSS.qss"));
    ok = qss.open(QIODevice::ReadOnly | QIODevice::Text);
    if (ok)
        qApp->setStyleSheet(QString::fromUtf8(qss.readAll()));
}

program_style_sheet_t::~program_style_sheet_t()
{
    qApp->setStyleSheet(QString());
}

void save_shot(QWidget* widget, const QString& name)
{
    const QString dir = qEnvironmentVariable("WATTLEX_SHOT_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    QVERIFY(widget->grab().save(QDir(dir).filePath(name + QStringLiteral(".png"))));
}

QStringList clipped_texts(QWidget* root)
{
    QStringList problems;
    auto report = [&](QWidget* w, const QString& text, int need, int have) {
        if (need > have)
            problems << QString("%1 \"%2\": needs %3 px, has %4").arg(w->objectName(), text).arg(need).arg(have);
    };
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(root))
            continue;
        const QFontMetrics fm(w->font());
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->text().isEmpty() || label->wordWrap() || !label->pixmap(Qt::ReturnByValue).isNull())
                continue;
            report(w, label->text(), label->sizeHint().width(), label->width());
            report(w, label->text(), fm.tightBoundingRect(label->text()).height(), label->height());
        } else if (auto* push = qobject_cast<QPushButton*>(w)) {
            // 2 px border and a little air on each side.
            report(w, push->text(), fm.horizontalAdvance(push->text()) + 8, push->width());
            report(w, push->text(), fm.tightBoundingRect(push->text()).height() + 4, push->height());
        } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            auto* button = static_cast<QAbstractButton*>(w);
            report(w, button->text(), button->sizeHint().width(), button->width());
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            int need = fm.horizontalAdvance(group->title()) + 16;
            if (group->isCheckable())
                need += group->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, group)
                        + group->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, group);
            report(w, group->title(), need, group->width());
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            // The arrow and a little air.
            for (int i = 0; i < combo->count(); ++i)
                report(w, combo->itemText(i), fm.horizontalAdvance(combo->itemText(i)) + 26, combo->width());
        }
    }
    return problems;
}

namespace {

double luminance(QRgb c)
{
    // Each pixel is compared with several neighbours: the channel curve once.
    static const std::array<double, 256> channel = [] {
        std::array<double, 256> t{};
        for (int v = 0; v < 256; ++v) {
            const double s = v / 255.0;
            t[size_t(v)] = s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        }
        return t;
    }();
    return 0.2126 * channel[size_t(qRed(c))] + 0.7152 * channel[size_t(qGreen(c))] + 0.0722 * channel[size_t(qBlue(c))];
}

double contrast(QRgb a, QRgb b)
{
    double la = luminance(a);
    double lb = luminance(b);
    if (la < lb)
        std::swap(la, lb);
    return (la + 0.05) / (lb + 0.05);
}

// The strongest contrast between a pixel of `r` and its neighbours up to
// three pixels away (right or down), which a glyph's stem reaches from its
// full colour.
double local_contrast(const QImage& image, const QRect& r)
{
    double best = 1;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb here = image.pixel(x, y);
            for (int d = 1; d <= 3; ++d) {
                if (x + d <= r.right())
                    best = qMax(best, contrast(here, image.pixel(x + d, y)));
                if (y + d <= r.bottom())
                    best = qMax(best, contrast(here, image.pixel(x, y + d)));
            }
        }
    return best;
}

// The ground may change along a text (the About box's diagonal gradient),
// so the text is judged in overlapping pieces about a line high and as
// wide: its contrast is that of its weakest piece holding ink (a piece of
// bare ground or gradient stays near 1:1 and is left out).
double drawn_contrast(const QImage& image, QRect r)
{
    r &= image.rect();
    if (r.isEmpty())
        return -1;
    const int width = qMax(8, r.height());
    double weakest = -1;
    for (int left = r.left();; left += width / 2) {
        const QRect piece(qMin(left, qMax(r.left(), r.right() + 1 - width)), r.top(), width, r.height());
        const double c = local_contrast(image, piece & r);
        if (c >= 1.25 && (weakest < 0 || c < weakest))
            weakest = c;
        if (piece.right() >= r.right())
            break;
    }
    return weakest < 0 ? local_contrast(image, r) : weakest;
}

// The commonest colour of the ring `gap` to `gap` + 2 pixels outside `r`:
// what an indicator stands on.
QRgb ground_around(const QImage& image, const QRect& r, int gap)
{
    QHash<QRgb, int> counts;
    const QRect outer = r.adjusted(-gap - 2, -gap - 2, gap + 2, gap + 2) & image.rect();
    const QRect inner = r.adjusted(-gap, -gap, gap, gap);
    for (int y = outer.top(); y <= outer.bottom(); ++y)
        for (int x = outer.left(); x <= outer.right(); ++x)
            if (!inner.contains(x, y))
                ++counts[image.pixel(x, y) & 0xffffff];
    QRgb ground = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most) {
            most = it.value();
            ground = it.key();
        }
    return ground;
}

struct shown_text
{
    QWidget* widget;
    QString text;
    QRect rect; // in the widget's (or its viewport's) coordinates
    QWidget* coords;
};

bool wholly_seen(QWidget* w, const QRect& r)
{
    return !r.isEmpty() && QRegion(r).subtracted(w->visibleRegion()).isEmpty();
}

// The style options a check box, radio button or group box paints itself
// with, so that the style places its indicator and text where it drew them.
QStyleOptionButton button_option(QAbstractButton* b)
{
    QStyleOptionButton opt;
    opt.initFrom(b);
    opt.text = b->text();
    opt.icon = b->icon();
    opt.iconSize = b->iconSize();
    opt.state |= b->isChecked() ? QStyle::State_On : QStyle::State_Off;
    return opt;
}

QStyleOptionGroupBox group_option(QGroupBox* g)
{
    QStyleOptionGroupBox opt;
    opt.initFrom(g);
    opt.text = g->title();
    opt.lineWidth = 1;
    opt.textAlignment = g->alignment();
    opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    if (g->isCheckable()) {
        opt.subControls |= QStyle::SC_GroupBoxCheckBox;
        opt.state |= g->isChecked() ? QStyle::State_On : QStyle::State_Off;
    }
    if (g->isFlat())
        opt.features |= QStyleOptionFrame::Flat;
    return opt;
}

// Where `w` draws its check or radio indicator; empty for other widgets.
QRect indicator_rect(QWidget* w)
{
    if (auto* box = qobject_cast<QCheckBox*>(w)) {
        const QStyleOptionButton opt = button_option(box);
        return w->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &opt, w);
    }
    if (auto* radio = qobject_cast<QRadioButton*>(w)) {
        const QStyleOptionButton opt = button_option(radio);
        return w->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &opt, w);
    }
    if (auto* group = qobject_cast<QGroupBox*>(w); group && group->isCheckable()) {
        const QStyleOptionGroupBox opt = group_option(group);
        return w->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxCheckBox, w);
    }
    return QRect();
}

// The box a single line of text takes in `r`, a pixel of air around it, so
// that no cell border or grid line is judged as part of it.
QRect tight(const QFontMetrics& fm, const QRect& r, int flags, const QString& text)
{
    return fm.boundingRect(r, flags, text).adjusted(-2, -1, 2, 1);
}

QList<shown_text> texts_of(QWidget* w)
{
    QList<shown_text> out;
    const QFontMetrics fm(w->font());
    if (auto* label = qobject_cast<QLabel*>(w)) {
        if (label->text().isEmpty() || !label->pixmap(Qt::ReturnByValue).isNull())
            return out;
        QTextDocument doc;
        doc.setHtml(label->text());
        const QString plain = Qt::mightBeRichText(label->text()) ? doc.toPlainText() : label->text();
        const QRect cr = label->contentsRect();
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        out << shown_text{w, plain, fm.boundingRect(cr, flags, plain).adjusted(-1, -1, 1, 1) & cr, w};
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        QString text = button->text();
        text.remove(QLatin1Char('&'));
        if (text.isEmpty())
            return out;
        if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            const QStyleOptionButton opt = button_option(button);
            const QRect cr = w->style()->subElementRect(qobject_cast<QCheckBox*>(w) ? QStyle::SE_CheckBoxContents
                                                                                     : QStyle::SE_RadioButtonContents,
                                                        &opt, w);
            out << shown_text{w, text, fm.boundingRect(cr, Qt::AlignLeft | Qt::AlignVCenter, text).adjusted(-1, -1, 1, 1) & w->rect(), w};
        } else if (qobject_cast<QPushButton*>(w) || qobject_cast<QToolButton*>(w)) {
            out << shown_text{w, text, fm.boundingRect(w->rect(), Qt::AlignCenter, text).adjusted(-1, -1, 1, 1), w};
        }
    } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
        if (group->title().isEmpty())
            return out;
        const QStyleOptionGroupBox opt = group_option(group);
        const QRect r = w->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, w);
        out << shown_text{w, group->title(), r & w->rect(), w};
    } else if (auto* tabs = qobject_cast<QTabBar*>(w)) {
        for (int i = 0; i < tabs->count(); ++i)
            if (!tabs->tabText(i).isEmpty())
                out << shown_text{w, tabs->tabText(i), fm.boundingRect(tabs->tabRect(i), Qt::AlignCenter, tabs->tabText(i)).adjusted(-1, -1, 1, 1) & w->rect(), w};
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        if (edit->text().isEmpty() || edit->echoMode() != QLineEdit::Normal)
            return out;
        const QRect inner = edit->rect().adjusted(3, 3, -3, -3);
        out << shown_text{w, edit->text(), fm.boundingRect(inner, int(edit->alignment()), edit->text()).adjusted(-2, -1, 2, 1) & inner, w};
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (combo->isEditable() || combo->currentText().isEmpty())
            return out;
        const QRect inner = combo->rect().adjusted(3, 3, -3, -3);
        out << shown_text{w, combo->currentText(), QRect(inner.topLeft(), QSize(qMin(inner.width() - 16, fm.horizontalAdvance(combo->currentText()) + 8), inner.height())), w};
    } else if (auto* header = qobject_cast<QHeaderView*>(w)) {
        if (!header->model())
            return out;
        for (int i = 0; i < header->count(); ++i) {
            if (header->isSectionHidden(i))
                continue;
            const QString text = header->model()->headerData(i, header->orientation()).toString();
            const int pos = header->sectionViewportPosition(i);
            const QRect r = header->orientation() == Qt::Horizontal ? QRect(pos, 0, header->sectionSize(i), header->height())
                                                                    : QRect(0, pos, header->width(), header->sectionSize(i));
            if (!text.isEmpty())
                out << shown_text{w, text, tight(fm, r.adjusted(3, 2, -3, -2), header->defaultAlignment(), text) & header->viewport()->rect(), header->viewport()};
        }
    } else if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
        const QAbstractItemModel* model = view->model();
        if (!model)
            return out;
        const QModelIndex root = view->rootIndex();
        const int icon = view->iconSize().isValid() ? view->iconSize().width()
                                                    : view->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, view);
        for (int row = 0; row < qMin(model->rowCount(root), 40); ++row)
            for (int col = 0; col < model->columnCount(root); ++col) {
                const QModelIndex index = model->index(row, col, root);
                const QString text = index.data().toString();
                QRect r = view->visualRect(index) & view->viewport()->rect();
                if (text.isEmpty() || r.width() < 8 || r.height() < 8)
                    continue;
                if (!index.data(Qt::DecorationRole).isNull())
                    r.setLeft(r.left() + icon + 4);
                const QVariant align = index.data(Qt::TextAlignmentRole);
                const int flags = align.isValid() ? align.toInt() : int(Qt::AlignLeft | Qt::AlignVCenter);
                out << shown_text{w, text, tight(fm, r.adjusted(3, 1, -3, -1), flags, text) & r, view->viewport()};
            }
    }
    return out;
}

} // namespace

QStringList low_contrast_texts(QWidget* root, double minimum, const QList<QWidget*>& greyed)
{
    QStringList problems;
    const QImage image = root->grab().toImage();
    const qreal scale = image.devicePixelRatio();
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        if (!w->isVisibleTo(root) && w != root)
            continue;
        if (!w->isEnabled() || greyed.contains(w))
            continue;
        for (const shown_text& t : texts_of(w)) {
            // Only texts wholly in sight: not cut by a scroll area's edge or
            // lying under another widget.
            if (!wholly_seen(t.coords, t.rect))
                continue;
            const QPoint at = t.coords->mapTo(root, t.rect.topLeft());
            const QRectF r(QPointF(at) * scale, QSizeF(t.rect.size()) * scale);
            const double c = drawn_contrast(image, r.toRect());
            if (c >= 0 && c < minimum)
                problems << QString("%1 %2 \"%3\": contrast %4")
                                .arg(w->metaObject()->className(), w->objectName(), t.text)
                                .arg(c, 0, 'f', 2);
        }
    }
    return problems;
}

QStringList faint_indicators(QWidget* root, double minimum)
{
    QList<QWidget*> shown;
    for (QWidget* w : root->findChildren<QWidget*>())
        if (w->isVisibleTo(root) && w->isEnabled() && !indicator_rect(w).isEmpty())
            shown << w;
    QStringList problems;
    auto judge = [&] {
        const QImage image = root->grab().toImage();
        const qreal scale = image.devicePixelRatio();
        for (QWidget* w : shown) {
            const QRect r = indicator_rect(w);
            if (!wholly_seen(w, r))
                continue;
            const QRect at(QPoint(w->mapTo(root, r.topLeft()) * scale), r.size() * scale);
            const QRgb ground = ground_around(image, at, qRound(2 * scale));
            double best = 1;
            for (int y = at.top(); y <= at.bottom(); ++y)
                for (int x = at.left(); x <= at.right(); ++x)
                    if (image.rect().contains(x, y))
                        best = qMax(best, contrast(ground, image.pixel(x, y)));
            const bool on = qobject_cast<QGroupBox*>(w) ? static_cast<QGroupBox*>(w)->isChecked()
                                                        : static_cast<QAbstractButton*>(w)->isChecked();
            if (best < minimum)
                problems << QString("%1 %2 (%3): indicator contrast %4")
                                .arg(w->metaObject()->className(), w->objectName(), on ? "checked" : "unchecked")
                                .arg(best, 0, 'f', 2);
        }
    };
    // Each indicator as it stands, then in its other state (exclusive groups
    // let go for the moment; no signal reaches the window).
    judge();
    auto flip = [&] {
        for (QWidget* w : shown) {
            const QSignalBlocker quiet(w);
            if (auto* group = qobject_cast<QGroupBox*>(w)) {
                group->setChecked(!group->isChecked());
                continue;
            }
            auto* b = static_cast<QAbstractButton*>(w);
            QButtonGroup* exclusive = b->group() && b->group()->exclusive() ? b->group() : nullptr;
            const QSignalBlocker quiet_group(exclusive);
            const bool auto_exclusive = b->autoExclusive();
            if (exclusive)
                exclusive->setExclusive(false);
            b->setAutoExclusive(false);
            b->setChecked(!b->isChecked());
            b->setAutoExclusive(auto_exclusive);
            if (exclusive)
                exclusive->setExclusive(true);
        }
    };
    flip();
    judge();
    flip();
    return problems;
}
