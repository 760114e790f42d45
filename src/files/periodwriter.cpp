#include "files/periodwriter.h"

#include "files/atomicfile.h"
#include "model/duration.h"

#include <initializer_list>
#include <sstream>
#include <string_view>
#include <utility>

namespace {

using TAttribute = std::pair<std::string_view, std::string>;

class TDocumentWriter {
public:
    explicit TDocumentWriter(std::ostream& out) : out_(out) {}

    void open(int level, std::string_view name) {
        indent(level);
        out_ << '<' << name << ">\n";
    }
    void open(int level, std::string_view name, std::initializer_list<TAttribute> attributes) {
        indent(level);
        out_ << '<' << name;
        writeAttributes(attributes);
        out_ << ">\n";
    }
    void close(int level, std::string_view name) {
        indent(level);
        out_ << "</" << name << ">\n";
    }
    void empty(int level, std::string_view name, std::initializer_list<TAttribute> attributes) {
        indent(level);
        out_ << '<' << name;
        writeAttributes(attributes);
        out_ << "/>\n";
    }
    std::ostream& stream() { return out_; }

private:
    void indent(int level) {
        for (int i = 0; i < level; ++i)
            out_ << "    ";
    }
    void writeAttributes(std::initializer_list<TAttribute> attributes) {
        for (const auto& [name, value] : attributes)
            out_ << ' ' << name << "=\"" << value << '"';
    }

    std::ostream& out_;
};

std::string decimal(int value) {
    return std::to_string(value);
}

void writeChord(TDocumentWriter& writer, const TChord& chord) {
    writer.empty(5, "CHORD",
                 {{"CHORD_TYPE", chord.name()},
                  {"TIME", decimal(chord.time())},
                  {"BASS", decimal(chord.voice(BASS))},
                  {"TENOR", decimal(chord.voice(TENOR))},
                  {"ALT", decimal(chord.voice(ALTO))},
                  {"SOPRANO", decimal(chord.voice(SOPRANO))}});
}

void writeNote(TDocumentWriter& writer, const TNote& note) {
    writer.empty(5, "NOTE",
                 {{"TIME", decimal(note.time())},
                  {"PITCH", decimal(note.pitch())},
                  {"DURATION", durationName(note.duration())},
                  {"SIGN", note.sign() == 1 ? "SHARP" : "NONE"},
                  {"CHORDING_NOTE", note.chordingNote() ? "YES" : "NO"}});
}

void writeMotive(TDocumentWriter& writer, const TMotive& motive) {
    writer.open(3, "MOTIVE");
    writer.open(4, "CHORDS");
    for (const TChord& chord : motive.chords())
        writeChord(writer, chord);
    writer.close(4, "CHORDS");
    writer.open(4, "NOTES");
    for (const TNote& note : motive.notes())
        writeNote(writer, note);
    writer.close(4, "NOTES");
    writer.close(3, "MOTIVE");
}

} // namespace

void writePeriod(std::ostream& out, const TPeriodData& period) {
    TDocumentWriter writer(out);
    writer.open(0, "PERIOD");
    writer.empty(1, "MEASURE",
                 {{"BEATS_PER_MEASURE", decimal(period.measure().beatsPerMeasure())},
                  {"BEAT_VALUE", durationName(period.measure().beatValue())}});
    writer.empty(1, "KEY",
                 {{"LAD", period.key().isMinor() ? "MINOR" : "MAJOR"},
                  {"SIGN", decimal(period.key().sign())}});
    writer.empty(1, "TEMP", {{"VALUE", decimal(period.tempo())}});
    writer.empty(1, "MOTIVE_TYPE", {{"VALUE", durationName(period.zatakt())}});
    for (const TSentenceData& sentence : period.sentences()) {
        writer.open(1, "SENTENCE");
        for (const TPhraseData& phrase : sentence.phrases()) {
            writer.open(2, "PHRASE", {{"SUFFIX", suffixFileText(phrase.suffix())}});
            for (const TMotive& motive : phrase.motives())
                writeMotive(writer, motive);
            writer.close(2, "PHRASE");
        }
        writer.close(1, "SENTENCE");
    }
    // The document ends with the closing tag itself, without a line end.
    writer.stream() << "</PERIOD>";
}

std::string periodDocument(const TPeriodData& period) {
    std::ostringstream out;
    writePeriod(out, period);
    return std::move(out).str();
}

std::string motiveDocument(const TMotive& motive) {
    std::ostringstream out;
    TDocumentWriter writer(out);
    writeMotive(writer, motive);
    return std::move(out).str();
}

void savePeriod(const TPeriodData& period, const std::filesystem::path& file) {
    writeFileAtomically(file, periodDocument(period));
}
