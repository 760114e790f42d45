#include "canvas/periodpanel.h"

#include "canvas/baseservice.h"
#include "canvas/messagewindow.h"
#include "canvas/umotivecanvas.h"
#include "engine/contextmotive.h"
#include "model/period.h"
#include "playback/midibackend.h"
#include "playback/motiveplayer.h"

#include <QScrollBar>

#include <algorithm>

namespace {

constexpr int SCROLL_BAR_GAP = 10;
constexpr int SCROLL_BAR_HEIGHT = 16;

void collectPreorder(TBaseViewNode& node, std::vector<TBaseViewNode*>& out) {
    out.push_back(&node);
    for (TBaseViewNode* child : node.children())
        collectPreorder(*child, out);
}

} // namespace

std::vector<TBaseViewNode*> TGroupView::children() const {
    std::vector<TBaseViewNode*> nodes;
    for (const auto& child : children_)
        nodes.push_back(child.get());
    return nodes;
}

TPeriodPanel::TPeriodPanel(QWidget* parent, int visibleWidth, TBaseService& service,
                           TPeriodData& period)
    : QWidget(parent), service_(service), strip_(new QWidget(this)),
      scrollBar_(new QScrollBar(Qt::Horizontal, this)) {
    setFixedSize(visibleWidth, HEIGHT);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0xD4, 0xD0, 0xC8));
    setPalette(palette);
    build(period);
    scrollBar_->setGeometry(0, STRIP_HEIGHT + SCROLL_BAR_GAP, visibleWidth, SCROLL_BAR_HEIGHT);
    scrollBar_->setSingleStep(5);
    scrollBar_->setPageStep(50);
    // Scrolling stops where the strip's end reaches the right edge.
    scrollBar_->setRange(0, std::max(0, strip_->width() - visibleWidth));
    connect(scrollBar_, &QScrollBar::valueChanged, this, &TPeriodPanel::onScroll);
}

TPeriodPanel::~TPeriodPanel() = default;

void TPeriodPanel::build(TPeriodData& period) {
    int x = 0;
    auto place = [&](QWidget* widget, int top) {
        widget->move(x, top);
        x += widget->width();
    };
    const int cellTop = TPlayPanel::HEIGHT + TSelectionPanel::HEIGHT;
    auto* keyBox = new TKeyBox(strip_, period.key(), period.measure());
    place(keyBox, cellTop);
    auto* periodColumn = new TColoredBoxSet(strip_, 0, 0, this);
    place(periodColumn, 0);
    view_ = std::make_unique<TPeriodView>(periodColumn, keyBox);

    int canvasId = FIRST_CELL_CANVAS_ID;
    int sentenceIndex = 0;
    for (TSentenceData& sentence : period.sentences()) {
        const int label = sentenceIndex % 4 + 1;
        auto* sentenceColumn = new TColoredBoxSet(strip_, 1, label, this);
        place(sentenceColumn, 0);
        auto sentenceView = std::make_unique<TSentenceView>(sentenceColumn);
        for (TPhraseData& phrase : sentence.phrases()) {
            auto* phraseColumn = new TColoredBoxSet(strip_, 2, phrase.suffix(), this);
            place(phraseColumn, 0);
            auto phraseView = std::make_unique<TPhraseView>(phraseColumn);
            for (TMotive& motive : phrase.motives()) {
                auto* cell =
                    new TUMotiveSet(strip_, service_, motive, canvasId++, label, this, this);
                place(cell, 0);
                phraseView->addCell(cell);
                cells_.push_back(cell);
            }
            sentenceView->addChild(std::move(phraseView));
        }
        view_->addChild(std::move(sentenceView));
        ++sentenceIndex;
    }
    strip_->setGeometry(0, 0, x, STRIP_HEIGHT);
    collectPreorder(*view_, preorder_);
}

int TPeriodPanel::scrollPosition() const {
    return scrollBar_->value();
}

bool TPeriodPanel::scrollTo(int x) {
    const int before = scrollBar_->value();
    scrollBar_->setValue(x);
    return scrollBar_->value() != before;
}

void TPeriodPanel::onScroll(int position) {
    strip_->move(position > strip_->width() ? 0 : -position, 0);
    if (scroller_)
        scroller_->scrolled();
}

void TPeriodPanel::scrollToNode(int n) {
    int index = 0;
    for (TBaseViewNode* node : preorder_) {
        if (index++ == n) {
            scrollTo(node->column()->x());
            return;
        }
        if (node->isLeaf()) {
            for (TUMotiveSet* cell : node->cells()) {
                if (index++ == n) {
                    scrollTo(cell->x());
                    return;
                }
            }
        }
    }
}

void TPeriodPanel::buttonPressed(QWidget* sender) {
    if (sender == nullptr) {
        selectCell(nullptr);
        return;
    }
    if (auto* cell = qobject_cast<TUMotiveSet*>(sender)) {
        selectCell(cell);
        return;
    }
    for (TBaseViewNode* node : preorder_) {
        if (node->column() == sender) {
            playNode(*node);
            return;
        }
    }
}

void TPeriodPanel::selectCell(TUMotiveSet* cell) {
    selected_ = cell;
    for (TUMotiveSet* other : cells_) {
        if (other != cell)
            other->selectionPanel()->setSelected(false);
    }
}

void TPeriodPanel::modeChosen(int mode) {
    for (TUMotiveSet* cell : cells_)
        cell->canvas()->setMode(mode);
}

void TPeriodPanel::setStartedPlaying(TUMotiveSet* cell) {
    const int left = cell->x() + strip_->x();
    if (left < 0 || left + cell->width() > width())
        scrollTo(cell->x());
}

void TPeriodPanel::canvasPointerMoved(TUMotiveCanvas* canvas) {
    for (TUMotiveSet* cell : cells_) {
        TUMotiveCanvas* other = cell->canvas();
        if (other != canvas && other->modeNumber() == TUMotiveCanvas::MODE_EDIT)
            other->forgetEditPosition();
    }
}

void TPeriodPanel::playNode(const TBaseViewNode& node) {
    try {
        if (node.isLeaf()) {
            for (TUMotiveSet* cell : node.cells())
                service_.motivePlayer().play(cell->canvas()->motive(),
                                             cell->canvas()->playerListener());
            return;
        }
        for (const TBaseViewNode* child : node.children())
            playNode(*child);
    } catch (const TMidiError&) {
        // No timer: nothing sounds, and the strip has nowhere to say so.
    }
}

void TPeriodPanel::playPeriod() {
    playNode(*view_);
}

void TPeriodPanel::playSentence(int n) {
    const auto sentences = view_->children();
    if (n >= 0 && n < static_cast<int>(sentences.size()))
        playNode(*sentences[static_cast<std::size_t>(n)]);
}

void TPeriodPanel::playPhrase(int n) {
    int index = 0;
    for (TBaseViewNode* sentence : view_->children()) {
        for (TBaseViewNode* phrase : sentence->children()) {
            if (index++ == n) {
                playNode(*phrase);
                return;
            }
        }
    }
}

void TPeriodPanel::playMotive(int n) {
    if (n >= 0 && n < motiveCellCount())
        cells_[static_cast<std::size_t>(n)]->canvas()->playMotive();
}

TMotiveAndListenerPair TPeriodPanel::contextMotive(const TMotive& motive) const {
    std::vector<TContextCell> cells;
    for (const TUMotiveSet* cell : cells_)
        cells.push_back({&cell->canvas()->motive(), cell->group(), cell == selected_});
    const TMotiveContext context = ::contextMotive(cells, &motive);
    TMotiveAndListenerPair pair;
    pair.motive = context.motive;
    pair.code = context.code;
    if (context.cell >= 0 && context.cell < motiveCellCount())
        pair.listener = cells_[static_cast<std::size_t>(context.cell)]->canvas()->playerListener();
    return pair;
}

TUMotiveCanvas* TPeriodPanel::canvasById(int canvasId) const {
    const int index = canvasId - FIRST_CELL_CANVAS_ID;
    if (index < 0 || index >= motiveCellCount())
        return nullptr;
    return cells_[static_cast<std::size_t>(index)]->canvas();
}

void TPeriodPanel::motivePlaying(const TUMotiveCanvas& canvas, bool started) {
    const auto found = std::find_if(cells_.begin(), cells_.end(), [&](const TUMotiveSet* cell) {
        return cell->canvas() == &canvas;
    });
    if (found == cells_.end())
        return;
    TUMotiveSet* cell = *found;
    cell->playPanel()->setPlaying(started);
    if (started && !service_.variantWindowBusy())
        setStartedPlaying(cell);
}
