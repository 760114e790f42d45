#pragma once

#include <QApplication>

// The one application object the widget tests of this program share, made on first use.
inline void ensureCanvasApplication() {
    static int argc = 1;
    static char name[] = "canvas_tests";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance() == nullptr)
        new QApplication(argc, argv);
}
