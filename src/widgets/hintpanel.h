#pragma once

#include "model/rect.h"

#include <QWidget>

// A glyph used as an icon, with a tooltip; it can swap to a second glyph and back.
class THintPanel : public QWidget {
    Q_OBJECT
public:
    THintPanel(QWidget* owner, const TRect& glyph, const TRect& secondGlyph = {});

    // Shows `glyph`, resizing to it.
    void setGlyph(const TRect& glyph);
    // Shows the other glyph; the shown one becomes the other.
    void swapGlyphs();
    const TRect& glyph() const { return glyph_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TRect glyph_;
    TRect second_;
};
