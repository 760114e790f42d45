#pragma once

#include <filesystem>
#include <string>

class TMessageBundle;
class TMotivePlayer;
class TPeriodData;
class TUserDialogsInterface;

// Folders of the application folder that the file dialogs open in.
inline constexpr const char* COMPOSITION_FOLDER = "tnrs";
inline constexpr const char* MIDI_FOLDER = "mids";
inline constexpr const char* COMPOSITION_SUFFIX = "tnr";
inline constexpr const char* MIDI_SUFFIX = "mid";
// Scores for notation programs go beside the MIDI files.
inline constexpr const char* MUSICXML_FOLDER = "xmls";
inline constexpr const char* MUSICXML_SUFFIX = "musicxml";

// Open, save, save as and export of the one open composition, with their questions and failure
// messages. A failed open leaves the default period; a failed save or export leaves the period,
// its name and any file already on the disk as they were. Interface thread only.
class TDocumentLifecycle {
public:
    TDocumentLifecycle(TPeriodData& period, TMotivePlayer& motivePlayer,
                       const TMessageBundle& bundle, TUserDialogsInterface& dialogs,
                       std::filesystem::path applicationFolder);

    // A composition still named "Untitled" goes through saveAs.
    void save();
    void saveAs();
    void open();
    void exportToMidi();
    void exportToMusicXml();

    // Writes the period to `name`, which becomes its name; reports a failure and returns false.
    bool saveTo(const std::filesystem::path& name);
    // Reads `name` into the period and names it so; on failure reports it, builds the default
    // period and returns false.
    bool openFrom(const std::filesystem::path& name);
    // Writes the MIDI file of the period; reports a failure and returns false.
    bool exportTo(const std::filesystem::path& name);
    // Writes the MusicXML score of the period; reports a failure and returns false.
    bool exportMusicXmlTo(const std::filesystem::path& name);
    void buildDefault();

    // True when `name` does not exist or the user agrees to replace it.
    bool mayReplace(const std::filesystem::path& name);

private:
    std::filesystem::path folder(const char* name) const;
    void reportSaveError(const std::filesystem::path& name);

    TPeriodData& period_;
    TMotivePlayer& motivePlayer_;
    const TMessageBundle& bundle_;
    TUserDialogsInterface& dialogs_;
    std::filesystem::path applicationFolder_;
};
