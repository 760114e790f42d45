#include "files/musicxmlexport.h"

#include "files/atomicfile.h"
#include "files/scorelayout.h"
#include "model/tempo.h"

#include <pugixml.hpp>

#include <array>
#include <cmath>
#include <sstream>

namespace {

// Program numbers as MusicXML counts them (from 1): the bright piano of the melody channel and
// the warm pad of the chord channel in playback.
constexpr int MELODY_MIDI_PROGRAM = 2;
constexpr int HARMONY_MIDI_PROGRAM = 90;

struct TNoteValue {
    int ticks;
    const char* type;
    int dots;
};

constexpr std::array<TNoteValue, 10> NOTE_VALUES{{{15, "32nd", 0},
                                                  {30, "16th", 0},
                                                  {45, "16th", 1},
                                                  {60, "eighth", 0},
                                                  {90, "eighth", 1},
                                                  {120, "quarter", 0},
                                                  {180, "quarter", 1},
                                                  {240, "half", 0},
                                                  {360, "half", 1},
                                                  {480, "whole", 0}}};

const TNoteValue* noteValue(int ticks) {
    for (const TNoteValue& value : NOTE_VALUES) {
        if (value.ticks == ticks)
            return &value;
    }
    return nullptr;
}

const char* accidentalName(int alter) {
    switch (alter) {
    case -2:
        return "flat-flat";
    case -1:
        return "flat";
    case 1:
        return "sharp";
    case 2:
        return "double-sharp";
    default:
        return "natural";
    }
}

pugi::xml_node element(pugi::xml_node parent, const char* name) {
    return parent.append_child(name);
}

pugi::xml_node element(pugi::xml_node parent, const char* name, const std::string& text) {
    pugi::xml_node node = parent.append_child(name);
    node.text().set(text.c_str());
    return node;
}

pugi::xml_node element(pugi::xml_node parent, const char* name, int value) {
    return element(parent, name, std::to_string(value));
}

std::string decimal(double value) {
    std::ostringstream out;
    out.precision(2);
    out << std::fixed << value;
    std::string text = out.str();
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text;
}

// The time signature as beats and a power-of-two beat type; a dotted beat is counted in the
// note value that divides it (2 beats of 180 ticks are 6/8).
std::pair<int, int> timeSignature(const TMeasure& measure) {
    int note = 480;
    int type = 1;
    while (note > TICKS_PER_SIXTEENTH && measure.beatValue() % note != 0) {
        note /= 2;
        type *= 2;
    }
    return {measure.beatsPerMeasure() * (measure.beatValue() / note), type};
}

void writeAttributes(pugi::xml_node measure, const TScoreLayout& layout, bool grandStaff) {
    pugi::xml_node attributes = element(measure, "attributes");
    element(attributes, "divisions", TICKS_PER_QUARTER / layout.divisionTicks);
    pugi::xml_node key = element(attributes, "key");
    element(key, "fifths", layout.key.sign());
    element(key, "mode", layout.key.isMinor() ? "minor" : "major");
    const auto [beats, beatType] = timeSignature(layout.measure);
    pugi::xml_node time = element(attributes, "time");
    element(time, "beats", beats);
    element(time, "beat-type", beatType);
    if (grandStaff)
        element(attributes, "staves", 2);
    pugi::xml_node treble = element(attributes, "clef");
    element(treble, "sign", "G");
    element(treble, "line", 2);
    if (grandStaff) {
        treble.append_attribute("number") = 1;
        pugi::xml_node bass = element(attributes, "clef");
        bass.append_attribute("number") = 2;
        element(bass, "sign", "F");
        element(bass, "line", 4);
    }
}

void writeTempo(pugi::xml_node measure, int tempo) {
    const double perMinute = quarterNotesPerMinute(tempo);
    pugi::xml_node direction = element(measure, "direction");
    direction.append_attribute("placement") = "above";
    pugi::xml_node metronome = element(element(direction, "direction-type"), "metronome");
    element(metronome, "beat-unit", "quarter");
    element(metronome, "per-minute", static_cast<int>(std::lround(perMinute)));
    element(direction, "sound").append_attribute("tempo") = decimal(perMinute).c_str();
}

void writeMark(pugi::xml_node measure, const std::string& letter) {
    pugi::xml_node direction = element(measure, "direction");
    direction.append_attribute("placement") = "above";
    element(element(direction, "direction-type"), "rehearsal", letter);
}

// The analysis of one chord, twice: for the eye, the numeral with its figures as words below
// the bass staff, which every reader shows alike; for readers that analyse, a harmony that is
// not printed, its Roman numeral as a function relative to the key (the form both MusicXML 3.1
// and 4.0 define), with the chord's kind and inversion.
void writeHarmony(pugi::xml_node measure, const TWrittenHarmony& harmony, int staff) {
    const THarmonyAnalysis& analysis = harmony.analysis;
    pugi::xml_node node = element(measure, "harmony");
    node.append_attribute("print-object") = "no";
    node.append_attribute("placement") = "below";
    element(node, "function", analysis.numeral);
    element(node, "kind", analysis.kind).append_attribute("text") = "";
    element(node, "inversion", analysis.inversion);
    if (analysis.raisedFifth) {
        pugi::xml_node degree = element(node, "degree");
        element(degree, "degree-value", 5);
        element(degree, "degree-alter", 1);
        element(degree, "degree-type", "alter");
    }
    element(node, "staff", staff);

    pugi::xml_node direction = element(measure, "direction");
    direction.append_attribute("placement") = "below";
    element(element(direction, "direction-type"), "words", analysisText(analysis));
    element(direction, "staff", staff);
}

struct TVoicePlace {
    int voice;
    int staff; // 0: the part has one staff
    const char* stem;
};

void writeNote(pugi::xml_node measure, const TWrittenNote& note, const TVoicePlace& place,
               int unit) {
    const int duration = note.length / unit;
    if (note.gap) {
        pugi::xml_node forward = element(measure, "forward");
        element(forward, "duration", duration);
        element(forward, "voice", place.voice);
        if (place.staff > 0)
            element(forward, "staff", place.staff);
        return;
    }
    const bool pitched = isValidPitch(note.pitch);
    pugi::xml_node node = element(measure, "note");
    if (pitched) {
        const TWrittenPitch written = writtenPitch(note.pitch, note.midi);
        pugi::xml_node pitch = element(node, "pitch");
        element(pitch, "step", std::string(1, written.step));
        if (written.alter != 0)
            element(pitch, "alter", written.alter);
        element(pitch, "octave", written.octave);
    } else {
        pugi::xml_node rest = element(node, "rest");
        if (note.measureRest)
            rest.append_attribute("measure") = "yes";
    }
    element(node, "duration", duration);
    if (note.tieStop)
        element(node, "tie").append_attribute("type") = "stop";
    if (note.tieStart)
        element(node, "tie").append_attribute("type") = "start";
    element(node, "voice", place.voice);
    if (const TNoteValue* value = noteValue(note.length); value && !note.measureRest) {
        element(node, "type", value->type);
        for (int i = 0; i < value->dots; ++i)
            element(node, "dot");
    }
    if (pitched && note.showAccidental)
        element(node, "accidental", accidentalName(writtenPitch(note.pitch, note.midi).alter));
    if (pitched && place.stem)
        element(node, "stem", place.stem);
    if (place.staff > 0)
        element(node, "staff", place.staff);
    if (note.tieStop || note.tieStart) {
        pugi::xml_node notations = element(node, "notations");
        if (note.tieStop)
            element(notations, "tied").append_attribute("type") = "stop";
        if (note.tieStart)
            element(notations, "tied").append_attribute("type") = "start";
    }
}

void writeBarline(pugi::xml_node measure, TBarline barline) {
    if (barline == TBarline::Plain)
        return;
    pugi::xml_node node = element(measure, "barline");
    node.append_attribute("location") = "right";
    element(node, "bar-style", barline == TBarline::Final ? "light-heavy" : "light-light");
}

pugi::xml_node beginMeasure(pugi::xml_node part, const TScoreMeasure& measure) {
    pugi::xml_node node = element(part, "measure");
    node.append_attribute("number") = measure.number;
    if (measure.implicit)
        node.append_attribute("implicit") = "yes";
    return node;
}

void writeMelodyPart(pugi::xml_node part, const TScoreLayout& layout) {
    bool first = true;
    for (const TScoreMeasure& measure : layout.measures) {
        pugi::xml_node node = beginMeasure(part, measure);
        if (first) {
            writeAttributes(node, layout, false);
            writeTempo(node, layout.tempo);
            first = false;
        }
        auto mark = measure.marks.begin();
        for (const TWrittenNote& note : measure.voices[MELODY_VOICE]) {
            for (; mark != measure.marks.end() && mark->first <= note.time; ++mark)
                writeMark(node, mark->second);
            writeNote(node, note, {1, 0, nullptr}, layout.divisionTicks);
        }
        for (; mark != measure.marks.end(); ++mark)
            writeMark(node, mark->second);
        writeBarline(node, measure.barline);
    }
}

void writeHarmonyPart(pugi::xml_node part, const TScoreLayout& layout) {
    // Voices 1 and 2 on the upper staff, 5 and 6 on the lower one.
    constexpr std::array<TVoicePlace, 4> places{
        {{1, 1, "up"}, {2, 1, "down"}, {5, 2, "up"}, {6, 2, "down"}}};
    bool first = true;
    for (const TScoreMeasure& measure : layout.measures) {
        pugi::xml_node node = beginMeasure(part, measure);
        if (first) {
            writeAttributes(node, layout, true);
            first = false;
        }
        for (int voice : {SOPRANO, ALTO, TENOR, BASS}) {
            const TVoicePlace& place = places[static_cast<std::size_t>(voice)];
            if (voice != SOPRANO)
                element(element(node, "backup"), "duration", measure.length / layout.divisionTicks);
            // The numerals stand below the bass, each before the bass note it starts on.
            auto harmony = measure.harmonies.begin();
            for (const TWrittenNote& note : measure.voices[static_cast<std::size_t>(voice)]) {
                for (; voice == BASS && harmony != measure.harmonies.end() &&
                       harmony->time <= note.time;
                     ++harmony)
                    writeHarmony(node, *harmony, place.staff);
                writeNote(node, note, place, layout.divisionTicks);
            }
        }
        writeBarline(node, measure.barline);
    }
}

void writePart(pugi::xml_node partList, const char* id, const char* name, int channel,
               int program) {
    pugi::xml_node part = element(partList, "score-part");
    part.append_attribute("id") = id;
    element(part, "part-name", name);
    const std::string instrument = std::string(id) + "-I1";
    pugi::xml_node scoreInstrument = element(part, "score-instrument");
    scoreInstrument.append_attribute("id") = instrument.c_str();
    element(scoreInstrument, "instrument-name", name);
    pugi::xml_node midi = element(part, "midi-instrument");
    midi.append_attribute("id") = instrument.c_str();
    element(midi, "midi-channel", channel);
    element(midi, "midi-program", program);
}

struct TStringWriter : pugi::xml_writer {
    std::string text;
    void write(const void* data, std::size_t size) override {
        text.append(static_cast<const char*>(data), size);
    }
};

// The name the program gives a composition that was never saved names nothing: the exported
// file's name does, when there is one.
std::string titleOf(const TPeriodData& period, const std::filesystem::path& file) {
    const bool named = !period.name().empty() && period.name() != "Untitled";
    const std::filesystem::path source =
        named || file.stem().empty() ? std::filesystem::path(period.name()) : file;
    const std::string stem = source.stem().string();
    return stem.empty() ? source.string() : stem;
}

} // namespace

std::string musicXmlDocument(const TPeriodData& period, const std::string& title) {
    const TScoreLayout layout = layoutScore(period);
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    document.append_child(pugi::node_doctype)
        .set_value("score-partwise PUBLIC \"-//Recordare//DTD MusicXML 3.1 Partwise//EN\" "
                   "\"http://www.musicxml.org/dtds/partwise.dtd\"");
    pugi::xml_node score = element(document, "score-partwise");
    score.append_attribute("version") = "3.1";
    element(element(score, "work"), "work-title", title);
    element(element(element(score, "identification"), "encoding"), "software", "Tonaria");
    pugi::xml_node partList = element(score, "part-list");
    writePart(partList, "P1", "Melody", 1, MELODY_MIDI_PROGRAM);
    writePart(partList, "P2", "Harmony", 2, HARMONY_MIDI_PROGRAM);
    pugi::xml_node melody = element(score, "part");
    melody.append_attribute("id") = "P1";
    writeMelodyPart(melody, layout);
    pugi::xml_node harmony = element(score, "part");
    harmony.append_attribute("id") = "P2";
    writeHarmonyPart(harmony, layout);

    TStringWriter out;
    document.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    return std::move(out.text);
}

std::string musicXmlDocument(const TPeriodData& period) {
    return musicXmlDocument(period, titleOf(period, {}));
}

void exportMusicXml(const TPeriodData& period, const std::filesystem::path& fileName) {
    writeFileAtomically(fileName, musicXmlDocument(period, titleOf(period, fileName)));
}
