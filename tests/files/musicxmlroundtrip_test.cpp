// The exported MusicXML goes through a real notation program: MuseScore 3, run headless, must
// read every file without calling it invalid, and convert it to a MIDI file whose notes are those
// of the program's own MIDI export (pitch, onset and length) and to its own score format, which
// must hold one Roman numeral per chord struck and the tempo of playback. All files go through
// one run of the program, to keep the test short. Skipped where the program is not installed
// (Debian: musescore3).
#include "cli/generatecommand.h"
#include "files/midiexport.h"
#include "files/musicxmlexport.h"
#include "files/periodbuilder.h"
#include "files/periodreader.h"
#include "files/scorelayout.h"
#include "midinotes.h"
#include "periodtesting.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>

namespace {

std::string notationProgram() {
    for (const char* name : {"mscore3", "musescore3"}) {
        const std::string probe = std::string("command -v ") + name + " > /dev/null 2>&1";
        if (std::system(probe.c_str()) == 0)
            return name;
    }
    return {};
}

// The notation program plays both staves of the harmony part on one channel and lets a note
// struck twice at once (two voices in unison) sound once; compare notes by pitch and time.
std::vector<TSoundingNote> heard(std::vector<TSoundingNote> notes) {
    for (TSoundingNote& note : notes)
        note.channel = 0;
    std::sort(notes.begin(), notes.end());
    notes.erase(std::unique(notes.begin(), notes.end()), notes.end());
    return notes;
}

std::string textOf(const pugi::xml_node& node) {
    std::string text;
    for (const pugi::xml_node& child : node.children())
        text += child.type() == pugi::node_pcdata ? child.value() : textOf(child);
    return text;
}

// Ticks (120 to the quarter) of a fraction of a whole note written "n/d".
int fractionTicks(const std::string& text) {
    const std::size_t slash = text.find('/');
    if (slash == std::string::npos)
        return 0;
    return 480 * std::stoi(text.substr(0, slash)) / std::stoi(text.substr(slash + 1));
}

int durationTicks(const pugi::xml_node& element) {
    static const std::map<std::string, int> values{{"whole", 480}, {"half", 240}, {"quarter", 120},
                                                   {"eighth", 60}, {"16th", 30},  {"32nd", 15}};
    const std::string type = element.child_value("durationType");
    if (type == "measure")
        return fractionTicks(element.child_value("duration"));
    const auto found = values.find(type);
    EXPECT_NE(found, values.end()) << "duration " << type;
    const int plain = found == values.end() ? 0 : found->second;
    const int dots = element.child("dots").text().as_int();
    return dots == 0 ? plain : dots == 1 ? plain * 3 / 2 : plain * 7 / 4;
}

// What the program's own score holds: the staff texts with their times (ticks from the first
// measure), and the tempo marks in quarter notes a minute.
struct TConverted {
    std::vector<std::pair<int, std::string>> staffTexts;
    std::vector<double> tempos;
};

TConverted readConverted(const std::filesystem::path& file) {
    pugi::xml_document document;
    EXPECT_TRUE(document.load_file(file.c_str())) << file;
    TConverted converted;
    for (const pugi::xml_node& staff :
         document.child("museScore").child("Score").children("Staff")) {
        int measureStart = 0;
        for (const pugi::xml_node& measure : staff.children("Measure")) {
            int length = fractionTicks(measure.attribute("len").value());
            const bool pickup = length > 0;
            for (const pugi::xml_node& voice : measure.children("voice")) {
                int position = 0;
                for (const pugi::xml_node& element : voice.children()) {
                    const std::string name = element.name();
                    if (name == "StaffText")
                        converted.staffTexts.emplace_back(measureStart + position,
                                                          textOf(element.child("text")));
                    else if (name == "Tempo")
                        converted.tempos.push_back(60.0 *
                                                   element.child("tempo").text().as_double());
                    else if (name == "Chord" || name == "Rest")
                        position += durationTicks(element);
                    else if (name == "location")
                        position += fractionTicks(element.child_value("fractions"));
                }
                if (!pickup)
                    length = std::max(length, position);
            }
            measureStart += length;
        }
    }
    std::sort(converted.staffTexts.begin(), converted.staffTexts.end());
    return converted;
}

// Where the MIDI export strikes a chord, in ticks from the score's first measure: every bass
// note starts one, and a held chord is not struck again.
std::vector<int> chordsStruck(const TPeriodData& period) {
    const int origin =
        period.zatakt() > 0 ? period.measure().ticksPerMeasure() - period.zatakt() : 0;
    std::vector<int> times;
    for (const TSoundingNote& note : readMidiNotes(midiFileBytes(period))) {
        if (note.channel == BASS_CHANNEL)
            times.push_back(note.onset - origin);
    }
    std::sort(times.begin(), times.end());
    return times;
}

struct TRoundTripCase {
    const char* name;
    std::function<TPeriodData()> make;
};

// A default period in another key and meter, generated from a fixed start of the draws.
std::function<TPeriodData()> generated(const TKey& key, const TMeasure& measure, int zatakt) {
    return [=] {
        TPeriodStructure structure = defaultPeriodStructure();
        structure.key = key;
        structure.measure = measure;
        structure.zatakt = static_cast<std::int16_t>(zatakt);
        TPeriodData period;
        buildPeriod(period, structure);
        TRandomGenerator draws;
        TScheme scheme(draws);
        generatePeriod(period, scheme, {});
        return period;
    };
}

const std::vector<TRoundTripCase>& cases() {
    auto file = [](const char* name) {
        return [name] {
            TPeriodData period;
            readPeriodFile(period, testDataPath(std::string("musicxml/") + name + ".tnr"));
            return period;
        };
    };
    static const std::vector<TRoundTripCase> all{
        {"default-generated", file("default-generated")}, // G minor 2/4, upbeat of an eighth
        {"a-sharp-minor", file("a-sharp-minor")},         // seven sharps, raised sevenths
        {"upbeat", upbeatPeriod},                         // 3/4 with a quarter of upbeat
        {"six-eight", generated(TKey(4, MAJOR), TMeasure(2, POINTED_QUARTER), EIGHTH)},
        {"four-four", generated(TKey(-5, MINOR), TMeasure(4, QUARTER), 0)}};
    return all;
}

TEST(MusicXmlRoundTrip, TheNotationProgramReadsEveryFileCleanlyWithNotesNumeralsAndTempo) {
    const std::string program = notationProgram();
    if (program.empty())
        GTEST_SKIP() << "no notation program (mscore3) installed";
    TScratchFolder folder;
    std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace);
    std::string job = "[";
    for (const TRoundTripCase& c : cases()) {
        const std::string base = (folder / c.name).string();
        exportMusicXml(c.make(), base + ".musicxml");
        job += std::string(job.size() > 1 ? "," : "") + "{\"in\":\"" + base +
               ".musicxml\",\"out\":[\"" + base + ".mid\",\"" + base + ".mscx\"]}";
    }
    std::ofstream(folder / "job.json") << job << "]";
    const std::string command = "QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR='" +
                                folder.path().string() + "' " + program +
                                " -platform offscreen -j '" + (folder / "job.json").string() +
                                "' > '" + (folder / "log").string() + "' 2>&1";
    const int status = std::system(command.c_str());
    const std::string log = readTextFile(folder / "log");
    ASSERT_EQ(status, 0) << log;
    EXPECT_EQ(log.find("not a valid"), std::string::npos) << log;
    EXPECT_EQ(log.find("rror"), std::string::npos) << log;

    for (const TRoundTripCase& c : cases()) {
        SCOPED_TRACE(c.name);
        const TPeriodData period = c.make();
        std::ifstream in(folder / (std::string(c.name) + ".mid"), std::ios::binary);
        ASSERT_TRUE(in) << "no MIDI file written:\n" << log;
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        EXPECT_EQ(heard(readMidiNotes(bytes)), heard(midiNotesAsScored(period)));

        const TConverted converted = readConverted(folder / (std::string(c.name) + ".mscx"));
        std::vector<int> times;
        std::vector<std::string> texts;
        for (const auto& [time, text] : converted.staffTexts) {
            times.push_back(time);
            texts.push_back(text);
        }
        EXPECT_EQ(times, chordsStruck(period)) << "one numeral under each chord struck";
        std::vector<std::string> numerals;
        for (const TScoreMeasure& measure : layoutScore(period).measures)
            for (const TWrittenHarmony& harmony : measure.harmonies)
                numerals.push_back(analysisText(harmony.analysis));
        EXPECT_EQ(texts, numerals);
        ASSERT_EQ(converted.tempos.size(), 1u);
        EXPECT_NEAR(converted.tempos[0], 7500.0 / (200 - period.tempo()), 0.01);
    }
}

} // namespace
