#include "widgets/hintpanel.h"

#include "widgets/buttons.h"

#include <QPainter>

#include <algorithm>
#include <utility>

THintPanel::THintPanel(QWidget* owner, const TRect& glyph, const TRect& secondGlyph)
    : QWidget(owner), second_(secondGlyph) {
    setGlyph(glyph);
}

void THintPanel::setGlyph(const TRect& glyph) {
    glyph_ = glyph;
    setFixedSize(std::max(glyph.width() - 1, 0), std::max(glyph.height() - 1, 0));
    update();
}

void THintPanel::swapGlyphs() {
    std::swap(glyph_, second_);
    setGlyph(glyph_);
}

void THintPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFlatFill(painter, rect());
    if (glyph_.isEmpty())
        return;
    drawGlyphCentred(painter, glyph_, QRect(0, 0, glyph_.width(), glyph_.height()), false);
}
