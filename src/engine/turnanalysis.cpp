#include "engine/turnanalysis.h"

#include <cstdlib>

namespace {

bool chord(const TNote& n) {
    return n.chordingNote();
}

bool isPassingRun(const TNoteList& g) {
    if (g.size() < 2)
        return false;
    const int step = g[1].pitch() - g[0].pitch();
    if (step != 1 && step != -1)
        return false;
    for (std::size_t i = 2; i < g.size(); ++i)
        if (g[i].pitch() - g[i - 1].pitch() != step)
            return false;
    return true;
}

bool classifyStrict(const TNoteList& g, TTurnRoundWithDir& out) {
    const std::size_t n = g.size();
    if (n == 0)
        return false;
    const int a = g[0].pitch();
    const bool endsOnChord = chord(g.back());
    auto result = [&](TURN_ROUND turn, bool up) {
        out = TTurnRoundWithDir(turn, up, int(n), endsOnChord);
        return true;
    };
    if (n == 1)
        return chord(g[0]) && result(NO_TURN, true);
    const int b = g[1].pitch();
    const int ab = std::abs(a - b);
    if (n == 2 && chord(g[0]) && chord(g[1])) {
        if (ab == 0)
            return result(REPETITION, true);
        if (ab <= 3)
            return result(CHORD_LEAP_1, a <= b);
        if (ab <= 5)
            return result(CHORD_LEAP_2, a <= b);
        if (ab <= 7)
            return result(CHORD_LEAP_3, a <= b);
    }
    if (isPassingRun(g))
        return result(PASSING, b > a);
    const bool opensNeighbour = chord(g[0]) && !chord(g[1]) && ab == 1;
    if (n == 3 && opensNeighbour && g[2].pitch() == a)
        return result(NEIGHBOUR, b > a);
    if ((n == 3 || n == 4) && opensNeighbour && !chord(g[2]) && g[2].pitch() == 2 * a - b &&
        (n == 3 || g[3].pitch() == a))
        return result(DOUBLE_NEIGHBOUR, b > a);
    if ((n == 2 || n == 3) && chord(g[0]) && !chord(g[1]) && ab > 1 &&
        (n == 2 || (chord(g[2]) && std::abs(g[2].pitch() - b) == 1)))
        return result(APPOGGIATURA, b > a);
    if (n == 3 && opensNeighbour && chord(g[2]) && std::abs(g[2].pitch() - b) > 1)
        return result(ESCAPE, b > a);
    return false;
}

// An unknown group read leniently: one leap or repetition per consecutive pair.
void classifyByPairs(const TNoteList& g, TTurnsWithDir& out) {
    if (g.size() == 1) {
        out.emplace_back(NO_TURN, true, 0, true);
        return;
    }
    for (std::size_t i = 1; i < g.size(); ++i) {
        const int p = g[i - 1].pitch();
        const int q = g[i].pitch();
        const int interval = std::abs(q - p);
        const TURN_ROUND turn = interval == 0   ? REPETITION
                                : interval <= 2 ? CHORD_LEAP_1
                                : interval <= 5 ? CHORD_LEAP_2
                                                : CHORD_LEAP_3;
        out.emplace_back(turn, q >= p, 0, true);
    }
}

// Cuts notes into groups that open and close on chord notes; with `measure` set, a bar line
// also closes the open group.
class TGrouper {
public:
    TGrouper(bool lenient, TTurnAnalysis& result) : lenient_(lenient), result_(result) {}

    // Returns false once the analysis has failed.
    bool add(const TNote& note) {
        if (group_.empty())
            return open(note);
        group_.push_back(note);
        if (!chord(note))
            return true;
        if (!close())
            return false;
        return open(note);
    }

    bool barLine(const TNote& firstOfMeasure) {
        if (!group_.empty() && (group_.size() > 1 || groupsInMeasure_ == 0) && !close())
            return false;
        group_.clear();
        groupsInMeasure_ = 0;
        return open(firstOfMeasure);
    }

    // The last open group is kept when it is longer than one note or the first of its measure.
    bool finish() {
        if (!group_.empty() && (group_.size() > 1 || groupsInMeasure_ == 0))
            return close();
        return true;
    }

private:
    bool open(const TNote& note) {
        group_.clear();
        group_.push_back(note);
        if (!chord(note) && !lenient_)
            return fail();
        return true;
    }

    bool close() {
        TTurnRoundWithDir turn;
        ++groupsInMeasure_;
        if (classifyStrict(group_, turn)) {
            result_.turns.push_back(turn);
            return true;
        }
        if (!lenient_)
            return fail();
        classifyByPairs(group_, result_.turns);
        return true;
    }

    bool fail() {
        result_.complete = false;
        return false;
    }

    bool lenient_;
    TTurnAnalysis& result_;
    TNoteList group_;
    int groupsInMeasure_ = 0;
};

} // namespace

bool classifyTurnGroup(const TNoteList& group, TTurnRoundWithDir& out) {
    return classifyStrict(group, out);
}

TTurnAnalysis turnsOfNotes(const TNoteList& notes, const TChord& chord, const TKey& key) {
    TTurnAnalysis result;
    TGrouper grouper(false, result);
    for (TNote note : notes) {
        note.setChordingNote(chord.isChordTone(key, note.pitch()));
        if (!grouper.add(note))
            return result;
    }
    grouper.finish();
    return result;
}

TTurnAnalysis turnsOfMotive(const TMotive& motive, bool lenient) {
    TTurnAnalysis result;
    TGrouper grouper(lenient, result);
    const TMeasure& measure = motive.measure();
    int currentMeasure = -1;
    for (const TNote& note : motive.notes()) {
        const int m = measure.measureIndexOf(note.time());
        const bool ok =
            currentMeasure >= 0 && m != currentMeasure ? grouper.barLine(note) : grouper.add(note);
        currentMeasure = m;
        if (!ok)
            return result;
    }
    grouper.finish();
    return result;
}
