#pragma once

#include "shelltesting.h"

#include "playback/recordingbackend.h"
#include "shell/mainwindow.h"
#include "shell/topframe.h"

#include <QPoint>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

class QWidget;

// Runs xdotool with `arguments` while the event loop goes on; false when it failed.
bool xdotool(const QStringList& arguments);
// The xdotool words that move the pointer to `point`.
QStringList at(const QPoint& point);
QPoint centreOf(const QWidget* widget);
// Presses over `from`, moves in small steps to `to` and releases there.
bool dragPointer(const QPoint& from, const QPoint& to);
bool clickPointer(const QPoint& point);
// Runs the event loop for that long, calling `each` after every round.
void pumpEvents(int milliseconds, const std::function<void()>& each = {});

// The main window with its stored device over a recording back end, shown at the screen's
// top left. Skips unless an X server and xdotool are there.
class TMainWindowPointerTest : public ::testing::Test {
protected:
    void SetUp() override;

    TTempFolder folder;
    TRecordingBackend devices{2};
    TScriptedDialogs dialogs;
    TTopFrame frame;
    std::unique_ptr<TMainWindow> window;
};
