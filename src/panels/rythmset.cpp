#include "panels/rythmset.h"

#include "canvas/baseservice.h"
#include "engine/scheme.h"
#include "files/messagebundle.h"
#include "model/glyphs.h"
#include "panels/gatherer.h"
#include "panels/groupbuttons.h"
#include "panels/modechooser.h"
#include "widgets/dragged.h"

#include <cstdlib>

namespace {

constexpr DURATION ROW_DURATIONS[] = {240, 210, 180, 150, 120, 90, 60, 30};
constexpr int RESTS_BUTTON_SIZE = 26;

} // namespace

TRythmSet::TRythmSet(QWidget* owner, TBaseService& service, TScheme& scheme)
    : TCommonSet(owner, service, scheme, 0),
      restsButton_(
          new TRealButton(this, smallDurationGlyph(-120), true, TRealButton::GLYPH_TRANSPARENT)) {
    auto* gatherer = new TRythmGatherer(this, scheme);
    gatherer->setHint(QString::fromStdString(service.messageBundle().text("rhythm gatherer hint")));
    // The gatherer keeps the function: it holds the bundle by address.
    const TMessageBundle* bundle = &service.messageBundle();
    const auto name = [bundle](const TGroupButton* item) {
        const int d = static_cast<const TDurationButton*>(item)->value();
        const std::vector<std::string>& names = bundle->list("duration group");
        const std::size_t index = std::size_t(std::abs(d) / 30 - 1);
        const QString value =
            index < names.size() ? QString::fromStdString(names[index]) : QString::number(d);
        return d < 0 ? QString::fromStdString(bundle->text("rest item")) + ": " + value : value;
    };
    for (DURATION d : ROW_DURATIONS)
        addItem(new TDurationButton(this, d), true);
    for (DURATION d : ROW_DURATIONS)
        addItem(new TDurationButton(this, DURATION(-d)), false);
    for (TGroupButton* item : items()) {
        item->setToolTip(name(item));
        item->setAccessibleName(item->toolTip());
    }
    gatherer->setItemNamer(name);
    build(gatherer);
    restsButton_->setHint(QString::fromStdString(service.messageBundle().text("rests hint")));
    restsButton_->setListener(this);
    restsButton_->resize(RESTS_BUTTON_SIZE, RESTS_BUTTON_SIZE);
    scheme.setRhythmListener(this);
    schemeChanged();
}

TRythmSet::~TRythmSet() {
    if (scheme_.rhythmListener() == this)
        scheme_.setRhythmListener(nullptr);
}

TMotive& TRythmSet::contrastMotive() {
    return scheme_.rhythmContrastMotive();
}

bool TRythmSet::inOrder() const {
    return scheme_.durationsInOrder();
}

TRythmGatherer* TRythmSet::rythmGatherer() const {
    return static_cast<TRythmGatherer*>(gatherer());
}

TGroupButton* TRythmSet::item(DURATION d) const {
    for (TGroupButton* button : items())
        if (static_cast<TDurationButton*>(button)->value() == d)
            return button;
    return nullptr;
}

TDragged* TRythmSet::itemHandle(DURATION d) const {
    for (std::size_t i = 0; i < items().size(); ++i)
        if (static_cast<TDurationButton*>(items()[i])->value() == d)
            return itemHandles()[i];
    return nullptr;
}

void TRythmSet::showRhythmSelection(int duration, int index) {
    const auto& held = gatherer()->group().items();
    const bool sequence = gatherer()->mode() == TGroup::SEQUENCE;
    for (std::size_t i = 0; i < held.size(); ++i) {
        const bool lit =
            index >= 0 && (sequence ? int(i) == index
                                    : static_cast<TDurationButton*>(held[i])->value() == duration);
        held[i]->setHighlighted(lit);
    }
}

void TRythmSet::schemeChanged() {
    TCommonSet::schemeChanged();
    followMode();
}

void TRythmSet::buttonPressed(QWidget* button) {
    if (button == restsButton_) {
        showRests(!showsRests_);
        return;
    }
    TCommonSet::buttonPressed(button);
    if (button == modeChooser())
        followMode();
}

void TRythmSet::followMode() {
    const bool inOrderMode = modeChooser()->mode() == TModeChooser::IN_ORDER_MODE;
    restsButton_->setEnabled(inOrderMode);
    if (!inOrderMode)
        showRests(false);
}

void TRythmSet::showRests(bool rests) {
    if (rests && modeChooser()->mode() != TModeChooser::IN_ORDER_MODE)
        rests = false;
    showsRests_ = rests;
    restsButton_->setPressed(rests);
    for (std::size_t i = 0; i < items().size(); ++i) {
        const bool rest = static_cast<TDurationButton*>(items()[i])->value() < 0;
        items()[i]->setVisible(rest == rests);
        itemHandles()[i]->setVisible(rest == rests);
    }
    // A selection that cannot be seen must not ride along with the next drag.
    itemGroup().deselectAll();
    layOutBody();
}

void TRythmSet::layOutBody() {
    TCommonSet::layOutBody();
    restsButton_->move(itemRowRight() + 4, items().front()->y() + 8);
}
