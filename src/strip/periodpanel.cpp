#include "strip/periodpanel.h"

#include "canvas/baseservice.h"
#include "canvas/messagewindow.h"
#include "canvas/umotivecanvas.h"
#include "engine/contextmotive.h"
#include "files/messagebundle.h"
#include "model/period.h"
#include "playback/midibackend.h"
#include "playback/motiveplayer.h"
#include "widgets/drawing.h"

#include <QCoreApplication>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

namespace {

// The strip's scroll bar moves by 5 pixels a step and 50 a page, however wide the view.
constexpr int SMALL_STEP = 5;
constexpr int PAGE_STEP = 50;

class TStripScrollBar : public QScrollBar {
public:
    TStripScrollBar() : QScrollBar(Qt::Horizontal) { keepSteps(); }

protected:
    // The scroll area sets the page step to the view's width on every resize.
    void sliderChange(SliderChange change) override {
        if (change == SliderStepsChange)
            keepSteps();
        QScrollBar::sliderChange(change);
    }

private:
    void keepSteps() {
        if (singleStep() != SMALL_STEP)
            setSingleStep(SMALL_STEP);
        if (pageStep() != PAGE_STEP)
            setPageStep(PAGE_STEP);
    }
};

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

TPeriodPanel::TPeriodPanel(QWidget* parent, int visibleWidth, TCanvasService& service,
                           TPeriodData& period)
    : QWidget(parent), service_(service), area_(new QScrollArea(this)), strip_(new QWidget) {
    setFixedHeight(HEIGHT);
    resize(visibleWidth, HEIGHT);
    paintBackground(*this);
    build(period);
    area_->setFrameShape(QFrame::NoFrame);
    area_->setFocusPolicy(Qt::NoFocus);
    area_->setHorizontalScrollBar(new TStripScrollBar);
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    area_->setWidget(strip_);
    layOutArea();
    // Scrolling stops where the strip's end reaches the right edge.
    connect(area_->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (scroller_)
            scroller_->scrolled();
    });
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
    const TMessageBundle& bundle = service_.messageBundle();
    auto hint = [&bundle](TColoredBoxSet* column, const char* key) {
        column->playPanel()->setHint(QString::fromStdString(bundle.text(key)));
    };
    auto* periodColumn = new TColoredBoxSet(strip_, 0, 0, this);
    hint(periodColumn, "play period");
    place(periodColumn, 0);
    view_ = std::make_unique<TPeriodView>(periodColumn, keyBox);

    int canvasId = FIRST_CELL_CANVAS_ID;
    int sentenceIndex = 0;
    for (TSentenceData& sentence : period.sentences()) {
        const int label = sentenceIndex % 4 + 1;
        auto* sentenceColumn = new TColoredBoxSet(strip_, 1, label, this);
        hint(sentenceColumn, "play sentence");
        place(sentenceColumn, 0);
        auto sentenceView = std::make_unique<TSentenceView>(sentenceColumn);
        for (TPhraseData& phrase : sentence.phrases()) {
            auto* phraseColumn = new TColoredBoxSet(strip_, 2, phrase.suffix(), this);
            hint(phraseColumn, "play phrase");
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

void TPeriodPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layOutArea();
}

void TPeriodPanel::layOutArea() {
    area_->setGeometry(rect());
    // A hidden area lays out its bar and view only when shown; the range is needed before.
    if (!area_->isVisible()) {
        QResizeEvent resized(area_->size(), area_->size());
        QCoreApplication::sendEvent(area_, &resized);
    }
    QEvent rangeRequest(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(area_, &rangeRequest);
}

int TPeriodPanel::scrollPosition() const {
    return area_->horizontalScrollBar()->value();
}

bool TPeriodPanel::scrollTo(int x) {
    QScrollBar* bar = area_->horizontalScrollBar();
    const int before = bar->value();
    bar->setValue(x);
    return bar->value() != before;
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
    bringIntoView(cell);
}

void TPeriodPanel::bringIntoView(const TUMotiveSet* cell) {
    const int left = cell->x() + strip_->x();
    if (left < 0 || left + cell->width() > width())
        scrollTo(cell->x());
}

void TPeriodPanel::stepSelection(TUMotiveSet* cell, int step) {
    const TUMotiveSet* from = selected_ != nullptr ? selected_ : cell;
    const auto found = std::find(cells_.begin(), cells_.end(), from);
    if (found == cells_.end())
        return;
    const auto index = std::clamp<std::ptrdiff_t>(found - cells_.begin() + step, 0,
                                                  std::ptrdiff_t(cells_.size()) - 1);
    TUMotiveSet* target = cells_[std::size_t(index)];
    target->select();
    bringIntoView(target);
    target->selectionPanel()->setFocus(Qt::OtherFocusReason);
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

void TPeriodPanel::motivePlaying(const TProcessPlayingInterface& canvas, bool started) {
    const auto found = std::find_if(cells_.begin(), cells_.end(), [&](const TUMotiveSet* cell) {
        return static_cast<const TProcessPlayingInterface*>(cell->canvas()) == &canvas;
    });
    if (found == cells_.end())
        return;
    TUMotiveSet* cell = *found;
    cell->playPanel()->setPlaying(started);
    if (started && !service_.variantWindowBusy())
        setStartedPlaying(cell);
}
