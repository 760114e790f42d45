#include "panels/motivepanelbase.h"

#include "canvas/drawing.h"

TMotivePanelBase::TMotivePanelBase(QWidget* parent) : QWidget(parent) {
    paintBackground(*this);
    resize(PLACE.size());
}
