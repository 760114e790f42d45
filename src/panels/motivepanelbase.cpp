#include "panels/motivepanelbase.h"

#include "model/rect.h"

TMotivePanelBase::TMotivePanelBase(QWidget* parent) : QWidget(parent) {
    const TColour colour = TColour::fromValue(BACKGROUND_COLOUR);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(colour.red, colour.green, colour.blue));
    setPalette(palette);
    setAutoFillBackground(true);
    resize(PLACE.size());
}
