#include "widgets/windowplacement.h"

#include "model/geometry.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QWidget>

#include <algorithm>

std::unique_ptr<QMessageBox> makeMessageBox(QWidget* owner, QMessageBox::Icon icon,
                                            const QString& text, const QString& caption,
                                            QMessageBox::StandardButtons buttons) {
    QWidget* window = owner != nullptr ? owner->window() : nullptr;
    auto box = std::make_unique<QMessageBox>(icon, caption, text, buttons, window);
    box->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    if (buttons.testFlag(QMessageBox::Cancel))
        box->setDefaultButton(QMessageBox::Cancel);
    box->adjustSize();
    QRect over;
    if (window != nullptr)
        over = window->frameGeometry();
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        over = screen->availableGeometry();
    // Placed here, the box keeps its place instead of following the platform's guess.
    box->move(over.center() - box->rect().center());
    return box;
}

QMessageBox::StandardButton showMessageBox(QWidget* owner, QMessageBox::Icon icon,
                                           const QString& text, const QString& caption,
                                           QMessageBox::StandardButtons buttons) {
    const auto box = makeMessageBox(owner, icon, text, caption, buttons);
    return static_cast<QMessageBox::StandardButton>(box->exec());
}

void fitOnScreen(QWidget& window) {
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect available = screen->availableGeometry();
    const QRect frame = window.frameGeometry();
    const TPoint corner =
        fitOnScreen(frame.left() - available.left(), frame.top() - available.top(), frame.width(),
                    frame.height(), available.width(), available.height());
    window.move(corner.x + available.left(), corner.y + available.top());
}

namespace {

// `wanted` moved into [low, high - length]; the start wins where the range is too short.
int keepInside(int wanted, int length, int low, int high) {
    return std::max(low, std::min(wanted, high - length));
}

} // namespace

QPoint placeBelow(const QRect& anchor, const QSize& size, const QRect& available,
                  const QRect& owner) {
    // QRect's right and bottom are the last pixels inside: the ends here are one past them.
    int left = std::max(available.left(), owner.left());
    int right = std::min(available.right(), owner.right()) + 1;
    if (right - left < size.width()) {
        left = available.left();
        right = available.right() + 1;
    }
    const int x = keepInside(anchor.left(), size.width(), left, right);
    const int bottom = available.bottom() + 1;
    int y = anchor.bottom() + 1;
    if (y + size.height() > bottom && anchor.top() - size.height() >= available.top())
        y = anchor.top() - size.height();
    return {x, keepInside(y, size.height(), available.top(), bottom)};
}
