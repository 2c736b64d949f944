// The program's look in tests (its resource font in place of the Windows
// fonts the forms name), pictures on request, and texts that do not fit.
#ifndef PROGRAM_LOOK_H
#define PROGRAM_LOOK_H

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

// Loads the resource font (once), lets it stand in for `family` (when
// given) and "Calibri", and makes `family` (else the resource font) at 11
// pixels the application's font. Returns the resource font's family, ""
// when it could not be loaded.
QString use_program_font(const QString& family = QString());

// The program's style sheet (QSS.qss) over the whole application while it
// lives, as the older window takes its look; `ok` when it could be read.
struct program_style_sheet_t
{
    program_style_sheet_t();
    ~program_style_sheet_t();
    program_style_sheet_t(const program_style_sheet_t&) = delete;
    program_style_sheet_t& operator=(const program_style_sheet_t&) = delete;
    bool ok = false;
};

// With WATTLEX_SHOT_DIR set, saves a picture of `widget` there as
// <name>.png; the test fails when it cannot be written.
void save_shot(QWidget* widget, const QString& name);

// The texts shown in `root` and its visible children (labels, buttons,
// check boxes, radio buttons, group box titles, tabs, line edits, combo
// boxes, item views and their headers) whose drawn
// colour differs from the ground around it by a contrast ratio below
// `minimum` (WCAG: relative luminances), one line each. Measured on a
// picture of `root`, so it holds for what the user sees. Disabled widgets
// are not judged, nor those in `greyed` (the labels and units a window
// greys with the value box it disables).
QStringList low_contrast_texts(QWidget* root, double minimum = 4.5, const QList<QWidget*>& greyed = {});

// The check boxes, radio buttons and checkable group boxes shown in `root`
// whose indicator, checked or not, stands out of the ground around it by a
// contrast ratio below `minimum`, one line each: measured on pictures of
// `root` with each control in its state and then in the other one (put
// back after). Disabled controls are not judged.
QStringList faint_indicators(QWidget* root, double minimum = 3.0);

// The texts shown in `root` and its visible children that are wider (or
// taller) than their widget, one line each.
QStringList clipped_texts(QWidget* root);

#endif
