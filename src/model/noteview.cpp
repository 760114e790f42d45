#include "model/noteview.h"

#include <array>
#include <cstddef>
#include <utility>

namespace {

bool isBeamable(int duration) {
    return duration == 30 || duration == 60 || duration == 90;
}

// A note length that one head (with its dot) can show.
bool hasWrittenForm(int duration) {
    switch (duration) {
    case 30:
    case 60:
    case 90:
    case 120:
    case 180:
    case 240:
    case 480:
        return true;
    default:
        return false;
    }
}

// Tie pieces are taken largest first without the dotted quarter, so that 150 is 120 + 30 and
// 210 is 120 + 90.
constexpr std::array<int, 6> TIE_PIECES{480, 240, 120, 90, 60, 30};

class ViewBuilder {
public:
    ViewBuilder(int start, const TMeasure& meter) : start_(start), meter_(meter) {}

    void addRests(int from, int length) {
        for (const int piece : DRAWABLE_RESTS) {
            while (length >= piece) {
                TNoteView rest;
                rest.duration = static_cast<DURATION>(piece);
                rest.time = from;
                views_.push_back(rest);
                from += piece;
                length -= piece;
            }
        }
    }

    void addNote(const TNoteView& note) {
        const int beat = beatOf(note.time);
        const bool treble = onTrebleStaff(note.pitch);
        const bool beamable = isBeamable(note.duration);
        if (!group_.empty() && (!beamable || beat != groupBeat_ || treble != groupTreble_))
            closeGroup();
        if (beamable) {
            group_.push_back(note);
            groupBeat_ = beat;
            groupTreble_ = treble;
        } else if (hasWrittenForm(note.duration)) {
            views_.push_back(note);
        } else {
            addTieChain(note);
        }
    }

    void closeGroup() {
        if (group_.size() == 1) {
            views_.push_back(group_.front());
        } else if (!group_.empty()) {
            const int size = static_cast<int>(group_.size());
            for (int i = 0; i < size; ++i) {
                TNoteView member = group_[static_cast<std::size_t>(i)];
                member.kind = NV_BEAMED;
                member.position = i == 0 ? size - 1 : i;
                views_.push_back(member);
            }
        }
        group_.clear();
    }

    TNoteViews take() { return std::move(views_); }

private:
    int beatOf(int time) const {
        const int beat = meter_.beatValue();
        return beat > 0 ? (time - start_) / beat : 0;
    }

    void addTieChain(const TNoteView& note) {
        std::vector<int> pieces;
        int rest = note.duration;
        for (const int piece : TIE_PIECES) {
            while (rest >= piece) {
                pieces.push_back(piece);
                rest -= piece;
            }
        }
        if (pieces.size() < 2) {
            // Too short to split (below a sixteenth): shown as it is.
            views_.push_back(note);
            return;
        }
        int time = note.time;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            TNoteView member = note;
            member.kind = NV_TIED;
            member.duration = static_cast<DURATION>(pieces[i]);
            member.time = time;
            member.position = i == 0 ? 1 : (i + 1 == pieces.size() ? 0 : 2);
            if (i > 0)
                member.accidental = ACC_NONE;
            views_.push_back(member);
            time += pieces[i];
        }
    }

    int start_;
    TMeasure meter_;
    TNoteViews views_;
    TNoteViews group_;
    int groupBeat_ = 0;
    bool groupTreble_ = false;
};

} // namespace

TNoteViews buildNoteViews(const TNoteList& notes, int start, int end, const TMeasure& meter,
                          const TKey& key, int leadingGap) {
    ViewBuilder builder(start, meter);
    int previousEnd = start;
    if (leadingGap > 0) {
        builder.addRests(start, leadingGap);
        previousEnd = start + leadingGap;
    }
    // An accidental holds for the rest of the measure on its own staff position, so each
    // raised position shows it once.
    std::array<bool, PITCH_COUNT> raisedShown{};
    for (const TNote& note : notes) {
        if (note.time() < start || note.time() >= end)
            continue;
        // Rests and notes without a pitch leave empty time, which is written as rests.
        if (note.isRest() || !isValidPitch(note.pitch()) || note.duration() == 0)
            continue;
        TNoteView view;
        view.pitch = note.pitch();
        view.duration = note.duration();
        view.time = note.time();
        view.head = note.highlighted()    ? HEAD_HIGHLIGHTED
                    : note.chordingNote() ? HEAD_CHORD_TONE
                                          : HEAD_NON_CHORD_TONE;
        const int accidental =
            key.accidentalFor(note.pitch(), note.sign() != 0 ? ALTER_RAISE : ALTER_NONE);
        bool& shown = raisedShown[static_cast<std::size_t>(note.pitch())];
        if (accidental != ACC_NONE && !shown) {
            view.accidental = static_cast<std::uint8_t>(accidental);
            shown = true;
        }
        if (note.time() > previousEnd) {
            builder.closeGroup();
            builder.addRests(previousEnd, note.time() - previousEnd);
        }
        builder.addNote(view);
        previousEnd = note.time() + note.duration();
    }
    builder.closeGroup();
    if (previousEnd < end)
        builder.addRests(previousEnd, end - previousEnd);
    return builder.take();
}

bool beamStemsUp(int firstPitch, int highestPitch, int lowestPitch) {
    const int middle = onTrebleStaff(firstPitch) ? 26 : 14;
    return highestPitch - middle < middle - lowestPitch - 1;
}

std::vector<TSecondaryBeam> secondaryBeams(const std::vector<int>& durations) {
    std::vector<TSecondaryBeam> beams;
    const int count = static_cast<int>(durations.size());
    auto isSixteenth = [&](int i) {
        return i >= 0 && i < count && durations[static_cast<std::size_t>(i)] == 30;
    };
    for (int i = 0; i < count; ++i) {
        if (!isSixteenth(i))
            continue;
        if (isSixteenth(i + 1)) {
            beams.push_back({i, TSecondaryBeam::Full});
        } else if (!isSixteenth(i - 1)) {
            // Alone among longer notes: a stub points into the group, right unless it closes it.
            const bool closes = i > 0 && i == count - 1;
            beams.push_back({i, closes ? TSecondaryBeam::StubLeft : TSecondaryBeam::StubRight});
        }
    }
    return beams;
}
