#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

class QPainter;
class QPaintEvent;

// A paint box with its own off-screen picture, drawn again only after invalidatePicture()
// or a change of size; other paint events just copy it to the screen.
class TDblBufferedPanel : public QWidget {
    Q_OBJECT
public:
    TDblBufferedPanel(const QImage& glyphs, int width, int height, const QString& name,
                      QWidget* parent = nullptr);

    const QImage& glyphs() const { return glyphs_; }
    // The off-screen picture, white until first drawn. It is made when first needed: a panel of
    // a window that never shows holds none.
    const QImage& picture() const;
    // Replaces the off-screen picture with a new one of the given size.
    void recreatePicture(int width, int height, const QString& name);
    // Marks the picture for drawing anew and schedules a repaint.
    void invalidatePicture();

protected:
    // Paints the whole picture into the off-screen buffer.
    virtual void draw(QPainter& painter) = 0;
    void paintEvent(QPaintEvent* event) override;

private:
    QImage glyphs_;
    QSize pictureSize_;
    mutable QImage picture_;
    bool stale_ = true;
};
