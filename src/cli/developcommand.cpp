#include "cli/developcommand.h"

#include "cli/commands.h"
#include "cli/options.h"
#include "cli/periodfiles.h"
#include "engine/contextmotive.h"
#include "engine/effect.h"
#include "engine/periodharmonisation.h"
#include "engine/relativeeffect.h"
#include "engine/scheme.h"
#include "files/atomicfile.h"
#include "files/engmessagebundle.h"
#include "files/periodreader.h"
#include "files/periodwriter.h"
#include "model/random.h"
#include "model/schemechords.h"

#include <array>
#include <charconv>
#include <optional>
#include <string_view>
#include <utility>

namespace {

constexpr std::string_view RELATIVE_PREFIX = "rel-";

// The chooser buttons' effects by their command-line names.
constexpr std::array<std::pair<std::string_view, TSimpleEffect>, 7> SIMPLE_EFFECTS{{
    {"sequence-up", TSimpleEffect::SEQUENCE_UP},
    {"sequence-down", TSimpleEffect::SEQUENCE_DOWN},
    {"variation", TSimpleEffect::VARIATION},
    {"repeat", TSimpleEffect::REPEAT},
    {"rhythm", TSimpleEffect::RHYTHM},
    {"piece", TSimpleEffect::PIECE},
    {"other", TSimpleEffect::OTHER},
}};

constexpr std::array<std::pair<std::string_view, TRelativeEffectKind>, 7> RELATIVE_EFFECTS{{
    {"sequence-up", TRelativeEffectKind::SEQUENCE_UP},
    {"sequence-down", TRelativeEffectKind::SEQUENCE_DOWN},
    {"variation", TRelativeEffectKind::VARIATION},
    {"repeat", TRelativeEffectKind::REPEAT},
    {"rhythm", TRelativeEffectKind::RHYTHM},
    {"piece", TRelativeEffectKind::PIECE},
    {"other", TRelativeEffectKind::OTHER},
}};

struct TDevelopRequest {
    std::string in;
    std::string out;
    int motive = -1;
    std::string effect;
    bool schoolHarmony = true;
};

int usageError(std::ostream& err, const std::string& what) {
    err << "tonaria-cli: " << what << "\nRun tonaria-cli --help for the commands.\n";
    return EXIT_USAGE_ERROR;
}

std::optional<int> parseIndex(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0)
        return std::nullopt;
    return value;
}

// Returns the message of a wrong command line, or "" when the request is complete.
std::string parseRequest(std::span<const std::string> arguments, TDevelopRequest& request) {
    std::vector<std::string> files;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--motive" || argument == "--effect") {
            if (i + 1 == arguments.size())
                return argument + " needs a value";
            const std::string& value = arguments[++i];
            if (argument == "--effect") {
                request.effect = value;
                continue;
            }
            const std::optional<int> index = parseIndex(value);
            if (!index)
                return "--motive: \"" + value + "\" is no motive number (0, 1, 2, ...)";
            request.motive = *index;
        } else if (const std::optional<bool> school = schoolHarmonyOption(argument)) {
            request.schoolHarmony = *school;
        } else if (argument.starts_with("--")) {
            return "develop: unknown option \"" + argument + "\"";
        } else {
            files.push_back(argument);
        }
    }
    if (files.size() != 2)
        return "develop takes the file to read and the file to write";
    if (request.motive < 0)
        return "develop needs --motive N";
    if (request.effect.empty())
        return "develop needs --effect NAME";
    request.in = files[0];
    request.out = files[1];
    return "";
}

template <class Kind, std::size_t N>
std::optional<Kind> findEffect(const std::array<std::pair<std::string_view, Kind>, N>& table,
                               std::string_view name) {
    for (const auto& [text, kind] : table)
        if (text == name)
            return kind;
    return std::nullopt;
}

// The motive harmonised as the harmonise command would, led on from the motive before it.
bool harmoniseInContext(TPeriodData& period, TMotive& motive, TRandomGenerator& random) {
    if (motive.isHarmonised())
        return true;
    const TMotiveContext context = contextMotive(periodCells(period), &motive);
    return harmoniseMotive(motive, period, context, schemeChordTypeNames(), random)
        .outcome.complete();
}

TPeriodData periodOfVariants(const TPeriodData& source, const TMotives& variants) {
    TPeriodData result;
    result.setKey(source.key());
    result.setMeasure(source.measure());
    result.setZatakt(source.zatakt());
    result.setTempo(source.tempo());
    TPhraseData phrase(0, SUFFIX_A, source.key(), source.measure(), source.zatakt());
    phrase.motives() = variants;
    TSentenceData sentence;
    sentence.phrases().push_back(phrase);
    result.sentences().push_back(sentence);
    return result;
}

} // namespace

std::string developUsageText() {
    return "  tonaria-cli develop IN.tnr --motive N --effect NAME OUT.tnr [--no-school-harmony]\n"
           "      Develops motive N (0-based, in strip order) by one technique and writes its\n"
           "      three variants as the motives of one phrase A, in the source's key, meter,\n"
           "      upbeat and tempo. NAME is sequence-up, sequence-down, variation, repeat,\n"
           "      rhythm, piece or other, or one of them after rel- for the relative form, which\n"
           "      harmonises the motive first when it has no chords. Status 1 also when the\n"
           "      technique gives no variants (piece of one note) or no harmony is found.\n"
           "      Under school harmony, unless --no-school-harmony is given, no variant leaps by\n"
           "      an augmented second or a tritone, and a rhythm variant repeats its source only\n"
           "      when no other rhythm exists. A variant that would leave the pitch range is\n"
           "      written empty and not counted.\n";
}

int runDevelopCommand(std::span<const std::string> arguments, std::ostream& out,
                      std::ostream& err) {
    TDevelopRequest request;
    if (const std::string problem = parseRequest(arguments, request); !problem.empty())
        return usageError(err, problem);
    const bool relative = request.effect.starts_with(RELATIVE_PREFIX);
    const std::string_view base =
        std::string_view(request.effect).substr(relative ? RELATIVE_PREFIX.size() : 0);
    const auto simpleKind = findEffect(SIMPLE_EFFECTS, base);
    const auto relativeKind = findEffect(RELATIVE_EFFECTS, base);
    if (!simpleKind || !relativeKind)
        return usageError(err, "--effect: unknown effect \"" + request.effect + "\"");

    const TEngMessageBundle bundle;
    TPeriodData period;
    if (!readPeriodOrReport(period, request.in, bundle, err))
        return EXIT_FILE_ERROR;
    const std::vector<TMotive*> motives = period.allMotives();
    if (request.motive >= int(motives.size()))
        return usageError(err, "--motive: there is no motive " + std::to_string(request.motive) +
                                   "; the period has " + std::to_string(motives.size()) +
                                   " (0 to " + std::to_string(int(motives.size()) - 1) + ")");
    TMotive& source = *motives[std::size_t(request.motive)];

    TScheme scheme(processRandom());
    scheme.setUpbeat(period.zatakt());
    scheme.setSchoolHarmony(request.schoolHarmony);
    TMotives variants;
    if (relative) {
        if (!harmoniseInContext(period, source, scheme.random())) {
            err << "tonaria-cli: motive " << request.motive
                << " cannot be harmonised within the voice range\n";
            return EXIT_FILE_ERROR;
        }
        const auto effect = makeRelativeEffect(*relativeKind, scheme);
        effect->setSource(source);
        for (int i = 0; i < VARIANT_COUNT; ++i)
            variants.push_back(effect->variant(i));
    } else {
        variants = TEffect(scheme).makeVariants(*simpleKind, source);
    }
    if (variants.empty()) {
        err << "tonaria-cli: " << request.effect << " gives no variants of motive "
            << request.motive << " (" << source.notes().size() << " notes)\n";
        return EXIT_FILE_ERROR;
    }

    if (!savePeriodOrReport(periodOfVariants(period, variants), request.out, bundle, err))
        return EXIT_FILE_ERROR;
    // An empty variant (a sequence or repeat that would leave the pitch range) is no variant;
    // one that repeats its source is one only when nothing else exists.
    std::vector<std::string> remarks;
    int written = 0;
    for (std::size_t v = 0; v < variants.size(); ++v) {
        const std::string name = "variant " + std::to_string(v + 1);
        if (variants[v].notes().empty())
            remarks.push_back(name + " is empty: it would leave the pitch range");
        else if (base == "rhythm" && variants[v].notes() == source.notes())
            remarks.push_back(name + " repeats the source: no other is found");
        if (!variants[v].notes().empty())
            ++written;
    }
    out << "Wrote " << written << (written == 1 ? " variant" : " variants") << " of motive "
        << request.motive << " (" << request.effect << ")";
    for (const std::string& remark : remarks)
        out << "; " << remark;
    out << '\n';
    return EXIT_OK;
}
