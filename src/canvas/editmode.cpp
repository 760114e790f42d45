#include "canvas/editmode.h"

#include "canvas/umotivecanvas.h"
#include "canvas/umotivemodes.h"
#include "engine/scheme.h"
#include "engine/variantmodel.h"
#include "model/glyphatlas.h"
#include "widgets/buttons.h"

#include <QCursor>
#include <QPainter>

#include <array>
#include <cstdlib>

int editGap(const TMotive& motive, int position) {
    const int m = motive.ticksPerMeasure();
    const auto gapFrom = [&](int stretchStart) {
        if (stretchStart == position)
            return 0;
        if (motive.zatakt() > 0 && stretchStart < m && m <= position)
            return m - position;
        return stretchStart - position;
    };
    int previousEnd = motive.upbeatStart();
    for (const TNote& note : motive.notes()) {
        const int start = note.time();
        const int end = note.end();
        if (position == start)
            return 0;
        if (previousEnd <= position && position < start)
            return gapFrom(previousEnd);
        if (start < position && position < end)
            return position - start;
        previousEnd = end;
    }
    return position >= previousEnd ? gapFrom(previousEnd) : 0;
}

std::vector<int> gapGlyphValues(int gap) {
    if (gap > 0)
        return {gap};
    static constexpr std::array<int, 9> restValues{480, 240, 210, 180, 150, 120, 90, 60, 30};
    std::vector<int> values;
    int left = -gap;
    for (int value : restValues) {
        while (left >= value) {
            values.push_back(-value);
            left -= value;
        }
    }
    return values;
}

int TEditUMInterface::cursorId() const {
    return canvas_.motive().isHarmonised() ? CURSOR_INOTE : CURSOR_ICHORD;
}

void TEditUMInterface::mouseDown(const TShiftState& shift, int x, int) {
    if (shift.rightButton)
        return;
    canvas_.stopPlayer();
    TMotive& motive = canvas_.motive();
    const bool harmonised = motive.isHarmonised();
    if (harmonised)
        canvas_.service().scheme().editSnapshot() = motive;
    canvas_.saveVersion();
    pressed_ = true;
    canvas_.fireMotiveEditStarted();
    const TMotiveAndListenerPair context = canvas_.service().contextMotive(motive);
    const auto code = static_cast<std::uint8_t>(context.code);
    editing_ = harmonised;
    if (harmonised) {
        // The press itself names the edit position, also when no move came before it.
        editPosition_ = canvas_.canvasGeometry().xToTime(x);
        gap_ = editGap(motive, editPosition_);
        auto model = std::make_unique<TEditMotiveVariantModel>(&motive, context.motive,
                                                               motive.upbeatStart(), code);
        model->setCursor(editPosition_);
        canvas_.setVariantModel(std::move(model));
    } else {
        motive.clearAll();
        const bool carried = carryUpbeatChord(motive, context.motive);
        const int start = carried ? motive.ticksPerMeasure() : motive.upbeatStart();
        canvas_.setVariantModel(
            std::make_unique<TChordMotiveVariantModel>(&motive, context.motive, start, code));
    }
    TColorPanelListener* display = canvas_.service().variantDisplay();
    if (display == nullptr)
        return;
    const QPoint at = canvas_.variantPopupPoint();
    display->setChoiceOwner(&canvas_);
    display->open(canvas_.service().scheme(), *canvas_.variantModel(), at.x(), at.y());
}

void TEditUMInterface::mouseUp() {
    if (!pressed_)
        return;
    pressed_ = false;
    if (TColorPanelListener* display = canvas_.service().variantDisplay())
        display->close();
    int newPosition = -1;
    if (const TVariantModel* model = canvas_.variantModel(); model != nullptr && editing_) {
        // The edit model's cursor has moved past the last note kept; unmoved means no change.
        if (model->cursor() != editPosition_)
            newPosition = model->cursor();
    }
    canvas_.destroyVariantModel();
    editing_ = false;
    if (newPosition >= 0) {
        const TMotive& motive = canvas_.motive();
        editPosition_ = std::min(newPosition, motive.end() - TICKS_PER_SIXTEENTH);
        gap_ = editGap(motive, editPosition_);
        const int x = canvas_.canvasGeometry().timeToX(editPosition_);
        QCursor::setPos(canvas_.mapToGlobal(QPoint(x, 0)).x(), QCursor::pos().y());
    }
    canvas_.refreshCursor();
    canvas_.update();
    canvas_.playInContext();
}

void TEditUMInterface::mouseMove(const TShiftState& shift, int x, int y) {
    if (pressed_) {
        if (TColorPanelListener* display = canvas_.service().variantDisplay()) {
            const QPoint at = canvas_.mapToGlobal(QPoint(x, y));
            display->track(shift, at.x(), at.y());
        }
        return;
    }
    canvas_.refreshCursor();
    const TMotive& motive = canvas_.motive();
    if (!motive.isHarmonised())
        return;
    const int time = canvas_.canvasGeometry().xToTime(x);
    if (time != editPosition_) {
        editPosition_ = time;
        gap_ = editGap(motive, time);
        canvas_.update();
    }
    canvas_.firePointerMoved();
}

void TEditUMInterface::paint(QPainter& painter) {
    if (pressed_ && editing_ && canvas_.variantModel() != nullptr) {
        editPosition_ = canvas_.variantModel()->cursor();
        gap_ =
            editPosition_ < canvas_.motive().end() ? editGap(canvas_.motive(), editPosition_) : 0;
    }
    canvas_.drawMotivePicture(painter);
    if (canvas_.motive().isHarmonised() && editPosition_ != -1) {
        const int x = canvas_.canvasGeometry().timeToX(editPosition_);
        painter.setPen(QColor(0x80, 0x80, 0x80));
        painter.drawLine(x, LINE_TOP, x, LINE_BOTTOM);
        if (gap_ != 0)
            paintGap(painter, x);
    }
    canvas_.drawDecorations(painter);
}

void TEditUMInterface::paintGap(QPainter& painter, int lineX) const {
    constexpr int overlap = 2;
    std::vector<TRect> glyphs;
    int total = 0;
    for (int value : gapGlyphValues(gap_)) {
        const TRect glyph = gapGlyph(value);
        if (glyph.isEmpty())
            continue;
        total += glyph.width() - (glyphs.empty() ? 0 : overlap);
        glyphs.push_back(glyph);
    }
    // Rightwards from the line, or leftwards ending at it when they would reach the edge.
    int x = lineX + total >= canvas_.width() - 1 ? lineX - total : lineX;
    for (const TRect& glyph : glyphs) {
        drawGlyphCentred(painter, glyph, QRect(x, GAP_GLYPH_TOP, glyph.width(), glyph.height()),
                         true);
        x += glyph.width() - overlap;
    }
}
