#include "panels/turnroundset.h"

#include "canvas/baseservice.h"
#include "canvas/gatherer.h"
#include "canvas/groupbuttons.h"
#include "engine/scheme.h"
#include "files/messagebundle.h"

TTurnRoundSet::TTurnRoundSet(QWidget* owner, TBaseService& service, TScheme& scheme)
    : TCommonSet(owner, service, scheme, FIRST_PITCH_COMMAND) {
    auto* gatherer = new TTurnRoundGatherer(this, scheme);
    gatherer->setHint(QString::fromStdString(service.messageBundle().text("pitch gatherer hint")));
    for (int turn = REPETITION; turn <= ESCAPE; ++turn)
        addItem(new TTurnRoundButton(this, TURN_ROUND(turn)), true);
    build(gatherer);
    scheme.setPitchListener(this);
    schemeChanged();
}

TTurnRoundSet::~TTurnRoundSet() {
    if (scheme_.pitchListener() == this)
        scheme_.setPitchListener(nullptr);
}

TMotive& TTurnRoundSet::contrastMotive() {
    return scheme_.pitchContrastMotive();
}

bool TTurnRoundSet::inOrder() const {
    return scheme_.turnsInOrder();
}

TTurnRoundGatherer* TTurnRoundSet::turnGatherer() const {
    return static_cast<TTurnRoundGatherer*>(gatherer());
}

TDragged* TTurnRoundSet::itemHandle(int i) const {
    return i >= 0 && i < int(itemHandles().size()) ? itemHandles()[std::size_t(i)] : nullptr;
}

void TTurnRoundSet::showTurnSelection(int index) {
    const auto& held = gatherer()->group().items();
    for (std::size_t i = 0; i < held.size(); ++i)
        held[i]->setHighlighted(int(i) == index);
}
