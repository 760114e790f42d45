#include "panels/fastschemepanel.h"

#include "canvas/motivecanvas.h"
#include "engine/scheme.h"
#include "model/glyphs.h"
#include "model/motive.h"
#include "widgets/buttons.h"
#include "widgets/drawing.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int MARGIN = 4;
const QColor LIT_FILL(255, 236, 140);
const QColor ARROW_COLOUR(60, 60, 60);

// The glyph scaled down, never up, to fit `area`, centred in it; white parts stay see-through.
void drawFitted(QPainter& painter, const QImage& sheet, const TRect& glyph, const QRect& area) {
    if (glyph.isEmpty() || area.width() <= 0 || area.height() <= 0)
        return;
    const double scale = std::min(
        {1.0, double(area.width()) / glyph.width(), double(area.height()) / glyph.height()});
    const QSize size(std::max(1, int(glyph.width() * scale)),
                     std::max(1, int(glyph.height() * scale)));
    const QRect target(area.left() + (area.width() - size.width()) / 2,
                       area.top() + (area.height() - size.height()) / 2, size.width(),
                       size.height());
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, scale < 1.0);
    painter.setCompositionMode(QPainter::CompositionMode_Multiply);
    painter.drawImage(target, cutGlyph(sheet, glyph));
    painter.restore();
}

void drawDirection(QPainter& painter, const QRect& area, bool up) {
    const int x = area.center().x();
    const int y = area.bottom() - 4;
    const QPolygon arrow = up ? QPolygon({{x - 4, y + 2}, {x + 4, y + 2}, {x, y - 3}})
                              : QPolygon({{x - 4, y - 3}, {x + 4, y - 3}, {x, y + 2}});
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(ARROW_COLOUR);
    painter.drawPolygon(arrow);
    painter.restore();
}

} // namespace

TFastSchemePanel::TFastSchemePanel(QWidget* parent, const TScheme& scheme)
    : TCommonBufferedPanel(canvasGlyphSheet(), parent), scheme_(scheme) {}

void TFastSchemePanel::showScheme(int kind, const TMotive* motive) {
    kind_ = kind == PITCH ? PITCH : RHYTHM;
    motive_ = motive;
    lit_ = -1;
    readElements();
    layOut();
    update();
}

void TFastSchemePanel::readElements() {
    elements_.clear();
    upward_.clear();
    starts_.clear();
    firstTick_ = 0;
    ticks_ = 0;
    if (motive_ == nullptr)
        return;
    if (kind_ == RHYTHM) {
        firstTick_ = motive_->upbeatStart();
        int tick = firstTick_;
        for (const DURATION d : scheme_.durationsOfMotive(*motive_)) {
            elements_.push_back(d);
            starts_.push_back(tick);
            tick += std::abs(d);
        }
        ticks_ = tick - firstTick_;
        return;
    }
    for (const TTurnRoundWithDir& turn : scheme_.turnsOfMotive(*motive_, true).turns) {
        if (turn.turn == NO_TURN)
            continue;
        elements_.push_back(turn.turn);
        upward_.push_back(turn.up);
    }
}

void TFastSchemePanel::layOut() {
    ranges_.clear();
    const int width = this->width() - 2 * MARGIN;
    const int count = static_cast<int>(elements_.size());
    if (count == 0 || width <= 0)
        return;
    for (int i = 0; i < count; ++i) {
        int first = 0;
        int end = 0;
        if (kind_ == RHYTHM && ticks_ > 0) {
            const int from = starts_[std::size_t(i)] - firstTick_;
            const int to = from + std::abs(elements_[std::size_t(i)]);
            first = from * width / ticks_;
            end = to * width / ticks_;
        } else {
            first = i * width / count;
            end = (i + 1) * width / count;
        }
        ranges_.push_back({MARGIN + first, MARGIN + std::max(first, end - 1)});
    }
}

void TFastSchemePanel::resizeEvent(QResizeEvent* event) {
    TCommonBufferedPanel::resizeEvent(event);
    layOut();
}

void TFastSchemePanel::lightNote(int noteIndex) {
    if (noteIndex < 0 || motive_ == nullptr) {
        lightElement(-1);
        return;
    }
    if (kind_ == PITCH) {
        lightElement(noteIndex - 1);
        return;
    }
    // Rests have elements of their own: the note is found by the tick it starts on.
    const TNoteList& notes = motive_->notes();
    if (noteIndex >= static_cast<int>(notes.size())) {
        lightElement(-1);
        return;
    }
    const int tick = notes[std::size_t(noteIndex)].time();
    const auto at = std::find(starts_.begin(), starts_.end(), tick);
    lightElement(at == starts_.end() ? -1 : static_cast<int>(at - starts_.begin()));
}

void TFastSchemePanel::lightElement(int index) {
    const int lit = index >= 0 && index < static_cast<int>(elements_.size()) ? index : -1;
    if (lit == lit_)
        return;
    lit_ = lit;
    update();
}

void TFastSchemePanel::draw(QPainter& painter) {
    const QRect area = rect();
    painter.fillRect(area, backgroundColour());
    sunkenBox(painter, area, Qt::white);
    const int top = MARGIN;
    const int height = area.height() - 2 * MARGIN;
    for (std::size_t i = 0; i < ranges_.size(); ++i) {
        const TDiapasonPair range = ranges_[i];
        const QRect cell(range.first, top, range.last - range.first + 1, height);
        const bool lit = static_cast<int>(i) == lit_;
        if (lit)
            painter.fillRect(cell, LIT_FILL);
        if (kind_ == RHYTHM) {
            drawFitted(painter, glyphs(), durationGlyph(elements_[i], lit),
                       cell.adjusted(1, 0, -1, 0));
        } else {
            drawFitted(painter, glyphs(), turnGlyph(elements_[i], lit),
                       cell.adjusted(1, 0, -1, -10));
            drawDirection(painter, cell, upward_[i]);
        }
        if (i + 1 < ranges_.size()) {
            painter.setPen(QColor(0xC0, 0xC0, 0xC0));
            painter.drawLine(range.last + 1, top + 2, range.last + 1, top + height - 3);
        }
    }
}
