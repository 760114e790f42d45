#pragma once

#include "model/rect.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QPointer>
#include <QWidget>

#include <vector>

class QAction;
class QPainter;

// Told when a button is pressed (a push button: released again).
class TButtonListener {
public:
    virtual ~TButtonListener() = default;
    virtual void buttonPressed(QWidget* button) = 0;
};

// Told when a flat button is released.
class TButtonReleasedListener {
public:
    virtual ~TButtonReleasedListener() = default;
    virtual void buttonReleased(QWidget* button) = 0;
};

// Fills `area` with the common background and a bevel: the raised or the sunken box of the
// drawing primitives.
void drawBevel(QPainter& painter, const QRect& area, bool sunken);
// Fills `area` with the common background, no edge.
void drawFlatFill(QPainter& painter, const QRect& area);
// Copies a glyph of the sheet centred into `area`; transparent leaves out the glyph's
// background colour (the colour of its lower left pixel).
void drawGlyphCentred(QPainter& painter, const TRect& glyph, const QRect& area, bool transparent);

// A button that paints itself and works from the keyboard as every button should: it takes the
// focus, Enter and Return activate it at once (Space as well, unless a shortcut of the window
// takes Space), and it draws a dotted focus mark. Its hint is both the tooltip and the name a
// screen reader announces.
class TKeyboardButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit TKeyboardButton(QWidget* owner);
    void setHint(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Keeps a window-wide use of Enter from taking the key away from a focused button.
    bool event(QEvent* event) override;
    // Every button stays on the Tab chain, also the ones of a group that are not down.
    void focusInEvent(QFocusEvent* event) override;
    // The dotted mark one pixel inside `area` while the button has the keyboard focus.
    void drawFocusMark(QPainter& painter, const QRect& area) const;
};

// A push or radio button drawn from glyphs: a bevelled face, sunken while pressed, with the
// glyph centred. A push button tells its listener when it is released; a sticky button stays
// down after release until its owner releases it.
class TRealButton : public TKeyboardButton {
    Q_OBJECT
public:
    // Glyph modes: opaque, transparent; any other value draws no glyph.
    static constexpr int GLYPH_OPAQUE = 0;
    static constexpr int GLYPH_TRANSPARENT = 1;
    static constexpr int GLYPH_NONE = 2;

    TRealButton(QWidget* owner, const TRect& glyph, bool sticky, int glyphMode);
    TRealButton(QWidget* owner, const TRect& enabledGlyph, const TRect& disabledGlyph, bool sticky,
                int glyphMode);

    void setListener(TButtonListener* listener) { listener_ = listener; }
    // Repaints when the button is on a parent. A sticky button is down until released here.
    void setPressed(bool pressed);
    bool isPressed() const { return isDown() || isChecked(); }
    bool isSticky() const { return sticky_; }
    // Paints the button at its own size at (x, y), for controls that draw their small buttons
    // themselves.
    void draw(QPainter& painter, int x, int y, bool enabled) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    // A click never lifts a sticky button.
    void nextCheckState() override;

private:
    TRect enabledGlyph_;
    TRect disabledGlyph_;
    TButtonListener* listener_ = nullptr;
    bool sticky_ = false;
    int glyphMode_ = GLYPH_OPAQUE;
};

class TFlatButton;

// Flat buttons that share the hot state: only one of them is raised at a time. The buttons
// are also the members of a QButtonGroup, which numbers them by their ids.
class TFlatGroup : public QButtonGroup {
    Q_OBJECT
public:
    explicit TFlatGroup(QObject* owner = nullptr) : QButtonGroup(owner) { setExclusive(false); }
    void add(TFlatButton* button, int id = -1);
    void remove(TFlatButton* button);
    // Every button but `hot` stops being hot.
    void makeHot(TFlatButton* hot);
    std::vector<TFlatButton*> flatButtons() const;
};

// A tool button: flat until the pointer passes over it, then raised (hot) until another button
// of its group becomes hot; sunken while pressed. Its press runs its action, when it has one,
// and tells its press listener; it is enabled while its action is.
class TFlatButton : public TKeyboardButton {
    Q_OBJECT
public:
    TFlatButton(QWidget* owner, TFlatGroup* group, const TRect& enabledGlyph,
                const TRect& disabledGlyph);
    ~TFlatButton() override;

    void setListeners(TButtonListener* pressed, TButtonReleasedListener* released);
    // The command that a press runs; the button follows its enabled state.
    void setAction(QAction* action);
    QAction* action() const { return action_; }
    void setPressed(bool pressed) { setDown(pressed); }
    bool isPressed() const { return isDown(); }
    bool isHot() const { return hot_; }
    void resetHot();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

private:
    void becomeHot();
    void onPressed();
    void onReleased();

    QPointer<TFlatGroup> group_;
    TRect enabledGlyph_;
    TRect disabledGlyph_;
    QPointer<QAction> action_;
    TButtonListener* pressListener_ = nullptr;
    TButtonReleasedListener* releaseListener_ = nullptr;
    bool hot_ = false;
};

// A flat button that carries a number, so that one listener can serve a row of them.
class TFlatButtonWithID : public TFlatButton {
    Q_OBJECT
public:
    TFlatButtonWithID(QWidget* owner, TFlatGroup* group, const TRect& enabledGlyph,
                      const TRect& disabledGlyph, int id)
        : TFlatButton(owner, group, enabledGlyph, disabledGlyph), id_(id) {
        if (group != nullptr)
            group->setId(this, id);
    }

    int id() const { return id_; }

private:
    int id_;
};
