#pragma once

#include "canvas/umotiveinterface.h"
#include "engine/turn.h"

// Mode 5, "generate motive": the user draws a contour of beacons, one per sixteenth; on
// release the motive is harmonised if it has no chords and its notes are generated along the
// contour. The contour stays for the canvas's life.
class TLightUMInterface : public TUMotiveInterface {
public:
    static constexpr int START_PITCH = 22; // the bottom line of the treble staff

    explicit TLightUMInterface(TUMotiveCanvas& canvas);

    void mouseUp() override;
    void mouseDown(const TShiftState& shift, int x, int y) override;
    void mouseMove(const TShiftState& shift, int x, int y) override;
    void doubleClick() override {}
    void paint(QPainter& painter) override;
    int cursorId() const override { return CURSOR_MAYAK; }

    const TLights& beacons() const { return beacons_; }
    int activeBeacon() const { return active_; }

private:
    void applyPointer(int x, int y);
    // The beacons strictly between two sixteenths of a drag take the pitches on the straight
    // line between them: a quick stroke skips columns between two pointer events.
    void interpolate(int fromTime, int fromPitch, int toTime, int toPitch);
    void generate();

    TLights beacons_;
    int active_ = -1;
    // Where the pointer last set a beacon during this drag; time -1 when none.
    int lastTime_ = -1;
    int lastPitch_ = -1;
};
