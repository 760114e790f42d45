#pragma once

#include "model/rect.h"

#include <QWidget>

#include <vector>

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

// Edge colours of the bevels of the small controls.
inline constexpr std::uint32_t BEVEL_LIGHT = 0xFFFFFF;
inline constexpr std::uint32_t BEVEL_DARK = 0x808080;

// Fills `area` with the common background and a bevel: light edge on top and left, dark on
// bottom and right; sunken swaps the two.
void drawBevel(QPainter& painter, const QRect& area, bool sunken);
// Fills `area` with the common background, no edge.
void drawFlatFill(QPainter& painter, const QRect& area);
// Copies a glyph of the sheet centred into `area`; transparent leaves out the glyph's
// background colour (the colour of its lower left pixel).
void drawGlyphCentred(QPainter& painter, const TRect& glyph, const QRect& area, bool transparent);

// A push or radio button drawn from glyphs: a bevelled face, sunken while pressed, with the
// glyph centred. A sticky button stays down after release until its owner releases it.
class TRealButton : public QWidget {
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
    // Repaints when the button is on a parent.
    void setPressed(bool pressed);
    bool isPressed() const { return pressed_; }
    bool isSticky() const { return sticky_; }
    // Paints the button at its own size at (x, y), for controls that draw their small buttons
    // themselves.
    void draw(QPainter& painter, int x, int y, bool enabled) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TRect enabledGlyph_;
    TRect disabledGlyph_;
    bool pressed_ = false;
    TButtonListener* listener_ = nullptr;
    bool sticky_ = false;
    int glyphMode_ = GLYPH_OPAQUE;
};

class TFlatButton;

// Flat buttons that share the hot state: only one of them is raised at a time.
class TFlatGroup {
public:
    void add(TFlatButton* button);
    void remove(TFlatButton* button);
    // Every button but `hot` stops being hot.
    void makeHot(TFlatButton* hot);
    const std::vector<TFlatButton*>& buttons() const { return buttons_; }

private:
    std::vector<TFlatButton*> buttons_;
};

// A tool button: flat until the pointer passes over it, then raised (hot) until another button
// of its group becomes hot; sunken while pressed.
class TFlatButton : public QWidget {
    Q_OBJECT
public:
    TFlatButton(QWidget* owner, TFlatGroup* group, const TRect& enabledGlyph,
                const TRect& disabledGlyph);
    ~TFlatButton() override;

    void setListeners(TButtonListener* pressed, TButtonReleasedListener* released);
    void setPressed(bool pressed);
    bool isPressed() const { return pressed_; }
    bool isHot() const { return hot_; }
    void resetHot();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void becomeHot();

    TFlatGroup* group_;
    TRect enabledGlyph_;
    TRect disabledGlyph_;
    TButtonListener* pressListener_ = nullptr;
    TButtonReleasedListener* releaseListener_ = nullptr;
    bool hot_ = false;
    bool pressed_ = false;
};

// A flat button that carries a number, so that one listener can serve a row of them.
class TFlatButtonWithID : public TFlatButton {
    Q_OBJECT
public:
    TFlatButtonWithID(QWidget* owner, TFlatGroup* group, const TRect& enabledGlyph,
                      const TRect& disabledGlyph, int id)
        : TFlatButton(owner, group, enabledGlyph, disabledGlyph), id_(id) {}

    int id() const { return id_; }

private:
    int id_;
};
