#pragma once

#include "model/period.h"

#include <filesystem>
#include <string>
#include <vector>

// Test data lives in the source tree (tests/data).
std::filesystem::path testDataPath(const std::string& relative);
std::string readTextFile(const std::filesystem::path& path);

// A fresh, empty folder under the system's temporary folder, removed with everything in it.
class TScratchFolder {
public:
    TScratchFolder();
    ~TScratchFolder();
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    // Names of everything in the folder, sorted.
    std::vector<std::string> entries() const;

private:
    std::filesystem::path path_;
};

// Records every notification of a period.
struct TRecordingPeriodListener : TPeriodDataListener {
    std::vector<std::string> calls;
    void periodChanged() override { calls.push_back("period"); }
    void tempoChanged(int tempo) override { calls.push_back("tempo " + std::to_string(tempo)); }
    void nameChanged(const std::string& name) override { calls.push_back("name " + name); }
};

// Adds a gtest failure for every field in which the periods differ: settings, tree shape,
// phrase letters, each motive's key, meter and upbeat, each chord's type, time and voices and
// each note's time, pitch, duration, sign and chord-tone flag. Names and highlights are not
// compared.
void expectSamePeriod(const TPeriodData& expected, const TPeriodData& actual);

// The period of the file-format example: G minor, 2/4, an eighth of upbeat, tempo 100, one
// phrase "A" of one motive with a tonic triad and one quarter note.
TPeriodData oneChordPeriod();
// 3/4 with an upbeat of a quarter in A minor, fast tempo: motives with a chord on each of their
// two measures, a raised seventh and non-chord tones.
TPeriodData upbeatPeriod();
// 4/4 without letters on some phrases; notes of every named duration, one unnamed duration
// (270) and an upbeat that has no name (75).
TPeriodData everyDurationPeriod();
