#include "shell/documentlifecycle.h"

#include "files/atomicfile.h"
#include "files/binaryfile.h"
#include "files/fileerrors.h"
#include "files/messagebundle.h"
#include "files/midiexport.h"
#include "files/musicxmlexport.h"
#include "files/periodbuilder.h"
#include "files/periodreader.h"
#include "files/periodwriter.h"
#include "model/period.h"
#include "playback/motiveplayer.h"
#include "shell/userdialogsinterface.h"

#include <exception>
#include <stdexcept>
#include <system_error>
#include <utility>

namespace {

const std::string UNTITLED = "Untitled";

// The export writes beside the target and renames over it, so that a failure never leaves a
// half-written file where the user's old one was.
void writeMidiFileWhole(const TPeriodData& period, const std::filesystem::path& name) {
    std::filesystem::path part = name;
    part += ".part";
    try {
        exportMidi(period, part);
        std::filesystem::rename(part, name);
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(part, ignored);
        throw;
    }
}

// Why a write failed, in plain words.
std::string reasonOf(const std::exception& error) {
    if (const auto* write = dynamic_cast<const TFileWriteError*>(&error))
        return write->reason();
    if (const auto* system = dynamic_cast<const std::filesystem::filesystem_error*>(&error))
        return system->code().message();
    return error.what();
}

} // namespace

TDocumentLifecycle::TDocumentLifecycle(TPeriodData& period, TMotivePlayer& motivePlayer,
                                       const TMessageBundle& bundle, TUserDialogsInterface& dialogs,
                                       std::filesystem::path applicationFolder)
    : period_(period), motivePlayer_(motivePlayer), bundle_(bundle), dialogs_(dialogs),
      applicationFolder_(std::move(applicationFolder)), savedDocument_(periodDocument(period)) {}

bool TDocumentLifecycle::newComposition() {
    motivePlayer_.stop();
    if (!maySetAside())
        return false;
    const auto structure = dialogs_.askNewComposition();
    return structure && buildFrom(*structure);
}

void TDocumentLifecycle::save() {
    if (period_.name() == UNTITLED)
        saveAs();
    else
        saveTo(period_.name());
}

void TDocumentLifecycle::saveAs() {
    motivePlayer_.stop();
    const auto name = dialogs_.askSaveName({COMPOSITION_SUFFIX, folder(COMPOSITION_FOLDER)});
    if (!name || !mayReplace(*name))
        return;
    saveTo(*name);
}

bool TDocumentLifecycle::open() {
    motivePlayer_.stop();
    if (!maySetAside())
        return false;
    const auto name = dialogs_.askOpenName({COMPOSITION_SUFFIX, folder(COMPOSITION_FOLDER)});
    return name && openFrom(*name);
}

void TDocumentLifecycle::exportToMidi() {
    const auto name = dialogs_.askSaveName({MIDI_SUFFIX, folder(MIDI_FOLDER)});
    if (!name || !mayReplace(*name))
        return;
    exportTo(*name);
}

void TDocumentLifecycle::exportToMusicXml() {
    const auto name = dialogs_.askSaveName({MUSICXML_SUFFIX, folder(MUSICXML_FOLDER)});
    if (!name || !mayReplace(*name))
        return;
    exportMusicXmlTo(*name);
}

bool TDocumentLifecycle::saveTo(const std::filesystem::path& name) {
    try {
        savePeriod(period_, name);
    } catch (const std::exception& error) {
        reportSaveError(name, reasonOf(error));
        return false;
    }
    markUnmodified();
    period_.setName(name.string());
    return true;
}

bool TDocumentLifecycle::openFrom(const std::filesystem::path& name) {
    return readAndName(name, name.string());
}

bool TDocumentLifecycle::openCopyFrom(const std::filesystem::path& name) {
    return readAndName(name, UNTITLED);
}

bool TDocumentLifecycle::readAndName(const std::filesystem::path& name,
                                     const std::string& documentName) {
    // A document read over the open one silences it first.
    motivePlayer_.stop();
    try {
        readPeriodFile(period_, name);
    } catch (const std::exception& error) {
        // The reader leaves the period as it was: the open composition, its name and any
        // unsaved changes stay.
        dialogs_.showMessage(openErrorText(bundle_, name, error.what()), bundle_.text("error"));
        return false;
    }
    period_.setName(documentName);
    period_.notifyChanged();
    markUnmodified();
    return true;
}

bool TDocumentLifecycle::setAsideTo(const std::filesystem::path& name) {
    try {
        savePeriod(period_, name);
    } catch (const std::exception&) {
        return false;
    }
    setAside_ = TSetAside{period_.name(), savedDocument_};
    return true;
}

bool TDocumentLifecycle::takeBackFrom(const std::filesystem::path& name) {
    if (!setAside_)
        return false;
    motivePlayer_.stop();
    try {
        readPeriodFile(period_, name);
    } catch (const std::exception&) {
        return false;
    }
    const TSetAside kept = *std::exchange(setAside_, std::nullopt);
    period_.setName(kept.name);
    savedDocument_ = kept.savedDocument;
    period_.notifyChanged();
    return true;
}

bool TDocumentLifecycle::recoverFrom(const std::string& document, const std::string& original) {
    motivePlayer_.stop();
    try {
        readPeriodText(period_, document);
    } catch (const std::exception& error) {
        dialogs_.showMessage(error.what(), bundle_.text("error"));
        return false;
    }
    period_.setName(original.empty() ? UNTITLED : original);
    period_.notifyChanged();
    // No document the file could hold is empty: the recovered one counts as modified.
    savedDocument_.clear();
    if (unmodifiedListener_)
        unmodifiedListener_();
    return true;
}

bool TDocumentLifecycle::exportTo(const std::filesystem::path& name) {
    try {
        writeMidiFileWhole(period_, name);
    } catch (const std::exception& error) {
        reportSaveError(name, reasonOf(error));
        return false;
    }
    return true;
}

bool TDocumentLifecycle::exportMusicXmlTo(const std::filesystem::path& name) {
    try {
        exportMusicXml(period_, name);
    } catch (const std::exception& error) {
        reportSaveError(name, reasonOf(error));
        return false;
    }
    return true;
}

void TDocumentLifecycle::buildDefault() {
    motivePlayer_.stop();
    buildDefaultPeriod(period_);
    markUnmodified();
}

bool TDocumentLifecycle::buildFrom(const TPeriodStructure& structure) {
    motivePlayer_.detachListeners();
    try {
        buildPeriod(period_, structure);
    } catch (const std::invalid_argument& error) {
        dialogs_.showMessage(error.what(), bundle_.text("error"));
        return false;
    }
    markUnmodified();
    return true;
}

bool TDocumentLifecycle::isModified() const {
    return periodDocument(period_) != savedDocument_;
}

bool TDocumentLifecycle::maySetAside() {
    if (!isModified())
        return true;
    const std::string name = std::filesystem::path(period_.name()).filename().string();
    std::string question = bundle_.text("save changes");
    if (const std::size_t at = question.find("%1"); at != std::string::npos)
        question.replace(at, 2, name);
    switch (dialogs_.askSaveChanges(question, bundle_.text("thetonaria"))) {
    case TSaveChangesAnswer::Discard:
        return true;
    case TSaveChangesAnswer::Save:
        save();
        return !isModified();
    default:
        return false;
    }
}

void TDocumentLifecycle::markUnmodified() {
    savedDocument_ = periodDocument(period_);
    if (unmodifiedListener_)
        unmodifiedListener_();
}

bool TDocumentLifecycle::mayReplace(const std::filesystem::path& name) {
    std::error_code error;
    if (!std::filesystem::exists(name, error))
        return true;
    return dialogs_.confirm(bundle_.text("the file") + "\n" + name.string() + "\n" +
                                bundle_.text("already exists"),
                            bundle_.text("warning"));
}

std::filesystem::path TDocumentLifecycle::folder(const char* name) const {
    std::filesystem::path path = applicationFolder_ / name;
    // The dialog opens in the folder only when it exists; a failure leaves it to the dialog.
    std::error_code ignored;
    std::filesystem::create_directories(path, ignored);
    return path;
}

void TDocumentLifecycle::reportSaveError(const std::filesystem::path& name,
                                         const std::string& reason) {
    dialogs_.showMessage(saveErrorText(bundle_, name, reason), bundle_.text("error"));
}
