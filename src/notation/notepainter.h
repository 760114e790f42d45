#pragma once

#include "model/note.h"
#include "model/noteview.h"
#include "notation/basepainter.h"

#include <vector>

// Draws one measure of a motive on the grand staff: the note views of the measure with their
// ledger lines, heads, stems, flags, dots, accidentals, ties, beams and rests.
class TNotePainter : public TBasePainter {
public:
    using TBasePainter::TBasePainter;

    // The picture of the notes from `start` up to `end`. With a leading gap (the part of an
    // upbeat motive's first measure before the upbeat) that part stays empty.
    void drawMeasurePicture(const TNoteList& notes, int start, int end, const TMeasure& meter,
                            const TKey& key, int leadingGap = 0);
    // Draws views built for a picture starting at `start`; rests that end before
    // `firstShownTime` are left out.
    void drawNoteViews(const TNoteViews& views, int start, int firstShownTime);

private:
    void drawNote(const TNoteView& view, int x, bool stemUp);
    void drawTies(const std::vector<int>& xs, int pitch);
    // Draws the group of beamed views beginning at `first`; returns the index after it.
    std::size_t drawBeamedGroup(const TNoteViews& views, std::size_t first, int start);
};
