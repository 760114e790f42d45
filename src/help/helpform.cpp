#include "help/helpform.h"

#include "files/messagebundle.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTextBrowser>

namespace {

bool isUserPress(const QEvent& event) {
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        // The demonstration's own presses are sent, not spontaneous.
        return event.spontaneous();
    default:
        return false;
    }
}

} // namespace

QPoint placeClearOf(QSize size, QPoint current, const QRect& avoid,
                    const std::vector<QPoint>& places, const QRect& screen) {
    if (!QRect(current, size).intersects(avoid))
        return current;
    for (const QPoint place : places) {
        const QRect there(place, size);
        if (!there.intersects(avoid) && screen.contains(there))
            return place;
    }
    return current;
}

THelpForm::THelpForm(QWidget* owner, const TMessageBundle& bundle)
    : QWidget(owner, Qt::Window | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint),
      bundle_(bundle), pages_(new QTextBrowser(this)) {
    setWindowTitle("PRESS ANY KEY TO CANCEL");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    pages_->setFocusPolicy(Qt::NoFocus);
    // The page fills the window, so that no line runs out of sight on the right.
    pages_->setGeometry(0, 0, PAGE_WIDTH, PAGE_HEIGHT);
    pages_->setOpenLinks(false);
    setFixedSize(PAGE_WIDTH, PAGE_HEIGHT);
    qApp->installEventFilter(this);
}

THelpForm::~THelpForm() {
    qApp->removeEventFilter(this);
}

void THelpForm::showPage(const QUrl& page) {
    pages_->setSource(page);
    show();
    raise();
}

void THelpForm::cancel() {
    if (cancelled_.exchange(true))
        return;
    setWindowTitle(QString::fromStdString(bundle_.text("dynamic help canceled")));
}

bool THelpForm::eventFilter(QObject* watched, QEvent* event) {
    // A message box of the demonstration's end answers its own keys and presses.
    if (QApplication::activeModalWidget() != nullptr)
        return false;
    // A resting pointer would raise tooltips over what the page talks about.
    if (event->type() == QEvent::ToolTip)
        return true;
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        if (event->type() == QEvent::KeyPress)
            cancel();
        // No key reaches the application while the demonstration runs (Space would play).
        event->accept();
        return true;
    }
    if (blocksPresses_ && isUserPress(*event)) {
        const auto* widget = qobject_cast<QWidget*>(watched);
        return widget == nullptr || widget->window() != this;
    }
    return false;
}
