#include "variants/chordvariantstrategy.h"

#include "engine/harmonisation.h"
#include "engine/scheme.h"
#include "model/schemechords.h"
#include "variants/variantsession.h"
#include "widgets/drawing.h"

#include <QPainter>

#include <algorithm>

namespace {

QString measureText(const TMotive& motive, int time) {
    if (motive.zatakt() > 0 && time < motive.ticksPerMeasure())
        return QStringLiteral("the upbeat");
    const int bar = time / motive.ticksPerMeasure() + (motive.zatakt() > 0 ? 0 : 1);
    return QStringLiteral("bar %1").arg(bar);
}

QColor lighter(const QColor& colour) {
    return QColor((colour.red() + 255 * 2) / 3, (colour.green() + 255 * 2) / 3,
                  (colour.blue() + 255 * 2) / 3);
}

} // namespace

void TChordVariantStrategy::start(int position) {
    TVariantModel& model = session_.model();
    const TMotive& motive = session_.motive();
    target_ = chordTargetTime(motive, std::max(position, floor_));
    const auto* chordModel = dynamic_cast<const TChordMotiveVariantModel*>(&model);
    variants_ =
        chordVariantsAt(motive, target_, chordModel ? chordModel->precedingMotive() : nullptr,
                        static_cast<TContextCode>(model.contextCode()), schemeChordTypeNames(),
                        session_.scheme().schoolHarmony());
    model.filterChords(variants_, std::max(target_, motive.upbeatStart()));
    boxes_ = chordBoxLayout(static_cast<int>(variants_.size()));
    hovered_ = -1;
    previewed_ = -1;
    // A chord already previewed at this measure stays marked.
    const std::optional<TChord>& shown = session_.chordPreview();
    if (shown && shown->time() == target_) {
        for (std::size_t i = 0; i < variants_.size(); ++i)
            if (variants_[i].name() == shown->name())
                previewed_ = static_cast<int>(i);
    }
}

void TChordVariantStrategy::enter(int) {
    active_ = true;
    start(session_.cursor());
}

void TChordVariantStrategy::leave(int) {
    active_ = false;
    hovered_ = -1;
}

void TChordVariantStrategy::track(const TShiftState&, int x, int y, int side) {
    active_ = true;
    if (inMiddleBand(x, side)) {
        hovered_ = -1;
        if (previewed_ >= 0 && movesOnAtTheMiddle())
            moveOn();
        return;
    }
    const int local = side == 0 ? x : x - VARIANT_RIGHT_HALF_X;
    hovered_ = boxAt(boxes_, local, y);
    if (hovered_ >= 0 && hovered_ != previewed_) {
        previewed_ = hovered_;
        session_.previewChord(variants_[static_cast<std::size_t>(hovered_)]);
    }
}

bool TChordVariantStrategy::movesOnAtTheMiddle() const {
    return !session_.model().offersNotes() &&
           target_ + session_.motive().ticksPerMeasure() < session_.motive().end();
}

void TChordVariantStrategy::moveOn() {
    const TMotive& motive = session_.motive();
    const int next = target_ + motive.ticksPerMeasure();
    if (next >= motive.end())
        return;
    floor_ = next;
    TVariantModel& model = session_.model();
    model.setCursor(std::max(model.cursor(), next));
    start(model.cursor());
}

QString TChordVariantStrategy::caption() const {
    if (variants_.empty())
        return QStringLiteral("No chord can follow here");
    if (previewed_ < 0)
        return QStringLiteral("Point at a chord to hear it");
    const QString chosen =
        QString::fromStdString(chordName(variants_[static_cast<std::size_t>(previewed_)]));
    if (movesOnAtTheMiddle())
        return QStringLiteral("Release keeps %1 \u00B7 middle: next bar").arg(chosen);
    return QStringLiteral("Release keeps %1 in %2")
        .arg(chosen, measureText(session_.motive(), target_));
}

void TChordVariantStrategy::paint(QPainter& painter, int side) {
    QString header = QStringLiteral("Chords for ") + measureText(session_.motive(), target_);
    const TChordList& shown = session_.model().chordsForDisplay();
    const auto before = std::find_if(shown.rbegin(), shown.rend(),
                                     [&](const TChord& c) { return c.time() < target_; });
    if (before != shown.rend())
        header += QStringLiteral(" after ") + QString::fromStdString(chordName(*before));
    variantpaint::drawFrame(painter, header, caption(), active_, side);
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        paintBox(painter, static_cast<int>(i));
}

void TChordVariantStrategy::paintBox(QPainter& painter, int index) const {
    const TRectWithCheck& box = boxes_[static_cast<std::size_t>(index)];
    const TChord& chord = variants_[static_cast<std::size_t>(index)];
    const QRect area(box.left, box.top, box.right - box.left, box.bottom - box.top);
    const QColor colour = colourOf(chord.colour().value());
    const bool previewed = index == previewed_;
    const bool hovered = index == hovered_;
    raisedBox(painter, area, previewed ? colour : lighter(colour));
    if (previewed || hovered) {
        painter.setPen(QPen(previewed ? QColor(0x10, 0x30, 0x90) : QColor(0x50, 0x50, 0x50), 2));
        painter.drawRect(area.adjusted(1, 1, -1, -1));
    }

    QFont font(QStringLiteral("FreeSerif"));
    font.setBold(true);
    font.setPixelSize(std::min(22, area.height() - 10));
    painter.setFont(font);
    painter.setPen(QColor(0x10, 0x10, 0x10));
    const QString numeral = QString::fromStdString(romanNumeral(chord.base()));
    const QFontMetrics metrics(font);
    const int numeralWidth = metrics.horizontalAdvance(numeral);
    const std::string figure = chordFigure(chord);
    const int figureWidth = figure.empty() ? 0 : 9;
    const int x = area.left() + (area.width() - numeralWidth - figureWidth) / 2;
    const int baseline = area.top() + (area.height() + metrics.ascent() - metrics.descent()) / 2;
    painter.drawText(x, baseline, numeral);

    // The figure stacked as figured bass: one digit beside the numeral, two one above the other.
    QFont small(QStringLiteral("FreeSerif"));
    small.setBold(true);
    small.setPixelSize(11);
    painter.setFont(small);
    const int fx = x + numeralWidth + 1;
    if (figure.size() == 1) {
        painter.drawText(fx, baseline - metrics.ascent() / 2, QString::fromStdString(figure));
    } else if (figure.size() == 2) {
        painter.drawText(fx, baseline - metrics.ascent() + 9, QString(QChar(figure[0])));
        painter.drawText(fx, baseline - 1, QString(QChar(figure[1])));
    }

    QFont note = painter.font();
    note.setBold(false);
    note.setPixelSize(9);
    painter.setFont(note);
    painter.setPen(QColor(0x30, 0x30, 0x30));
    if (chord.isVoiced() && area.height() >= 30)
        painter.drawText(
            area.adjusted(0, 0, -4, -2), Qt::AlignRight | Qt::AlignBottom,
            QString::fromStdString(spokenPitchName(session_.motive().key(), chord.voice(SOPRANO))));
}
