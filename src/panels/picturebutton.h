#pragma once

#include "model/rect.h"
#include "panels/motivedropbutton.h"

#include <QString>

#include <vector>

// What a small tool button shows: glyphs of the sheet side by side, scaled down to the face
// when they are too big, or else a symbol in the interface font; a contrast mark adds two
// opposed arrows in the lower right corner.
struct TButtonPicture {
    std::vector<TRect> glyphs;
    QString symbol;
    bool contrastMark = false;
};

// Paints a picture on a face (the button's area less its bevel); grey when disabled.
void drawButtonPicture(QPainter& painter, const TButtonPicture& picture, const QRect& face,
                       bool enabled);

// A flat tool button (hot, pressed, keyboard focus as every flat button) that draws a picture
// instead of one glyph, and may take dropped motives.
class TPictureButton : public TMotiveDropButton {
    Q_OBJECT
public:
    TPictureButton(QWidget* owner, TFlatGroup* group, TButtonPicture picture, int id,
                   bool takesMotives);

    const TButtonPicture& picture() const { return picture_; }
    // Repaints.
    void setPicture(TButtonPicture picture);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TButtonPicture picture_;
};
