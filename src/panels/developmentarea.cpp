#include "panels/developmentarea.h"

#include "canvas/baseservice.h"
#include "canvas/umotivecanvas.h"
#include "files/messagebundle.h"
#include "panels/chooserrow.h"
#include "panels/harmpanels.h"
#include "panels/motivepanelbase.h"
#include "panels/simplepanels.h"

#include <algorithm>
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
    : QWidget(parent), service_(service), scheme_(scheme), schemePanel_(schemePanel),
      row_(new TChooserRow(this)) {
    setGeometry(TMotivePanelBase::PLACE.left(), TMotivePanelBase::PLACE.top(),
                TMotivePanelBase::PLACE.width(), ROW_TOP + TChooserRow::PLACE.height());
    row_->move(0, ROW_TOP);
    if (schemePanel_ != nullptr) {
        schemePanel_->setParent(this);
        schemePanel_->move(0, 0);
        schemePanel_->hide();
    }

    const TMessageBundle& bundle = service.messageBundle();
    std::vector<TPanelChooser*> inRow;
    for (int index = 0; index < CHOOSER_COUNT; ++index) {
        const TChooserEntry& entry = CHOOSERS[index];
        if (entry.panel < 0 && schemePanel_ == nullptr)
            continue;
        TPanelChooser::TPanelSource panel = [this, entry] {
            return entry.panel < 0 ? schemePanel_ : effectPanel(entry.panel);
        };
        auto* chooser =
            new TPanelChooser(row_, QString::fromStdString(bundle.text(entry.key)),
                              QString::fromStdString(bundle.text(std::string(entry.key) + " hint")),
                              std::move(panel), entry.mode);
        choosers_[static_cast<std::size_t>(index)] = chooser;
        group_.add(chooser);
        inRow.push_back(chooser);
    }
    row_->setChoosers(inRow);
}

TDevelopmentArea::~TDevelopmentArea() = default;

void TDevelopmentArea::setMeter(const TMeasure& measure, const TKey& key, int upbeat) {
    meter_ = TMeter{measure, key, upbeat};
    for (TEffectMotivePanel* panel : effectPanels_) {
        if (panel != nullptr)
            panel->setMeter(measure, key, upbeat);
    }
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
    TEffectMotivePanel*& panel = effectPanels_[static_cast<std::size_t>(i)];
    if (panel == nullptr)
        panel = buildEffectPanel(i);
    return panel;
}

int TDevelopmentArea::builtEffectPanels() const {
    return static_cast<int>(
        std::count_if(effectPanels_.begin(), effectPanels_.end(),
                      [](const TEffectMotivePanel* p) { return p != nullptr; }));
}

TEffectMotivePanel* TDevelopmentArea::buildEffectPanel(int i) const {
    auto* self = const_cast<TDevelopmentArea*>(this);
    TEffectMotivePanel* panel = nullptr;
    switch (static_cast<EffectPanel>(i)) {
    case SEQUENCE_UP:
        panel = new TSequenceUpMotivePanel(self, service_, scheme_);
        break;
    case SEQUENCE_DOWN:
        panel = new TSequenceDownMotivePanel(self, service_, scheme_);
        break;
    case VARIATION:
        panel = new TVariationMotivePanel(self, service_, scheme_);
        break;
    case REPEAT:
        panel = new TRepeatMotivePanel(self, service_, scheme_);
        break;
    case PIECE:
        panel = new TPieceMotivePanel(self, service_, scheme_);
        break;
    case RHYTHM:
        panel = new TNewRythmMotivePanel(self, service_, scheme_);
        break;
    case OTHER:
        panel = new TOtherEffectsPanel(self, service_, scheme_);
        break;
    case REL_SEQUENCE_UP:
        panel = new THarmSequenceUpPanel(self, service_, scheme_);
        break;
    case REL_SEQUENCE_DOWN:
        panel = new THarmSequenceDownPanel(self, service_, scheme_);
        break;
    case REL_VARIATION:
        panel = new THarmVariationPanel(self, service_, scheme_);
        break;
    case REL_REPEAT:
        panel = new THarmRepeatPanel(self, service_, scheme_);
        break;
    case REL_PIECE:
        panel = new THarmPiecePanel(self, service_, scheme_);
        break;
    case REL_RHYTHM:
        panel = new THarmRhythmPanel(self, service_, scheme_);
        break;
    case REL_OTHER:
        panel = new THarmOtherPanel(self, service_, scheme_);
        break;
    }
    // Made after the area was shown, the panel stays hidden until its chooser shows it.
    panel->hide();
    panel->setCanvasIds(i * VARIANT_COUNT);
    panel->resize(width(), TMotivePanelBase::PLACE.height());
    if (meter_)
        panel->setMeter(meter_->measure, meter_->key, meter_->upbeat);
    return panel;
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
    for (TEffectMotivePanel* panel : effectPanels_) {
        if (panel != nullptr)
            panel->resize(w, TMotivePanelBase::PLACE.height());
    }
    row_->resize(w, TChooserRow::PLACE.height());
}
