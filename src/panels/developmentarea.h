#pragma once

#include "engine/effect.h"
#include "model/key.h"
#include "model/measure.h"
#include "panels/panelchoosergroup.h"

#include <QWidget>

#include <array>
#include <memory>
#include <optional>

class TBaseService;
class TChooserRow;
class TEffectMotivePanel;
class TKey;
class TMeasure;
class TMotive;
class TMotivePanelBase;
class TScheme;
class TUMotiveCanvas;

// The upper part of the main window: one development panel at a time and, under it, the row
// of sixteen chooser buttons. It owns the fourteen effect panels, each built when first asked
// for (its chooser pressed, a motive dropped, a canvas looked up), so that the window's start
// does not pay for the forty-two variant canvases it does not show; the scheme panel, when there
// is one, is handed in and shown by the first two choosers. Chooser indices are those of the
// row (0 "scheme", 1 "contrast", 2 "sequence up", ...) whether or not the scheme panel exists.
// Interface thread only.
class TDevelopmentArea : public QWidget {
    Q_OBJECT
public:
    static constexpr int EFFECT_PANEL_COUNT = 14;
    static constexpr int CHOOSER_COUNT = 16;
    static constexpr int SCHEME_CHOOSER = 0;
    static constexpr int CONTRAST_CHOOSER = 1;
    static constexpr int SEQUENCE_UP_CHOOSER = 2;
    static constexpr int EFFECT_CANVAS_COUNT = EFFECT_PANEL_COUNT * VARIANT_COUNT;
    // Effect panels in the order the main window keeps them; their canvases are numbered in
    // this order.
    enum EffectPanel {
        SEQUENCE_UP,
        SEQUENCE_DOWN,
        VARIATION,
        REPEAT,
        PIECE,
        RHYTHM,
        OTHER,
        REL_SEQUENCE_UP,
        REL_SEQUENCE_DOWN,
        REL_VARIATION,
        REL_REPEAT,
        REL_PIECE,
        REL_RHYTHM,
        REL_OTHER,
    };

    // Placed at the panels' place, as wide as they are; `schemePanel` may be null.
    TDevelopmentArea(QWidget* parent, TBaseService& service, TScheme& scheme,
                     TMotivePanelBase* schemePanel = nullptr);
    ~TDevelopmentArea() override;

    // The composition's meter, key or upbeat changed: every effect panel empties.
    void setMeter(const TMeasure& measure, const TKey& key, int upbeat);
    // Presses the chooser and shows its panel; an index without a chooser does nothing.
    void selectPanel(int index);
    // Selects the chooser; when its panel is an effect panel it takes `motive` as source.
    void chooseEffect(int index, const TMotive& motive);
    // The start-up choice: the scheme panel, or the first effect panel without one.
    void selectFirst();

    // Null when the index names no chooser.
    TPanelChooser* panelChooser(int index) const;
    TEffectMotivePanel* effectPanel(int i) const;
    // The effect panel a chooser shows, or null.
    TEffectMotivePanel* effectPanelOfChooser(int index) const;
    // The variant canvas with that id (0 to 41), or null.
    TUMotiveCanvas* effectCanvas(int id) const;
    TMotivePanelChooserGroup& chooserGroup() { return group_; }
    TChooserRow* chooserRow() const { return row_; }
    TMotivePanelBase* shownPanel() const;

    // How many effect panels have been built so far.
    int builtEffectPanels() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct TMeter {
        TMeasure measure;
        TKey key;
        int upbeat;
    };

    TEffectMotivePanel* buildEffectPanel(int i) const;

    TBaseService& service_;
    TScheme& scheme_;
    TMotivePanelBase* schemePanel_;
    // Built on demand: the panel accessors stay const for their callers.
    mutable std::array<TEffectMotivePanel*, EFFECT_PANEL_COUNT> effectPanels_{};
    // The meter the panels were last given, for those built later.
    std::optional<TMeter> meter_;
    std::array<TPanelChooser*, CHOOSER_COUNT> choosers_{};
    TChooserRow* row_;
    TMotivePanelChooserGroup group_;
};
