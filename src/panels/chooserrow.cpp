#include "panels/chooserrow.h"

#include "panels/panelchooser.h"
#include "widgets/buttons.h"

#include <QPainter>

#include <algorithm>

TChooserRow::TChooserRow(QWidget* parent) : QWidget(parent) {
    resize(PLACE.size());
}

void TChooserRow::setChoosers(const std::vector<TPanelChooser*>& choosers) {
    int x = MARGIN;
    for (std::size_t k = 0; k < choosers.size(); k += 2) {
        TPanelChooser* upper = choosers[k];
        TPanelChooser* lower = k + 1 < choosers.size() ? choosers[k + 1] : nullptr;
        int width = upper->sizeHint().width();
        if (lower != nullptr)
            width = std::max(width, lower->sizeHint().width());
        upper->setParent(this);
        upper->setGeometry(x, MARGIN, width, TPanelChooser::HEIGHT);
        upper->show();
        if (lower != nullptr) {
            lower->setParent(this);
            lower->setGeometry(x, LOWER_TOP, width, TPanelChooser::HEIGHT);
            lower->show();
        }
        x += width + PAIR_GAP;
    }
}

void TChooserRow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawBevel(painter, rect(), false);
}
