#include "variants/notevariantstrategy.h"

#include "engine/scheme.h"
#include "model/glyphatlas.h"
#include "variants/variantsession.h"
#include "widgets/buttons.h"
#include "widgets/drawing.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace {

// Staff lines of the grand staff, as pitch indices.
constexpr std::array<int, 10> STAFF_LINES{10, 12, 14, 16, 18, 22, 24, 26, 28, 30};
constexpr int HEAD_OFFSET = 16; // head centre from the middle edge
constexpr int COLUMNS_SHOWN = 9;

// Local x of the middle edge's side of column c.
QRect columnRect(int side, int column, int top, int bottom) {
    const int x = side == 0 ? VARIANT_HALF_WIDTH - 1 - VARIANT_COLUMN_WIDTH * (column + 1)
                            : 1 + VARIANT_COLUMN_WIDTH * column;
    return QRect(x, top, VARIANT_COLUMN_WIDTH, bottom - top + 1);
}

int headX(int side) {
    return side == 0 ? VARIANT_HALF_WIDTH - 1 - HEAD_OFFSET : HEAD_OFFSET;
}

// The accidental the key gives the pitch against C major: sharps and flats of the signature,
// and the raised seventh of a minor key.
int accidentalOf(const TKey& key, int pitch, bool raised) {
    static const TKey plain;
    // The key's table already sounds the raised seventh.
    const int alteration = key.midiNote(pitch) - plain.midiNote(pitch);
    switch (alteration) {
    case 1:
        return ACC_SHARP;
    case 2:
        return ACC_DOUBLE_SHARP;
    case -1:
        return ACC_FLAT;
    case -2:
        return ACC_DOUBLE_FLAT;
    default:
        return raised ? ACC_NATURAL : ACC_NONE;
    }
}

QString beatText(const TMotive& motive, int t) {
    const int m = motive.ticksPerMeasure();
    const int beat = motive.measure().beatValue();
    const int inMeasure = t % m;
    const bool upbeat = motive.zatakt() > 0 && t < m;
    QString text = (upbeat ? QStringLiteral("Upbeat, beat %1") : QStringLiteral("Beat %1"))
                       .arg(inMeasure / beat + 1);
    static const std::array<const char*, 8> fractions{"",       " + 1/16", " + 1/8", " + 3/16",
                                                      " + 1/4", " + 5/16", " + 3/8", " + 7/16"};
    const int sixteenths = inMeasure % beat / TICKS_PER_SIXTEENTH;
    if (sixteenths > 0 && sixteenths < static_cast<int>(fractions.size()))
        text += QString::fromLatin1(fractions[static_cast<std::size_t>(sixteenths)]);
    return text;
}

} // namespace

bool TNoteVariantStrategy::isComplete() const {
    return session_.notesComplete();
}

void TNoteVariantStrategy::start(int position) {
    if (session_.cursor() != position)
        session_.model().setCursor(position);
    rebuild();
    // The pointer stands on the middle line: only a move outwards picks.
    lastX_ = VARIANT_ENTRY_COLUMN;
    lastY_ = -1;
}

void TNoteVariantStrategy::rebuild() {
    candidates_.clear();
    hasChord_ = false;
    if (isComplete())
        return;
    TVariantModel& model = session_.model();
    const TMotive& motive = session_.motive();
    const int cursor = model.cursor();
    const TChord* chord = motive.chordOfMeasureAt(cursor);
    if (chord == nullptr || chord->time() != motive.measure().measureStartOf(cursor))
        return;
    hasChord_ = true;
    TTurnVector before = precedingNotes(motive.notes(), cursor, motive.ticksPerMeasure());
    if (!isValidPitch(before.front().pitch()) && cursor == motive.upbeatStart()) {
        const TNote carried = model.carriedNote();
        if (isValidPitch(carried.pitch()))
            before.front() = carried;
    }
    variant_set offered;
    session_.scheme().noteCandidates(before, *chord, false, false, false, offered, motive.measure(),
                                     motive.key(), cursor, measurePartEnd(motive, cursor));
    for (const TScVariant& candidate : offered)
        if (isInMelodyRange(candidate.pitch) && !candidate.durations.empty())
            candidates_.push_back(candidate);
    std::sort(candidates_.begin(), candidates_.end(),
              [](const TScVariant& a, const TScVariant& b) { return a.pitch < b.pitch; });
}

void TNoteVariantStrategy::enter(int side) {
    active_ = true;
    side_ = side;
    // The chord under the cursor may have changed in the other half.
    rebuild();
    lastX_ = VARIANT_RIGHT_HALF_X;
}

void TNoteVariantStrategy::leave(int) {
    active_ = false;
}

void TNoteVariantStrategy::track(const TShiftState&, int x, int y, int side) {
    active_ = true;
    side_ = side;
    if (inMiddleBand(x, side)) {
        // Back at the middle: the previewed note is kept; outwards again picks the next one.
        if (session_.notePreview())
            keepAndMoveOn();
    } else {
        const bool outwards = side == 0 ? x < lastX_ : x > lastX_;
        if (outwards && !candidates_.empty()) {
            const std::optional<TNotePick> pick = pickNote(candidates_, side, x, y);
            const std::optional<TNotePick>& shown = session_.notePreview();
            if (pick &&
                (!shown || shown->pitch != pick->pitch || shown->duration != pick->duration))
                session_.previewNote(*pick);
        }
    }
    lastX_ = x;
    lastY_ = y;
}

void TNoteVariantStrategy::keepAndMoveOn() {
    if (session_.commitNote())
        rebuild();
}

QString TNoteVariantStrategy::header() const {
    const TMotive& motive = session_.motive();
    if (isComplete())
        return QStringLiteral("Every note chosen");
    QString text = beatText(motive, session_.cursor());
    if (hasChord_) {
        const TChord* chord = motive.chordOfMeasureAt(session_.cursor());
        text += QStringLiteral(", over ") + QString::fromStdString(chordName(*chord));
    }
    return text;
}

QString TNoteVariantStrategy::caption() const {
    if (isComplete())
        return QStringLiteral("The motive is full: release to keep it");
    if (!hasChord_)
        return session_.model().offersChords()
                   ? QStringLiteral("Choose this measure's chord in the other half")
                   : QStringLiteral("This measure has no chord to follow");
    const std::optional<TNotePick>& shown = session_.notePreview();
    if (!shown)
        return QStringLiteral("Move outwards over a note to hear it");
    const QString what =
        shown->duration < 0
            ? QStringLiteral("a %1 rest")
                  .arg(QString::fromStdString(spokenDurationName(shown->duration)))
            : QStringLiteral("%1, %2").arg(
                  QString::fromStdString(spokenPitchName(session_.motive().key(), shown->pitch)),
                  QString::fromStdString(spokenDurationName(shown->duration)));
    return QStringLiteral("Release: %1 \u00B7 to the middle: next note").arg(what);
}

void TNoteVariantStrategy::paint(QPainter& painter, int side) {
    variantpaint::drawFrame(painter, header(), caption(), active_, side);
    const int left = 4;
    const int right = VARIANT_HALF_WIDTH - 5;
    painter.setPen(QColor(0xC8, 0xC8, 0xC8));
    for (int line : STAFF_LINES)
        painter.drawLine(left, noteBandCentre(line), right, noteBandCentre(line));
    painter.setPen(QPen(QColor(0xE4, 0xE8, 0xF0), 1, Qt::DotLine));
    for (int c = 1; c <= COLUMNS_SHOWN; ++c) {
        const QRect column = columnRect(side, c, 34, VARIANT_VIEW_HEIGHT - 32);
        const int x = side == 0 ? column.right() + 1 : column.left();
        painter.drawLine(x, column.top(), x, column.bottom());
    }
    variantpaint::drawMiddleEdge(painter, side);

    if (isComplete())
        return;
    const TScVariant* hovered =
        active_ && lastY_ >= 0 ? candidateAtRow(candidates_, lastY_) : nullptr;
    const std::optional<TNotePick>& shown = session_.notePreview();
    for (const TScVariant& candidate : candidates_) {
        const bool previewed = shown && shown->pitch == candidate.pitch;
        paintCandidate(painter, candidate, side, &candidate == hovered, previewed);
    }
    if (hovered != nullptr)
        paintDurationColumns(painter, *hovered, side);
}

void TNoteVariantStrategy::paintCandidate(QPainter& painter, const TScVariant& candidate, int side,
                                          bool hovered, bool previewed) const {
    const int top = noteBandTop(candidate.pitch);
    const int bottom = noteBandBottom(candidate.pitch);
    const QRect band(4, top, VARIANT_HALF_WIDTH - 9, bottom - top + 1);
    if (previewed) {
        painter.fillRect(band, QColor(0xCC, 0xE0, 0xFF));
        painter.setPen(QColor(0x40, 0x70, 0xC0));
        painter.drawRect(band.adjusted(0, 0, -1, -1));
    } else if (hovered) {
        painter.fillRect(band, QColor(0xFF, 0xF4, 0xC8));
    }
    const int x = headX(side);
    const int y = noteBandCentre(candidate.pitch);
    // Ledger lines: middle C and above the treble staff.
    painter.setPen(QColor(0x80, 0x80, 0x80));
    if (candidate.pitch == 20)
        painter.drawLine(x - 7, y, x + 7, y);
    for (int p = 32; p <= candidate.pitch; p += 2)
        painter.drawLine(x - 7, noteBandCentre(p), x + 7, noteBandCentre(p));
    const bool rest = candidate.durations.front() < 0;
    // The row under the pointer shows its durations instead (paintDurationColumns).
    if (hovered)
        return;
    if (rest) {
        const TRect glyph = gapGlyph(candidate.durations.front());
        drawGlyphCentred(painter, glyph, QRect(x - 8, y - 10, 17, 21), true);
        return;
    }
    // A plain head: chord tones black, other tones blue-grey, the previewed one red.
    const QColor colour = previewed             ? QColor(0xD0, 0x20, 0x20)
                          : candidate.chordTone ? QColor(0x10, 0x10, 0x10)
                                                : QColor(0x50, 0x68, 0x90);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(x, y);
    painter.rotate(-20);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(-4.6, -3.4, 9.2, 6.8));
    painter.restore();
    const int accidental = accidentalOf(session_.motive().key(), candidate.pitch, candidate.sign);
    if (accidental != ACC_NONE) {
        const TRect glyph = accidentalGlyph(accidental);
        const int ax = side == 0 ? x - 9 - glyph.width() : x + 8;
        drawGlyphCentred(painter, glyph, QRect(ax, y - 8, glyph.width(), glyph.height()), true);
    }
}

void TNoteVariantStrategy::paintDurationColumns(QPainter& painter, const TScVariant& candidate,
                                                int side) const {
    // A ruler along the band: each duration stands in the first column that picks it.
    const int y = noteBandCentre(candidate.pitch);
    const int current = active_ ? columnsFromMiddle(lastX_, side) : -1;
    const std::optional<TNotePick>& shown = session_.notePreview();
    const bool previewed = shown && shown->pitch == candidate.pitch;
    int previous = 0;
    for (int c = 0; c < COLUMNS_SHOWN; ++c) {
        const int duration = pickDuration(candidate.durations, c);
        const QRect column = columnRect(side, c, y - 15, y + 6);
        if (c == current)
            painter.fillRect(column.adjusted(1, 0, -1, 0),
                             previewed ? QColor(0x9C, 0xC0, 0xF4) : QColor(0xFF, 0xE0, 0x90));
        if (c > 0 && duration == previous)
            continue;
        previous = duration;
        const TRect glyph = gapGlyph(duration);
        if (!glyph.isEmpty())
            drawGlyphCentred(painter, glyph, column, true);
    }
}
