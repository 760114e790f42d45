#include "shell/keypanel.h"

#include "files/messagebundle.h"
#include "model/glyphatlas.h"
#include "model/random.h"
#include "widgets/hintpanel.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>

#include <algorithm>

namespace {

constexpr int MODE_MAJOR = 0;
constexpr int MODE_MINOR = 1;
// Key item i stands for the signature i - 7.
constexpr int KEY_ITEM_OFFSET = 7;
constexpr int MAX_ACCIDENTALS = 7;

} // namespace

TKeyPanel::TKeyPanel(QWidget* owner, const TMessageBundle& bundle)
    : QWidget(owner), bundle_(bundle), modes_(new QListWidget(this)),
      icon_(new THintPanel(this, keyModeGlyph(false))), keys_(new QComboBox(this)) {
    modes_->setGeometry(0, 0, 80, 35);
    modes_->addItem(QString::fromStdString(bundle.text("major")));
    modes_->addItem(QString::fromStdString(bundle.text("minor")));
    modes_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    modes_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    icon_->move(85, 6);
    // The layout's pixel width, widened where this platform's font needs more for the longest name.
    int keysWidth = 116;
    for (const char* group : {"major group", "minor group"})
        for (const std::string& name : bundle.list(group))
            keysWidth = std::max(
                keysWidth, fontMetrics().horizontalAdvance(QString::fromStdString(name)) + 36);
    keys_->setGeometry(0, 41, keysWidth, 21);
    setFixedSize(std::max(keysWidth, icon_->x() + icon_->width()), 62);
    setKey(TKey());

    connect(modes_, &QListWidget::currentRowChanged, this, &TKeyPanel::modeChosen);
}

TKey TKeyPanel::key() const {
    const int item = std::max(keys_->currentIndex(), 0);
    return TKey(item - KEY_ITEM_OFFSET, modes_->currentRow() == MODE_MAJOR ? MAJOR : MINOR);
}

void TKeyPanel::setKey(const TKey& key) {
    const int sign = std::clamp(key.sign(), -MAX_ACCIDENTALS, MAX_ACCIDENTALS);
    {
        const QSignalBlocker blockModes(modes_);
        modes_->setCurrentRow(key.isMinor() ? MODE_MINOR : MODE_MAJOR);
    }
    fillKeyNames(key.isMinor(), sign + KEY_ITEM_OFFSET);
}

void TKeyPanel::randomKey(TRandomGenerator& random) {
    const bool minor = random.draw(2) == 1;
    const int accidentals = random.draw(MAX_ACCIDENTALS) + 1;
    const bool sharps = random.draw(2) == 1;
    setKey(TKey(sharps ? accidentals : -accidentals, minor ? MINOR : MAJOR));
}

void TKeyPanel::modeChosen(int row) {
    fillKeyNames(row == MODE_MINOR, keys_->currentIndex());
}

void TKeyPanel::fillKeyNames(bool minor, int index) {
    const QSignalBlocker blockKeys(keys_);
    keys_->clear();
    for (const std::string& name : bundle_.list(minor ? "minor group" : "major group"))
        keys_->addItem(QString::fromStdString(name));
    keys_->setCurrentIndex(index);
    icon_->setGlyph(keyModeGlyph(minor));
}
