#include "panels/effectmotivepanel.h"

#include "canvas/baseservice.h"
#include "canvas/messagewindow.h"
#include "canvas/umotivecanvas.h"
#include "files/messagebundle.h"
#include "model/canvasgeometry.h"
#include "model/notelist.h"
#include "panels/captionbutton.h"
#include "panels/rawpanel.h"
#include "playback/midibackend.h"
#include "playback/motiveplayer.h"
#include "widgets/dragged.h"

#include <QCoreApplication>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int BUTTON_GAP = 2;
constexpr int COLUMN_GAP = 12;
constexpr int NOTE_WIDTH = 220;

} // namespace

TEffectMotivePanel::TEffectMotivePanel(QWidget* parent, TBaseService& service, TScheme& scheme,
                                       const char* titleKey, bool hasMore, int canvasMode)
    : TMotivePanelBase(parent), service_(service), scheme_(scheme), canvasMode_(canvasMode),
      scroller_(new QScrollArea(this)), content_(new QWidget), title_(new QLabel(content_)),
      note_(new QLabel(content_)) {
    scroller_->setFrameShape(QFrame::NoFrame);
    scroller_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller_->setWidget(content_);
    scroller_->setGeometry(rect());
    content_->setAutoFillBackground(false);
    scroller_->viewport()->setAutoFillBackground(false);

    const QString title = bundleText(titleKey);
    title_->setText(title);
    QFont bold = title_->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.25);
    title_->setFont(bold);
    title_->setAccessibleName(title);
    setAccessibleName(title);
    note_->setWordWrap(true);
    note_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    for (int i = 0; i < VARIANT_COUNT; ++i) {
        auto* play = new TCaptionButton(content_, &flatGroup_, bundleText("play"),
                                        bundleText("play variant hint"), PLAY_FIRST + i);
        play->setListeners(this, nullptr);
        playButtons_[static_cast<std::size_t>(i)] = play;
    }
    if (hasMore) {
        more_ = new TCaptionButton(content_, &flatGroup_, bundleText("more"),
                                   bundleText("more hint"), MORE);
        more_->setListeners(this, nullptr);
    }
    playAll_ = new TCaptionButton(content_, &flatGroup_, bundleText("play all"),
                                  bundleText("play all hint"), PLAY_ALL);
    playAll_->setListeners(this, nullptr);
    hide();
}

// Each canvas leaves the player as it goes.
TEffectMotivePanel::~TEffectMotivePanel() = default;

void TEffectMotivePanel::buildSlots(const std::array<TMotive*, VARIANT_COUNT>& variants) {
    for (int i = 0; i < VARIANT_COUNT; ++i)
        slots_[static_cast<std::size_t>(i)] =
            new TRawPanel(content_, service_, *variants[static_cast<std::size_t>(i)], canvasMode_,
                          this, bundleText("variant hint"));
    layoutContent();
}

std::array<TMotive*, VARIANT_COUNT> TEffectMotivePanel::ownVariants() {
    return {&ownVariants_[0], &ownVariants_[1], &ownVariants_[2]};
}

QString TEffectMotivePanel::bundleText(const char* key) const {
    return QString::fromStdString(service_.messageBundle().text(key));
}

QString TEffectMotivePanel::title() const {
    return title_->text();
}

QString TEffectMotivePanel::noteText() const {
    return note_->text();
}

void TEffectMotivePanel::setNoteText(const QString& text) {
    note_->setText(text);
}

TUMotiveCanvas* TEffectMotivePanel::canvas(int i) const {
    return slot(i)->canvas();
}

TMotive& TEffectMotivePanel::variant(int i) const {
    return slot(i)->variant();
}

void TEffectMotivePanel::setCanvasIds(int first) {
    for (int i = 0; i < VARIANT_COUNT; ++i)
        canvas(i)->setCanvasId(first + i);
}

int TEffectMotivePanel::variantIndex(const TUMotiveCanvas* canvas) const {
    for (int i = 0; i < VARIANT_COUNT; ++i)
        if (this->canvas(i) == canvas)
            return i;
    return -1;
}

void TEffectMotivePanel::layoutContent() {
    // The three slots side by side, each with its play button under its right part, then the
    // title, "More", "Play all" and the note in a column.
    int slotsWidth = MARGIN;
    for (int i = 0; i < VARIANT_COUNT; ++i)
        slotsWidth += slot(i)->width() + SLOT_GAP;
    const int column = slotsWidth - SLOT_GAP + COLUMN_GAP;
    const int contentWidth = column + NOTE_WIDTH + MARGIN;
    // A wide meter scrolls sideways: the slots and buttons move up to leave the scroll bar room.
    int available = height();
    if (contentWidth > width())
        available -= scroller_->horizontalScrollBar()->sizeHint().height();
    const int slotHeight = slot(0)->height();
    const int buttonHeight = playButton(0)->height();
    const int top = std::clamp(available - slotHeight - BUTTON_GAP - buttonHeight, 0, MARGIN);
    const int gap = std::clamp(available - top - slotHeight - buttonHeight, 0, BUTTON_GAP);

    int x = MARGIN;
    const int buttonTop = top + slotHeight + gap;
    for (int i = 0; i < VARIANT_COUNT; ++i) {
        TRawPanel* raw = slot(i);
        raw->move(x, top);
        TCaptionButton* play = playButton(i);
        play->move(x + raw->width() - play->width(), buttonTop);
        x += raw->width() + SLOT_GAP;
    }
    const int bottom = buttonTop + buttonHeight;
    title_->move(column, top);
    title_->adjustSize();
    int y = top + title_->height() + 8;
    for (TCaptionButton* button : {more_, playAll_}) {
        if (button == nullptr)
            continue;
        button->move(column, y);
        y += button->height() + 4;
    }
    note_->setGeometry(column, y + 4, NOTE_WIDTH, bottom - y - 4);
    content_->setFixedSize(std::max(contentWidth, title_->geometry().right() + 1), bottom);
}

void TEffectMotivePanel::buttonPressed(QWidget* button) {
    const auto* pressed = qobject_cast<TFlatButtonWithID*>(button);
    if (pressed == nullptr)
        return;
    const int id = pressed->id();
    if (id >= PLAY_FIRST && id < PLAY_FIRST + VARIANT_COUNT)
        playVariant(id - PLAY_FIRST);
    else if (id == MORE)
        more();
    else if (id == PLAY_ALL)
        playAll();
}

void TEffectMotivePanel::playVariant(int i) {
    const TMotive& motive = variant(i);
    if (motive.notes().empty())
        return;
    try {
        service_.motivePlayer().play(motive, canvas(i)->playerListener());
    } catch (const TMidiError&) {
        // Without a timer nothing sounds; the panel stays as it is.
    }
}

void TEffectMotivePanel::playAll() {
    for (int i = 0; i < VARIANT_COUNT; ++i)
        playVariant(i);
}

void TEffectMotivePanel::stopPlayingVariants() {
    // Playback stops only when a variant of this panel is still to sound.
    TMotivePlayer& player = service_.motivePlayer();
    for (int i = 0; i < VARIANT_COUNT; ++i)
        player.detachListener(canvas(i)->playerListener());
    // Note events already on their way name these canvases: let them arrive before the
    // variants change, then put out whatever they lit.
    QCoreApplication::sendPostedEvents(&service_.messageWindow());
    for (int i = 0; i < VARIANT_COUNT; ++i) {
        clearHighlights(variant(i).notes());
        canvas(i)->update();
    }
}

void TEffectMotivePanel::takeSource(const TMotive& motive) {
    stopPlayingVariants();
    source_ = motive;
    hasSource_ = true;
    setNoteText({});
    for (int i = 0; i < VARIANT_COUNT; ++i)
        canvas(i)->clearHistory();
}

void TEffectMotivePanel::showVariants(const TMotives& variants) {
    if (variants.empty()) {
        setNoteText(bundleText("no variants"));
        return;
    }
    for (int i = 0; i < VARIANT_COUNT && i < static_cast<int>(variants.size()); ++i) {
        TMotive& target = variant(i);
        target = variants[static_cast<std::size_t>(i)];
        target.notifyChanged();
    }
}

void TEffectMotivePanel::saveVariantVersions() {
    for (int i = 0; i < VARIANT_COUNT; ++i)
        canvas(i)->saveVersion();
}

void TEffectMotivePanel::setMeter(const TMeasure& measure, const TKey& key, int upbeat) {
    stopPlayingVariants();
    const auto zatakt = static_cast<std::int16_t>(upbeat);
    const TMotive empty(key, measure, zatakt);
    const TMotive& before = variant(0);
    const bool newWidth = TCanvasGeometry(before.measure(), before.zatakt()).canvasWidth() !=
                              TCanvasGeometry(measure, zatakt).canvasWidth() ||
                          before.zatakt() != zatakt || !(before.measure() == measure);
    source_ = empty;
    hasSource_ = false;
    setNoteText({});
    for (int i = 0; i < VARIANT_COUNT; ++i) {
        variant(i) = empty;
        if (newWidth)
            slot(i)->rebuildCanvas();
        else
            canvas(i)->clearHistory();
    }
    if (newWidth)
        layoutContent();
}

void TEffectMotivePanel::hideEvent(QHideEvent* event) {
    stopPlayingVariants();
    TMotivePanelBase::hideEvent(event);
}

void TEffectMotivePanel::resizeEvent(QResizeEvent* event) {
    scroller_->setGeometry(rect());
    if (slot(0) != nullptr)
        layoutContent();
    TMotivePanelBase::resizeEvent(event);
}
