#include "midinotes.h"

#include "files/midiexport.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <map>
#include <stdexcept>

namespace {

class TReader {
public:
    TReader(const std::vector<std::uint8_t>& bytes, std::size_t from, std::size_t to)
        : bytes_(bytes), at_(from), end_(to) {}

    bool done() const { return at_ >= end_; }
    std::uint8_t peek() const { return at(at_); }
    std::uint8_t byte() { return at(at_++); }
    std::uint32_t bigEndian(int count) {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i)
            value = value << 8 | byte();
        return value;
    }
    std::uint32_t varLen() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint8_t b = byte();
            value = value << 7 | (b & 0x7Fu);
            if ((b & 0x80u) == 0)
                return value;
        }
        throw std::runtime_error("variable-length quantity longer than 4 bytes");
    }
    void skip(std::size_t count) { at_ += count; }
    std::size_t position() const { return at_; }

private:
    std::uint8_t at(std::size_t i) const {
        if (i >= end_ || i >= bytes_.size())
            throw std::runtime_error("MIDI data ends early");
        return bytes_[i];
    }
    const std::vector<std::uint8_t>& bytes_;
    std::size_t at_;
    std::size_t end_;
};

} // namespace

std::vector<TSoundingNote> readMidiNotes(const std::vector<std::uint8_t>& file) {
    TReader header(file, 0, file.size());
    if (header.bigEndian(4) != 0x4D546864u || header.bigEndian(4) != 6)
        throw std::runtime_error("no MThd chunk");
    header.bigEndian(2);
    const std::uint32_t tracks = header.bigEndian(2);
    const std::uint32_t division = header.bigEndian(2);
    if (division == 0 || (division & 0x8000u) != 0)
        throw std::runtime_error("no ticks-per-quarter division");
    auto scaled = [division](std::uint64_t ticks) {
        return static_cast<int>(std::lround(static_cast<double>(ticks) * 120.0 / division));
    };

    std::vector<TSoundingNote> notes;
    std::size_t at = header.position();
    for (std::uint32_t t = 0; t < tracks; ++t) {
        TReader chunk(file, at, file.size());
        const std::uint32_t tag = chunk.bigEndian(4);
        const std::uint32_t length = chunk.bigEndian(4);
        const std::size_t begin = chunk.position();
        at = begin + length;
        if (tag != 0x4D54726Bu)
            continue;
        TReader track(file, begin, at);
        std::uint64_t time = 0;
        std::uint8_t status = 0;
        std::map<std::pair<int, int>, std::deque<std::uint64_t>> sounding;
        while (!track.done()) {
            time += track.varLen();
            if (track.peek() & 0x80u)
                status = track.byte();
            if (status == 0xFF) {
                track.byte();
                track.skip(track.varLen());
                continue;
            }
            if (status == 0xF0 || status == 0xF7) {
                track.skip(track.varLen());
                continue;
            }
            const int kind = status >> 4;
            const int channel = status & 0x0F;
            const int data1 = track.byte();
            const int data2 = kind == 0xC || kind == 0xD ? 0 : track.byte();
            const bool on = kind == 0x9 && data2 > 0;
            const bool off = kind == 0x8 || (kind == 0x9 && data2 == 0);
            if (on) {
                sounding[{channel, data1}].push_back(time);
            } else if (off) {
                auto& started = sounding[{channel, data1}];
                if (started.empty())
                    continue;
                const std::uint64_t onset = started.front();
                started.pop_front();
                notes.push_back({data1, scaled(onset), scaled(time) - scaled(onset), channel});
            }
        }
    }
    std::sort(notes.begin(), notes.end());
    return notes;
}

std::vector<TSoundingNote> midiNotesAsScored(const TPeriodData& period) {
    const int origin =
        period.zatakt() > 0 ? period.measure().ticksPerMeasure() - period.zatakt() : 0;
    std::vector<TSoundingNote> notes;
    for (TSoundingNote note : readMidiNotes(midiFileBytes(period))) {
        const int onset = std::max(note.onset, origin);
        note.length -= onset - note.onset;
        note.onset = onset - origin;
        note.channel = note.channel == 0 ? 0 : 1;
        notes.push_back(note);
    }
    std::sort(notes.begin(), notes.end());
    return notes;
}
