#pragma once

#include <QImage>
#include <QWidget>

class QPainter;
class QPaintEvent;

// A paint box for the small controls: each paint event draws the whole picture afresh.
// Qt's backing store keeps it off screen until the event ends, so nothing flickers.
class TCommonBufferedPanel : public QWidget {
    Q_OBJECT
public:
    explicit TCommonBufferedPanel(const QImage& glyphs, QWidget* parent = nullptr);

    const QImage& glyphs() const { return glyphs_; }

protected:
    // Paints the control's whole picture.
    virtual void draw(QPainter& painter) = 0;
    void paintEvent(QPaintEvent* event) override;

private:
    QImage glyphs_;
};
