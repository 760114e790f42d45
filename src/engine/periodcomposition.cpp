#include "engine/periodcomposition.h"

#include "engine/contextmotive.h"
#include "engine/melodyrules.h"
#include "engine/periodharmonisation.h"
#include "model/schemechords.h"

#include <algorithm>

namespace {

// The pitch of the contour mode's beacons when the user draws none.
constexpr int DEFAULT_BEACON_PITCH = 22;

TLights beaconsFor(const TMotive& motive, const std::optional<TLights>& contour) {
    if (!contour)
        return defaultContour(motive);
    TLights beacons;
    for (const TLight& light : *contour)
        beacons.emplace_back(motive.upbeatStart() + light.time, light.pitch);
    return beacons;
}

} // namespace

TLights defaultContour(const TMotive& motive) {
    TLights beacons;
    for (int t = motive.upbeatStart(); t < motive.end(); t += TICKS_PER_SIXTEENTH)
        beacons.emplace_back(t, DEFAULT_BEACON_PITCH);
    return beacons;
}

std::vector<TGeneratedMotive> composeEmptyMotives(TPeriodData& period, TScheme& scheme,
                                                  bool schoolHarmony,
                                                  const std::optional<TLights>& contour,
                                                  const TCompositionProgress& progress) {
    scheme.setUpbeat(period.zatakt());
    const std::vector<TContextCell> cells = periodCells(period);
    const std::vector<TMotive*> motives = period.allMotives();
    const int total = static_cast<int>(std::count_if(
        motives.begin(), motives.end(), [](const TMotive* m) { return m->notes().empty(); }));
    std::vector<TGeneratedMotive> report;
    for (std::size_t i = 0; i < motives.size(); ++i) {
        TMotive& motive = *motives[i];
        if (!motive.notes().empty())
            continue;
        TGeneratedMotive entry;
        entry.motive = static_cast<int>(i);
        if (!motive.isHarmonised()) {
            entry.harmonisation =
                harmoniseMotive(motive, period, contextMotive(cells, &motive),
                                schemeChordTypeNames(), scheme.random(), schoolHarmony)
                    .outcome;
            entry.harmonisedNow = true;
        }
        // Like the canvas, generate nothing over a harmony that could not be completed.
        if (motive.isHarmonised()) {
            scheme.generateMotive(motive, beaconsFor(motive, contour), melodyPlace(period, motive));
            entry.generated = true;
        }
        report.push_back(entry);
        if (progress)
            progress(static_cast<int>(report.size()), total);
    }
    return report;
}
