#pragma once

#include <string>

class QWidget;

// What the guided help drives the application through. The accessors of panels and cells join
// with those panels.
class TForHelpService {
public:
    virtual ~TForHelpService() = default;
    virtual bool saveTo(const std::string& name) = 0;
    virtual bool openFrom(const std::string& name) = 0;
    virtual QWidget* mainWindowControl() = 0;
    // Enables or disables the menu frame and the main window; enabling gives the frame focus.
    virtual void enableInput(bool enable) = 0;
    virtual void enableMainWindow(bool enable) = 0;
    virtual void markPlaying() = 0;
    // True once the motive player has reported that playback stopped.
    virtual bool playFinished() = 0;
    virtual void placeAtMenuFrameLeft(QWidget* control) = 0;
    virtual void placeAtMenuFrameRight(QWidget* control) = 0;
};
