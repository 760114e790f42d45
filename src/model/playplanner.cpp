#include "model/playplanner.h"

#include <algorithm>
#include <utility>

namespace {

void addChord(std::vector<TPlayUnit>& out, const TChord& chord, const TKey& key, int time,
              bool on) {
    for (int voice : {SOPRANO, ALTO, TENOR, BASS}) {
        const int pitch = chord.voice(voice);
        if (!isValidPitch(pitch)) {
            continue; // an unvoiced chord has nothing to sound
        }
        TPlayUnit unit;
        unit.note = key.midiNote(pitch);
        unit.time = time;
        unit.channel = voice == BASS ? BASS_CHANNEL : CHORD_CHANNEL;
        unit.velocity = voice == BASS ? BASS_VELOCITY : CHORD_VELOCITY;
        unit.isOn = on ? 1 : 0;
        out.push_back(unit);
    }
}

// The chord a motive leaves sounding at its end, if any: the chord of its last measure. A
// motive with more chords than measures sounds only the first ones.
const TChord* lastChordOf(const TMotive& motive) {
    const auto& chords = motive.chords();
    const std::size_t last = static_cast<std::size_t>(motive.measureCount()) - 1;
    return last < chords.size() ? &chords[last] : nullptr;
}

void addPulse(std::vector<TPlayUnit>& out, int from, int end, int measure) {
    for (int c = from; c < end; c += PULSE_STEP) {
        const bool bar = c % measure == 0;
        TPlayUnit on;
        on.note = bar ? PULSE_NOTE_BAR : PULSE_NOTE;
        on.time = c;
        on.channel = PULSE_CHANNEL;
        on.velocity = bar ? PULSE_VELOCITY_BAR : PULSE_VELOCITY;
        on.isOn = 1;
        TPlayUnit off = on;
        off.time = c + PULSE_STEP;
        off.isOn = 0;
        out.push_back(on);
        out.push_back(off);
    }
}

void addMelody(std::vector<TPlayUnit>& out, const TMotive& motive, int start,
               TMotivePlayerListener* listener) {
    const int measure = motive.ticksPerMeasure();
    const auto& notes = motive.notes();
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const TNote& note = notes[i];
        if (!isValidPitch(note.pitch()) || note.duration() <= 0) {
            continue; // rests and notes without pitch sound nothing
        }
        TPlayUnit on;
        on.note = motive.key().midiNote(note.pitch());
        on.time = start + note.time();
        on.channel = MELODY_CHANNEL;
        on.velocity = on.time % measure == 0 ? MELODY_VELOCITY_BAR : MELODY_VELOCITY;
        on.isOn = 1;
        on.noteIndex = static_cast<int>(i);
        on.motiveId = motive.id();
        on.listener = listener;
        TPlayUnit off = on;
        off.time = on.time + note.duration();
        off.isOn = 0;
        out.push_back(on);
        out.push_back(off);
    }
}

} // namespace

TPlayPlanner::TPlayPlanner(bool withPulse) : withPulse_(withPulse) {}

std::vector<TPlayUnit> TPlayPlanner::queue(const TMotive& motive, TMotivePlayerListener* listener) {
    const int measure = motive.ticksPerMeasure();
    const int measures = motive.measureCount();
    const int zatakt = motive.zatakt();
    const TKey& key = motive.key();
    const auto& chords = motive.chords();
    const int base = offset_ / measure * measure;
    std::vector<TPlayUnit> units;
    int start = base;
    bool firstChordDone = false;

    // Where the first chord ends: inside this motive when it has two measures, else it sounds
    // on past the motive's end until the next motive or the end of playback.
    auto firstChordOffs = [&](int time) {
        addChord(measures == 2 ? units : pending_, chords.front(), key, time, false);
    };

    if (previous_) {
        pending_.clear(); // the previous chord's note-offs are planned again below
        const TChord* last = lastChordOf(*previous_);
        if (previous_->zatakt() == zatakt) {
            if (chords.empty()) {
                if (last) {
                    addChord(units, *last, key, offset_, false);
                }
            } else {
                const TChord& first = chords.front();
                // Across an upbeat the bar line falls inside the previous motive's last chord:
                // the same voices simply sound on.
                const bool held = last && first.sameVoices(*last) && zatakt != 0;
                if (!held) {
                    if (last) {
                        addChord(units, *last, previous_->key(), offset_, false);
                    }
                    addChord(units, first, key, offset_, true);
                }
                firstChordOffs(base + measure);
            }
            firstChordDone = true;
        } else {
            const int t = offset_ % measure == 0 ? offset_ : base + measure;
            if (last) {
                addChord(units, *last, previous_->key(), t, false);
            }
            start = t;
        }
    }

    const int span = measures == 1 ? measure : 2 * measure - zatakt;
    const int end = start + span;
    if (!firstChordDone && !chords.empty()) {
        // With the melody: a motive with an upbeat starts its chord with the pickup, not alone
        // a measure before it.
        addChord(units, chords.front(), key, start + motive.upbeatStart(), true);
        firstChordOffs(start + measure);
    }
    if (measures == 2 && chords.size() >= 2) {
        addChord(units, chords[1], key, start + measure, true);
        addChord(pending_, chords[1], key, end, false);
    }
    if (withPulse_) {
        addPulse(units, offset_, end, measure); // from where the previous motive ended
    }
    addMelody(units, motive, start, listener);

    offset_ = end;
    std::stable_sort(units.begin(), units.end(), playsBefore);
    if (listener != nullptr && !units.empty() && withPulse_) {
        units.front().motiveStart = true;
        units.front().listener = listener;
        units.back().motiveEnd = true;
        units.back().listener = listener;
    }
    previous_.emplace(motive);
    return units;
}

std::vector<TPlayUnit> TPlayPlanner::takePending() {
    return std::exchange(pending_, {});
}

void TPlayPlanner::clear() {
    pending_.clear();
    previous_.reset();
    offset_ = 0;
}

std::vector<TPlayUnit> periodPlayUnits(const TPeriodData& period) {
    TPlayPlanner planner(false);
    std::vector<TPlayUnit> units;
    for (const TMotive* motive : period.allMotives()) {
        const std::vector<TPlayUnit> more = planner.queue(*motive, nullptr);
        units.insert(units.end(), more.begin(), more.end());
    }
    units.insert(units.end(), planner.pending().begin(), planner.pending().end());
    return units;
}
