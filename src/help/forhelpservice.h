#pragma once

#include <string>
#include <vector>

class QWidget;
class TDragged;
class TFlatButtonWithID;
class TGroupButton;
class TMotive;
class TPanelChooser;
class TRealButton;
class TUMotiveCanvas;
class TUMotiveSet;
class TVariantView;

// What the guided help drives the application through.
class TForHelpService {
public:
    virtual ~TForHelpService() = default;
    // The period panel's motive cells in strip order.
    virtual std::vector<TUMotiveSet*> motiveCells() = 0;
    virtual bool saveTo(const std::string& name) = 0;
    virtual bool openFrom(const std::string& name) = 0;
    // Writes the composition to `name` without renaming it or touching its mark of unsaved
    // changes, so that takeBackFrom can give it back as it was; false when it cannot be written.
    virtual bool setAsideTo(const std::string& name) = 0;
    // Reads the composition set aside into `name` back, under the name and with the mark of
    // unsaved changes it had; false (the open composition stays) when it cannot be read.
    virtual bool takeBackFrom(const std::string& name) = 0;
    // Opens an example as an untitled copy: its file never becomes the document's name.
    virtual bool openCopyFrom(const std::string& name) = 0;
    virtual QWidget* mainWindowControl() = 0;
    // Enables or disables the menu frame and the main window; enabling gives the frame focus.
    virtual void enableInput(bool enable) = 0;
    virtual void enableMainWindow(bool enable) = 0;
    virtual void markPlaying() = 0;
    // True once the motive player has reported that playback stopped.
    virtual bool playFinished() = 0;
    virtual void placeAtMenuFrameLeft(QWidget* control) = 0;
    virtual void placeAtMenuFrameRight(QWidget* control) = 0;
    // The i-th control of the fast menu (its mode areas first, 0 choosing notes); null out of
    // range.
    virtual QWidget* fastMenuControl(int i) = 0;
    // The canvas the fast menu is attached to, or null.
    virtual TUMotiveCanvas* fastMenuAnchor() = 0;
    // The i-th mode button, 0 to 4; null out of range.
    virtual TRealButton* modeButton(int i) = 0;
    // The canvases' mode that the mode buttons have chosen, and choosing one as they do.
    virtual int canvasMode() = 0;
    virtual void chooseCanvasMode(int mode) = 0;
    // The column of the n-th phrase, counted across sentences; null out of range.
    virtual QWidget* phraseNode(int n) = 0;
    // The index of the development area's pressed chooser, or -1.
    virtual int selectedPanel() = 0;
    // The i-th chooser of the development area; null out of range or while it has no panel.
    virtual TPanelChooser* panelChooser(int i) = 0;
    // The play button, canvas and drag handle of the first variant of the sequence-up panel,
    // and the canvas and handle of the first variant of the rel. sequence-up panel.
    virtual TFlatButtonWithID* sequenceUpPlayButton() = 0;
    virtual TUMotiveCanvas* sequenceUpCanvas() = 0;
    virtual TUMotiveCanvas* relSequenceUpCanvas() = 0;
    virtual TDragged* sequenceUpHandle() = 0;
    virtual TDragged* relSequenceUpHandle() = 0;
    // Controls of the scheme panel's rhythm set and pitch set that the help points at: the
    // gatherers, deleters, the rhythm mode chooser, figure and show button; the handle of the
    // rhythm item for duration d (negative: a rest) and of the i-th pitch item (turn i + 1);
    // the i-th item of the rhythm gatherer and its handle. Null when there is no such control.
    virtual QWidget* rhythmGatherer() = 0;
    virtual QWidget* pitchGatherer() = 0;
    virtual QWidget* rhythmDeleter() = 0;
    virtual TDragged* rhythmItemHandle(int d) = 0;
    virtual TDragged* pitchItemHandle(int i) = 0;
    virtual QWidget* rhythmModeChooser() = 0;
    virtual QWidget* pitchDeleter() = 0;
    virtual QWidget* rhythmContrastFigure() = 0;
    virtual TGroupButton* rhythmGathererItem(int i) = 0;
    virtual TDragged* rhythmGathererEntry(int i) = 0;
    virtual QWidget* rhythmShowButton() = 0;
    virtual QWidget* pitchModeChooser() = 0;
    virtual QWidget* pitchContrastFigure() = 0;
    // The scheme panel's button of scheme command `command` (0 to 39), or null.
    virtual QWidget* schemeCommandButton(int command) = 0;
    virtual void scrollToNode(int n) = 0;
    // Selects the chooser; when it shows an effect panel, that panel develops `motive`.
    virtual void chooseEffect(int index, const TMotive& motive) = 0;
    virtual void playPeriod() = 0;
    virtual void playMotive(int n) = 0;
    virtual void playSentence(int n) = 0;
    virtual void playPhrase(int n) = 0;
    // The variant view of the variant window (the recorded pointer paths are in its pixels).
    virtual TVariantView* variantView() = 0;
    virtual void refreshVariantView() = 0;
    // While set, the variant view is driven by a demonstration: its choice lasts until the
    // demonstration's release, whatever the real mouse button does.
    virtual void setVariantViewFlag(bool scripted) = 0;
};
