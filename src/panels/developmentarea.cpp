#include "panels/developmentarea.h"

#include "canvas/baseservice.h"
#include "canvas/umotivecanvas.h"
#include "files/messagebundle.h"
#include "panels/chooserrow.h"
#include "panels/harmpanels.h"
#include "panels/motivepanelbase.h"
#include "panels/simplepanels.h"

#include <string>

namespace {

struct TChooserEntry {
    const char* key;
    int panel; // effect panel index, -1 for the scheme panel
    int mode;
};

// The row's choosers in order.
constexpr TChooserEntry CHOOSERS[TDevelopmentArea::CHOOSER_COUNT] = {
    {"scheme", -1, 0},
    {"contrast", -1, 1},
    {"sequence up", TDevelopmentArea::SEQUENCE_UP, 0},
    {"sequence down", TDevelopmentArea::SEQUENCE_DOWN, 0},
    {"rel. sequence up", TDevelopmentArea::REL_SEQUENCE_UP, 0},
    {"rel. sequence down", TDevelopmentArea::REL_SEQUENCE_DOWN, 0},
    {"variation", TDevelopmentArea::VARIATION, 0},
    {"repeat", TDevelopmentArea::REPEAT, 0},
    {"rel. variation", TDevelopmentArea::REL_VARIATION, 0},
    {"rel. repeat", TDevelopmentArea::REL_REPEAT, 0},
    {"rhythm", TDevelopmentArea::RHYTHM, 0},
    {"rel. rhythm", TDevelopmentArea::REL_RHYTHM, 0},
    {"piece", TDevelopmentArea::PIECE, 0},
    {"other", TDevelopmentArea::OTHER, 0},
    {"rel. piece", TDevelopmentArea::REL_PIECE, 0},
    {"rel. other", TDevelopmentArea::REL_OTHER, 0},
};

// The chooser row stands this far below the top of the panels.
constexpr int ROW_TOP = TChooserRow::PLACE.top() - TMotivePanelBase::PLACE.top();

} // namespace

TDevelopmentArea::TDevelopmentArea(QWidget* parent, TBaseService& service, TScheme& scheme,
                                   TMotivePanelBase* schemePanel)
    : QWidget(parent), schemePanel_(schemePanel), row_(new TChooserRow(this)) {
    setGeometry(TMotivePanelBase::PLACE.left(), TMotivePanelBase::PLACE.top(),
                TMotivePanelBase::PLACE.width(), ROW_TOP + TChooserRow::PLACE.height());
    row_->move(0, ROW_TOP);
    if (schemePanel_ != nullptr) {
        schemePanel_->setParent(this);
        schemePanel_->move(0, 0);
        schemePanel_->hide();
    }

    effectPanels_ = {
        new TSequenceUpMotivePanel(this, service, scheme),
        new TSequenceDownMotivePanel(this, service, scheme),
        new TVariationMotivePanel(this, service, scheme),
        new TRepeatMotivePanel(this, service, scheme),
        new TPieceMotivePanel(this, service, scheme),
        new TNewRythmMotivePanel(this, service, scheme),
        new TOtherEffectsPanel(this, service, scheme),
        new THarmSequenceUpPanel(this, service, scheme),
        new THarmSequenceDownPanel(this, service, scheme),
        new THarmVariationPanel(this, service, scheme),
        new THarmRepeatPanel(this, service, scheme),
        new THarmPiecePanel(this, service, scheme),
        new THarmRhythmPanel(this, service, scheme),
        new THarmOtherPanel(this, service, scheme),
    };
    for (int i = 0; i < EFFECT_PANEL_COUNT; ++i)
        effectPanels_[static_cast<std::size_t>(i)]->setCanvasIds(i * VARIANT_COUNT);

    const TMessageBundle& bundle = service.messageBundle();
    std::vector<TPanelChooser*> inRow;
    for (int index = 0; index < CHOOSER_COUNT; ++index) {
        const TChooserEntry& entry = CHOOSERS[index];
        TMotivePanelBase* panel =
            entry.panel < 0 ? schemePanel_ : effectPanels_[static_cast<std::size_t>(entry.panel)];
        if (panel == nullptr)
            continue;
        auto* chooser =
            new TPanelChooser(row_, QString::fromStdString(bundle.text(entry.key)),
                              QString::fromStdString(bundle.text(std::string(entry.key) + " hint")),
                              panel, entry.mode);
        choosers_[static_cast<std::size_t>(index)] = chooser;
        group_.add(chooser);
        inRow.push_back(chooser);
    }
    row_->setChoosers(inRow);
}

TDevelopmentArea::~TDevelopmentArea() = default;

void TDevelopmentArea::setMeter(const TMeasure& measure, const TKey& key, int upbeat) {
    for (TEffectMotivePanel* panel : effectPanels_)
        panel->setMeter(measure, key, upbeat);
}

void TDevelopmentArea::selectPanel(int index) {
    group_.select(panelChooser(index));
}

void TDevelopmentArea::chooseEffect(int index, const TMotive& motive) {
    selectPanel(index);
    if (TEffectMotivePanel* panel = effectPanelOfChooser(index))
        panel->setSource(motive, 0);
}

void TDevelopmentArea::selectFirst() {
    selectPanel(schemePanel_ != nullptr ? SCHEME_CHOOSER : SEQUENCE_UP_CHOOSER);
}

TPanelChooser* TDevelopmentArea::panelChooser(int index) const {
    if (index < 0 || index >= CHOOSER_COUNT)
        return nullptr;
    return choosers_[static_cast<std::size_t>(index)];
}

TEffectMotivePanel* TDevelopmentArea::effectPanel(int i) const {
    if (i < 0 || i >= EFFECT_PANEL_COUNT)
        return nullptr;
    return effectPanels_[static_cast<std::size_t>(i)];
}

TEffectMotivePanel* TDevelopmentArea::effectPanelOfChooser(int index) const {
    if (index < 0 || index >= CHOOSER_COUNT)
        return nullptr;
    return effectPanel(CHOOSERS[index].panel);
}

TUMotiveCanvas* TDevelopmentArea::effectCanvas(int id) const {
    if (id < 0 || id >= EFFECT_CANVAS_COUNT)
        return nullptr;
    return effectPanel(id / VARIANT_COUNT)->canvas(id % VARIANT_COUNT);
}

TMotivePanelBase* TDevelopmentArea::shownPanel() const {
    const TPanelChooser* pressed = group_.pressed();
    return pressed != nullptr ? pressed->panel() : nullptr;
}

void TDevelopmentArea::resizeEvent(QResizeEvent*) {
    // The panels and the row stretch with the window; their heights stay.
    const int w = width();
    if (schemePanel_ != nullptr)
        schemePanel_->resize(w, TMotivePanelBase::PLACE.height());
    for (TEffectMotivePanel* panel : effectPanels_)
        panel->resize(w, TMotivePanelBase::PLACE.height());
    row_->resize(w, TChooserRow::PLACE.height());
}
