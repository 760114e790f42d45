#include "panels/turnroundset.h"

#include "canvas/baseservice.h"
#include "engine/scheme.h"
#include "engine/schemecommand.h"
#include "files/messagebundle.h"
#include "panels/gatherer.h"
#include "panels/groupbuttons.h"

TTurnRoundSet::TTurnRoundSet(QWidget* owner, TBaseService& service, TScheme& scheme)
    : TCommonSet(owner, service, scheme, FIRST_PITCH_COMMAND) {
    auto* gatherer = new TTurnRoundGatherer(this, scheme);
    gatherer->setHint(QString::fromStdString(service.messageBundle().text("pitch gatherer hint")));
    // The gatherer keeps the function: it holds the bundle by address.
    const TMessageBundle* bundle = &service.messageBundle();
    const auto name = [bundle](const TGroupButton* item) {
        const int turn = static_cast<const TTurnRoundButton*>(item)->value();
        const std::vector<std::string>& names = bundle->list("turn group");
        return turn >= 1 && turn <= int(names.size())
                   ? QString::fromStdString(names[std::size_t(turn - 1)])
                   : QString::number(turn);
    };
    for (int turn = REPETITION; turn <= ESCAPE; ++turn)
        addItem(new TTurnRoundButton(this, TURN_ROUND(turn)), true);
    for (TGroupButton* item : items()) {
        item->setToolTip(name(item));
        item->setAccessibleName(item->toolTip());
    }
    gatherer->setItemNamer(name);
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
