#include "files/periodreader.h"

#include "files/periodlimits.h"
#include "files/xmlinput.h"
#include "model/chordcatalogue.h"
#include "model/duration.h"
#include "model/pitch.h"

#include <pugixml.hpp>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

[[noreturn]] void fault(const pugi::xml_node& node, const std::string& what) {
    throw TPeriodReadError(std::string(node.name()) + " at offset " +
                           std::to_string(node.offset_debug()) + ": " + what);
}

void check(const pugi::xml_node& node, const std::optional<std::string>& problem) {
    if (problem)
        fault(node, *problem);
}

bool isElement(const pugi::xml_node& node, std::string_view name) {
    return node.type() == pugi::node_element && name == node.name();
}

bool isNamed(const pugi::xml_attribute& attribute, std::string_view name) {
    return name == attribute.name();
}

int decimalOf(const pugi::xml_node& node, const pugi::xml_attribute& attribute) {
    const std::optional<int> value = parseDecimal(attribute.value());
    if (!value)
        fault(node, std::string(attribute.name()) + " \"" + attribute.value() +
                        "\" is not a whole number");
    return *value;
}

int durationOf(const pugi::xml_node& node, const pugi::xml_attribute& attribute) {
    try {
        return durationOfName(attribute.value());
    } catch (const std::invalid_argument&) {
        fault(node, std::string(attribute.name()) + " \"" + attribute.value() +
                        "\" is neither a duration name nor a number");
    }
}

bool isPitchOrNone(int pitch) {
    return pitch == NO_PITCH || isValidPitch(pitch);
}

bool isOnGrid(int time) {
    return time >= 0 && time % TIME_GRID == 0;
}

// Chords stand one on each of the motive's measure starts at most, in order; notes are in time
// order and start within the motive's two measures. Checked against the meter and upbeat given,
// which may be the period's last ones rather than the motive's own.
std::optional<std::string> timingProblem(const TMotive& motive, const TMeasure& measure,
                                         int zatakt) {
    const int measureLength = measure.ticksPerMeasure();
    const int measureCount = zatakt > 0 ? 2 : 1;
    int previous = -1;
    for (const TChord& chord : motive.chords()) {
        const int time = chord.time();
        if (time < 0 || time % measureLength != 0 || time / measureLength >= measureCount)
            return "chord time " + std::to_string(time) +
                   " is not the start of one of the motive's measures";
        if (time <= previous)
            return "chord time " + std::to_string(time) + " does not follow the chord before it";
        previous = time;
    }
    previous = 0;
    for (const TNote& note : motive.notes()) {
        if (note.time() >= 2 * measureLength)
            return "note time " + std::to_string(note.time()) +
                   " lies beyond the motive's two measures";
        if (note.time() < previous)
            return "note time " + std::to_string(note.time()) + " comes before the note before it";
        previous = note.time();
    }
    return std::nullopt;
}

// Collects the document into its own key, meter, upbeat, tempo and tree, so that the period
// being replaced is untouched until everything has been read and checked.
class TPeriodReader {
public:
    explicit TPeriodReader(const TPeriodData& start)
        : key_(start.key()), measure_(start.measure()), zatakt_(start.zatakt()),
          tempo_(start.tempo()) {}

    void read(const pugi::xml_node& root) {
        for (const pugi::xml_node child : root.children()) {
            if (isElement(child, "MEASURE"))
                readMeasure(child);
            else if (isElement(child, "KEY"))
                readKey(child);
            else if (isElement(child, "MOTIVE_TYPE"))
                readUpbeat(child);
            else if (isElement(child, "TEMP"))
                readTempo(child);
            else if (isElement(child, "SENTENCE"))
                sentences_.push_back(readSentence(child));
        }
        // A meter read after the upbeat may have made the measure too short for it.
        check(root, upbeatProblem(zatakt_, measure_.ticksPerMeasure()));
        // The file does not keep the meter a motive was built with: read again, every motive
        // takes the period's last one, and must still fit it.
        for (const TSentenceData& sentence : sentences_)
            for (const TPhraseData& phrase : sentence.phrases())
                for (const TMotive& motive : phrase.motives())
                    check(root, timingProblem(motive, measure_, zatakt_));
    }

    void storeInto(TPeriodData& period) {
        TPeriodData settings;
        settings.setKey(key_);
        settings.setMeasure(measure_);
        settings.setZatakt(static_cast<std::int16_t>(zatakt_));
        settings.setTempo(tempo_);
        settings.setName(period.name());
        period = settings;
        period.sentences() = std::move(sentences_);
    }

private:
    void readMeasure(const pugi::xml_node& node) {
        int beats = measure_.beatsPerMeasure();
        int beatValue = measure_.beatValue();
        for (const pugi::xml_attribute attribute : node.attributes()) {
            if (isNamed(attribute, "BEATS_PER_MEASURE"))
                beats = decimalOf(node, attribute);
            else if (isNamed(attribute, "BEAT_VALUE"))
                beatValue = durationOf(node, attribute);
        }
        check(node, meterProblem(beats, beatValue));
        measure_ = TMeasure(beats, beatValue);
    }

    void readKey(const pugi::xml_node& node) {
        int sign = key_.sign();
        std::uint8_t mode = key_.mode();
        for (const pugi::xml_attribute attribute : node.attributes()) {
            if (isNamed(attribute, "SIGN")) {
                sign = decimalOf(node, attribute);
            } else if (isNamed(attribute, "LAD")) {
                const std::string_view lad = attribute.value();
                if (lad == "MAJOR")
                    mode = MAJOR;
                else if (lad == "MINOR")
                    mode = MINOR;
            }
        }
        check(node, keySignProblem(sign));
        key_ = TKey(sign, mode);
    }

    void readUpbeat(const pugi::xml_node& node) {
        for (const pugi::xml_attribute attribute : node.attributes()) {
            if (isNamed(attribute, "VALUE")) {
                const int zatakt = durationOf(node, attribute);
                // The meter may still change, so only what no meter allows is refused here.
                check(node, upbeatProblem(zatakt, MAX_MEASURE_TICKS));
                zatakt_ = zatakt;
            }
        }
    }

    void readTempo(const pugi::xml_node& node) {
        for (const pugi::xml_attribute attribute : node.attributes()) {
            if (isNamed(attribute, "VALUE")) {
                const int tempo = decimalOf(node, attribute);
                check(node, tempoProblem(tempo));
                tempo_ = tempo;
            }
        }
    }

    TSentenceData readSentence(const pugi::xml_node& node) {
        countOrRefuse(node, sentenceCount_, MAX_PERIOD_SENTENCES, "the period", "sentences");
        TSentenceData sentence;
        for (const pugi::xml_node child : node.children("PHRASE"))
            sentence.phrases().push_back(readPhrase(child));
        return sentence;
    }

    TPhraseData readPhrase(const pugi::xml_node& node) {
        countOrRefuse(node, phraseCount_, MAX_PERIOD_PHRASES, "the period", "phrases");
        TPhraseData phrase;
        for (const pugi::xml_attribute attribute : node.attributes())
            if (isNamed(attribute, "SUFFIX"))
                phrase.setSuffix(suffixFromFileText(attribute.value()));
        for (const pugi::xml_node child : node.children("MOTIVE")) {
            countOrRefuse(child, motiveCount_, MAX_PERIOD_MOTIVES, "the period", "motives");
            check(child, upbeatProblem(zatakt_, measure_.ticksPerMeasure()));
            phrase.motives().emplace_back(key_, measure_, static_cast<std::int16_t>(zatakt_));
            readMotive(child, phrase.motives().back());
        }
        return phrase;
    }

    void readMotive(const pugi::xml_node& node, TMotive& motive) {
        for (const pugi::xml_node child : node.children()) {
            if (isElement(child, "CHORDS")) {
                motive.chords().clear();
                int chords = 0;
                for (const pugi::xml_node chord : child.children("CHORD")) {
                    countOrRefuse(chord, chords, MAX_MOTIVE_CHORDS, "a motive", "chords");
                    motive.chords().push_back(readChord(chord));
                }
            } else if (isElement(child, "NOTES")) {
                motive.notes().clear();
                int notes = 0;
                for (const pugi::xml_node note : child.children("NOTE")) {
                    countOrRefuse(note, notes, MAX_MOTIVE_NOTES, "a motive", "notes");
                    motive.notes().push_back(readNote(note));
                }
            }
        }
        check(node, timingProblem(motive, motive.measure(), motive.zatakt()));
    }

    TChord readChord(const pugi::xml_node& node) {
        TChord chord;
        bool typed = false;
        TVoices voices = chord.voices();
        for (const pugi::xml_attribute attribute : node.attributes()) {
            if (isNamed(attribute, "CHORD_TYPE")) {
                std::optional<TChord> catalogued = findChordOfType(attribute.value());
                if (!catalogued)
                    fault(node, std::string("unknown chord type \"") + attribute.value() + '"');
                chord = std::move(*catalogued);
                voices = chord.voices();
                typed = true;
            } else if (isNamed(attribute, "TIME")) {
                chord.setTime(decimalOf(node, attribute));
            } else if (isNamed(attribute, "BASS")) {
                voices[BASS] = decimalOf(node, attribute);
            } else if (isNamed(attribute, "TENOR")) {
                voices[TENOR] = decimalOf(node, attribute);
            } else if (isNamed(attribute, "ALT")) {
                voices[ALTO] = decimalOf(node, attribute);
            } else if (isNamed(attribute, "SOPRANO")) {
                voices[SOPRANO] = decimalOf(node, attribute);
            }
        }
        // Written back, a chord without a type could never be read again.
        if (!typed)
            fault(node, "the chord has no CHORD_TYPE");
        for (const int voice : voices)
            if (!isPitchOrNone(voice))
                fault(node, "voice " + std::to_string(voice) + " is outside -1..41");
        chord.setVoices(voices);
        return chord;
    }

    TNote readNote(const pugi::xml_node& node) {
        TNote note;
        int duration = note.duration();
        for (const pugi::xml_attribute attribute : node.attributes()) {
            if (isNamed(attribute, "TIME"))
                note.setTime(decimalOf(node, attribute));
            else if (isNamed(attribute, "PITCH"))
                note.setPitch(decimalOf(node, attribute));
            else if (isNamed(attribute, "DURATION"))
                duration = durationOf(node, attribute);
            else if (isNamed(attribute, "SIGN"))
                note.setSign(std::string_view(attribute.value()) == "SHARP" ? 1 : 0);
            else if (isNamed(attribute, "CHORDING_NOTE"))
                note.setChordingNote(std::string_view(attribute.value()) == "YES");
        }
        note.setHighlighted(false);

        if (!isPitchOrNone(note.pitch()))
            fault(node, "pitch " + std::to_string(note.pitch()) + " is outside -1..41");
        // A note that does not move time forward would stall every walk over the rhythm.
        if (duration <= 0 || duration > std::numeric_limits<DURATION>::max())
            fault(node, "duration " + std::to_string(duration) + " is not a positive length");
        note.setDuration(static_cast<DURATION>(duration));
        if (!isOnGrid(note.time()))
            fault(node, "note time " + std::to_string(note.time()) +
                            " is not a non-negative multiple of 30");
        return note;
    }

    // Refused as soon as the limit is passed, so that a huge file costs no more than the limit.
    static void countOrRefuse(const pugi::xml_node& node, int& count, int limit, const char* holder,
                              const char* what) {
        if (++count > limit)
            fault(node,
                  std::string(holder) + " holds more than " + std::to_string(limit) + " " + what);
    }

    TKey key_;
    TMeasure measure_;
    int zatakt_;
    int tempo_;
    std::vector<TSentenceData> sentences_;
    int sentenceCount_ = 0;
    int phraseCount_ = 0;
    int motiveCount_ = 0;
};

} // namespace

void readPeriod(TPeriodData& period, const pugi::xml_node& documentElement) {
    // Saving over a score or a settings file read as an empty period would destroy it.
    if (std::string_view(documentElement.name()) != "PERIOD")
        throw TPeriodReadError(NOT_A_COMPOSITION);
    TPeriodReader reader(period);
    reader.read(documentElement);
    reader.storeInto(period);
}

void readPeriodText(TPeriodData& period, std::string_view text) {
    pugi::xml_document document;
    if (const std::optional<std::string> problem = parseDocument(document, text))
        throw TPeriodReadError(*problem);
    readPeriod(period, document.document_element());
}

void readPeriodFile(TPeriodData& period, const std::filesystem::path& file) {
    std::string text;
    if (const std::optional<std::string> problem =
            readRegularFile(file, text, MAX_COMPOSITION_FILE_BYTES))
        throw TPeriodReadError(*problem);
    readPeriodText(period, text);
}
