// The Qt-free core worked for a long session in one process: variant choices (the notes the
// schemes offer at the cursor, one of them written into the motive, a measure at a time),
// developments by every technique in its simple and relative form, and open/save cycles of
// a composition through a file. Prints the resident memory after the first 100 operations
// and at the end; built with AddressSanitizer, the leak check runs at exit.
//
// Usage: core_soak [choices developments cycles]   (default: 1000 300 100)
#include "engine/effect.h"
#include "engine/harmonisation.h"
#include "engine/relativeeffect.h"
#include "engine/scheme.h"
#include "engine/variantgeometry.h"
#include "engine/variantmodel.h"
#include "files/periodreader.h"
#include "files/periodwriter.h"
#include "model/chordcatalogue.h"
#include "model/random.h"
#include "model/schemechords.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Resident memory in MB, from /proc where there is one, else 0.
double residentMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6)) / 1024;
    return 0;
}

TMotive harmonisedMotive(TScheme& scheme) {
    TMotive motive{TKey(-2, MINOR), TMeasure(4, QUARTER)};
    motive.notes() = {TNote(0, 22, 120), TNote(120, 24, 120), TNote(240, 26, 120),
                      TNote(360, 22, 120)};
    autoHarmonise(motive, nullptr, CONTEXT_FIRST, schemeChordTypeNames(), scheme.random());
    return motive;
}

// One choice: the notes the schemes offer at the motive's end, one of them added; a full
// motive starts over empty.
// Returns whether a note was written.
bool chooseVariant(TScheme& scheme, TMotive& motive, const TChordList& chords) {
    const int length = motive.ticksPerMeasure();
    int cursor = motive.notes().empty() ? 0 : motive.notes().back().end();
    if (cursor >= length) {
        motive.notes().clear();
        cursor = 0;
    }
    TMotiveVariantModel model(&motive, nullptr, 0, CONTEXT_FIRST, false, false);
    model.setCursor(cursor);
    variant_set candidates;
    scheme.noteCandidates(precedingNotes(motive.notes(), cursor, length), chords.front(), false,
                          false, false, candidates, motive.measure(), motive.key(), cursor, length);
    if (candidates.empty()) {
        motive.notes().clear();
        return false;
    }
    auto chosen = candidates.begin();
    std::advance(chosen, scheme.random().draw(static_cast<int>(candidates.size())));
    if (chosen->durations.empty()) {
        motive.notes().clear();
        return false;
    }
    const auto durations = static_cast<int>(chosen->durations.size());
    model.addNote(TNote(cursor, chosen->pitch,
                        chosen->durations[std::size_t(scheme.random().draw(durations))]));
    return true;
}

void develop(TScheme& scheme, const TMotive& source, int step) {
    const int kinds = 7;
    if (step % 2 == 0) {
        TEffect(scheme).makeVariants(static_cast<TSimpleEffect>(step / 2 % kinds), source);
        return;
    }
    const auto effect =
        makeRelativeEffect(static_cast<TRelativeEffectKind>(step / 2 % kinds), scheme);
    effect->setSource(source);
    for (int i = 0; i < VARIANT_COUNT; ++i)
        effect->variant(i);
}

void openAndSave(const std::filesystem::path& file, TPeriodData& period) {
    savePeriod(period, file);
    TPeriodData reread;
    readPeriodFile(reread, file);
    period = reread;
}

} // namespace

int main(int argc, char** argv) {
    const int choices = argc > 3 ? std::atoi(argv[1]) : 1000;
    const int developments = argc > 3 ? std::atoi(argv[2]) : 300;
    const int cycles = argc > 3 ? std::atoi(argv[3]) : 100;
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("core_soak_" + std::to_string(::getpid()) + ".tnr");

    TScheme scheme(processRandom());
    const TMotive harmonised = harmonisedMotive(scheme);
    TMotive motive = harmonised;
    motive.notes().clear();
    TPeriodData period;
    period.sentences().resize(1);
    period.sentences()[0].phrases().emplace_back(4, 5, period.key(), period.measure(), 0);
    for (TMotive& cell : period.sentences()[0].phrases()[0].motives())
        cell = harmonised;

    // The three kinds interleaved, so that each has run before the first figure is taken.
    const int total = choices + developments + cycles;
    int done[3] = {0, 0, 0};
    int written = 0;
    double settled = 0;
    for (int operation = 0; operation < total; ++operation) {
        const int kind = operation % 3;
        if (kind == 0 && done[0] < choices) {
            written += chooseVariant(scheme, motive, harmonised.chords()) ? 1 : 0;
            ++done[0];
        } else if (kind == 1 && done[1] < developments) {
            develop(scheme, harmonised, done[1]++);
        } else if (done[2] < cycles) {
            openAndSave(file, period);
            ++done[2];
        } else if (done[0] < choices) {
            written += chooseVariant(scheme, motive, harmonised.chords()) ? 1 : 0;
            ++done[0];
        } else {
            develop(scheme, harmonised, done[1]++);
        }
        if (operation + 1 == 100)
            settled = residentMegabytes();
    }
    std::filesystem::remove(file);
    const double end = residentMegabytes();
    std::printf("%d variant choices (%d notes written), %d developments, %d open/save cycles\n",
                done[0], written, done[1], done[2]);
    std::printf("resident memory: %.1f MB after 100 operations, %.1f MB at the end, growth "
                "%.1f MB\n",
                settled, end, end - settled);
    return 0;
}
