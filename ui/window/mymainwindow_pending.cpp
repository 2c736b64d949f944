// Slots whose panels are still to come: each is connected already (by name,
// by the store wiring or by the command thread) and does nothing yet.
#include "mymainwindow.h"




