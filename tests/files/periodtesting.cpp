#include "periodtesting.h"

#include "model/chordcatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>
#include <random>

namespace fs = std::filesystem;

fs::path testDataPath(const std::string& relative) {
    return fs::path(TONARIA_TEST_DATA_DIR) / relative;
}

std::string readTextFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TScratchFolder::TScratchFolder() {
    static std::atomic<int> counter{0};
    std::random_device entropy;
    path_ = fs::temp_directory_path() /
            ("tonaria-test-" + std::to_string(entropy()) + "-" + std::to_string(counter++));
    fs::create_directories(path_);
}

TScratchFolder::~TScratchFolder() {
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}

std::vector<std::string> TScratchFolder::entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

namespace {

void expectSameMotive(const TMotive& expected, const TMotive& actual, const std::string& where) {
    SCOPED_TRACE(where);
    EXPECT_EQ(expected.key(), actual.key());
    EXPECT_EQ(expected.measure(), actual.measure());
    EXPECT_EQ(expected.zatakt(), actual.zatakt());
    ASSERT_EQ(expected.chords().size(), actual.chords().size());
    for (std::size_t c = 0; c < expected.chords().size(); ++c) {
        const TChord& e = expected.chords()[c];
        const TChord& a = actual.chords()[c];
        EXPECT_EQ(e.name(), a.name()) << "chord " << c;
        EXPECT_EQ(e.base(), a.base()) << "chord " << c;
        EXPECT_EQ(e.toneCount(), a.toneCount()) << "chord " << c;
        EXPECT_EQ(e.bassTone(), a.bassTone()) << "chord " << c;
        EXPECT_EQ(e.time(), a.time()) << "chord " << c;
        EXPECT_EQ(e.voices(), a.voices()) << "chord " << c;
    }
    ASSERT_EQ(expected.notes().size(), actual.notes().size());
    for (std::size_t n = 0; n < expected.notes().size(); ++n) {
        const TNote& e = expected.notes()[n];
        const TNote& a = actual.notes()[n];
        EXPECT_EQ(e.time(), a.time()) << "note " << n;
        EXPECT_EQ(e.pitch(), a.pitch()) << "note " << n;
        EXPECT_EQ(e.duration(), a.duration()) << "note " << n;
        EXPECT_EQ(e.sign(), a.sign()) << "note " << n;
        EXPECT_EQ(e.chordingNote(), a.chordingNote()) << "note " << n;
        EXPECT_FALSE(a.highlighted()) << "note " << n;
    }
}

TChord chordAt(const char* type, int time, int bass, int tenor, int alto, int soprano) {
    TChord chord = chordOfType(type);
    chord.setTime(time);
    TVoices voices{};
    voices[SOPRANO] = soprano;
    voices[ALTO] = alto;
    voices[TENOR] = tenor;
    voices[BASS] = bass;
    chord.setVoices(voices);
    return chord;
}

TNote noteAt(int time, int pitch, DURATION duration, bool chording = true, int sign = 0) {
    TNote note(time, pitch, duration);
    note.setChordingNote(chording);
    note.setSign(static_cast<std::uint8_t>(sign));
    return note;
}

TPeriodData periodWith(const TKey& key, const TMeasure& measure, int zatakt, int tempo) {
    TPeriodData period;
    period.setKey(key);
    period.setMeasure(measure);
    period.setZatakt(static_cast<std::int16_t>(zatakt));
    period.setTempo(tempo);
    return period;
}

} // namespace

void expectSamePeriod(const TPeriodData& expected, const TPeriodData& actual) {
    EXPECT_EQ(expected.key(), actual.key());
    EXPECT_EQ(expected.measure(), actual.measure());
    EXPECT_EQ(expected.zatakt(), actual.zatakt());
    EXPECT_EQ(expected.tempo(), actual.tempo());
    ASSERT_EQ(expected.sentences().size(), actual.sentences().size());
    for (std::size_t s = 0; s < expected.sentences().size(); ++s) {
        const auto& ePhrases = expected.sentences()[s].phrases();
        const auto& aPhrases = actual.sentences()[s].phrases();
        ASSERT_EQ(ePhrases.size(), aPhrases.size()) << "sentence " << s;
        for (std::size_t p = 0; p < ePhrases.size(); ++p) {
            const std::string where =
                "sentence " + std::to_string(s) + " phrase " + std::to_string(p);
            EXPECT_EQ(ePhrases[p].suffix(), aPhrases[p].suffix()) << where;
            ASSERT_EQ(ePhrases[p].motiveCount(), aPhrases[p].motiveCount()) << where;
            for (std::size_t m = 0; m < ePhrases[p].motives().size(); ++m)
                expectSameMotive(ePhrases[p].motives()[m], aPhrases[p].motives()[m],
                                 where + " motive " + std::to_string(m));
        }
    }
}

TPeriodData oneChordPeriod() {
    TPeriodData period = periodWith(TKey(-2, MINOR), TMeasure(2, QUARTER), EIGHTH, 100);
    TPhraseData phrase(1, SUFFIX_A, period.key(), period.measure(), period.zatakt());
    TMotive& motive = phrase.motives()[0];
    motive.chords().push_back(chordAt("TONIC_THREE_CHORD", 0, 10, 14, 19, 24));
    motive.notes().push_back(noteAt(0, 24, QUARTER));
    period.sentences().emplace_back().phrases().push_back(phrase);
    return period;
}

TPeriodData upbeatPeriod() {
    TPeriodData period = periodWith(TKey(0, MINOR), TMeasure(3, QUARTER), QUARTER, 145);
    TSentenceData& sentence = period.sentences().emplace_back();
    TPhraseData& phrase =
        sentence.phrases().emplace_back(2, 6, period.key(), period.measure(), period.zatakt());
    // The upbeat covers 240..360; the motive ends at 600.
    TMotive& first = phrase.motives()[0];
    first.chords().push_back(chordAt("DOMINANT_THREE_CHORD", 0, 8, 15, 19, 22));
    first.chords().push_back(chordAt("TONIC_THREE_CHORD", 360, 11, 15, 18, 22));
    first.notes() = {noteAt(240, 22, QUARTER), noteAt(360, 21, EIGHTH, false, 1),
                     noteAt(420, 22, POINTED_QUARTER)};
    TMotive& second = phrase.motives()[1];
    second.chords().push_back(chordAt("SUBDOMINANT_THREE_CHORD", 0, 7, 14, 18, 21));
    second.notes() = {noteAt(240, 21, EIGHTH), noteAt(300, 20, EIGHTH, false),
                      noteAt(360, NO_PITCH, HALF, false)};
    period.sentences().emplace_back().phrases().emplace_back(1, 11, period.key(), period.measure(),
                                                             period.zatakt());
    return period;
}

TPeriodData everyDurationPeriod() {
    TPeriodData period = periodWith(TKey(7, MAJOR), TMeasure(4, QUARTER), 75, 55);
    TSentenceData& sentence = period.sentences().emplace_back();
    TPhraseData& phrase =
        sentence.phrases().emplace_back(1, 15, period.key(), period.measure(), period.zatakt());
    int time = 0;
    for (const DURATION d : {SIXTEENTH, EIGHTH, POINTED_EIGHTH, QUARTER, QUARTER_AND_SIXTEENTH,
                             POINTED_QUARTER, QUARTER_AND_POINTED_EIGHTH, HALF}) {
        phrase.motives()[0].notes().push_back(noteAt(time, 13 + time / 30, d));
        time += d;
    }
    phrase.motives()[0].notes().push_back(noteAt(900, 41, 270));
    // A phrase of no motives, then one of an empty motive.
    sentence.phrases().emplace_back(0, 14, period.key(), period.measure(), period.zatakt());
    sentence.phrases().emplace_back(1, 5, period.key(), period.measure(), period.zatakt());
    return period;
}
