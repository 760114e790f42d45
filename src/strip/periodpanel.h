// The period panel: the scrolling strip of the whole period, which selects a motive cell, plays
// parts of the period and tells which motive a motive continues from.
#pragma once

#include "strip/periodpanelcells.h"
#include "strip/periodpanelcontrols.h"
#include "widgets/buttons.h"

#include <QWidget>

#include <memory>
#include <vector>

class QScrollArea;
class TCanvasService;
class TPeriodData;
struct TMotiveAndListenerPair;

// Told after every scroll of the period strip.
class TPeriodPanelScrollerListener {
public:
    virtual ~TPeriodPanelScrollerListener() = default;
    virtual void scrolled() = 0;
};

class TPhraseView : public TBaseViewNode {
public:
    explicit TPhraseView(TColoredBoxSet* column) : column_(column) {}
    TColoredBoxSet* column() const override { return column_; }
    bool isLeaf() const override { return true; }
    const std::vector<TUMotiveSet*>& cells() const override { return cells_; }
    std::vector<TBaseViewNode*> children() const override { return {}; }
    void addCell(TUMotiveSet* cell) { cells_.push_back(cell); }

private:
    TColoredBoxSet* column_;
    std::vector<TUMotiveSet*> cells_;
};

// The sentence and period levels: a column and child views.
class TGroupView : public TBaseViewNode {
public:
    explicit TGroupView(TColoredBoxSet* column) : column_(column) {}
    TColoredBoxSet* column() const override { return column_; }
    bool isLeaf() const override { return false; }
    const std::vector<TUMotiveSet*>& cells() const override { return noCells_; }
    std::vector<TBaseViewNode*> children() const override;
    void addChild(std::unique_ptr<TBaseViewNode> child) { children_.push_back(std::move(child)); }

private:
    TColoredBoxSet* column_;
    std::vector<std::unique_ptr<TBaseViewNode>> children_;
    std::vector<TUMotiveSet*> noCells_;
};

using TSentenceView = TGroupView;

class TPeriodView : public TGroupView {
public:
    TPeriodView(TColoredBoxSet* column, TKeyBox* keyBox) : TGroupView(column), keyBox_(keyBox) {}
    TKeyBox* keyBox() const { return keyBox_; }

private:
    TKeyBox* keyBox_;
};

// The strip of the whole period: key box, a coloured column for the period, every sentence and
// every phrase, and one editing cell per motive, in a scroll area with its bar below. It owns the
// selection of one cell, plays parts of the period, sets the mode of every canvas and answers which
// motive a motive continues from. Rebuilt from scratch when the period's structure changes.
class TPeriodPanel : public QWidget,
                     public TNavigationTreeListener,
                     public TButtonListener,
                     public TButtonGroupPanelListener,
                     public TUMotiveListener {
    Q_OBJECT
public:
    static constexpr int STRIP_HEIGHT = 229;
    static constexpr int HEIGHT = 255;

    TPeriodPanel(QWidget* parent, int visibleWidth, TCanvasService& service, TPeriodData& period);
    ~TPeriodPanel() override;

    bool scrollTo(int x) override;
    void buttonPressed(QWidget* sender) override;
    void modeChosen(int mode) override;
    void setStartedPlaying(TUMotiveSet* cell) override;
    void canvasPointerMoved(TUMotiveCanvas* canvas) override;
    // From the selected cell, or `cell` without one; the new cell comes into view and takes the
    // keyboard focus on its selection strip. The ends of the strip stop it.
    void stepSelection(TUMotiveSet* cell, int step) override;

    // Scrolls to the n-th node of the view tree in pre-order (period 0, first sentence 1, its
    // first phrase 2, that phrase's cells, ...); out of range does nothing.
    void scrollToNode(int n);
    void playPeriod();
    void playSentence(int n);
    // Phrases and motives are counted across the whole strip.
    void playPhrase(int n);
    void playMotive(int n);
    TMotiveAndListenerPair contextMotive(const TMotive& motive) const;

    const std::vector<TUMotiveSet*>& motiveCells() const { return cells_; }
    int motiveCellCount() const { return static_cast<int>(cells_.size()); }
    TUMotiveSet* selectedCell() const { return selected_; }
    // The cell canvas with that id (ids from 48), or null.
    TUMotiveCanvas* canvasById(int canvasId) const;
    // The motive of `canvas` started or finished playing: lights or clears the play strip of
    // its cell (and brings a starting cell into view). A canvas of no cell is ignored.
    void motivePlaying(const TProcessPlayingInterface& canvas, bool started);
    void setScrollerListener(TPeriodPanelScrollerListener* listener) { scroller_ = listener; }
    const TPeriodView& view() const { return *view_; }
    QWidget* strip() const { return strip_; }
    QScrollArea* scrollArea() const { return area_; }
    int scrollPosition() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void build(TPeriodData& period);
    void playNode(const TBaseViewNode& node);
    void selectCell(TUMotiveSet* cell);
    void layOutArea();
    // Scrolls the strip to the cell's left edge unless the whole cell shows.
    void bringIntoView(const TUMotiveSet* cell);

    TCanvasService& service_;
    QScrollArea* area_;
    QWidget* strip_;
    std::unique_ptr<TPeriodView> view_;
    std::vector<TUMotiveSet*> cells_;
    std::vector<TBaseViewNode*> preorder_;
    TUMotiveSet* selected_ = nullptr;
    TPeriodPanelScrollerListener* scroller_ = nullptr;
};
