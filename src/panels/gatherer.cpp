#include "panels/gatherer.h"

#include "canvas/motivecanvas.h"
#include "engine/scheme.h"
#include "model/glyphs.h"
#include "widgets/dragged.h"
#include "widgets/hintpanel.h"

#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QLabel>

#include <algorithm>
#include <utility>

namespace {

constexpr int ROW_GAP = 2;
constexpr int HINT_MARGIN = 4;

} // namespace

TGatherer::TGatherer(QWidget* owner, TScheme& scheme, const TRect& hintGlyph)
    : QWidget(owner), scheme_(scheme), overflow_(new QLabel("...", this)),
      hint_(new THintPanel(this, hintGlyph)) {
    group_.setListener(this);
    overflow_->adjustSize();
    overflow_->hide();
    setAcceptDrops(true);
    watch(overflow_);
    watch(hint_);
}

TGatherer::~TGatherer() {
    group_.setListener(nullptr);
}

void TGatherer::watch(QWidget* child) {
    child->setAcceptDrops(true);
    child->installEventFilter(this);
}

TDragged* TGatherer::handle(int i) const {
    return i >= 0 && i < static_cast<int>(handles_.size()) ? handles_[std::size_t(i)] : nullptr;
}

QLabel* TGatherer::numberLabel(int i) const {
    return i >= 0 && i < static_cast<int>(labels_.size()) ? labels_[std::size_t(i)] : nullptr;
}

void TGatherer::setHint(const QString& text) {
    setToolTip(text);
    setAccessibleName(text);
    hint_->setToolTip(text);
}

void TGatherer::setItemNamer(std::function<QString(const TGroupButton*)> namer) {
    namer_ = std::move(namer);
    for (TGroupButton* item : group_.items())
        nameItem(item);
}

void TGatherer::nameItem(TGroupButton* item) const {
    if (!namer_)
        return;
    const QString name = namer_(item);
    item->setToolTip(name);
    item->setAccessibleName(name);
}

bool TGatherer::acceptDrag(QWidget* source) const {
    return qobject_cast<TMotiveCanvas*>(source) != nullptr || isItem(source);
}

TGroupButton* TGatherer::targetItem(QWidget* target) const {
    if (auto* handle = qobject_cast<TDragged*>(target))
        target = handle->source();
    auto* item = qobject_cast<TGroupButton*>(target);
    if (item == nullptr) {
        // A number label stands for the item it numbers.
        const auto at = std::find(labels_.begin(), labels_.end(), target);
        if (at != labels_.end())
            item = group_.items().size() > std::size_t(at - labels_.begin())
                       ? group_.items()[std::size_t(at - labels_.begin())]
                       : nullptr;
    }
    return item != nullptr && item->group() == &group_ ? item : nullptr;
}

void TGatherer::drop(QWidget* target, QWidget* source) {
    if (auto* canvas = qobject_cast<TMotiveCanvas*>(source)) {
        takeFromMotive(canvas->motive());
        return;
    }
    auto* item = qobject_cast<TGroupButton*>(source);
    if (item == nullptr || !isItem(item))
        return;
    TGroupButton* onto = targetItem(target);
    if (item->group() == &group_) {
        // Moving inside the sequence.
        if (onto == nullptr || onto == item)
            return;
        group_.move(item, onto);
        takenFromMotive_ = false;
        relayout();
        group_.deselectAll();
        apply();
        return;
    }
    std::vector<const TGroupButton*> sources;
    if (item->group() != nullptr) {
        for (const TGroupButton* other : item->group()->items())
            if (other == item || other->isSelected())
                sources.push_back(other);
    } else {
        sources.push_back(item);
    }
    const bool sequence = mode() == TGroup::SEQUENCE;
    for (const TGroupButton* value : sources) {
        if (!sequence &&
            (!mayJoinSet(value) ||
             std::any_of(group_.items().begin(), group_.items().end(),
                         [&](const TGroupButton* held) { return sameValue(held, value); })))
            continue;
        TGroupButton* copy = copyItem(value);
        watch(copy);
        nameItem(copy);
        copy->show();
        group_.add(copy, sequence ? onto : nullptr);
    }
    if (item->group() != nullptr)
        item->group()->deselectAll();
    takenFromMotive_ = false;
    relayout();
    apply();
}

void TGatherer::setMode(int mode) {
    if (mode == this->mode())
        return;
    if (mode == TGroup::SET) {
        enteringSetMode();
        std::vector<TGroupButton*> repeated;
        const auto& items = group_.items();
        for (std::size_t i = 0; i < items.size(); ++i)
            for (std::size_t j = 0; j < i; ++j)
                if (sameValue(items[j], items[i])) {
                    repeated.push_back(items[i]);
                    break;
                }
        discard(repeated);
    }
    storeMode(mode);
    takenFromMotive_ = false;
    relayout();
}

void TGatherer::deleteWithSelection(TGroupButton* item) {
    if (item == nullptr || item->group() != &group_)
        return;
    std::vector<TGroupButton*> leaving;
    for (TGroupButton* held : group_.items())
        if (held == item || held->isSelected())
            leaving.push_back(held);
    discard(leaving);
    takenFromMotive_ = false;
    relayout();
    apply();
}

void TGatherer::append(TGroupButton* item) {
    watch(item);
    nameItem(item);
    item->show();
    group_.add(item);
}

void TGatherer::discard(const std::vector<TGroupButton*>& items) {
    group_.remove(items);
    for (TGroupButton* item : items) {
        item->hide();
        item->deleteLater();
    }
}

void TGatherer::clearItems() {
    // A copy: the group's own list shrinks while they leave.
    const std::vector<TGroupButton*> items = group_.items();
    discard(items);
}

void TGatherer::relayout() {
    const auto& items = group_.items();
    const bool numbered = mode() == TGroup::SEQUENCE;
    while (handles_.size() < items.size()) {
        auto* handle = new TDragged(this, nullptr);
        watch(handle);
        handles_.push_back(handle);
        auto* label = new QLabel(this);
        watch(label);
        labels_.push_back(label);
    }
    const int limitRight = width() - hint_->width() - HINT_MARGIN;
    int x = 0;
    int y = 0;
    int rowHeight = 0;
    std::size_t shown = 0;
    overflow_->hide();
    for (; shown < items.size(); ++shown) {
        TGroupButton* item = items[shown];
        QLabel* label = labels_[shown];
        const QSize size = item->sizeHint();
        if (numbered) {
            label->setText(QString::number(shown + 1) + ".");
            label->adjustSize();
        }
        const int width = (numbered ? label->width() + 1 : 0) + TDragged::WIDTH + size.width();
        // Room below this row for one more.
        const bool anotherRowFits = height() >= y + ROW_GAP + 2 * size.height();
        const int limit = limitRight - (anotherRowFits ? 0 : overflow_->width() + 2);
        if (x > 0 && x + width > limit) {
            if (!anotherRowFits) {
                overflow_->move(x, y + (rowHeight - overflow_->height()) / 2);
                overflow_->show();
                break;
            }
            x = 0;
            y += rowHeight + ROW_GAP;
            rowHeight = 0;
        }
        if (numbered) {
            label->move(x, y + (size.height() - label->height()) / 2);
            label->show();
            x += label->width() + 1;
        } else {
            label->hide();
        }
        handles_[shown]->setSource(item);
        handles_[shown]->setGeometry(x, y, TDragged::WIDTH, size.height());
        handles_[shown]->show();
        x += TDragged::WIDTH;
        item->setGeometry(x, y, size.width(), size.height());
        item->show();
        x += size.width();
        rowHeight = std::max(rowHeight, size.height());
    }
    for (std::size_t i = shown; i < items.size(); ++i)
        items[i]->hide();
    for (std::size_t i = shown; i < handles_.size(); ++i) {
        handles_[i]->hide();
        labels_[i]->hide();
    }
    hint_->move(width() - hint_->width() - HINT_MARGIN, height() - hint_->height() - HINT_MARGIN);
}

void TGatherer::resizeEvent(QResizeEvent*) {
    relayout();
}

bool TGatherer::handleDragEvent(QWidget* target, QEvent* event) {
    auto* dropEvent = static_cast<QDropEvent*>(event);
    TDragged* dragged = TDragged::draggedFrom(dropEvent->mimeData());
    QWidget* source = dragged != nullptr ? dragged->source() : nullptr;
    if (source == nullptr || !acceptDrag(source)) {
        event->ignore();
        return true;
    }
    dropEvent->acceptProposedAction();
    if (event->type() == QEvent::Drop)
        drop(target, source);
    return true;
}

void TGatherer::dragEnterEvent(QDragEnterEvent* event) {
    handleDragEvent(this, event);
}

void TGatherer::dragMoveEvent(QDragMoveEvent* event) {
    handleDragEvent(this, event);
}

void TGatherer::dropEvent(QDropEvent* event) {
    handleDragEvent(this, event);
}

bool TGatherer::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress) {
        // Delete takes the focused item and the selected ones out, as the deleter does.
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* item = qobject_cast<TGroupButton*>(watched);
        if (item != nullptr && item->group() == &group_ &&
            (key == Qt::Key_Delete || key == Qt::Key_Backspace)) {
            deleteWithSelection(item);
            return true;
        }
    }
    if (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop)
        return handleDragEvent(static_cast<QWidget*>(watched), event);
    return QWidget::eventFilter(watched, event);
}

TRythmGatherer::TRythmGatherer(QWidget* owner, TScheme& scheme)
    : TGatherer(owner, scheme, durationGlyph(120, true)) {}

std::vector<DURATION> TRythmGatherer::values() const {
    std::vector<DURATION> out;
    for (const TGroupButton* item : group().items())
        out.push_back(static_cast<const TDurationButton*>(item)->value());
    return out;
}

void TRythmGatherer::apply() {
    scheme_.setDurations(values(), mode() == TGroup::SEQUENCE, false);
}

void TRythmGatherer::takeFromMotive(const TMotive& motive) {
    clearItems();
    storeMode(TGroup::SEQUENCE);
    for (DURATION value : motive.rhythm())
        append(new TDurationButton(this, value));
    relayout();
    // The listener of the rhythm scheme hears of the change (and may reload this gatherer).
    scheme_.setDurations(values(), true, true);
    setTakenFromMotive(true);
}

void TRythmGatherer::reloadFromScheme() {
    clearItems();
    storeMode(scheme_.durationsInOrder() ? TGroup::SEQUENCE : TGroup::SET);
    for (DURATION value : scheme_.durations())
        append(new TDurationButton(this, value));
    setTakenFromMotive(false);
    relayout();
}

bool TRythmGatherer::isItem(const QWidget* source) const {
    return qobject_cast<const TDurationButton*>(source) != nullptr;
}

TGroupButton* TRythmGatherer::copyItem(const TGroupButton* item) {
    return new TDurationButton(this, static_cast<const TDurationButton*>(item)->value());
}

bool TRythmGatherer::sameValue(const TGroupButton* a, const TGroupButton* b) const {
    return static_cast<const TDurationButton*>(a)->value() ==
           static_cast<const TDurationButton*>(b)->value();
}

bool TRythmGatherer::mayJoinSet(const TGroupButton* item) const {
    return !TRemoveSpace().mustLeave(item);
}

void TRythmGatherer::enteringSetMode() {
    TRemoveSpace removeSpace;
    std::vector<TGroupButton*> rests;
    for (TGroupButton* item : group().items())
        if (removeSpace.mustLeave(item))
            rests.push_back(item);
    discard(rests);
}

TTurnRoundGatherer::TTurnRoundGatherer(QWidget* owner, TScheme& scheme)
    : TGatherer(owner, scheme, turnGlyph(PASSING, true)) {}

std::vector<TURN_ROUND> TTurnRoundGatherer::values() const {
    std::vector<TURN_ROUND> out;
    for (const TGroupButton* item : group().items())
        out.push_back(static_cast<const TTurnRoundButton*>(item)->value());
    return out;
}

void TTurnRoundGatherer::apply() {
    scheme_.setTurns(values(), mode() == TGroup::SEQUENCE, false);
}

void TTurnRoundGatherer::takeFromMotive(const TMotive& motive) {
    clearItems();
    storeMode(TGroup::SEQUENCE);
    for (const TTurnRoundWithDir& turn : scheme_.turnsOfMotive(motive, true).turns)
        if (turn.turn != NO_TURN)
            append(new TTurnRoundButton(this, turn.turn));
    relayout();
    scheme_.setTurns(values(), true, true);
    setTakenFromMotive(true);
}

void TTurnRoundGatherer::reloadFromScheme() {
    clearItems();
    storeMode(scheme_.turnsInOrder() ? TGroup::SEQUENCE : TGroup::SET);
    for (TURN_ROUND value : scheme_.turns())
        append(new TTurnRoundButton(this, value));
    setTakenFromMotive(false);
    relayout();
}

bool TTurnRoundGatherer::isItem(const QWidget* source) const {
    return qobject_cast<const TTurnRoundButton*>(source) != nullptr;
}

TGroupButton* TTurnRoundGatherer::copyItem(const TGroupButton* item) {
    return new TTurnRoundButton(this, static_cast<const TTurnRoundButton*>(item)->value());
}

bool TTurnRoundGatherer::sameValue(const TGroupButton* a, const TGroupButton* b) const {
    return static_cast<const TTurnRoundButton*>(a)->value() ==
           static_cast<const TTurnRoundButton*>(b)->value();
}
