#include "shell/mainwindow.h"

#include "canvas/umotivecanvas.h"
#include "engine/schemecommand.h"
#include "panels/captionbutton.h"
#include "panels/deleter.h"
#include "panels/developmentarea.h"
#include "panels/effectmotivepanel.h"
#include "panels/fastmenu.h"
#include "panels/gatherer.h"
#include "panels/modechooser.h"
#include "panels/rawpanel.h"
#include "panels/rythmset.h"
#include "panels/schemepanel.h"
#include "panels/turnroundset.h"
#include "shell/topframe.h"
#include "shell/wtonaria.h"
#include "variants/variantview.h"
#include "widgets/hintpanel.h"

// The main window's answers to the demonstrations and the step-by-step help: where its
// controls are, and the input they may take.

void TMainWindow::setVariantViewFlag(bool scripted) {
    if (variantWindow_ != nullptr)
        variantWindow_->view()->setScripted(scripted);
}

QWidget* TMainWindow::pitchModeChooser() {
    return schemePanel_->pitchSet()->modeChooser();
}

QWidget* TMainWindow::pitchContrastFigure() {
    return schemePanel_->pitchSet()->contrastFigure();
}

QWidget* TMainWindow::schemeCommandButton(int command) {
    if (command < 0 || command >= SCHEME_COMMAND_COUNT)
        return nullptr;
    return isPitchCommand(command) ? schemePanel_->pitchSet()->buttonOfCommand(command)
                                   : schemePanel_->rythmSet()->buttonOfCommand(command);
}

QWidget* TMainWindow::fastMenuControl(int i) {
    return fastMenu_ != nullptr ? fastMenu_->control(i) : nullptr;
}

TUMotiveCanvas* TMainWindow::fastMenuAnchor() {
    return fastMenu_ != nullptr ? fastMenu_->anchor() : nullptr;
}

void TMainWindow::enableInput(bool enable) {
    frame_.setEnabled(enable);
    setEnabled(enable);
    variantWindow_->setEnabled(enable);
    fastMenu_->setEnabled(enable);
    if (fastMenu_->isVisible())
        fastMenu_->raise();
    if (enable)
        frame_.setFocus();
}

void TMainWindow::placeAtMenuFrameLeft(QWidget* control) {
    control->move(frame_.geometry().topLeft());
}

void TMainWindow::placeAtMenuFrameRight(QWidget* control) {
    // Outer edges, window borders included: move() places the outer frame.
    const QRect area = frame_.frameGeometry();
    control->move(area.right() + 1 - control->frameGeometry().width(), area.top());
}

QWidget* TMainWindow::phraseNode(int n) {
    int index = 0;
    for (const TBaseViewNode* sentence : periodPanel_->view().children()) {
        for (const TBaseViewNode* phrase : sentence->children()) {
            if (index++ == n)
                return phrase->column();
        }
    }
    return nullptr;
}

int TMainWindow::selectedPanel() {
    TMotivePanelChooserGroup& group = developmentArea_->chooserGroup();
    return group.pressed() != nullptr ? group.indexOf(group.pressed()) : -1;
}

TPanelChooser* TMainWindow::panelChooser(int i) {
    return developmentArea_->panelChooser(i);
}

TFlatButtonWithID* TMainWindow::sequenceUpPlayButton() {
    return developmentArea_->effectPanel(TDevelopmentArea::SEQUENCE_UP)->playButton(0);
}

TUMotiveCanvas* TMainWindow::sequenceUpCanvas() {
    return developmentArea_->effectPanel(TDevelopmentArea::SEQUENCE_UP)->canvas(0);
}

TUMotiveCanvas* TMainWindow::relSequenceUpCanvas() {
    return developmentArea_->effectPanel(TDevelopmentArea::REL_SEQUENCE_UP)->canvas(0);
}

TDragged* TMainWindow::sequenceUpHandle() {
    return developmentArea_->effectPanel(TDevelopmentArea::SEQUENCE_UP)->slot(0)->dragHandle();
}

TDragged* TMainWindow::relSequenceUpHandle() {
    return developmentArea_->effectPanel(TDevelopmentArea::REL_SEQUENCE_UP)->slot(0)->dragHandle();
}

QWidget* TMainWindow::rhythmGatherer() {
    return schemePanel_->rythmSet()->gatherer();
}

QWidget* TMainWindow::pitchGatherer() {
    return schemePanel_->pitchSet()->gatherer();
}

QWidget* TMainWindow::rhythmDeleter() {
    return schemePanel_->rythmSet()->deleter();
}

TDragged* TMainWindow::rhythmItemHandle(int d) {
    return schemePanel_->rythmSet()->itemHandle(DURATION(d));
}

TDragged* TMainWindow::pitchItemHandle(int i) {
    return schemePanel_->pitchSet()->itemHandle(i);
}

QWidget* TMainWindow::rhythmModeChooser() {
    return schemePanel_->rythmSet()->modeChooser();
}

QWidget* TMainWindow::pitchDeleter() {
    return schemePanel_->pitchSet()->deleter();
}

QWidget* TMainWindow::rhythmContrastFigure() {
    return schemePanel_->rythmSet()->contrastFigure();
}

TGroupButton* TMainWindow::rhythmGathererItem(int i) {
    const auto& items = schemePanel_->rythmSet()->gatherer()->group().items();
    return i >= 0 && i < int(items.size()) ? items[std::size_t(i)] : nullptr;
}

TDragged* TMainWindow::rhythmGathererEntry(int i) {
    // Handles outlive the items they stood for; only those of present items count.
    if (rhythmGathererItem(i) == nullptr)
        return nullptr;
    return schemePanel_->rythmSet()->gatherer()->handle(i);
}

QWidget* TMainWindow::rhythmShowButton() {
    return schemePanel_->rythmSet()->showButton();
}

void TMainWindow::chooseEffect(int index, const TMotive& motive) {
    developmentArea_->chooseEffect(index, motive);
}
