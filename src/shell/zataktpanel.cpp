#include "shell/zataktpanel.h"

#include "files/messagebundle.h"
#include "model/duration.h"
#include "model/glyphatlas.h"
#include "model/period.h"
#include "model/random.h"
#include "widgets/hintpanel.h"

#include <QComboBox>
#include <QFontMetrics>
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
    for (const std::string& name : bundle.list("motive type group"))
        types_->addItem(QString::fromStdString(name));
    types_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    types_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    durationLabel_->setBuddy(durations_);
    fillDurations();
    placeControls();
    setMotiveType(MOTIVE_TYPE_TROCHEE, 0);

    connect(types_, &QListWidget::currentRowChanged, this, &TZataktPanel::typeChosen);
}

void TZataktPanel::placeControls() {
    // The layout's pixel places, widened where this platform's font needs more room for the texts.
    const QFontMetrics metrics = fontMetrics();
    const int frame = 2 * types_->frameWidth();
    int listWidth = 75;
    for (int i = 0; i < types_->count(); ++i)
        listWidth =
            std::max(listWidth, metrics.horizontalAdvance(types_->item(i)->text()) + frame + 8);
    const int listHeight =
        std::max(48, types_->count() * std::max(types_->sizeHintForRow(0), 0) + frame);
    types_->setGeometry(0, 0, listWidth, listHeight);
    icon_->move(listWidth + 5, 17);
    int width = 167;
    for (const char* key : {"duration after measure bar", "duration before measure bar"})
        width =
            std::max(width, metrics.horizontalAdvance(QString::fromStdString(bundle_.text(key))));
    const int labelTop = listHeight + 4;
    durationLabel_->setGeometry(0, labelTop, width, 22);
    durations_->setGeometry(0, labelTop + 18, width, 21);
    setFixedSize(std::max(width, icon_->x() + 40), labelTop + 18 + 21);
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
