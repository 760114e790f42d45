#pragma once

#include <QApplication>

// The one application object the widget tests of this program share, made on first use.
inline void ensureWidgetApplication() {
    static int argc = 1;
    static char name[] = "widget_tests";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance() == nullptr)
        new QApplication(argc, argv);
}
