#pragma once

#include "canvas/baseservice.h"
#include "canvas/colorpanellistener.h"
#include "engine/variantgeometry.h"
#include "files/tracesink.h"
#include "playback/realtimer.h"
#include "variants/clipmaker.h"
#include "variants/variantsession.h"
#include "variants/variantstrategy.h"
#include "widgets/dblbufferedpanel.h"

#include <QPointer>

#include <array>
#include <functional>
#include <memory>
#include <vector>

// The panel of the variant window in which the user picks notes and chords while holding the
// mouse button on a canvas. Two halves of 240 pixels (they share column 239), each run by a
// strategy: chords on the left and notes on the right when the model offers both, one kind in
// both halves otherwise. While open the pointer is kept inside the view and a 50 ms timer posts
// an update so that a preview follows the pointer even without a move event. Interface thread only,
// except where a function says otherwise.
class TVariantView : public TDblBufferedPanel, public TColorPanelListener {
    Q_OBJECT
public:
    static constexpr int TIMER_PERIOD_MS = 50;

    // `window` is the top-level window the view lives in; it is shown and placed by open.
    // The view plays previews and posts its timer updates through `playing`, and reads the
    // cursor delay from `windows`.
    TVariantView(QWidget* parent, TPlayingService& playing, TCanvasWindowService& windows,
                 QWidget* window);
    ~TVariantView() override;

    // TColorPanelListener
    void close() override;
    void open(TScheme& scheme, TVariantModel& model, int x, int y) override;
    void track(const TShiftState& shift, int x, int y) override;
    void setChoiceOwner(TVariantChoiceOwner* owner) override { owner_ = owner; }

    // The update the timer posted: track again at the pointer's present position. Also ends
    // a choice whose button release never arrived.
    void timerUpdate();
    // Draws both halves again.
    void refresh() { invalidatePicture(); }
    // Ends the choice as a release would (focus lost, a lost release).
    void abandon();
    // Ends the choice keeping nothing (Escape): the owner puts the motive back as it was
    // before the press, and nothing previewed sounds on.
    void cancel();

    bool isOpen() const { return session_ != nullptr; }
    int side() const { return side_; }
    int sideSwitches() const { return sideSwitches_; }
    TVariantStrategy* strategy(int side) const;
    TVariantSession* session() const { return session_.get(); }
    TClipMaker& clipMaker() { return clip_; }
    // Told which scheme elements the previewed note draws on, and -1 when none.
    void addSelectionListener(TTurnAndRhythmSelectionListener* listener);
    void removeSelectionListener(TTurnAndRhythmSelectionListener* listener);
    // Tests run without the timer thread and decide whether the left button is held.
    void setTimerEnabled(bool enabled) { timerEnabled_ = enabled; }
    void setButtonProbe(std::function<bool()> probe) { buttonHeld_ = std::move(probe); }
    void setTraceSink(std::unique_ptr<TTraceSink> sink) { trace_ = std::move(sink); }
    // A demonstration drives the view: its choice lasts until the demonstration's release,
    // whatever the real mouse button and the window focus do.
    void setScripted(bool scripted) { scripted_ = scripted; }
    bool isScripted() const { return scripted_; }

protected:
    void draw(QPainter& painter) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeWindow(int x, int y);
    void buildStrategies();
    void switchSide(int side, const QPoint& at);
    QPoint viewOrigin() const;
    void showSchemeSelection();

    TPlayingService& playing_;
    TCanvasWindowService& windows_;
    QWidget* window_;
    std::unique_ptr<TVariantSession> session_;
    std::array<std::unique_ptr<TVariantStrategy>, 2> strategies_;
    int side_ = 0;
    int sideSwitches_ = 0;
    int startSide_ = 0;
    QPoint savedPointer_;
    TClipMaker clip_;
    TRealTimer timer_{TIMER_PERIOD_MS};
    bool timerEnabled_ = true;
    TChoiceMemory memory_;
    std::unique_ptr<TTraceSink> trace_;
    TVariantChoiceOwner* owner_ = nullptr;
    std::function<bool()> buttonHeld_;
    QPointer<QWidget> openerWindow_;
    bool closing_ = false;
    bool scripted_ = false;
    bool discarding_ = false;
    // The chord under the pointer's position when the notes half was entered.
    std::optional<TChord> scratchChord_;
    std::vector<TTurnAndRhythmSelectionListener*> selectionListeners_;
};
