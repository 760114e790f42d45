#pragma once

#include "model/motive.h"
#include "model/playunit.h"
#include "playback/midibackend.h"
#include "playback/motiveplayerlistener.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace playbacktest {

struct NoteSpec {
    int time;
    int pitch;
    int duration;
};

TChord voicedChord(int time, TVoices voices);

// A motive in C major with the given meter, upbeat, notes and chords.
TMotive makeMotive(const TMeasure& measure, int zatakt, const std::vector<NoteSpec>& notes,
                   const std::vector<TChord>& chords, int id = -1);

// A decoded short message, for readable failures.
struct Msg {
    int status;
    int data1;
    int data2;
    bool operator==(const Msg&) const = default;
};
Msg decode(std::uint32_t message);
std::vector<Msg> decodeAll(const std::vector<std::uint32_t>& messages);
Msg on(int channel, int note, int velocity);
Msg off(int channel, int note, int velocity);
void PrintTo(const Msg& msg, std::ostream* out);

// Per (channel, note): note-ons minus note-offs over the messages, which must never dip below
// zero (a note-off for a note that is not sounding) -- `negative` tells whether it did.
std::map<std::pair<int, int>, int> soundingCounts(const std::vector<std::uint32_t>& messages,
                                                  bool* negative = nullptr);
int soundingTotal(const std::vector<std::uint32_t>& messages);

// Records every listener call as text, with the thread it came on.
class RecordingListener : public TMotivePlayerListener {
public:
    void noteStarted(int motiveId, int noteIndex) override;
    void noteStopped(int motiveId, int noteIndex) override;
    void motiveStarted() override;
    void motiveFinished() override;

    std::vector<std::string> calls() const;
    std::vector<std::thread::id> threads() const;

private:
    void add(std::string call);
    mutable std::mutex mutex_;
    std::vector<std::string> calls_;
    std::vector<std::thread::id> threads_;
};

} // namespace playbacktest
