#include "canvas/zataktpanel.h"

#include "canvas/hintpanel.h"
#include "files/messagebundle.h"
#include "model/duration.h"
#include "model/glyphatlas.h"
#include "model/period.h"
#include "model/random.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace {

constexpr int MOTIVE_TYPES = 3;

// The name of duration item k ((k + 1) sixteenths). The named durations reach a half note;
// the longer upbeats of 3/4 are named as a half plus the rest.
QString durationName(const std::vector<std::string>& names, int k) {
    const int named = static_cast<int>(names.size());
    if (k < named)
        return QString::fromStdString(names[static_cast<std::size_t>(k)]);
    if (named == 0)
        return {};
    return QString::fromStdString(names.back()) + " + " + durationName(names, k - named);
}

} // namespace

TZataktPanel::TZataktPanel(QWidget* owner, const TMessageBundle& bundle, const TMeasure& meter)
    : QWidget(owner), bundle_(bundle), meter_(meter), types_(new QListWidget(this)),
      icon_(new THintPanel(this, motiveTypeGlyph(MOTIVE_TYPE_TROCHEE))),
      durationLabel_(new QLabel(this)), durations_(new QComboBox(this)) {
    types_->setGeometry(0, 0, 75, 48);
    for (const std::string& name : bundle.list("motive type group"))
        types_->addItem(QString::fromStdString(name));
    types_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    icon_->move(80, 17);
    durationLabel_->setGeometry(0, 52, 167, 22);
    durations_->setGeometry(0, 70, 167, 21);
    durationLabel_->setBuddy(durations_);
    setFixedSize(167, 91);
    fillDurations();
    setMotiveType(MOTIVE_TYPE_TROCHEE, 0);

    connect(types_, &QListWidget::currentRowChanged, this, &TZataktPanel::typeChosen);
}

void TZataktPanel::setMeter(const TMeasure& meter) {
    meter_ = meter;
    const int item = durations_->currentIndex();
    fillDurations();
    setMotiveType(motiveType(), std::min(item, durations_->count() - 1));
}

std::int16_t TZataktPanel::zatakt() const {
    const int item = durationItem();
    if (item < 0)
        return 0;
    return upbeatOfMotiveType(motiveType(), item, meter_);
}

void TZataktPanel::setMotiveType(int type, int item) {
    {
        const QSignalBlocker blockTypes(types_);
        types_->setCurrentRow(type >= 0 && type < MOTIVE_TYPES ? type : MOTIVE_TYPE_TROCHEE);
    }
    durations_->setCurrentIndex(item >= 0 && item < durations_->count() ? item : -1);
    typeChosen(types_->currentRow());
}

void TZataktPanel::random(TRandomGenerator& random) {
    const int r = random.next();
    if (r % MOTIVE_TYPES == MOTIVE_TYPE_TROCHEE)
        setMotiveType(MOTIVE_TYPE_TROCHEE, 0);
    else
        setMotiveType(r % MOTIVE_TYPES, random.draw(durations_->count()));
}

int TZataktPanel::motiveType() const {
    return types_->currentRow();
}

int TZataktPanel::durationItem() const {
    return durations_->currentIndex();
}

void TZataktPanel::typeChosen(int row) {
    const bool after = row == MOTIVE_TYPE_IAMBUS;
    durationLabel_->setText(QString::fromStdString(
        bundle_.text(after ? "duration after measure bar" : "duration before measure bar")));
    // A trochee starts on the bar line: the duration means nothing for it.
    const bool hasUpbeat = row != MOTIVE_TYPE_TROCHEE;
    durationLabel_->setEnabled(hasUpbeat);
    durations_->setEnabled(hasUpbeat);
    icon_->setGlyph(motiveTypeGlyph(row));
}

void TZataktPanel::fillDurations() {
    const QSignalBlocker blockDurations(durations_);
    durations_->clear();
    const std::vector<std::string>& names = bundle_.list("duration group");
    for (int k = 0; (k + 2) * TICKS_PER_SIXTEENTH <= meter_.ticksPerMeasure(); ++k)
        durations_->addItem(durationName(names, k));
}
