#include "strip/periodpanelcells.h"

#include "canvas/baseservice.h"
#include "canvas/canvascursors.h"
#include "canvas/umotivecanvas.h"
#include "files/messagebundle.h"
#include "model/glyphatlas.h"
#include "notation/basepainter.h"
#include "widgets/dragged.h"
#include "widgets/drawing.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

constexpr std::uint32_t PLAYING_FILL = 0xEEC580;
constexpr std::uint32_t SELECTED_FILL = 0xFFA0C0;
constexpr std::uint32_t UNSELECTED_MARK = 0xB1B1B1;
constexpr std::uint32_t EDGE_DARK = 0x808080;
constexpr std::uint32_t LEVEL_COLOURS[] = {0x9393FD, 0x9DE4F7, 0x96F5DE};

void drawGlyphAt(QPainter& painter, const TRect& glyph, int x, int y) {
    drawGlyphCentred(painter, glyph, QRect(x, y, glyph.width(), glyph.height()), true);
}

} // namespace

TPlayPanel::TPlayPanel(QWidget* parent, TButtonListener* listener)
    : TKeyboardButton(parent), listener_(listener) {
    setCursor(canvasCursor(CURSOR_PLAY));
    connect(this, &QAbstractButton::pressed, this, [this] {
        if (listener_)
            listener_->buttonPressed(this);
    });
}

void TPlayPanel::setPlaying(bool playing) {
    if (playing == playing_)
        return;
    playing_ = playing;
    update();
}

void TPlayPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool lit = isDown() || playing_;
    painter.fillRect(rect(), colourOf(lit ? PLAYING_FILL : BACKGROUND_COLOUR));
    if (lit) {
        painter.setPen(Qt::white);
        painter.drawRect(QRect(QPoint(1, 2), QPoint(width() - 2, height() - 3)));
    }
    const TRect glyph = glyphRect(lit ? TGlyph::PlayActive : TGlyph::Play);
    drawGlyphAt(painter, glyph, (width() - glyph.width()) / 2, 4);
    painter.setPen(colourOf(EDGE_DARK));
    painter.drawLine(0, 0, width() - 1, 0);
    painter.drawLine(0, height() - 1, width() - 1, height() - 1);
    drawFocusMark(painter, rect());
}

TSelectionPanel::TSelectionPanel(QWidget* parent, TButtonListener* listener)
    : TKeyboardButton(parent), listener_(listener) {
    setCursor(canvasCursor(CURSOR_MSELECT));
    connect(this, &QAbstractButton::pressed, this, [this] {
        if (listener_)
            listener_->buttonPressed(this);
    });
}

void TSelectionPanel::setSelected(bool selected) {
    if (selected == selected_)
        return;
    selected_ = selected;
    update();
}

void TSelectionPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), colourOf(selected_ ? SELECTED_FILL : BACKGROUND_COLOUR));
    if (selected_) {
        painter.setPen(Qt::white);
        painter.drawRect(QRect(QPoint(1, 1), QPoint(width() - 2, height() - 2)));
    }
    painter.setPen(selected_ ? QColor(Qt::white) : colourOf(UNSELECTED_MARK));
    painter.drawRect((width() - 40) / 2, (height() - 8) / 2, 39, 7);
    drawFocusMark(painter, rect());
}

TColoredBox::TColoredBox(QWidget* parent, int level, int labelCode)
    : QWidget(parent), level_(level), labelCode_(labelCode) {}

void TColoredBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), colourOf(LEVEL_COLOURS[std::clamp(level_, 0, 2)]));
    painter.setPen(Qt::white);
    painter.drawLine(0, 0, width() - 1, 0);
    painter.drawLine(0, 0, 0, height() - 1);
    painter.setPen(colourOf(EDGE_DARK));
    painter.drawLine(0, height() - 1, width() - 1, height() - 1);
    painter.drawLine(width() - 1, 0, width() - 1, height() - 1);
    const TRect level = levelGlyph(level_);
    drawGlyphAt(painter, level, 2, 2);
    if (labelCode_ != 0)
        drawGlyphAt(painter, labelGlyph(labelCode_), level.width() + 3, 2);
}

TColoredBoxSet::TColoredBoxSet(QWidget* parent, int level, int labelCode, TButtonListener* listener)
    : QWidget(parent), listener_(listener), playPanel_(new TPlayPanel(this, this)),
      box_(new TColoredBox(this, level, labelCode)) {
    setFixedSize(WIDTH, TPlayPanel::HEIGHT + TSelectionPanel::HEIGHT + TCanvasGeometry::HEIGHT);
    playPanel_->setGeometry(0, 0, WIDTH, TPlayPanel::HEIGHT);
    box_->setGeometry(0, TPlayPanel::HEIGHT + TSelectionPanel::HEIGHT, WIDTH,
                      TCanvasGeometry::CHORD_STRIP_TOP);
}

void TColoredBoxSet::buttonPressed(QWidget*) {
    if (listener_)
        listener_->buttonPressed(this);
}

TKeyBox::TKeyBox(QWidget* parent, const TKey& key, const TMeasure& measure)
    : QWidget(parent), key_(key), measure_(measure) {
    setFixedSize(headerWidth(key, measure) + 2, TCanvasGeometry::CHORD_STRIP_TOP);
}

void TKeyBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    // The header is drawn on its own picture and copied one row lower.
    const int pictureWidth = width() - 2;
    QImage picture = pictureFor(painter.device(), pictureWidth, TCanvasGeometry::STAFF_BOTTOM - 1);
    {
        QPainter picturePainter(&picture);
        const QImage& glyphs = canvasGlyphSheet();
        TBasePainter header(picturePainter, glyphs, picture.width(), picture.height());
        header.drawHeader(key_, measure_);
    }
    painter.drawImage(QPoint(1, 1), picture);
    painter.setPen(Qt::white);
    painter.drawLine(0, 0, width() - 1, 0);
    painter.drawLine(0, 0, 0, height() - 1);
    painter.setPen(colourOf(EDGE_DARK));
    painter.drawLine(0, height() - 1, width() - 1, height() - 1);
    painter.drawLine(width() - 1, 0, width() - 1, height() - 1);
}

TUMotiveSet::TUMotiveSet(QWidget* parent, TCanvasService& service, TMotive& motive, int canvasId,
                         int group, TButtonListener* selectionListener,
                         TUMotiveListener* motiveListener)
    : QWidget(parent), service_(service), playPanel_(new TPlayPanel(this, this)),
      selectionPanel_(new TSelectionPanel(this, this)),
      canvas_(new TUMotiveCanvas(this, service, motive)), group_(group),
      selectionListener_(selectionListener), motiveListener_(motiveListener) {
    dragged_ = new TDragged(this, canvas_);
    const int top = TPlayPanel::HEIGHT + TSelectionPanel::HEIGHT;
    const int width = TDragged::WIDTH + canvas_->width();
    setFixedSize(width, top + TCanvasGeometry::HEIGHT);
    playPanel_->setGeometry(0, 0, width, TPlayPanel::HEIGHT);
    selectionPanel_->setGeometry(0, TPlayPanel::HEIGHT, width, TSelectionPanel::HEIGHT);
    dragged_->setGeometry(0, top, TDragged::WIDTH, TCanvasGeometry::CHORD_STRIP_TOP);
    canvas_->move(TDragged::WIDTH, top);
    canvas_->setCanvasId(canvasId);
    canvas_->enableDrop(true);
    canvas_->addCanvasListener(this);
    const TMessageBundle& bundle = service.messageBundle();
    playPanel_->setHint(QString::fromStdString(bundle.text("play motive")));
    selectionPanel_->setHint(QString::fromStdString(bundle.text("select motive")));
    playPanel_->installEventFilter(this);
    selectionPanel_->installEventFilter(this);
}

TUMotiveSet::~TUMotiveSet() = default;

void TUMotiveSet::buttonPressed(QWidget* button) {
    if (button == playPanel_) {
        canvas_->playMotive();
    } else if (button == selectionPanel_) {
        selectionPanel_->setSelected(!selectionPanel_->isSelected());
        if (selectionListener_)
            selectionListener_->buttonPressed(selectionPanel_->isSelected() ? this : nullptr);
    }
}

void TUMotiveSet::motiveEditStarted(TUMotiveCanvas*) {
    selectionPanel_->setSelected(true);
    if (selectionListener_)
        selectionListener_->buttonPressed(this);
}

void TUMotiveSet::select() {
    if (!selectionPanel_->isSelected())
        buttonPressed(selectionPanel_);
}

bool TUMotiveSet::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() != Qt::NoModifier && key->modifiers() != Qt::KeypadModifier)
        return false;
    switch (key->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (motiveListener_)
            motiveListener_->stepSelection(this, key->key() == Qt::Key_Left ? -1 : 1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (watched != selectionPanel_)
            return false;
        if (!key->isAutoRepeat()) {
            select();
            canvas_->playMotive();
        }
        return true;
    default:
        return false;
    }
}

void TUMotiveSet::pointerMoved(TUMotiveCanvas* canvas) {
    if (motiveListener_)
        motiveListener_->canvasPointerMoved(canvas);
}
