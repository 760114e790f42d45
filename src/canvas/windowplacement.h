#pragma once

#include <QString>

class QWidget;

// A modal information box with an OK button, kept above the application's stay-on-top windows
// while it shows.
void showMessage(const QString& text, const QString& caption);

// Moves `window` so that it lies on its screen's available area, keeping the task bar's
// height free at the bottom (model/geometry.h's rule).
void fitOnScreen(QWidget& window);
