#include "canvas/motivecanvas.h"

#include "canvas/canvascursors.h"
#include "canvas/umotiveinterface.h"
#include "notation/notepainter.h"
#include "playback/midibackend.h"
#include "playback/motiveplayer.h"
#include "widgets/drawing.h"
#include "widgets/resources.h"

#include <QMouseEvent>
#include <QPainter>

#include <stdexcept>

namespace {

const QColor staffBackground(Qt::white);
const QColor edgeDark(0x80, 0x80, 0x80);
const QColor stripBackground = colourOf(BACKGROUND_COLOUR);
// Height of a measure picture of the note painter.
constexpr int PICTURE_HEIGHT = 151;

} // namespace

TMotiveCanvas::TMotiveCanvas(QWidget* parent, TMotive& motive, TMotivePlayer* player)
    : QWidget(parent), motive_(motive), player_(player),
      geometry_(motive.measure(), motive.zatakt()) {
    setFixedSize(geometry_.canvasWidth(), TCanvasGeometry::HEIGHT);
    motive_.setListener(this);
    if (player_)
        setCursor(canvasCursor(CURSOR_PLAY));
}

TMotiveCanvas::~TMotiveCanvas() {
    if (!motiveReleased_ && motive_.listener() == this)
        motive_.setListener(nullptr);
}

void TMotiveCanvas::releaseMotive() {
    motiveReleased_ = true;
    hide();
}

void TMotiveCanvas::motiveChanged() {
    update();
    emit motiveEdited();
}

void TMotiveCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    draw(painter);
}

void TMotiveCanvas::draw(QPainter& painter) {
    drawMotivePicture(painter);
}

void TMotiveCanvas::mousePressEvent(QMouseEvent* event) {
    if (!player_ || event->button() != Qt::LeftButton)
        return;
    try {
        player_->play(motive_, playerListener());
    } catch (const TMidiError&) {
        // No timer, no sound: the display canvas has nowhere to say so.
    }
}

const QImage& canvasGlyphSheet() {
    static const QImage none;
    try {
        return TResourceFactory::shared().glyphSheet();
    } catch (const std::runtime_error&) {
        return none;
    }
}

void TMotiveCanvas::drawMotivePicture(QPainter& painter) const {
    const int w = width();
    const QRect staff(0, 0, w, TCanvasGeometry::STAFF_BOTTOM + 1);
    painter.fillRect(staff, staffBackground);

    // One measure picture per measure segment, copied one row down; of the upbeat's measure
    // only the part from the upbeat on.
    const QImage& glyphs = canvasGlyphSheet();
    const int pictureWidth = geometry_.measureWidth();
    for (const TMeasurePicture& measure : geometry_.measurePictures()) {
        QImage image = pictureFor(painter.device(), pictureWidth, PICTURE_HEIGHT);
        {
            QPainter imagePainter(&image);
            TNotePainter notePainter(imagePainter, glyphs, pictureWidth, PICTURE_HEIGHT);
            notePainter.drawMeasurePicture(motive_.notes(), measure.start, measure.end,
                                           motive_.measure(), motive_.key(), measure.leadingGap);
        }
        const qreal ratio = image.devicePixelRatio();
        const QRect shown(measure.left, 0, pictureWidth - measure.left, PICTURE_HEIGHT);
        painter.drawImage(
            QRect(QPoint(measure.at, 1), shown.size()), image,
            QRectF(shown.x() * ratio, 0, shown.width() * ratio, shown.height() * ratio));
    }

    painter.setPen(Qt::white);
    painter.drawLine(staff.topLeft(), staff.topRight());
    painter.drawLine(staff.topLeft(), staff.bottomLeft());
    painter.setPen(edgeDark);
    painter.drawLine(staff.bottomLeft(), staff.bottomRight());
    painter.drawLine(staff.topRight(), staff.bottomRight());

    const QRect strip(0, TCanvasGeometry::CHORD_STRIP_TOP, w,
                      TCanvasGeometry::HEIGHT - TCanvasGeometry::CHORD_STRIP_TOP);
    painter.fillRect(strip, stripBackground);
    TBasePainter chordPainter(painter, glyphs, w, TCanvasGeometry::HEIGHT);
    int index = 0;
    for (const TChord& chord : motive_.chords()) {
        chordPainter.drawChordBox(chord, index == 0 ? 0 : geometry_.firstWidth(),
                                  TCanvasGeometry::CHORD_BOX_TOP);
        ++index;
    }
}
