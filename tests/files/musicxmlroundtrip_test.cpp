// The exported MusicXML goes through a real notation program: MuseScore 3, run headless,
// converts it to a MIDI file, whose notes must be those of the program's own MIDI export
// (pitch, onset and length; the tempo may differ). Skipped where the program is not installed
// (Debian: musescore3).
#include "files/musicxmlexport.h"
#include "files/periodreader.h"
#include "midinotes.h"
#include "periodtesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

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

class MusicXmlRoundTrip : public testing::TestWithParam<const char*> {};

TEST_P(MusicXmlRoundTrip, TheNotationProgramPlaysTheNotesOfTheMidiExport) {
    const std::string program = notationProgram();
    if (program.empty())
        GTEST_SKIP() << "no notation program (mscore3) installed";
    TPeriodData period;
    const std::string name = GetParam();
    if (name == "upbeat")
        period = upbeatPeriod();
    else
        readPeriodFile(period, testDataPath("musicxml/" + name + ".tnr"));

    TScratchFolder folder;
    const auto score = folder / "score.musicxml";
    const auto midi = folder / "score.mid";
    exportMusicXml(period, score);
    const std::string command =
        "QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=" + folder.path().string() + " " + program +
        " -platform offscreen -o '" + midi.string() + "' '" + score.string() + "' > '" +
        (folder / "log").string() + "' 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << readTextFile(folder / "log");
    std::ifstream in(midi, std::ios::binary);
    ASSERT_TRUE(in) << "no MIDI file written:\n" << readTextFile(folder / "log");
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};

    EXPECT_EQ(heard(readMidiNotes(bytes)), heard(midiNotesAsScored(period)));
}

INSTANTIATE_TEST_SUITE_P(Periods, MusicXmlRoundTrip,
                         testing::Values("default-generated", "a-sharp-minor", "upbeat"));

} // namespace
