#pragma once

#include "canvas/canvaslisteners.h"
#include "canvas/fastmenuinterface.h"
#include "canvas/umotivecanvas.h"
#include "engine/design.h"
#include "widgets/buttons.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <vector>

class TBaseService;
class TEventTranslater;
class TFastSchemePanel;
class TMotive;
class TMotiveCanvas;
class TPictureButton;

// A small stay-on-top window under one motive canvas of the period (its anchor) with what the
// user needs for that motive: the forty scheme commands, which regenerate the anchor's motive
// at once, drop targets that take a scheme from a dragged motive, the Motives for Contrast,
// areas that choose notes or chords for the anchor in a variant-choosing mode, deleting notes,
// resetting the schemes, stopping playback, the anchor's own rhythm or pitch scheme with the
// element being played lit, and stepping to the neighbouring motives. Created hidden by the
// main window and kept for its life. Interface thread only.
class TFastMenu : public QWidget,
                  public TFastMenuInterface,
                  public TButtonListener,
                  public TUMotiveCanvasListener,
                  public TButtonReleasedListener,
                  public TUMotivePlayingListener,
                  public TTurnAndRhythmSelectionListener {
    Q_OBJECT
public:
    // The flat buttons besides the commands, in the order fastMenuControl counts them.
    enum FlatButton {
        STOP,
        MOVE_TO_LEFT,
        MOVE_TO_RIGHT,
        DELETE_ALL_NOTES,
        DELETE_ALL_FROM_SCHEME,
        DEFAULT_SCHEME,
        RHYTHM_CONTRAST_MOTIVE,
        PITCH_CONTRAST_MOTIVE,
        SHOW_RHYTHM_CONTRAST_MOTIVE,
        SHOW_PITCH_CONTRAST_MOTIVE,
        SHOW_RHYTHM_SCHEME,
        SHOW_PITCH_SCHEME,
        DROP_FOR_RHYTHM,
        DROP_FOR_PITCH,
        FLAT_BUTTON_COUNT,
    };
    // The mode areas, in the order fastMenuControl counts them (first of all controls).
    enum ModeArea {
        SELECT_NOTES,
        SELECT_CHORDS_AND_NOTES,
        SELECT_CHORDS,
        SELECT_CHORDS_UNDER_NOTES,
        MODE_AREA_COUNT
    };
    static constexpr int COMMAND_COUNT = 40;

    TFastMenu(QWidget* owner, TBaseService& service);
    ~TFastMenu() override;

    // TFastMenuInterface: attaches to `canvas` and shows the window just below it.
    void showFor(TUMotiveCanvas* canvas) override;
    // Moves the window below its anchor again (the strip scrolled), whole on the anchor's
    // screen and, side to side, within the main window; above the anchor where the screen has
    // no room below it.
    void placeBelowAnchor();
    TUMotiveCanvas* anchor() const { return anchor_; }
    // Playback of a motive of the period finished.
    void playbackFinished();

    // Every control: the mode areas, the forty commands, then the flat buttons in the order of
    // FlatButton; null out of range.
    QWidget* control(int index) const;
    int controlCount() const { return static_cast<int>(controls_.size()); }
    TFlatButtonWithID* commandButton(int command) const;
    TFlatButton* flatButton(FlatButton which) const;
    TEventTranslater* modeArea(ModeArea which) const;
    TFastSchemePanel* schemeView() const { return schemeView_; }
    bool schemeViewShown() const { return !schemeViewHidden_; }
    TFlatButtonWithID* pressedCommand() const { return pressedCommand_; }
    const TDesign& design() const { return design_; }

    // TButtonListener
    void buttonPressed(QWidget* control) override;
    // TUMotiveCanvasListener: a change of the anchor's motive by the user renews the design.
    void motiveHarmonised(TUMotiveCanvas* canvas) override;
    void motiveEditStarted(TUMotiveCanvas* canvas) override;
    void pointerMoved(TUMotiveCanvas*) override {}
    // TButtonReleasedListener
    void buttonReleased(QWidget* control) override;
    // TUMotivePlayingListener: lights the scheme element of the sounding note.
    void noteStarted(int noteIndex) override;
    void motiveStarted() override;
    void motiveFinished() override;
    // TTurnAndRhythmSelectionListener: while a choice previews notes the scheme view shows
    // the anchor's scheme as it now stands.
    void showRhythmSelection(int duration, int index) override;
    void showTurnSelection(int index) override;

    // The Motive for Contrast figures show whether each half has one.
    void refreshContrastFigures();

signals:
    // The window was shown, by the user or the program.
    void opened();
    // The user closed the window (its frame's close button).
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Hidden by the user or the main window: the anchor gets its own mode back.
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void buildControls();
    TPictureButton* addFlatButton(FlatButton which, const char* hintKey, int x, int y, int width,
                                  int height, bool takesMotives);
    void commandPressed(int command);
    void flatButtonPressed(int which);
    void motiveDropped(FlatButton target, const TMotiveCanvas* source);
    void takeScheme(FlatButton target, const TMotive& motive);
    // Rebuilds the anchor's notes after `command` changed the scheme.
    void regenerateAnchor(int command);
    void readDesign();
    void showSchemeView(int kind);
    void hideSchemeView();
    void showContrastMotive(FlatButton button);
    void releaseAnchor();
    void refreshNavigation();

    TBaseService& service_;
    QPointer<TUMotiveCanvas> anchor_;
    TFlatGroup commandGroup_;
    TFlatGroup flatGroup_;
    std::array<TPictureButton*, COMMAND_COUNT> commands_{};
    std::array<TPictureButton*, FLAT_BUTTON_COUNT> flatButtons_{};
    std::array<TEventTranslater*, MODE_AREA_COUNT> modeAreas_{};
    std::vector<QWidget*> controls_;
    TFlatButtonWithID* pressedCommand_ = nullptr;
    TDesign design_;
    TFastSchemePanel* schemeView_ = nullptr;
    bool schemeViewHidden_ = true;
    // The view was shown by a show button and stays until it is pressed again.
    bool schemeViewHeld_ = false;
    int savedMode_ = -1;
    // The frames that group the controls visibly.
    std::vector<QRect> groupFrames_;
};
