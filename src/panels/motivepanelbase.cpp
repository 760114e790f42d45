#include "panels/motivepanelbase.h"

#include "widgets/drawing.h"

TMotivePanelBase::TMotivePanelBase(QWidget* parent) : QWidget(parent) {
    paintBackground(*this);
    resize(PLACE.size());
}
