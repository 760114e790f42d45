#include "canvas/lightmode.h"

#include "canvas/umotivecanvas.h"
#include "engine/melodyrules.h"
#include "engine/scheme.h"
#include "model/glyphatlas.h"
#include "widgets/buttons.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

TLightUMInterface::TLightUMInterface(TUMotiveCanvas& canvas) : TUMotiveInterface(canvas) {
    const TMotive& motive = canvas.motive();
    for (int t = motive.upbeatStart(); t < motive.end(); t += 30)
        beacons_.emplace_back(t, START_PITCH);
}

void TLightUMInterface::mouseDown(const TShiftState& shift, int x, int y) {
    if (shift.doubleClick || y > TCanvasGeometry::CHORD_STRIP_TOP)
        return;
    pressed_ = true;
    lastTime_ = -1;
    canvas_.fireMotiveEditStarted();
    applyPointer(x, y);
}

void TLightUMInterface::mouseMove(const TShiftState&, int x, int y) {
    if (pressed_)
        applyPointer(x, y);
}

void TLightUMInterface::applyPointer(int x, int y) {
    const int pitch = TCanvasGeometry::yToPitch(y);
    if (pitch < 0) {
        lastTime_ = -1; // the stroke left the staff: no line across the chord strip
        return;
    }
    const int time = canvas_.canvasGeometry().xToTime(x);
    const auto found = std::find_if(beacons_.begin(), beacons_.end(),
                                    [&](const TLight& beacon) { return beacon.time == time; });
    if (found == beacons_.end())
        return;
    const int index = static_cast<int>(found - beacons_.begin());
    if (lastTime_ >= 0)
        interpolate(lastTime_, lastPitch_, time, pitch);
    lastTime_ = time;
    lastPitch_ = pitch;
    found->pitch = pitch;
    active_ = index;
    canvas_.update();
}

void TLightUMInterface::interpolate(int fromTime, int fromPitch, int toTime, int toPitch) {
    if (fromTime == toTime)
        return;
    const int low = std::min(fromTime, toTime);
    const int high = std::max(fromTime, toTime);
    for (TLight& beacon : beacons_) {
        if (beacon.time <= low || beacon.time >= high)
            continue;
        const double along = double(beacon.time - fromTime) / double(toTime - fromTime);
        beacon.pitch = static_cast<int>(std::lround(fromPitch + along * (toPitch - fromPitch)));
    }
}

void TLightUMInterface::mouseUp() {
    // Only a press this mode took generates: a press in the chord strip or the second press
    // of a double click leaves the motive alone.
    const bool generating = pressed_;
    pressed_ = false;
    active_ = -1;
    if (generating)
        generate();
}

void TLightUMInterface::generate() {
    TMotive& motive = canvas_.motive();
    std::erase_if(beacons_, [&](const TLight& beacon) {
        return beacon.time < motive.upbeatStart() || beacon.time >= motive.end();
    });
    std::stable_sort(beacons_.begin(), beacons_.end());
    canvas_.update();
    canvas_.stopPlayer();
    if (!motive.isHarmonised() && !canvas_.autoHarmonise()) {
        canvas_.update();
        return;
    }
    canvas_.saveVersion();
    motive.clearNotes();
    // Where the motive stands in the period decides how its melody leads on and closes.
    canvas_.service().scheme().generateMotive(motive, beacons_,
                                              melodyPlace(canvas_.service().period(), motive));
    canvas_.playMotive();
    canvas_.update();
}

void TLightUMInterface::paint(QPainter& painter) {
    canvas_.drawMotivePicture(painter);
    const TRect plain = glyphRect(TGlyph::Beacon);
    const TRect lit = glyphRect(TGlyph::BeaconLit);
    const TCanvasGeometry& geometry = canvas_.canvasGeometry();
    for (std::size_t i = 0; i < beacons_.size(); ++i) {
        const TRect& glyph = static_cast<int>(i) == active_ ? lit : plain;
        const QRect at(geometry.timeToX(beacons_[i].time) - 5, 176 - 5 * beacons_[i].pitch,
                       glyph.width(), glyph.height());
        drawGlyphCentred(painter, glyph, at, true);
    }
    canvas_.drawDecorations(painter);
}
