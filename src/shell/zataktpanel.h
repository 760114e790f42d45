#pragma once

#include "model/measure.h"
#include "model/random.h"

#include <QWidget>

#include <cstdint>

class QComboBox;
class QLabel;
class QListWidget;
class THintPanel;
class TMessageBundle;

// The upbeat control: the motive type (iambus, trochee, amphibrachys) and the length of the
// part it leaves on one side of the bar line, offered in sixteenths up to a sixteenth short of
// the measure.
class TZataktPanel : public QWidget {
    Q_OBJECT
public:
    TZataktPanel(QWidget* owner, const TMessageBundle& bundle, const TMeasure& meter);

    // Offers the durations of `meter`, keeping the chosen type and, where it still exists,
    // the chosen duration.
    void setMeter(const TMeasure& meter);
    const TMeasure& meter() const { return meter_; }
    // The upbeat in ticks: none for a trochee, the chosen duration for an amphibrachys, the
    // measure less it for an iambus.
    std::int16_t zatakt() const;
    // Chooses the motive type and duration item (no item when `item` is not offered).
    void setMotiveType(int type, int item);
    // A motive type and duration drawn from `random`.
    void random(TRandomGenerator& random);

    int motiveType() const;
    int durationItem() const;
    QListWidget* types() const { return types_; }
    QComboBox* durations() const { return durations_; }
    QLabel* durationLabel() const { return durationLabel_; }
    THintPanel* icon() const { return icon_; }

private:
    void placeControls();
    void typeChosen(int row);
    void fillDurations();

    const TMessageBundle& bundle_;
    TMeasure meter_;
    QListWidget* types_;
    THintPanel* icon_;
    QLabel* durationLabel_;
    QComboBox* durations_;
};
