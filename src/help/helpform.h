#pragma once

#include <QWidget>

#include <QPoint>
#include <QRect>

#include <atomic>
#include <vector>

class QTextBrowser;
class TMessageBundle;

// The small window of a running demonstration: "PRESS ANY KEY TO CANCEL" above a page that
// explains the present step. It stays above the application and never takes the focus. While
// it exists the demonstration owns the input: any key pressed anywhere in the application
// cancels (the caption then reads "CANCELLING"), and the user's presses of the mouse buttons
// in the application's other windows are swallowed, so that only the demonstration operates
// the interface. Modal dialogs keep their own input. Interface thread only, except
// isCancelled.
// Where a window of `size` standing at `current` goes so that it keeps clear of `avoid`: where it
// is when it covers nothing of it, else the first of `places` (top-left corners, in order of
// preference) where it covers nothing of it and stays whole on `screen`; where it is when no
// place is clear.
QPoint placeClearOf(QSize size, QPoint current, const QRect& avoid,
                    const std::vector<QPoint>& places, const QRect& screen);

class THelpForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int PAGE_WIDTH = 285;
    static constexpr int PAGE_HEIGHT = 135;

    THelpForm(QWidget* owner, const TMessageBundle& bundle);
    ~THelpForm() override;

    void showPage(const QUrl& page);
    QTextBrowser* pageView() const { return pages_; }
    // Called on any thread.
    bool isCancelled() const { return cancelled_; }
    void cancel();
    // Whether the user's presses are kept from the application (true unless paths are being
    // recorded by hand).
    void setBlocksPresses(bool blocks) { blocksPresses_ = blocks; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const TMessageBundle& bundle_;
    QTextBrowser* pages_;
    std::atomic<bool> cancelled_{false};
    bool blocksPresses_ = true;
};
