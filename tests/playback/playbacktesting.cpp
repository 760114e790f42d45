#include "playbacktesting.h"

#include <ostream>

namespace playbacktest {

TChord voicedChord(int time, TVoices voices) {
    TChord chord;
    chord.setTime(time);
    chord.setVoices(voices);
    return chord;
}

TMotive makeMotive(const TMeasure& measure, int zatakt, const std::vector<NoteSpec>& notes,
                   const std::vector<TChord>& chords, int id) {
    TMotive motive(TKey(0, MAJOR), measure, static_cast<std::int16_t>(zatakt));
    TNoteList list;
    for (const NoteSpec& n : notes) {
        list.emplace_back(n.time, n.pitch, static_cast<DURATION>(n.duration));
    }
    motive.setNotes(list);
    motive.setChords(chords);
    motive.setId(id);
    return motive;
}

Msg decode(std::uint32_t message) {
    return {messageStatus(message), messageData1(message), messageData2(message)};
}

std::vector<Msg> decodeAll(const std::vector<std::uint32_t>& messages) {
    std::vector<Msg> out;
    for (auto m : messages) {
        out.push_back(decode(m));
    }
    return out;
}

Msg on(int channel, int note, int velocity) {
    return {0x90 + channel, note, velocity};
}
Msg off(int channel, int note, int velocity) {
    return {0x80 + channel, note, velocity};
}

void PrintTo(const Msg& msg, std::ostream* out) {
    *out << ((msg.status & 0xF0) == 0x90   ? "on"
             : (msg.status & 0xF0) == 0x80 ? "off"
                                           : "msg")
         << "(ch " << (msg.status & 0x0F) << ", " << msg.data1 << ", " << msg.data2 << ")";
}

std::map<std::pair<int, int>, int> soundingCounts(const std::vector<std::uint32_t>& messages,
                                                  bool* negative) {
    std::map<std::pair<int, int>, int> counts;
    if (negative) {
        *negative = false;
    }
    for (auto m : messages) {
        const int kind = messageStatus(m) & 0xF0;
        auto key = std::make_pair(messageStatus(m) & 0x0F, messageData1(m));
        if (kind == 0x90) {
            ++counts[key];
        } else if (kind == 0x80 && --counts[key] < 0 && negative) {
            *negative = true;
        }
    }
    return counts;
}

int soundingTotal(const std::vector<std::uint32_t>& messages) {
    int total = 0;
    for (const auto& [key, count] : soundingCounts(messages)) {
        total += count;
    }
    return total;
}

void RecordingListener::noteStarted(int motiveId, int noteIndex) {
    add("start " + std::to_string(motiveId) + ":" + std::to_string(noteIndex));
}
void RecordingListener::noteStopped(int motiveId, int noteIndex) {
    add("stop " + std::to_string(motiveId) + ":" + std::to_string(noteIndex));
}
void RecordingListener::motiveStarted() {
    add("motive started");
}
void RecordingListener::motiveFinished() {
    add("motive finished");
}

std::vector<std::string> RecordingListener::calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
}

std::vector<std::thread::id> RecordingListener::threads() const {
    std::lock_guard lock(mutex_);
    return threads_;
}

void RecordingListener::add(std::string call) {
    std::lock_guard lock(mutex_);
    calls_.push_back(std::move(call));
    threads_.push_back(std::this_thread::get_id());
}

} // namespace playbacktest
