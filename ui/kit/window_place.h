// Where the program's secondary windows open.
#ifndef WINDOW_PLACE_H
#define WINDOW_PLACE_H

class QWidget;

// Moves the top-level `window` so that it lies centred on `anchor` (the main
// window), frames included, and wholly inside the available area of the
// screen that holds the anchor's centre (its top-left corner first when it
// is larger than that area).
void place_centred_on(QWidget* window, const QWidget* anchor);

#endif
