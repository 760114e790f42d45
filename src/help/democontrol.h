#pragma once

#include "help/dynamichelpthread.h"

#include <QObject>

#include <memory>

// Runs the demonstrations one at a time: starting one ends the one that runs first, and
// stopping ends it the way a cancel does, with the user's composition given back. The
// demonstration's calls onto the interface thread arrive through this object. Interface thread
// only.
class TDemoControl : public QObject {
    Q_OBJECT
public:
    TDemoControl(TBaseService& service, TForHelpService& help, TDemoSetting setting);
    ~TDemoControl() override;

    // Starts demonstration `number` (1 to 9).
    void start(int number);
    // Ends the running demonstration and returns once it has given the composition back. The
    // event loop goes on meanwhile, since the demonstration's last steps run on this thread.
    void stop();
    bool isRunning() const;
    // Only for recording the pointer paths: the hand makes each path's choice (see
    // TDemoSetting::recordPath). Takes effect with the next start.
    void setPathRecorder(std::function<bool(QWidget*, const std::string&)> recorder) {
        setting_.recordPath = std::move(recorder);
    }
    // The last demonstration started, running or ended; null before the first.
    TDynamicHelpThread* demonstration() const { return demo_.get(); }

signals:
    void ended();

private:
    TBaseService& service_;
    TForHelpService& help_;
    TDemoSetting setting_;
    std::unique_ptr<TDynamicHelpThread> demo_;
};
