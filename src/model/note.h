#pragma once

#include "model/duration.h"
#include "model/pitch.h"

#include <cstdint>
#include <ostream>
#include <vector>

// One note of a melody: onset, pitch index and length. The highlight is a transient display
// mark set while the player sounds the note; it never travels with a copy.
class TNote {
public:
    TNote() = default;
    TNote(int time, int pitch, DURATION duration)
        : time_(time), pitch_(pitch), duration_(duration) {}
    TNote(const TNote& other) { copyFrom(other); }
    TNote& operator=(const TNote& other) {
        copyFrom(other);
        return *this;
    }
    virtual ~TNote() = default;

    int time() const { return time_; }
    void setTime(int time) { time_ = time; }
    int pitch() const { return pitch_; }
    void setPitch(int pitch) { pitch_ = pitch; }
    DURATION duration() const { return duration_; }
    void setDuration(DURATION duration) { duration_ = duration; }
    bool chordingNote() const { return chordingNote_; }
    void setChordingNote(bool chording) { chordingNote_ = chording; }
    bool highlighted() const { return highlighted_; }
    void setHighlighted(bool highlighted) { highlighted_ = highlighted; }
    // 1 = "SHARP": the raised seventh of a minor key, drawn with an accidental.
    std::uint8_t sign() const { return sign_; }
    void setSign(std::uint8_t sign) { sign_ = sign; }

    bool isRest() const { return duration_ < 0; }
    int end() const { return time_ + (duration_ < 0 ? -duration_ : duration_); }

    // Equality ignores the chord-tone flag and the highlight.
    bool operator==(const TNote& other) const {
        return time_ == other.time_ && pitch_ == other.pitch_ && duration_ == other.duration_ &&
               sign_ == other.sign_;
    }
    // Notes are ordered by onset alone.
    bool operator<(const TNote& other) const { return time_ < other.time_; }

    void dump(std::ostream& out) const;

private:
    void copyFrom(const TNote& other) {
        time_ = other.time_;
        pitch_ = other.pitch_;
        duration_ = other.duration_;
        chordingNote_ = other.chordingNote_;
        highlighted_ = false;
        sign_ = other.sign_;
    }

    int time_ = 0;
    int pitch_ = NO_PITCH;
    DURATION duration_ = SIXTEENTH;
    bool chordingNote_ = true;
    bool highlighted_ = false;
    std::uint8_t sign_ = 0;
};

using TNoteList = std::vector<TNote>;
