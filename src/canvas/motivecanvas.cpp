#include "canvas/motivecanvas.h"

#include "canvas/canvascursors.h"
#include "canvas/umotiveinterface.h"
#include "playback/midibackend.h"
#include "playback/motiveplayer.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

const QColor staffBackground(Qt::white);
const QColor edgeDark(0x80, 0x80, 0x80);
const QColor stripBackground(0xD4, 0xD0, 0xC8); // 0xC8D0D4 as 0x00BBGGRR
const QColor chordBoxColour(0xF0, 0xF0, 0xE8);
const QColor highlightColour(0xD0, 0x20, 0x20);

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
    detachFromPlayer();
    if (motive_.listener() == this)
        motive_.setListener(nullptr);
}

void TMotiveCanvas::detachFromPlayer() {
    // The player's queued events name this canvas as listener: a canvas that goes while its
    // motive plays must not be called from the timer afterwards.
    if (player_ && player_->isPlaying())
        player_->detachListeners();
}

void TMotiveCanvas::motiveChanged() {
    update();
}

void TMotiveCanvas::noteStartedHook(int, int) {}
void TMotiveCanvas::noteStoppedHook(int, int) {}

void TMotiveCanvas::TPlayerListener::noteStarted(int motiveId, int noteIndex) {
    canvas_.noteStartedHook(motiveId, noteIndex);
}

void TMotiveCanvas::TPlayerListener::noteStopped(int motiveId, int noteIndex) {
    canvas_.noteStoppedHook(motiveId, noteIndex);
}

void TMotiveCanvas::TPlayerListener::motiveStarted() {
    if (TMotivePlayerListener* listener = canvas_.playListener_.load())
        listener->motiveStarted();
}

void TMotiveCanvas::TPlayerListener::motiveFinished() {
    if (TMotivePlayerListener* listener = canvas_.playListener_.load())
        listener->motiveFinished();
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

void TMotiveCanvas::drawMotivePicture(QPainter& painter) const {
    const int w = width();
    const QRect staff(0, 0, w, TCanvasGeometry::STAFF_BOTTOM + 1);
    painter.fillRect(staff, staffBackground);
    painter.setPen(Qt::white);
    painter.drawLine(staff.topLeft(), staff.topRight());
    painter.drawLine(staff.topLeft(), staff.bottomLeft());
    painter.setPen(edgeDark);
    painter.drawLine(staff.bottomLeft(), staff.bottomRight());
    painter.drawLine(staff.topRight(), staff.bottomRight());

    painter.setPen(Qt::black);
    for (int y = 30; y <= 70; y += 10)
        painter.drawLine(4, y, w - 5, y);
    for (int y = 90; y <= 130; y += 10)
        painter.drawLine(4, y, w - 5, y);
    if (motive_.zatakt() > 0) {
        const int bar = geometry_.firstWidth() + 2;
        painter.drawLine(bar, 30, bar, 130);
    }
    painter.drawLine(w - 5, 30, w - 5, 130);

    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const TNote& note : motive_.notes()) {
        if (note.pitch() < 0 || note.isRest())
            continue;
        const int x = geometry_.timeToX(note.time());
        const int y = TCanvasGeometry::pitchToY(note.pitch());
        const QColor colour = note.highlighted() ? highlightColour : QColor(Qt::black);
        painter.setPen(colour);
        painter.setBrush(note.duration() >= 240 ? QBrush(Qt::NoBrush) : QBrush(colour));
        painter.drawEllipse(QPointF(x, y), 5.0, 4.0);
        if (y == 80) // middle C
            painter.drawLine(x - 8, y, x + 8, y);
        for (int ledger = 20; ledger >= y; ledger -= 10)
            painter.drawLine(x - 8, ledger, x + 8, ledger);
        for (int ledger = 140; ledger <= y; ledger += 10)
            painter.drawLine(x - 8, ledger, x + 8, ledger);
        const bool up = y > (y < 80 ? 50 : 110);
        painter.drawLine(x + (up ? 5 : -5), y, x + (up ? 5 : -5), y + (up ? -28 : 28));
    }
    painter.setRenderHint(QPainter::Antialiasing, false);

    const QRect strip(0, TCanvasGeometry::CHORD_STRIP_TOP, w,
                      TCanvasGeometry::HEIGHT - TCanvasGeometry::CHORD_STRIP_TOP);
    painter.fillRect(strip, stripBackground);
    const int boxWidth = motive_.measureCount() == 2 ? geometry_.firstWidth() : w;
    int index = 0;
    for (const TChord& chord : motive_.chords()) {
        const int left = index == 0 ? 0 : geometry_.firstWidth();
        const int right = index == 0 ? boxWidth : w;
        const QRect box(left + 2, TCanvasGeometry::CHORD_BOX_TOP, right - left - 4, 21);
        painter.fillRect(box, chordBoxColour);
        painter.setPen(edgeDark);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.setPen(Qt::black);
        painter.drawText(box, Qt::AlignCenter, QString::fromStdString(chord.name()));
        ++index;
    }
}
