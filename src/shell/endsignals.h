#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGHUP (the desktop or the terminal ends) and SIGINT into a queued signal on
// the interface thread, so that the program can keep the unsaved work and end cleanly. The
// signal handler only writes the signal's number into a pipe, which is all it may safely do;
// the interface thread reads it. One object at a time; the old handlers come back with its end.
class TEndSignals : public QObject {
    Q_OBJECT
public:
    explicit TEndSignals(QObject* parent = nullptr);
    ~TEndSignals() override;

signals:
    void endRequested(int signalNumber);

private:
    void readPipe();

    QSocketNotifier* notifier_ = nullptr;
};
