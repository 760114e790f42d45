#include "canvas/windowplacement.h"

#include "model/geometry.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QWidget>

void showMessage(const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok);
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    box.exec();
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
