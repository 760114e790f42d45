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
    const QImage& picture() const { return picture_; }
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
    QImage picture_;
    bool stale_ = true;
};
