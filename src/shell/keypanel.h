#pragma once

#include "model/key.h"
#include "model/random.h"

#include <QWidget>

class QComboBox;
class QListWidget;
class THintPanel;
class TMessageBundle;

// The key control: major or minor, and the key signature from seven flats to seven sharps,
// named for the chosen mode, with the mode's icon beside the mode list.
class TKeyPanel : public QWidget {
    Q_OBJECT
public:
    TKeyPanel(QWidget* owner, const TMessageBundle& bundle);

    // Signature = key item - 7; minor unless the major mode is chosen.
    TKey key() const;
    // Chooses the mode, names the keys for it and chooses the signature.
    void setKey(const TKey& key);
    // Minor or major, one to seven sharps or flats, drawn from `random`.
    void randomKey(TRandomGenerator& random);

    QListWidget* modes() const { return modes_; }
    QComboBox* keys() const { return keys_; }
    THintPanel* icon() const { return icon_; }

private:
    void modeChosen(int row);
    void fillKeyNames(bool minor, int index);

    const TMessageBundle& bundle_;
    QListWidget* modes_;
    THintPanel* icon_;
    QComboBox* keys_;
};
