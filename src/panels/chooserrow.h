#pragma once

#include <QWidget>

#include <vector>

class TPanelChooser;

// The row under the development panels: the chooser buttons in pairs, the first of each pair
// above the second, every pair as wide as its wider caption.
class TChooserRow : public QWidget {
    Q_OBJECT
public:
    static constexpr QRect PLACE{3, 224, 1011, 57};
    static constexpr int MARGIN = 6;
    static constexpr int PAIR_GAP = 6;
    static constexpr int LOWER_TOP = 31;

    explicit TChooserRow(QWidget* parent);

    // Takes the choosers in row order and places them.
    void setChoosers(const std::vector<TPanelChooser*>& choosers);

protected:
    void paintEvent(QPaintEvent* event) override;
};
