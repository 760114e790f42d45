#pragma once

#include "canvas/baseservice.h"
#include "canvas/canvaslisteners.h"
#include "canvas/colorpanellistener.h"
#include "canvas/messagewindow.h"
#include "canvas/motivecanvas.h"
#include "canvas/umotiveinterface.h"
#include "engine/turn.h"
#include "model/versionhistory.h"
#include "widgets/buttons.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

class TVariantModel;

// The editor of a motive. Its current mode object receives the mouse events; it keeps up to 20
// earlier versions with back and forward buttons, lights the note being played (told through
// the main window on the interface thread), accepts motives dragged from other canvases, and
// tells its listeners when the user starts to change the motive.
class TUMotiveCanvas : public TMotiveCanvas,
                       public TProcessPlayingInterface,
                       public TButtonListener,
                       public TVariantChoiceOwner {
    Q_OBJECT
public:
    // Mode numbers.
    static constexpr int MODE_CHORD_AND_NOTE = 0;
    static constexpr int MODE_EDIT = 1;
    static constexpr int MODE_NEW_CHORD = 2;
    static constexpr int MODE_CHORD = 3;
    static constexpr int MODE_DELETE = 4;
    static constexpr int MODE_LIGHT = 5;
    static constexpr int MODE_PLAY = 6;
    static constexpr int MODE_COUNT = 7;
    // Notes chosen over the existing chords: no mode button selects it, the fast menu does.
    static constexpr int MODE_NOTE = 7;

    // Small buttons, canvas pixels.
    static constexpr QRect BACK_BUTTON{3, 135, 17, 14};
    static constexpr QRect FORWARD_BUTTON{22, 135, 17, 14};
    static constexpr QRect FAST_MENU_BUTTON{41, 135, 17, 14};

    TUMotiveCanvas(QWidget* parent, TCanvasService& service, TMotive& motive);
    ~TUMotiveCanvas() override;

    // Selects the mode by number (0 to 6, or MODE_NOTE), sets its cursor and repaints, when it
    // is another mode.
    void setMode(int number);
    // Selects the mode without comparing and without repainting (for panel builders).
    void selectMode(int number);
    int modeNumber() const { return modeNumber_; }
    TUMotiveInterface& mode() { return *mode_; }
    // For a variant slot, whose mode chooses chords: once the motive has a chord for every
    // measure segment, a press on the staff chooses notes over those chords instead, while a
    // press on the chord strip still chooses chords in the canvas's mode.
    void setStaffChoosesNotes(bool choose) { staffChoosesNotes_ = choose; }
    bool staffChoosesNotes() const { return staffChoosesNotes_; }
    // Whether the press in progress chooses notes over the chords (see above).
    bool choosingNotes() const { return pressMode_ != nullptr && pressMode_ == noteMode_.get(); }

    void setCanvasId(int id) { canvasPlayerListener().setCanvasId(id); }
    int canvasId() const { return canvasPlayerListener().canvasId(); }
    void addCanvasListener(TUMotiveCanvasListener* listener);
    void removeCanvasListener(TUMotiveCanvasListener* listener);
    void setPlayingListener(TUMotivePlayingListener* listener) { playingListener_ = listener; }
    void setShowSmallButtons(bool show);
    void setShowFastMenuButton(bool show);
    void setKeepOwnVersion(bool keep) { keepOwnVersion_ = keep; }
    bool keepOwnVersion() const { return keepOwnVersion_; }
    void setNoteVariantFlag(bool flag) { noteVariantFlag_ = flag; }
    bool noteVariantFlag() const { return noteVariantFlag_; }
    // Accept motives dragged from other canvases (and show the drop mark), or stop accepting.
    void enableDrop(bool enable);
    bool dropEnabled() const { return dropEnabled_; }

    bool saveVersion();
    void clearHistory();
    // Shows the version with that id; false when none has it.
    bool showVersion(int id);
    const TVersionHistory& history() const { return history_; }
    bool backEnabled() const { return history_.canGoBack(); }
    bool forwardEnabled() const { return history_.canGoForward(); }

    // Gives every measure segment a chord, led on from the context motive. Returns whether the
    // motive is harmonised afterwards.
    bool autoHarmonise();

    // Interface thread, from the main window's handling of the posted note messages.
    void noteStarted(int motiveId, int noteIndex) override;
    void noteFinished(int motiveId, int noteIndex) override;

    void buttonPressed(QWidget* button) override;

    // A choice in the variant view ended without the release reaching this canvas: the mode
    // finishes it as on a release.
    void choiceAbandoned() override;
    // The choice was cancelled: the motive and its versions are as before the press, nothing
    // plays.
    void choiceCancelled() override;

    // The variant model of the choice in progress (owned here from the press to the release).
    TVariantModel* variantModel() const { return variantModel_.get(); }
    void setVariantModel(std::unique_ptr<TVariantModel> model);
    void destroyVariantModel();
    // Where the variant window pops up beside this canvas (screen pixels).
    QPoint variantPopupPoint() const;

    // For the modes.
    TCanvasService& service() { return service_; }
    bool pointerPressed() const { return pointerPressed_; }
    void fireMotiveHarmonised();
    void fireMotiveEditStarted();
    void firePointerMoved();
    // Sets the cursor the current mode asks for.
    void refreshCursor();
    void stopPlayer();
    // Plays the motive alone / after its context motive, lighting its notes here.
    void playMotive();
    void playInContext();
    // The drop mark and the small buttons, which every mode paints over its picture.
    void drawDecorations(QPainter& painter);

    // Mode 1 forgets where the pointer was; repaints.
    void forgetEditPosition();
    // The contour that mode 5 keeps (one beacon per sixteenth, as last drawn).
    const TLights& contour() const;

    // Mouse events that another control passes on (canvas pixels): they go to the mode as
    // the canvas's own would, without hitting the small buttons.
    void translatedPress(const TShiftState& shift, const QPoint& at);
    void translatedMove(const TShiftState& shift, const QPoint& at);
    void translatedRelease();

    void draw(QPainter& painter) override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool fastMenuButtonShown() const;
    TRealButton* buttonAt(const QPoint& at) const;
    void releaseButtons();
    void afterHistoryChange();
    // The mode object that a press at `at` goes to, and that receives it until the release.
    TUMotiveInterface& modeForPress(const QPoint& at);
    TUMotiveInterface& pressedMode() { return pressMode_ != nullptr ? *pressMode_ : *mode_; }
    void endPress();
    // The cursor of the mode a press at `at` would go to.
    void refreshCursorAt(const QPoint& at);

    TCanvasService& service_;
    std::unique_ptr<TVariantModel> variantModel_;
    TVersionHistory history_;
    std::array<std::unique_ptr<TUMotiveInterface>, MODE_COUNT> modes_;
    std::unique_ptr<TUMotiveInterface> noteMode_; // built, but no mode number selects it
    TUMotiveInterface* mode_ = nullptr;
    // The mode object of the press in progress, or null.
    TUMotiveInterface* pressMode_ = nullptr;
    int modeNumber_ = MODE_EDIT;
    bool staffChoosesNotes_ = false;
    int cursorId_ = 0;
    std::vector<TUMotiveCanvasListener*> canvasListeners_;
    TUMotivePlayingListener* playingListener_ = nullptr;
    bool pointerPressed_ = false;
    // The motive and its versions before the press in progress.
    std::optional<TVersionHistory::TSnapshot> beforePress_;
    bool smallButtonHeld_ = false;
    bool showSmallButtons_ = true;
    bool showFastMenuButton_ = true;
    bool keepOwnVersion_ = false;
    bool noteVariantFlag_ = false;
    bool dropEnabled_ = false;
    TRealButton* backButton_;
    TRealButton* forwardButton_;
    TRealButton* fastMenuButton_;
    // The playback events posted for this canvas reach it while it exists.
    TMessageWindow::TEntry messageEntry_;
};
