#include "program_look.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>
#include <QTextDocument>
#include <QToolButton>

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
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

double contrast(QRgb a, QRgb b)
{
    double la = luminance(a);
    double lb = luminance(b);
    if (la < lb)
        std::swap(la, lb);
    return (la + 0.05) / (lb + 0.05);
}

// Row by row (grounds may be vertical gradients): the ground is the row's
// commonest colour, the text the pixel that stands out most from it (glyph
// stems are drawn at full colour); the text's contrast is that of its best
// row.
double drawn_contrast(const QImage& image, QRect r)
{
    r &= image.rect();
    if (r.isEmpty())
        return -1;
    double best = 1;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        QHash<QRgb, int> counts;
        for (int x = r.left(); x <= r.right(); ++x)
            ++counts[image.pixel(x, y) & 0xffffff];
        QRgb ground = 0;
        int most = -1;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it)
            if (it.value() > most) {
                most = it.value();
                ground = it.key();
            }
        for (auto it = counts.cbegin(); it != counts.cend(); ++it)
            best = qMax(best, contrast(ground, it.key()));
    }
    return best;
}

struct shown_text
{
    QWidget* widget;
    QString text;
    QRect rect; // in the widget's (or its viewport's) coordinates
    QWidget* coords;
};

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
        if (text.isEmpty() || !(qobject_cast<QPushButton*>(w) || qobject_cast<QToolButton*>(w)))
            return out;
        out << shown_text{w, text, fm.boundingRect(w->rect(), Qt::AlignCenter, text).adjusted(-1, -1, 1, 1), w};
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
                out << shown_text{w, text, r.adjusted(2, 2, -2, -2) & header->viewport()->rect(), header->viewport()};
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
                out << shown_text{w, text, r.adjusted(0, 1, 0, -1), view->viewport()};
            }
    }
    return out;
}

} // namespace

QStringList low_contrast_texts(QWidget* root, double minimum)
{
    QStringList problems;
    const QImage image = root->grab().toImage();
    const qreal scale = image.devicePixelRatio();
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        if (!w->isVisibleTo(root) && w != root)
            continue;
        if (!w->isEnabled())
            continue;
        for (const shown_text& t : texts_of(w)) {
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
