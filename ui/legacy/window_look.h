#ifndef WINDOW_LOOK_H
#define WINDOW_LOOK_H

#include <QColor>
#include <QPainter>

class QString;
class QWidget;

// Appends ":/Resources/<name>.css", read as Latin-1 up to its first zero
// byte, to the widget's style sheet; nothing when there is no such file.
void append_resource_style_sheet(QWidget* widget, const QString& name);

// Fills the widget with a rectangle of 3-pixel rounded corners.
void fill_rounded_background(QWidget* widget, const QColor& colour, QPainter::RenderHint hint);

#endif
