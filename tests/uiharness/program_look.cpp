#include "program_look.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>

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
