#include "cli/exportcommand.h"

#include "cli/commands.h"
#include "cli/periodfiles.h"
#include "files/atomicfile.h"
#include "files/engmessagebundle.h"
#include "files/midiexport.h"
#include "files/musicxmlexport.h"
#include "files/periodreader.h"
#include "files/wavfile.h"
#include "playback/midibackend.h"
#include "playback/synthrenderer.h"

std::string exportUsageText() {
    return "  tonaria-cli export-midi IN.tnr OUT.mid\n"
           "      Writes the composition as a Standard MIDI File: melody, chords and bass.\n"
           "  tonaria-cli export-wav IN.tnr OUT.wav\n"
           "      Renders the composition through the built-in synthesizer as \"Play all\" plays\n"
           "      it, without the pulse: 44.1 kHz, 16-bit stereo. TONARIA_SOUNDFONT names\n"
           "      another General MIDI SoundFont.\n"
           "  tonaria-cli export-musicxml IN.tnr OUT.musicxml\n"
           "      Writes the composition as MusicXML for notation programs: the melody, the\n"
           "      chords in four voices and their Roman numerals.\n";
}

std::optional<int> runExportCommand(const std::string& command,
                                    std::span<const std::string> arguments, std::ostream& out,
                                    std::ostream& err) {
    if (command != "export-midi" && command != "export-wav" && command != "export-musicxml") {
        return std::nullopt;
    }
    if (arguments.size() != 2) {
        err << "tonaria-cli: " << command
            << " takes the composition to read and the file to write\n"
               "Run tonaria-cli --help for the commands.\n";
        return EXIT_USAGE_ERROR;
    }
    const TEngMessageBundle bundle;
    const std::string& input = arguments[0];
    const std::string& output = arguments[1];
    TPeriodData period;
    if (!readPeriodOrReport(period, input, bundle, err))
        return EXIT_FILE_ERROR;
    period.setName(input); // as the window names what it opens: the score's title
    try {
        if (command == "export-midi") {
            exportMidi(period, output);
        } else if (command == "export-musicxml") {
            exportMusicXml(period, output);
        } else {
            const TAudio audio = renderPeriod(period);
            writeWavFile(output, audio.samples, audio.channels, audio.sampleRate);
        }
    } catch (const TFileWriteError& error) {
        reportSaveError(output, error.reason(), bundle, err);
        return EXIT_FILE_ERROR;
    } catch (const TMidiError& error) {
        err << "tonaria-cli: " << error.what() << '\n';
        return EXIT_FILE_ERROR;
    }
    out << "Wrote " << output << '\n';
    return EXIT_OK;
}
