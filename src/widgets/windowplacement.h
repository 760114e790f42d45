#pragma once

#include <QMessageBox>
#include <QString>

#include <memory>

class QWidget;

// The one message box of the application: an icon, the text and caption, and the buttons,
// centred over the window of `owner` (over the screen without one) and kept above the
// application's stay-on-top windows while it shows.
std::unique_ptr<QMessageBox> makeMessageBox(QWidget* owner, QMessageBox::Icon icon,
                                            const QString& text, const QString& caption,
                                            QMessageBox::StandardButtons buttons = QMessageBox::Ok);
// Shows that box modally and returns the button pressed.
QMessageBox::StandardButton showMessageBox(QWidget* owner, QMessageBox::Icon icon,
                                           const QString& text, const QString& caption,
                                           QMessageBox::StandardButtons buttons = QMessageBox::Ok);

// Moves `window` so that it lies on its screen's available area, keeping the task bar's
// height free at the bottom (model/geometry.h's rule).
void fitOnScreen(QWidget& window);

// The top-left corner of a window of outer size `size` that opens below `anchor` (screen
// coordinates) at the anchor's left: moved sideways no more than needed to lie within `owner`
// (the window it belongs to; where that is narrower than the window, within the screen alone)
// and within `available` (the screen's available area); with no room below the anchor it opens
// above it, and with room on neither side it keeps to the screen's bottom edge.
QPoint placeBelow(const QRect& anchor, const QSize& size, const QRect& available,
                  const QRect& owner);
