#pragma once

#include "canvas/canvaslisteners.h"
#include "engine/schemelistener.h"
#include "widgets/buttons.h"

#include <QWidget>

#include <array>
#include <vector>

class QMimeData;
class TBaseService;
class TDeleter;
class TDragged;
class TGatherer;
class TGroup;
class TGroupButton;
class THintPanel;
class TModeChooser;
class TMotive;
class TScheme;

// One half of the scheme panel: the workbench of the rhythm scheme or of the pitch scheme. A
// mode chooser, a row of items to drag, a gatherer that shows and edits the scheme, a deleter,
// the Motive for Contrast figure with its show button, fifteen category buttons (five columns
// of three) and a row of five scheme buttons that run the scheme commands. It mirrors every
// change of its half of the scheme. Interface thread only.
class TCommonSet : public QWidget,
                   public TButtonListener,
                   public TSchemeListener,
                   public TButtonReleasedListener,
                   public TTurnAndRhythmSelectionListener {
    Q_OBJECT
public:
    static constexpr int COMMAND_COUNT = 20;
    static constexpr int CLEAR_POSITION = 3;
    static constexpr int DEFAULT_POSITION = 7;

    ~TCommonSet() override;

    // TButtonListener: the mode chooser, a command button or the show button.
    void buttonPressed(QWidget* button) override;
    // TSchemeListener
    void schemeChanged() override;
    void schemeModeChanged() override;
    // TButtonReleasedListener
    void buttonReleased(QWidget* button) override;

    // The gatherer takes the motive's scheme; the chooser follows.
    void setMotive(const TMotive& motive);
    // Runs the command of this half as a click on its button does: a contrast command leaves
    // the category it generated lit.
    void pressCommand(int command);
    // No category button shows pressed.
    void releasePressed();
    void refreshContrastFigure();
    // The Motive for Contrast of this half (the scheme's own motive).
    virtual TMotive& contrastMotive() = 0;
    // Whether this half's scheme is used in order.
    virtual bool inOrder() const = 0;
    // Places every control for the present size.
    virtual void layOutBody();

    TGatherer* gatherer() const { return gatherer_; }
    TModeChooser* modeChooser() const { return chooser_; }
    TDeleter* deleter() const { return deleter_; }
    THintPanel* contrastFigure() const { return figure_; }
    TRealButton* showButton() const { return showButton_; }
    // The command button at position 0..19 (its id is the first command of the half plus the
    // position), or null.
    TFlatButtonWithID* commandButton(int position) const;
    // The command button with that command id, or null.
    TFlatButtonWithID* buttonOfCommand(int id) const;
    // The category button shown pressed, or null.
    TFlatButtonWithID* pressedButton() const { return pressed_; }
    // The items to drag into the gatherer, in row order, and their handles.
    const std::vector<TGroupButton*>& items() const { return items_; }
    const std::vector<TDragged*>& itemHandles() const { return itemHandles_; }
    TGroup& itemGroup() { return *itemGroup_; }

protected:
    // `firstCommand` is 0 for the rhythm half and 20 for the pitch half.
    TCommonSet(QWidget* owner, TBaseService& service, TScheme& scheme, int firstCommand);

    // Builds the widgets; the leaves call it once their gatherer exists.
    void build(TGatherer* gatherer);
    // Adds an item of the row with its handle (hidden ones stay out of the row's layout).
    void addItem(TGroupButton* item, bool visible);
    // Places the items of the row that are shown, from x 6 at y 68; returns the row's width.
    int layOutItemRow();
    // Where the row ends on the right; what stands right of the row and the gatherer starts
    // there.
    int itemRowRight() const { return itemRowRight_; }
    void resizeEvent(QResizeEvent* event) override;

    TBaseService& service_;
    TScheme& scheme_;

private:
    void placeCommandButtons(int left);
    void runCommand(TFlatButtonWithID* button);
    bool acceptsContrastDrop(const QMimeData* data) const;
    bool eventFilter(QObject* watched, QEvent* event) override;

    int firstCommand_;
    TGatherer* gatherer_ = nullptr;
    TModeChooser* chooser_ = nullptr;
    TDeleter* deleter_ = nullptr;
    THintPanel* figure_ = nullptr;
    TRealButton* showButton_ = nullptr;
    TFlatButtonWithID* pressed_ = nullptr;
    // The button whose press showed `pressed_`: its own release leaves the light on.
    QWidget* pressedBy_ = nullptr;
    std::array<TFlatButtonWithID*, COMMAND_COUNT> buttons_{};
    TFlatGroup* flatGroup_;
    TGroup* itemGroup_;
    std::vector<TGroupButton*> items_;
    std::vector<TDragged*> itemHandles_;
    int itemRowRight_ = 0;
};
