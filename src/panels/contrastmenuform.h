#pragma once

#include <QDialog>

class QPushButton;
class TBaseService;
class TMotive;
class TUMotiveCanvas;

// A small modal window that shows a scheme set's Motive for Contrast (the motive itself, not a
// copy) in a canvas that plays it on a click, with a "Close" button.
class TContrastMenuForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int MARGIN = 5;
    static constexpr QSize CLOSE_BUTTON_SIZE{80, 25};

    TContrastMenuForm(QWidget* owner, TBaseService& service, TMotive& motive);
    ~TContrastMenuForm() override;

    TUMotiveCanvas* canvas() const { return canvas_; }
    QPushButton* closeButton() const { return closeButton_; }
    // Puts the window's centre at the screen point, moved as needed to lie fully on the screen.
    void centreAt(const QPoint& screenPoint);

    // Stops playback, puts out the lit notes, gives up being the current canvas and closes.
    void reject() override;

private:
    TBaseService& service_;
    TUMotiveCanvas* canvas_;
    QPushButton* closeButton_;
};

// Shows the motive in the window centred at the screen point; returns once it has closed.
void showContrastMotive(QWidget* owner, const QPoint& screenPoint, TBaseService& service,
                        TMotive& motive);
