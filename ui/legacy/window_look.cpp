#include "window_look.h"

#include <QFile>
#include <QPainterPath>
#include <QWidget>

void append_resource_style_sheet(QWidget* widget, const QString& name)
{
    QFile file(QStringLiteral(":/Resources/") + name + QStringLiteral(".css"));
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray content = file.readAll();
    widget->setStyleSheet(widget->styleSheet() + QString::fromLatin1(content.constData()));
}

void fill_rounded_background(QWidget* widget, const QColor& colour, QPainter::RenderHint hint)
{
    QPainter painter(widget);
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.addRoundedRect(QRectF(0, 0, widget->width(), widget->height()), 3.0, 3.0);
    painter.setRenderHint(hint, true);
    painter.fillPath(path, QBrush(colour));
}
