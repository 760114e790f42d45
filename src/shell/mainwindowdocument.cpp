#include "shell/mainwindow.h"

#include "files/settings.h"
#include "help/democontrol.h"
#include "panels/fastmenu.h"
#include "shell/datacheck.h"
#include "shell/undorecorder.h"
#include "shell/userdialogsinterface.h"

// The main window's document commands: New, Open, the recent files, quitting, and the caption
// that follows every change of the document. New and Open hide the fast menu while they ask;
// when they are cancelled or fail, the composition stays and the menu shows again.

namespace {

constexpr const char* UNTITLED_NAME = "Untitled";

} // namespace

void TMainWindow::nameChanged(const std::string& name) {
    refreshCaption();
    // A composition opened or saved under its own name joins File > Open Recent; the
    // demonstrations' compositions are not the user's.
    if (name == UNTITLED_NAME || (demos_ != nullptr && demos_->isRunning()))
        return;
    std::error_code error;
    const std::filesystem::path file = std::filesystem::absolute(name, error);
    if (!error && std::filesystem::is_regular_file(file, error))
        writeRecentFiles(settingsFile_,
                         withRecentFile(readRecentFiles(settingsFile_), file.string()));
}

std::vector<std::string> TMainWindow::recentFiles() {
    return readRecentFiles(settingsFile_);
}

void TMainWindow::openRecent(const std::string& file) {
    const bool menuShown = fastMenu_->isVisible();
    fastMenu_->hide();
    show();
    playback_.stop();
    if (documents_.maySetAside() && documents_.openFrom(file))
        undo_->reset();
    else if (menuShown)
        showFastMenuAgain();
}

void TMainWindow::newComposition() {
    const bool menuShown = fastMenu_->isVisible();
    fastMenu_->hide();
    undo_->settle();
    undo_->nameNext("New Composition");
    if (documents_.newComposition()) {
        show();
        return;
    }
    undo_->settle(); // the name goes with the cancelled New
    if (menuShown)
        showFastMenuAgain();
}

void TMainWindow::open() {
    const bool menuShown = fastMenu_->isVisible();
    fastMenu_->hide();
    show();
    if (documents_.open())
        undo_->reset();
    else if (menuShown)
        showFastMenuAgain();
}

bool TMainWindow::openFrom(const std::string& name) {
    const bool opened = documents_.openFrom(name);
    if (opened)
        undo_->reset();
    return opened;
}

bool TMainWindow::openCopyFrom(const std::string& name) {
    const bool opened = documents_.openCopyFrom(name);
    if (opened)
        undo_->reset();
    return opened;
}

bool TMainWindow::mayQuit() {
    // The user's own composition is back before it is offered for saving.
    demos_->stop();
    playback_.stop();
    if (!documents_.maySetAside())
        return false;
    autosave_->discard();
    return true;
}

void TMainWindow::reportMissingData() {
    const std::string text = missingDataText(bundle_, applicationFolder_);
    if (!text.empty())
        dialogs_.showMessage(text, bundle_.text("warning"));
}

void TMainWindow::refreshCaption() {
    if (undo_ != nullptr)
        undo_->documentTouched();
    const bool modified = documents_.isModified();
    setWindowTitle(QString::fromStdString(period_.name() + (modified ? "*" : "")));
    // A demonstration's composition is not the user's work: the copy of that waits.
    if (autosave_ != nullptr && !(demos_ != nullptr && demos_->isRunning()))
        autosave_->documentChanged(modified);
}
