#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

class TMessageBundle;
class TMotivePlayer;
class TPeriodData;
class TUserDialogsInterface;
struct TPeriodStructure;

// Folders of the application folder that the file dialogs open in.
inline constexpr const char* COMPOSITION_FOLDER = "tnrs";
inline constexpr const char* MIDI_FOLDER = "mids";
inline constexpr const char* COMPOSITION_SUFFIX = "tnr";
inline constexpr const char* MIDI_SUFFIX = "mid";
// Scores for notation programs go beside the MIDI files.
inline constexpr const char* MUSICXML_FOLDER = "xmls";
inline constexpr const char* MUSICXML_SUFFIX = "musicxml";

// New, open, save, save as and export of the one open composition, with their questions and
// failure messages, which name the reason. A failed open, save or export leaves the period, its
// name and any file already on the disk as they were. It keeps the document as it
// was last saved, opened or built, so that unsaved work is never replaced without asking.
// Interface thread only.
class TDocumentLifecycle {
public:
    TDocumentLifecycle(TPeriodData& period, TMotivePlayer& motivePlayer,
                       const TMessageBundle& bundle, TUserDialogsInterface& dialogs,
                       std::filesystem::path applicationFolder);

    // After asking about unsaved changes, the new-composition dialog; OK builds its period.
    // Returns whether a new period was built.
    bool newComposition();
    // A composition still named "Untitled" goes through saveAs.
    void save();
    void saveAs();
    // Returns whether a composition was read.
    bool open();
    void exportToMidi();
    void exportToMusicXml();

    // Writes the period to `name`, which becomes its name; reports a failure and returns false.
    bool saveTo(const std::filesystem::path& name);
    // Reads `name` into the period and names it so; on failure reports why and returns false,
    // leaving the open composition as it was.
    bool openFrom(const std::filesystem::path& name);
    // As openFrom, but the period is named "Untitled", so that the file (an example the program
    // brings, often where the user may not write) is never saved over: Save asks for a name.
    bool openCopyFrom(const std::filesystem::path& name);
    // Writes the period to `name` (atomically) while it stays what it is: its name and its
    // mark of unsaved changes are kept for takeBackFrom. Returns false, without a message,
    // when the file cannot be written.
    bool setAsideTo(const std::filesystem::path& name);
    // Reads the period set aside into `name` and gives it the name and the saved state it had
    // when it was set aside. Returns false, without a message, when it cannot be read or
    // nothing was set aside; the open composition then stays.
    bool takeBackFrom(const std::filesystem::path& name);
    // Replaces the period by a recovered `document`, named `original` ("Untitled" when empty)
    // and marked modified, so that Save writes the user's own file. Reports a document that
    // cannot be read and returns false, leaving the period as it was.
    bool recoverFrom(const std::string& document, const std::string& original);
    // Writes the MIDI file of the period; reports a failure and returns false.
    bool exportTo(const std::filesystem::path& name);
    // Writes the MusicXML score of the period; reports a failure and returns false.
    bool exportMusicXmlTo(const std::filesystem::path& name);
    void buildDefault();
    // Replaces the period by an empty one of that shape, named "Untitled"; reports a structure
    // that cannot be built and returns false, leaving the period as it was.
    bool buildFrom(const TPeriodStructure& structure);

    // Whether the period differs from the document last saved, opened or built.
    bool isModified() const;
    // Undoing or redoing New brings back the document that was last saved before it.
    void setSavedDocument(std::string document) { savedDocument_ = std::move(document); }
    // True when nothing unsaved would be lost: there are no changes, or the user discards them,
    // or saves them successfully. False when the user cancels or the save fails.
    bool maySetAside();
    // Called whenever the period becomes unmodified by a save, an open or a build. The period as
    // it is when the lifecycle starts counts as unmodified.
    void setUnmodifiedListener(std::function<void()> listener) {
        unmodifiedListener_ = std::move(listener);
    }

    // True when `name` does not exist or the user agrees to replace it.
    bool mayReplace(const std::filesystem::path& name);

private:
    std::filesystem::path folder(const char* name) const;
    bool readAndName(const std::filesystem::path& name, const std::string& documentName);
    void reportSaveError(const std::filesystem::path& name, const std::string& reason);
    void markUnmodified();

    TPeriodData& period_;
    TMotivePlayer& motivePlayer_;
    const TMessageBundle& bundle_;
    TUserDialogsInterface& dialogs_;
    std::filesystem::path applicationFolder_;
    std::string savedDocument_;
    // What setAsideTo kept: the name and the document last saved, opened or built.
    struct TSetAside {
        std::string name;
        std::string savedDocument;
    };
    std::optional<TSetAside> setAside_;
    std::function<void()> unmodifiedListener_;
};
