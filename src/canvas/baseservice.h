#pragma once

#include "canvas/canvaslisteners.h"
#include "engine/contextmotive.h"
#include "playback/motiveplayerlistener.h"

class QWidget;
class TColorPanelListener;
class TFastMenuInterface;
class TMessageBundle;
class TMessageWindow;
class TMotive;
class TMotivePlayer;
class TPeriodData;
class TPlayer;
class TScheme;

// The period panel's answer to "which motive does this one continue from": the motive (null
// when none), the player listener of the canvas showing it, and where the motive stands.
struct TMotiveAndListenerPair {
    const TMotive* motive = nullptr;
    TMotivePlayerListener* listener = nullptr;
    TContextCode code = CONTEXT_NONE;
};

// The player, the motive player and the message window, with the period panel's playing in
// context, as anything that plays a motive reaches them. Interface thread only.
class TPlayingService {
public:
    virtual ~TPlayingService() = default;

    virtual TPlayer& player() = 0;
    virtual TMotivePlayer& motivePlayer() = 0;
    virtual TMotiveAndListenerPair contextMotive(const TMotive& motive) = 0;
    // Queues the context motive (if any) with its listener, then `motive` with `listener`.
    virtual void playInContext(const TMotive& motive, TMotivePlayerListener* listener) = 0;
    // Receives the messages that the timer thread posts for the interface thread.
    virtual TMessageWindow& messageWindow() = 0;
};

// The document's shared objects. Interface thread only.
class TDocumentService {
public:
    virtual ~TDocumentService() = default;

    virtual TScheme& scheme() = 0;
    virtual TMessageBundle& messageBundle() = 0;
    virtual TPeriodData& period() = 0;
    // Automatic harmonisation keeps the rules of school harmony and closes the phrases with
    // cadences as the period's form asks.
    virtual bool schoolHarmony() = 0;
};

// The windows around a canvas: the variant window, the fast menu, the mode buttons and the
// current canvas. Interface thread only.
class TCanvasWindowService {
public:
    virtual ~TCanvasWindowService() = default;

    // The variant view of the variant window; null while there is none.
    virtual TColorPanelListener* variantDisplay() = 0;
    // The fast menu; null while there is none (canvases then hide their fast-menu button).
    virtual TFastMenuInterface* fastMenu() = 0;
    // false presses the last mode button ("generate motive") as if the user had; true does
    // nothing.
    virtual void resetCanvasMode(bool keep) = 0;
    virtual bool variantWindowBusy() = 0;
    // The current canvas becomes `control` when it is a TUMotiveCanvas, else none.
    virtual void setCurrentCanvas(QWidget* control) = 0;
    virtual int variantWindowWidth() = 0;
    // 15 minus the position of the cursor-delay track bar.
    virtual int cursorDelay() = 0;
};

// What the scheme sets and the fast menu ask of the development area and the period strip.
// Interface thread only.
class TPanelService {
public:
    virtual ~TPanelService() = default;

    // The rhythm set, or the pitch set, of the scheme panel takes its scheme from the motive
    // and shows it.
    virtual void takeRhythmFrom(const TMotive& motive) = 0;
    virtual void takePitchFrom(const TMotive& motive) = 0;
    // A Motive for Contrast was set or changed: every figure that shows one is redrawn.
    virtual void contrastMotivesChanged() = 0;
    // Presses the chooser of the development area at that index and shows its panel.
    virtual void selectPanel(int index) = 0;
    // Attach the fast menu to the motive cell after / before the canvas with that id (ids from
    // 48) and scroll the strip to it; nothing at either end of the strip.
    virtual void fastMenuNext(int canvasId) = 0;
    virtual void fastMenuPrevious(int canvasId) = 0;
    virtual int motiveCellCount() = 0;
};

// The roles a motive canvas reaches, and with it everything that builds canvases (the period
// strip's cells): playing, the document and the windows around the canvas. Holders never own
// the service.
class TCanvasService : public TPlayingService,
                       public TDocumentService,
                       public TCanvasWindowService {};

// The shared objects and the cross-panel operations of the main window, as the panels and
// dialogs reach them: every role above. Holders never own the service.
class TBaseService : public TCanvasService, public TPanelService {};
