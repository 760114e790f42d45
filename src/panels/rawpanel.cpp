#include "panels/rawpanel.h"

#include "canvas/umotivecanvas.h"
#include "model/canvasgeometry.h"
#include "widgets/dragged.h"

TRawPanel::TRawPanel(QWidget* parent, TBaseService& service, TMotive& variant, int mode,
                     TUMotiveCanvasListener* listener, const QString& hint)
    : QWidget(parent), service_(service), variant_(variant), mode_(mode), listener_(listener),
      hint_(hint), handle_(new TDragged(this, nullptr)) {
    handle_->setGeometry(0, 0, TDragged::WIDTH, TCanvasGeometry::HEIGHT);
    handle_->setToolTip(hint);
    buildCanvas(0);
}

void TRawPanel::rebuildCanvas() {
    const int id = canvas_->canvasId();
    delete canvas_;
    canvas_ = nullptr;
    buildCanvas(id);
}

void TRawPanel::buildCanvas(int id) {
    canvas_ = new TUMotiveCanvas(this, service_, variant_);
    canvas_->move(TDragged::WIDTH, 0);
    canvas_->setCanvasId(id);
    canvas_->setShowFastMenuButton(false);
    canvas_->selectMode(mode_);
    // Chords in the slot's mode, then notes over them, as on a motive of the period.
    canvas_->setStaffChoosesNotes(true);
    canvas_->setToolTip(hint_);
    if (listener_ != nullptr)
        canvas_->addCanvasListener(listener_);
    handle_->setSource(canvas_);
    setFixedSize(TDragged::WIDTH + canvas_->width(), TCanvasGeometry::HEIGHT);
    canvas_->show();
}
