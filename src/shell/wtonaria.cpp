#include "shell/wtonaria.h"

#include "variants/variantview.h"

TWTonaria::TWTonaria(QWidget* owner, TBaseService& service)
    : QWidget(owner, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      service_(service) {
    setWindowTitle(QStringLiteral("VAZ"));
    setAccessibleName(QStringLiteral("VAZ"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    view_ = new TVariantView(this, service_, service_, this);
    view_->move(VIEW_MARGIN, VIEW_MARGIN);
    setFixedSize(view_->width() + 2 * VIEW_MARGIN, view_->height() + 2 * VIEW_MARGIN);
    move(212, 0);
    hide();
}

int TWTonaria::outerWidth() const {
    return frameGeometry().width();
}
