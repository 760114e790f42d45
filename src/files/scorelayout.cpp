#include "files/scorelayout.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <utility>

namespace {

constexpr std::array<int, 10> VALUES{480, 360, 240, 180, 120, 90, 60, 45, 30, 15};

// A stretch of one voice: a pitch held from start to end, or silence.
struct TSpan {
    int start = 0;
    int end = 0;
    int pitch = NO_PITCH;
    int midi = 0;
};

// A chord and the stretch of time it sounds for.
struct TChordSegment {
    int start = 0;
    int end = 0;
    const TChord* chord = nullptr;
    const TKey* key = nullptr;
};

// The chord a motive leaves sounding at its end: the chord of its last measure, if it has one.
const TChord* lastChordOf(const TMotive& motive) {
    const auto last = static_cast<std::size_t>(motive.measureCount() - 1);
    return last < motive.chords().size() ? &motive.chords()[last] : nullptr;
}

// Keeps the spans of one voice in time order, inside the score and without overlaps: a span
// ends where the next one starts.
void normalise(std::vector<TSpan>& spans, int origin, int end) {
    std::stable_sort(spans.begin(), spans.end(),
                     [](const TSpan& a, const TSpan& b) { return a.start < b.start; });
    for (std::size_t i = 0; i < spans.size(); ++i) {
        spans[i].start = std::max(spans[i].start, origin);
        spans[i].end = std::min(spans[i].end, end);
        if (i + 1 < spans.size())
            spans[i].end = std::min(spans[i].end, spans[i + 1].start);
    }
    std::erase_if(spans, [](const TSpan& span) { return span.end <= span.start; });
}

// The rests that write `length` ticks from `offset` ticks into a beat: plain values, each on a
// multiple of its own length, so that the rests show the halves and quarters of the beat.
std::vector<int> restValues(int offset, int length) {
    static constexpr std::array<int, 6> plain{480, 240, 120, 60, 30, 15};
    std::vector<int> values;
    while (length > 0) {
        int value = length; // off every note value's grid
        for (int candidate : plain) {
            if (candidate <= length && offset % candidate == 0) {
                value = candidate;
                break;
            }
        }
        values.push_back(value);
        offset += value;
        length -= value;
    }
    return values;
}

// Writes one voice into the measures: notes cut at the bar lines and where the beats ask for
// it, tied; rests that show the beats.
class TVoiceWriter {
public:
    TVoiceWriter(TScoreLayout& layout, int voice, int origin, int measureLength, bool hiddenGaps)
        : layout_(layout), voice_(voice), origin_(origin), measureLength_(measureLength),
          hiddenGaps_(hiddenGaps), beats_(layout.measure.beatsPerMeasure()),
          beat_(layout.measure.beatValue()) {
        if (beat_ < TICKS_PER_SIXTEENTH || measureLength_ % beat_ != 0) {
            beats_ = 1; // no beats to show: the measure is one
            beat_ = measureLength_;
        }
        dottedBeat_ = beat_ == 90 || beat_ == 180 || beat_ == 360;
    }

    void write(const std::vector<TSpan>& spans, int end, const std::vector<int>& cuts) {
        int cursor = origin_;
        for (const TSpan& span : spans) {
            if (span.start > cursor)
                silence(cursor, span.start, cuts);
            sound(span);
            cursor = span.end;
        }
        if (cursor < end)
            silence(cursor, end, cuts);
    }

private:
    TScoreMeasure& measureAt(int time) {
        return layout_.measures[static_cast<std::size_t>(time / measureLength_)];
    }

    int nextBar(int time) const { return (time / measureLength_ + 1) * measureLength_; }

    // The note values that write [from, to) of one measure, each with its start. A note that
    // starts off a beat is cut at the next beat, and fills up to it from the smallest value; in
    // a measure of four beats only a note from the downbeat crosses the middle; a note from a
    // beat that ends off one is cut at the last beat it reaches, unless it is one value (a
    // dotted quarter) in a meter of plain beats. A rest shows every beat (a half rest each half
    // of a measure of four) and the parts of its beat.
    std::vector<std::pair<int, int>> values(int from, int to, bool rest) const {
        std::vector<std::pair<int, int>> out;
        const int bar = from / measureLength_ * measureLength_;
        const int half = beats_ == 4 ? 2 * beat_ : measureLength_;
        while (from < to) {
            const int inBar = from - bar;
            const bool offBeat = inBar % beat_ != 0;
            int stop = to;
            if (offBeat) {
                stop = std::min(to, bar + (inBar / beat_ + 1) * beat_);
            } else if (rest) {
                const bool halfRest = beats_ == 4 && inBar % half == 0 && to - from >= half;
                stop = from + (halfRest ? half : std::min(beat_, to - from));
            } else {
                if (inBar != 0 && inBar < half)
                    stop = std::min(to, bar + half);
                const int length = stop - from;
                if (length > beat_ && length % beat_ != 0 &&
                    (dottedBeat_ || writtenValues(length).size() > 1))
                    stop = from + length / beat_ * beat_; // the last beat it reaches shows
            }
            std::vector<int> lengths;
            if (!rest || (!offBeat && (stop - from == beat_ || stop - from == half))) {
                lengths = writtenValues(stop - from);
                if (offBeat && (stop - bar) % beat_ == 0)
                    std::reverse(lengths.begin(), lengths.end());
            } else {
                lengths = restValues(inBar % beat_, stop - from);
            }
            for (int length : lengths) {
                out.emplace_back(from, length);
                from += length;
            }
        }
        return out;
    }

    void sound(const TSpan& span) {
        std::vector<TWrittenNote> pieces;
        for (int from = span.start; from < span.end;) {
            const int to = std::min(span.end, nextBar(from));
            for (const auto& [time, length] : values(from, to, false)) {
                TWrittenNote note;
                note.time = time;
                note.length = length;
                note.pitch = span.pitch;
                note.midi = span.midi;
                pieces.push_back(note);
            }
            from = to;
        }
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            pieces[i].tieStop = i > 0;
            pieces[i].tieStart = i + 1 < pieces.size();
            measureAt(pieces[i].time).voices[static_cast<std::size_t>(voice_)].push_back(pieces[i]);
        }
    }

    void silence(int from, int to, const std::vector<int>& cuts) {
        while (from < to) {
            int stop = std::min(to, nextBar(from));
            for (int cut : cuts) {
                if (cut > from && cut < stop)
                    stop = cut;
            }
            TScoreMeasure& measure = measureAt(from);
            auto& voice = measure.voices[static_cast<std::size_t>(voice_)];
            if (!hiddenGaps_ && !measure.implicit && from == measure.start &&
                stop - from == measure.length) {
                TWrittenNote rest;
                rest.time = from;
                rest.length = measure.length;
                rest.measureRest = true;
                voice.push_back(rest);
            } else {
                for (const auto& [time, length] : values(from, stop, true)) {
                    TWrittenNote rest;
                    rest.time = time;
                    rest.length = length;
                    rest.gap = hiddenGaps_;
                    voice.push_back(rest);
                }
            }
            from = stop;
        }
    }

    TScoreLayout& layout_;
    int voice_;
    int origin_;
    int measureLength_;
    bool hiddenGaps_;
    int beats_;
    int beat_;
    bool dottedBeat_ = false; // 6/8 and its kin
};

// Decides, staff by staff and measure by measure, which notes need an accidental: the first
// note of a letter and octave whose alteration differs from the signature or from the last
// one written in the measure. A note tied over from before shows none.
void markAccidentals(TScoreMeasure& measure, const TKey& signature,
                     std::initializer_list<std::size_t> staffVoices) {
    std::vector<TWrittenNote*> notes;
    for (std::size_t voice : staffVoices) {
        for (TWrittenNote& note : measure.voices[voice]) {
            if (isValidPitch(note.pitch))
                notes.push_back(&note);
        }
    }
    std::stable_sort(notes.begin(), notes.end(), [](const TWrittenNote* a, const TWrittenNote* b) {
        return a->time < b->time;
    });
    std::map<std::pair<char, int>, int> current;
    for (TWrittenNote* note : notes) {
        const TWrittenPitch written = writtenPitch(note->pitch, note->midi);
        const auto place = std::make_pair(written.step, written.octave);
        const auto found = current.find(place);
        const int shown =
            found != current.end() ? found->second : signatureAlter(signature, written.step);
        if (note->tieStop || written.alter == shown)
            continue;
        note->showAccidental = true;
        current[place] = written.alter;
    }
}

} // namespace

TWrittenPitch writtenPitch(const TKey& key, int pitch) {
    return writtenPitch(pitch, key.midiNote(pitch));
}

TWrittenPitch writtenPitch(int pitch, int midi) {
    static constexpr std::array<char, 7> letters{'C', 'D', 'E', 'F', 'G', 'A', 'B'};
    static constexpr std::array<int, 7> naturals{0, 2, 4, 5, 7, 9, 11};
    // Index 0 is the D of octave 1; counting letters from the C of octave 0, that D is 8.
    const int letter = pitch + 8;
    const int octave = letter / 7;
    const auto step = static_cast<std::size_t>(letter % 7);
    const int natural = 12 * (octave + 1) + naturals[step];
    return {letters[step], midi - natural, octave};
}

int signatureAlter(const TKey& key, char step) {
    static constexpr std::array<char, 7> sharps{'F', 'C', 'G', 'D', 'A', 'E', 'B'};
    const int count = std::min(7, std::abs(key.sign()));
    for (int i = 0; i < count; ++i) {
        const std::size_t at = static_cast<std::size_t>(key.sign() > 0 ? i : 6 - i);
        if (sharps[at] == step)
            return key.sign() > 0 ? 1 : -1;
    }
    return 0;
}

std::vector<int> writtenValues(int length) {
    std::vector<int> values;
    for (int value : VALUES) {
        while (length >= value) {
            values.push_back(value);
            length -= value;
        }
    }
    if (length > 0)
        values.push_back(length); // off every note value's grid
    return values;
}

TScoreLayout layoutScore(const TPeriodData& period) {
    TScoreLayout layout;
    layout.key = period.key();
    layout.measure = period.measure();
    layout.tempo = period.tempo();
    const int measureLength = std::max(TICKS_PER_SIXTEENTH, period.measure().ticksPerMeasure());
    const int zatakt = period.zatakt() > 0 && period.zatakt() < measureLength ? period.zatakt() : 0;
    const int origin = zatakt > 0 ? measureLength - zatakt : 0;

    std::vector<TSpan> melody;
    std::vector<TChordSegment> segments;
    std::vector<std::pair<int, std::string>> marks;
    std::vector<int> phraseEnds;
    std::vector<int> cuts;

    // Motives follow one another as the export player queues them.
    int offset = 0;
    const TMotive* previous = nullptr;
    for (const TSentenceData& sentence : period.sentences()) {
        for (const TPhraseData& phrase : sentence.phrases()) {
            bool first = true;
            for (const TMotive& motive : phrase.motives()) {
                const int length = motive.ticksPerMeasure();
                int start = offset / length * length;
                if (previous && previous->zatakt() != motive.zatakt())
                    start = offset % length == 0 ? offset : start + length;
                const int end =
                    start + (motive.measureCount() == 1 ? length : 2 * length - motive.zatakt());
                if (first) {
                    const std::string letter = suffixText(phrase.suffix());
                    const int at = std::max(origin, start + motive.upbeatStart());
                    cuts.push_back(at);
                    if (!letter.empty())
                        marks.emplace_back(at, letter);
                    first = false;
                }
                for (const TNote& note : motive.notes()) {
                    if (isValidPitch(note.pitch()) && note.duration() > 0)
                        melody.push_back({start + note.time(),
                                          start + note.time() + note.duration(), note.pitch(),
                                          motive.key().midiNote(note.pitch())});
                }
                const auto& chords = motive.chords();
                if (!chords.empty()) {
                    const TChord* last = previous ? lastChordOf(*previous) : nullptr;
                    const bool held = last && previous->zatakt() == motive.zatakt() &&
                                      motive.zatakt() != 0 && chords.front().sameVoices(*last);
                    const int firstEnd = motive.measureCount() == 1 ? end : start + length;
                    const TChordSegment first{start + motive.upbeatStart(), firstEnd,
                                              &chords.front(), &motive.key()};
                    // A held chord goes on as one note value with one numeral.
                    if (held && !segments.empty() && segments.back().end == first.start)
                        segments.back().end = first.end;
                    else
                        segments.push_back(first);
                    if (motive.measureCount() == 2 && chords.size() >= 2)
                        segments.push_back({start + length, end, &chords[1], &motive.key()});
                }
                offset = end;
                previous = &motive;
            }
            if (!phrase.motives().empty())
                phraseEnds.push_back(offset);
        }
    }

    const int last = std::max(offset, origin + 1);
    const int count = (last + measureLength - 1) / measureLength;
    const int end = count * measureLength;
    for (int m = 0; m < count; ++m) {
        TScoreMeasure measure;
        measure.number = zatakt > 0 ? m : m + 1;
        measure.start = std::max(m * measureLength, origin);
        measure.length = (m + 1) * measureLength - measure.start;
        measure.implicit = measure.length < measureLength;
        layout.measures.push_back(std::move(measure));
    }

    normalise(melody, origin, end);
    TVoiceWriter(layout, MELODY_VOICE, origin, measureLength, false).write(melody, end, cuts);

    for (int voice : {SOPRANO, ALTO, TENOR, BASS}) {
        std::vector<TSpan> spans;
        for (const TChordSegment& segment : segments) {
            const int pitch = segment.chord->voice(voice);
            if (!isValidPitch(pitch))
                continue;
            spans.push_back({segment.start, segment.end, pitch, segment.key->midiNote(pitch)});
        }
        normalise(spans, origin, end);
        // The lower voice of each staff stays silent where there is no chord; the upper one
        // shows the rests.
        const bool hidden = voice == ALTO || voice == BASS;
        TVoiceWriter(layout, voice, origin, measureLength, hidden).write(spans, end, {});
    }

    for (const TChordSegment& segment : segments) {
        const int at = std::max(segment.start, origin);
        if (at < end)
            layout.measures[static_cast<std::size_t>(at / measureLength)].harmonies.push_back(
                {at, analyseChord(*segment.chord, *segment.key)});
    }
    for (const auto& [at, letter] : marks) {
        if (at < end)
            layout.measures[static_cast<std::size_t>(at / measureLength)].marks.emplace_back(
                at, letter);
    }
    for (int phraseEnd : phraseEnds) {
        const int at = std::clamp(phraseEnd - 1, origin, end - 1);
        layout.measures[static_cast<std::size_t>(at / measureLength)].barline = TBarline::Double;
    }
    layout.measures.back().barline = TBarline::Final;

    int unit = TICKS_PER_QUARTER;
    for (TScoreMeasure& measure : layout.measures) {
        unit = std::gcd(unit, measure.length);
        for (const auto& voice : measure.voices) {
            for (const TWrittenNote& note : voice)
                unit = std::gcd(unit, note.length);
        }
        markAccidentals(measure, layout.key, {MELODY_VOICE});
        markAccidentals(measure, layout.key, {SOPRANO, ALTO});
        markAccidentals(measure, layout.key, {TENOR, BASS});
    }
    layout.divisionTicks = unit;
    return layout;
}
