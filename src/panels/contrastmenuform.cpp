#include "panels/contrastmenuform.h"

#include "canvas/baseservice.h"
#include "canvas/messagewindow.h"
#include "canvas/umotivecanvas.h"
#include "files/messagebundle.h"
#include "model/notelist.h"
#include "playback/motiveplayer.h"
#include "widgets/windowplacement.h"

#include <QCoreApplication>
#include <QPushButton>

TContrastMenuForm::TContrastMenuForm(QWidget* owner, TBaseService& service, TMotive& motive)
    : QDialog(owner), service_(service), canvas_(new TUMotiveCanvas(this, service, motive)),
      closeButton_(new QPushButton(this)) {
    const TMessageBundle& bundle = service.messageBundle();
    setWindowTitle(QString::fromStdString(bundle.text("contrast motive")));
    setModal(true);

    canvas_->move(MARGIN, MARGIN);
    canvas_->setCanvasId(CURRENT_CANVAS_ID);
    canvas_->setMode(TUMotiveCanvas::MODE_PLAY);
    canvas_->setShowSmallButtons(false);
    canvas_->enableDrop(false);
    service_.setCurrentCanvas(canvas_);

    closeButton_->setText(QString::fromStdString(bundle.text("close")));
    closeButton_->setToolTip(QString::fromStdString(bundle.text("close")));
    closeButton_->resize(CLOSE_BUTTON_SIZE);
    const int width = canvas_->width() + 2 * MARGIN;
    closeButton_->move((width - CLOSE_BUTTON_SIZE.width()) / 2, canvas_->height() + 2 * MARGIN);
    connect(closeButton_, &QPushButton::clicked, this, &TContrastMenuForm::reject);
    closeButton_->setDefault(true);

    setFixedSize(width, canvas_->height() + CLOSE_BUTTON_SIZE.height() + 3 * MARGIN);
}

TContrastMenuForm::~TContrastMenuForm() {
    service_.setCurrentCanvas(nullptr);
}

void TContrastMenuForm::centreAt(const QPoint& screenPoint) {
    move(screenPoint.x() - width() / 2, screenPoint.y() - height() / 2);
    fitOnScreen(*this);
}

void TContrastMenuForm::reject() {
    service_.motivePlayer().stop();
    // Note events already posted would light notes again after the highlights are cleared.
    QCoreApplication::sendPostedEvents(&service_.messageWindow());
    clearHighlights(canvas_->motive().notes());
    canvas_->update();
    service_.setCurrentCanvas(nullptr);
    QDialog::reject();
}

void showContrastMotive(QWidget* owner, const QPoint& screenPoint, TBaseService& service,
                        TMotive& motive) {
    TContrastMenuForm form(owner, service, motive);
    form.centreAt(screenPoint);
    form.exec();
}
