#include "engine/rhythmlayout.h"

#include "model/random.h"

#include <algorithm>
#include <cstdlib>

namespace {

bool hasUpbeat(int measureLength, int upbeat) {
    return upbeat > 0 && upbeat < measureLength;
}

} // namespace

std::vector<TMeasurePart> measureParts(int measureLength, int upbeat) {
    if (!hasUpbeat(measureLength, upbeat))
        return {{0, measureLength}};
    return {{measureLength - upbeat, measureLength}, {measureLength, 2 * measureLength - upbeat}};
}

int layoutStart(int measureLength, int upbeat) {
    return hasUpbeat(measureLength, upbeat) ? measureLength - upbeat : 0;
}

TDurations layOutMeasure(int measureLength, int upbeat, const TFiller& fill) {
    TDurations out;
    for (const TMeasurePart& part : measureParts(measureLength, upbeat))
        fill(out, part.from, part.to);
    return out;
}

void plainFill(TDurations& out, int from, int to, const TDurations& allowed,
               TRandomGenerator& random) {
    TDurations fitting;
    for (int t = from; t < to;) {
        const int room = to - t;
        fitting.clear();
        for (DURATION d : allowed)
            if (d != 0 && std::abs(d) <= room)
                fitting.push_back(d);
        if (fitting.empty()) {
            out.push_back(static_cast<DURATION>(-room));
            return;
        }
        const DURATION d = fitting[static_cast<std::size_t>(random.draw(int(fitting.size())))];
        out.push_back(d);
        t += std::abs(d);
    }
}

TDurations chooseDurations(const TDurations& source, int k, TRandomGenerator& random) {
    TDurations remaining = source;
    TDurations chosen;
    k = std::min<int>(k, int(remaining.size()));
    for (int i = 0; i < k; ++i) {
        const auto at = remaining.begin() + random.draw(int(remaining.size()));
        chosen.push_back(*at);
        remaining.erase(at);
    }
    std::sort(chosen.begin(), chosen.end());
    return chosen;
}

std::vector<TDurations> splitAtMeasure(const TDurations& durations, int measureLength, int upbeat) {
    if (totalLength(durations) != measureLength)
        return {durations};
    const std::vector<TMeasurePart> parts = measureParts(measureLength, upbeat);
    std::vector<TDurations> split(parts.size());
    int t = parts.front().from;
    std::size_t part = 0;
    for (DURATION d : durations) {
        while (part < parts.size() && t >= parts[part].to)
            ++part;
        if (part == parts.size() || t + std::abs(d) > parts[part].to)
            return {durations};
        split[part].push_back(d);
        t += std::abs(d);
    }
    return split;
}

TDurations filterByMeasure(const TDurations& durations, int measureLength, int upbeat) {
    const int threshold =
        hasUpbeat(measureLength, upbeat) ? std::max(measureLength - upbeat, upbeat) : measureLength;
    TDurations kept;
    for (DURATION d : durations)
        if (std::abs(d) <= threshold)
            kept.push_back(d);
    return kept;
}

bool hasNotesPerMeasure(const TDurations& durations, int count, int measureLength, int upbeat) {
    if (measureLength <= 0)
        return false;
    int t = layoutStart(measureLength, upbeat);
    int measure = t / measureLength;
    int notes = 0;
    for (DURATION d : durations) {
        if (t / measureLength != measure) {
            measure = t / measureLength;
            notes = 0;
        }
        if (d > 0 && ++notes >= count)
            return true;
        t += std::abs(d);
    }
    return false;
}

int totalLength(const TDurations& durations) {
    int total = 0;
    for (DURATION d : durations)
        total += std::abs(d);
    return total;
}

bool containsRest(const TDurations& durations) {
    return std::any_of(durations.begin(), durations.end(), [](DURATION d) { return d < 0; });
}

bool hasTwoNoteValues(const TDurations& durations) {
    DURATION previous = 0;
    for (DURATION d : durations) {
        if (d <= 0)
            continue;
        if (previous > 0 && d != previous)
            return true;
        previous = d;
    }
    return false;
}
