#pragma once

#include "canvas/canvaslisteners.h"
#include "engine/effect.h"
#include "model/motive.h"
#include "panels/motivepanelbase.h"
#include "widgets/buttons.h"

#include <array>

class QLabel;
class QScrollArea;
class TBaseService;
class TCaptionButton;
class TRawPanel;
class TScheme;

// Three variant slots side by side with their play buttons, "More" where the technique is
// random, "Play all", the technique's name and a line that says when a source gave nothing.
// The leaves fill the variants from the source. Interface thread only.
class TEffectMotivePanel : public TMotivePanelBase,
                           public TButtonListener,
                           public TUMotiveCanvasListener {
    Q_OBJECT
public:
    // Button ids.
    static constexpr int PLAY_FIRST = 0; // 0, 1, 2 play variant 1, 2, 3
    static constexpr int MORE = 3;
    static constexpr int PLAY_ALL = 4;
    // Layout, panel pixels.
    static constexpr int MARGIN = 6;
    static constexpr int SLOT_GAP = 5;

    ~TEffectMotivePanel() override;

    void buttonPressed(QWidget* button) override;
    void motiveHarmonised(TUMotiveCanvas* canvas) override { variantHarmonised(canvas); }
    void motiveEditStarted(TUMotiveCanvas* canvas) override { variantEditStarted(canvas); }
    void pointerMoved(TUMotiveCanvas*) override {}
    virtual void more() {}
    virtual void variantHarmonised(TUMotiveCanvas*) {}
    virtual void variantEditStarted(TUMotiveCanvas*) {}

    // Every variant and the source take the new upbeat, meter and key; the slots are laid out
    // again and every variant canvas is emptied with its history.
    virtual void setMeter(const TMeasure& measure, const TKey& key, int upbeat);

    // Queues variant i with its canvas as the listener that lights its notes; a variant
    // without notes is not played.
    void playVariant(int i);
    // Variants 1, 2 and 3 in turn.
    void playAll();

    bool hasMore() const { return more_ != nullptr; }
    QString title() const;
    // The line under the buttons: why the slots are empty, or what to do next.
    QString noteText() const;
    bool hasSource() const { return hasSource_; }
    const TMotive& source() const { return source_; }
    TRawPanel* slot(int i) const { return slots_[static_cast<std::size_t>(i)]; }
    TUMotiveCanvas* canvas(int i) const;
    TMotive& variant(int i) const;
    TCaptionButton* playButton(int i) const { return playButtons_[static_cast<std::size_t>(i)]; }
    TCaptionButton* moreButton() const { return more_; }
    TCaptionButton* playAllButton() const { return playAll_; }
    // Gives the canvases the ids first, first + 1 and first + 2.
    void setCanvasIds(int first);
    // The slot whose canvas this is, or -1.
    int variantIndex(const TUMotiveCanvas* canvas) const;

protected:
    // `titleKey` is the bundle key of the technique's name; `canvasMode` the mode of the
    // variant canvases. Simple panels call buildSlots() with their own variants at once,
    // relative ones once their effect object exists.
    TEffectMotivePanel(QWidget* parent, TBaseService& service, TScheme& scheme,
                       const char* titleKey, bool hasMore, int canvasMode);
    void buildSlots(const std::array<TMotive*, VARIANT_COUNT>& variants);
    // The panel's own variants, for the simple effects.
    std::array<TMotive*, VARIANT_COUNT> ownVariants();

    // Stops playback when a variant of this panel is still to sound, so that no note hangs and
    // no highlight stays on; the events already posted for the canvases are handled now.
    void stopPlayingVariants();
    // Keeps a copy of the source and empties every slot with its history.
    void takeSource(const TMotive& motive);
    // Shows three variants; none at all shows the "no variants" line instead.
    void showVariants(const TMotives& variants);
    void saveVariantVersions();
    void setNoteText(const QString& text);
    QString bundleText(const char* key) const;

    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

    TBaseService& service_;
    TScheme& scheme_;

private:
    void layoutContent();

    int canvasMode_;
    TFlatGroup flatGroup_;
    QScrollArea* scroller_;
    QWidget* content_;
    QLabel* title_;
    QLabel* note_;
    std::array<TRawPanel*, VARIANT_COUNT> slots_{};
    std::array<TCaptionButton*, VARIANT_COUNT> playButtons_{};
    TCaptionButton* more_ = nullptr;
    TCaptionButton* playAll_;
    TMotive source_;
    bool hasSource_ = false;
    std::array<TMotive, VARIANT_COUNT> ownVariants_;
};
