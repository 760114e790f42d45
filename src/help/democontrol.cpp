#include "help/democontrol.h"

#include "help/demonstrations.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

TDemoControl::TDemoControl(TBaseService& service, TForHelpService& help, TDemoSetting setting)
    : service_(service), help_(help), setting_(std::move(setting)) {}

TDemoControl::~TDemoControl() {
    stop();
}

void TDemoControl::start(int number) {
    stop();
    demo_.reset();
    demo_ = makeDemonstration(number, this, service_, help_, setting_);
    if (demo_ == nullptr)
        return;
    connect(demo_.get(), &QThread::finished, this, &TDemoControl::ended);
    demo_->start();
}

void TDemoControl::stop() {
    if (!isRunning())
        return;
    demo_->requestStop();
    while (!demo_->wait(QDeadlineTimer(5)))
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 5);
}

bool TDemoControl::isRunning() const {
    return demo_ != nullptr && demo_->isRunning();
}
