#include "shell/temppanel.h"

#include "files/messagebundle.h"
#include "model/period.h"
#include "model/random.h"
#include "model/tempo.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>

TTempPanel::TTempPanel(QWidget* owner, const TMessageBundle& bundle)
    : QWidget(owner), names_(new QComboBox(this)), number_(new QSpinBox(this)),
      mark_(new QLabel(this)) {
    names_->setGeometry(0, 0, 100, 21);
    for (const std::string& name : bundle.list("temp group"))
        names_->addItem(QString::fromStdString(name));
    number_->setGeometry(104, 0, 48, 21);
    number_->setRange(MIN_TEMPO, MAX_TEMPO);
    // Wide enough for the fastest mark, so that the control keeps its size while it changes.
    mark_->setText(metronomeMarkText(::metronomeMark(MAX_TEMPO)));
    mark_->setGeometry(157, 0, mark_->sizeHint().width(), 21);
    mark_->setAccessibleName("Metronome mark");
    mark_->setToolTip("Quarter notes a minute at this tempo");
    setFixedSize(mark_->geometry().right() + 1, 21);
    setTempo(DEFAULT_TEMPO);

    names_->installEventFilter(this);
    connect(names_, &QComboBox::activated, this, &TTempPanel::namePicked);
    connect(number_, &QSpinBox::valueChanged, this, &TTempPanel::numberChanged);
}

bool TTempPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == names_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier)) {
            event->ignore();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

int TTempPanel::tempo() const {
    return number_->value();
}

void TTempPanel::setTempo(int value) {
    const QSignalBlocker blockNumber(number_);
    number_->setValue(value);
    showName(number_->value());
}

void TTempPanel::randomTempo(TRandomGenerator& random) {
    number_->setValue(random.draw(100) + MIN_TEMPO);
}

void TTempPanel::namePicked(int index) {
    const bool named = index >= 0 && index < static_cast<int>(TEMPO_STEPS.size());
    const int value = named ? TEMPO_STEPS[static_cast<std::size_t>(index)] : DEFAULT_TEMPO;
    if (value == number_->value()) {
        if (listener_ != nullptr)
            listener_->tempoPicked(value);
        return;
    }
    number_->setValue(value); // numberChanged tells the listener once
}

void TTempPanel::numberChanged(int value) {
    showName(value);
    if (listener_ != nullptr)
        listener_->tempoPicked(value);
}

void TTempPanel::showName(int value) {
    const QSignalBlocker blockNames(names_);
    names_->setCurrentIndex(tempoStepOf(value));
    mark_->setText(metronomeMarkText(::metronomeMark(value)));
}

QString metronomeMarkText(int quarterNotesPerMinute) {
    // Thin spaces: the mark stays narrow enough to sit beside the tempo in the dialogs.
    const QChar thin(0x2009);
    return QString(QChar(0x2669)) + thin + '=' + thin + QString::number(quarterNotesPerMinute);
}
