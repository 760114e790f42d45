#pragma once

#include <QCursor>

// The cursors of the canvas modes by their numbers (CURSOR_PLAY and the others), drawn once on
// first use; an unknown number gives the arrow. Interface thread only.
const QCursor& canvasCursor(int id);
