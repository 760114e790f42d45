#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

// Moves a fixed-size dialog to the middle of the primary screen's free area; the dialog then
// keeps that place instead of centring on its owner.
inline void centreOnScreen(QWidget& dialog) {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        dialog.move(screen->availableGeometry().center() - dialog.rect().center());
}
