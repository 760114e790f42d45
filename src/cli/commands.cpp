#include "cli/commands.h"

#include "cli/developcommand.h"
#include "cli/exportcommand.h"
#include "cli/generatecommand.h"
#include "cli/harmonisecommand.h"
#include "cli/options.h"
#include "cli/periodfiles.h"
#include "files/atomicfile.h"
#include "files/engmessagebundle.h"
#include "files/periodbuilder.h"
#include "files/periodreader.h"
#include "files/periodwriter.h"
#include "model/tempo.h"

#include <cstddef>

namespace {

std::string keyName(const TMessageBundle& bundle, const TKey& key) {
    const auto& names = bundle.list(key.isMinor() ? "minor group" : "major group");
    const std::size_t index = static_cast<std::size_t>(key.sign() + 7);
    return index < names.size() ? names[index] : std::string();
}

void printInfo(const TMessageBundle& bundle, const TPeriodData& period, std::ostream& out) {
    const TKey& key = period.key();
    out << "Key: " << keyName(bundle, key) << " (signature " << key.sign() << ", "
        << bundle.text(key.isMinor() ? "minor" : "major") << ")\n";
    out << "Meter: " << meterText(period.measure()) << '\n';
    out << "Upbeat: " << period.zatakt() << " ticks\n";
    out << "Tempo: " << period.tempo() << " (" << metronomeMark(period.tempo())
        << " quarter notes a minute)\n";
    out << "Sentences: " << period.sentences().size() << '\n';
    std::size_t sentenceNumber = 0;
    for (const TSentenceData& sentence : period.sentences()) {
        out << "  Sentence " << ++sentenceNumber << ": " << sentence.phrases().size()
            << " phrases\n";
        for (const TPhraseData& phrase : sentence.phrases()) {
            const std::string letter = suffixText(phrase.suffix());
            out << "    Phrase " << (letter.empty() ? "-" : letter) << ": " << phrase.motiveCount()
                << " motives\n";
            std::size_t motiveNumber = 0;
            for (const TMotive& motive : phrase.motives())
                out << "      Motive " << ++motiveNumber << ": " << motive.notes().size()
                    << " notes, " << motive.chords().size() << " chords\n";
        }
    }
}

int usageError(std::ostream& err, const std::string& what) {
    err << "tonaria-cli: " << what << "\nRun tonaria-cli --help for the commands.\n";
    return EXIT_USAGE_ERROR;
}

} // namespace

std::string usageText() {
    return "Usage:\n"
           "  tonaria-cli --help\n"
           "  tonaria-cli info FILE.tnr\n"
           "      Prints the key, meter, upbeat, tempo and the sentences, phrases and motives.\n"
           "  tonaria-cli new OUT.tnr [--phrases 2,2] [--motives 2,2,2,2] [--letters A,B,A1,B1]\n"
           "                  [--key -2] [--minor|--major] [--meter 2/4] [--upbeat 60]\n"
           "                  [--tempo 100]\n"
           "      Builds an empty period of that shape and saves it. --phrases gives the phrases\n"
           "      of each sentence; --motives and --letters give one entry per phrase (by default\n"
           "      two motives each and the letters A, B, A1, B1 in turn). --key is the signature\n"
           "      (negative for flats), --upbeat is in ticks (120 to the quarter note). Without\n"
           "      options this is the default period: G minor, 2/4, an eighth of upbeat.\n"
           "  tonaria-cli resave IN.tnr OUT.tnr\n"
           "      Reads a composition and writes it back.\n" +
           exportUsageText() + generateUsageText() + harmoniseUsageText() + developUsageText() +
           "Exit status: 0 on success, 1 when a file cannot be read or written, 2 for a wrong\n"
           "command line.\n";
}

int runCli(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
    const TEngMessageBundle bundle;
    if (arguments.empty())
        return usageError(err, "no command given");
    const std::string& command = arguments[0];
    const std::span<const std::string> rest = arguments.subspan(1);

    if (command == "--help" || command == "-h" || command == "help") {
        out << usageText();
        return EXIT_OK;
    }
    if (command == "info") {
        if (rest.size() != 1)
            return usageError(err, "info takes one file");
        TPeriodData period;
        if (!readPeriodOrReport(period, rest[0], bundle, err))
            return EXIT_FILE_ERROR;
        printInfo(bundle, period, out);
        return EXIT_OK;
    }
    if (command == "new") {
        if (rest.empty() || rest[0].starts_with("--"))
            return usageError(err, "new needs the file to write first");
        TPeriodData period;
        try {
            buildPeriod(period, parseNewOptions(rest.subspan(1)));
        } catch (const std::invalid_argument& error) {
            return usageError(err, error.what());
        }
        return savePeriodOrReport(period, rest[0], bundle, err) ? EXIT_OK : EXIT_FILE_ERROR;
    }
    if (command == "resave") {
        if (rest.size() != 2)
            return usageError(err, "resave takes the file to read and the file to write");
        TPeriodData period;
        if (!readPeriodOrReport(period, rest[0], bundle, err))
            return EXIT_FILE_ERROR;
        return savePeriodOrReport(period, rest[1], bundle, err) ? EXIT_OK : EXIT_FILE_ERROR;
    }
    if (command == "generate")
        return runGenerateCommand(rest, out, err);
    if (command == "harmonise")
        return runHarmoniseCommand(rest, out, err);
    if (command == "develop")
        return runDevelopCommand(rest, out, err);
    if (auto status = runExportCommand(command, rest, out, err))
        return *status;
    return usageError(err, "unknown command \"" + command + "\"");
}
