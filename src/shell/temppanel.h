#pragma once

#include "model/random.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QSpinBox;
class TMessageBundle;

// Told when the user picks a tempo.
class TTempPanelListener {
public:
    virtual ~TTempPanelListener() = default;
    virtual void tempoPicked(int value) = 0;
};

// The tempo control: the seven tempo names and a number from 50 to 150 that follow each other,
// and beside them the metronome mark, the quarter notes a minute that the number plays (the
// number itself is not beats per minute).
class TTempPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int MIN_TEMPO = 50;
    static constexpr int MAX_TEMPO = 150;

    TTempPanel(QWidget* owner, const TMessageBundle& bundle);

    int tempo() const;
    // Shows `value` without telling the listener.
    void setTempo(int value);
    // A tempo from 50 to 149 drawn from `random`; the listener is told.
    void randomTempo(TRandomGenerator& random);
    void setListener(TTempPanelListener* listener) { listener_ = listener; }

    QComboBox* names() const { return names_; }
    QSpinBox* number() const { return number_; }
    QLabel* metronomeMark() const { return mark_; }

protected:
    // Alt, Ctrl and Meta letters are the menus' and commands' keys, never a search in the list.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void namePicked(int index);
    void numberChanged(int value);
    // The name and the metronome mark that go with `value`.
    void showName(int value);

    QComboBox* names_;
    QSpinBox* number_;
    QLabel* mark_;
    TTempPanelListener* listener_ = nullptr;
};

// A metronome mark as the interface writes it: a quarter-note sign, "=", the number.
QString metronomeMarkText(int quarterNotesPerMinute);
