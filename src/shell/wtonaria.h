#pragma once

#include <QWidget>

class TBaseService;
class TVariantView;

// The pop-up window "VAZ" that hosts the variant view. Created hidden by the main window and
// owned by it; the view shows, places and hides it. It never takes the focus from the canvas
// whose press opened it.
class TWTonaria : public QWidget {
    Q_OBJECT
public:
    static constexpr int VIEW_MARGIN = 5;

    TWTonaria(QWidget* owner, TBaseService& service);

    TVariantView* view() const { return view_; }
    // The window's outer width, frame included.
    int outerWidth() const;

private:
    TBaseService& service_;
    TVariantView* view_;
};
