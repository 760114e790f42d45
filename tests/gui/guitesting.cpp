#include "guitesting.h"

#include "files/settings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QTest>
#include <QWidget>

#include <string>

bool xdotool(const QStringList& arguments) {
    QProcess process;
    process.start(XDOTOOL, arguments);
    if (!process.waitForStarted(2000))
        return false;
    QElapsedTimer clock;
    clock.start();
    while (process.state() != QProcess::NotRunning && clock.elapsed() < 15000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QStringList at(const QPoint& point) {
    return {"mousemove", QString::number(point.x()), QString::number(point.y())};
}

QPoint centreOf(const QWidget* widget) {
    return widget->mapToGlobal(widget->rect().center());
}

bool dragPointer(const QPoint& from, const QPoint& to) {
    QStringList script = at(from) + QStringList{"sleep", "0.3", "mousedown", "1", "sleep", "0.2"};
    for (int step = 1; step <= 10; ++step)
        script += at(from + (to - from) * step / 10) + QStringList{"sleep", "0.05"};
    script += QStringList{"sleep", "0.3", "mouseup", "1", "sleep", "0.3"};
    return xdotool(script);
}

bool clickPointer(const QPoint& point) {
    return xdotool(at(point) + QStringList{"sleep", "0.2", "click", "1", "sleep", "0.2"});
}

void pumpEvents(int milliseconds, const std::function<void()>& each) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (each)
            each();
    }
}

void TMainWindowPointerTest::SetUp() {
    if (QGuiApplication::platformName() != "xcb" || std::string(XDOTOOL).empty() ||
        std::string(XDOTOOL).find("NOTFOUND") != std::string::npos)
        GTEST_SKIP() << "needs an X server and xdotool";
    writeMidiDevice(folder / std::string(SETTINGS_FILE_NAME), 0);
    window = std::make_unique<TMainWindow>(frame, devices, folder.path(), &dialogs);
    window->move(0, 0);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    pumpEvents(300);
}
