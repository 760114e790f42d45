#include "shell/mainwindow.h"

#include "canvas/umotivecanvas.h"
#include "panels/fastmenu.h"
#include "shell/topframe.h"
#include "shell/undorecorder.h"

#include <QGuiApplication>

// The main window's Edit commands and the Tools commands over the whole period.

void TMainWindow::createUndoRecorder() {
    undo_ = std::make_unique<TUndoRecorder>(
        period_, [this](const TMotive* motive) { return cellCanvasOf(motive); },
        [this] { return variantWindowBusy() || QGuiApplication::mouseButtons() != Qt::NoButton; });
    undo_->setFastMenu(fastMenu_);
    undo_->setSavedListener([this](const std::string& saved) {
        documents_.setSavedDocument(saved);
        refreshCaption();
    });
    undo_->bindActions(frame_.command("menu undo"), frame_.command("menu redo"),
                       QString::fromStdString(bundle_.text("menu undo")),
                       QString::fromStdString(bundle_.text("menu redo")));
}

void TMainWindow::undo() {
    if (variantWindowBusy())
        return;
    playback_.stop();
    undo_->undo();
}

void TMainWindow::redo() {
    if (variantWindowBusy())
        return;
    playback_.stop();
    undo_->redo();
}

void TMainWindow::runTool(TPeriodTool tool, const std::string& stepName) {
    if (variantWindowBusy())
        return;
    playback_.stop();
    TPeriodData result = period_;
    runPeriodTool(tool, result, scheme_, schoolHarmony_, bundle_, this);
    undo_->apply(result, stepName);
}

TUMotiveCanvas* TMainWindow::cellCanvasOf(const TMotive* motive) const {
    if (periodPanel_ == nullptr)
        return nullptr;
    for (TUMotiveSet* cell : periodPanel_->motiveCells())
        if (&cell->canvas()->motive() == motive)
            return cell->canvas();
    return nullptr;
}

bool TMainWindow::setAsideTo(const std::string& name) {
    undo_->settle();
    const bool setAside = documents_.setAsideTo(name);
    if (setAside)
        undo_->pause();
    return setAside;
}

bool TMainWindow::takeBackFrom(const std::string& name) {
    const bool takenBack = documents_.takeBackFrom(name);
    undo_->resume();
    // Steps that no longer lead from the period there is go.
    if (!takenBack)
        undo_->reset();
    return takenBack;
}
