#pragma once

#include "files/newperiodchoices.h"
#include "files/periodbuilder.h"
#include "files/rawperioddata.h"
#include "model/key.h"
#include "model/measure.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class TKeyPanel;
class TMessageBundle;
class TTempPanel;
class TZataktPanel;

// The modal dialog of "New": the user lays out the sentences and phrases of the new period
// (from ready-made forms and letter patterns or one by one) and chooses its key, motive type,
// tempo and meter. Nothing changes until the main window takes the results after OK.
class TNewDialog : public QDialog, public TRawPeriodDataListener {
    Q_OBJECT
public:
    // The buttons beside each list, in this order.
    enum TListButton { ADD_BUTTON, DELETE_BUTTON, UP_BUTTON, DOWN_BUTTON };

    TNewDialog(QWidget* owner, const TMessageBundle& bundle);
    ~TNewDialog() override;

    // The results after OK.
    std::vector<int> phraseCounts() const { return structure_.phraseCounts(); }
    std::vector<int> motiveCounts() const { return structure_.motiveCounts(); }
    std::vector<std::uint8_t> letters() const { return structure_.letters(); }
    TKey key() const;
    TMeasure meter() const;
    std::int16_t zatakt() const;
    int tempo() const;
    // All of them as the period builder takes them.
    TPeriodStructure periodStructure() const;

    const TRawPeriodData& structure() const { return structure_; }
    TKeyPanel* keyPanel() const { return keyPanel_; }
    TZataktPanel* zataktPanel() const { return zataktPanel_; }
    TTempPanel* tempoPanel() const { return tempoPanel_; }
    QComboBox* meters() const { return meterCombo_; }
    QComboBox* letterSchemeChoice() const { return schemeCombo_; }
    QPushButton* applyButton() const { return applyButton_; }
    QComboBox* templateChoice() const { return templateCombo_; }
    QListWidget* sentenceList() const { return sentenceList_; }
    QListWidget* phraseList() const { return phraseList_; }
    QPushButton* sentenceButton(TListButton which) const { return sentenceButtons_[which]; }
    QPushButton* phraseButton(TListButton which) const { return phraseButtons_[which]; }
    QComboBox* motiveCountChoice() const { return motiveCountCombo_; }
    QComboBox* letterChoice() const { return letterCombo_; }
    QLabel* motiveCountLabel() const { return motiveCountLabel_; }
    QLabel* letterLabel() const { return letterLabel_; }
    QLineEdit* descriptionLine() const { return descriptionLine_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    QPushButton* helpButton() const { return helpButton_; }

    // TRawPeriodDataListener
    void structureChanged() override;
    void phrasesChanged() override;
    void sentenceSelected() override;
    void phraseSelected() override;

private:
    void buildSettingGroups();
    void buildChoiceGroups();
    void buildStructureGroup();
    void buildButtons();
    void fillChoices();

    void templateChosen(int index);
    void applyLetterScheme();
    void refreshSentenceList();
    void refreshPhraseList();
    void refreshPhraseControls();
    void refreshSentenceButtons();
    void refreshDescription();

    std::vector<TRawPeriodData> templates_;
    std::vector<TRawLetterScheme> schemes_;
    std::vector<TMeasure> meters_;
    const TMessageBundle& bundle_;
    TRawPeriodData structure_;
    std::vector<std::uint8_t> offeredLetters_;

    TKeyPanel* keyPanel_ = nullptr;
    TZataktPanel* zataktPanel_ = nullptr;
    TTempPanel* tempoPanel_ = nullptr;
    QComboBox* meterCombo_ = nullptr;
    QComboBox* schemeCombo_ = nullptr;
    QPushButton* applyButton_ = nullptr;
    QComboBox* templateCombo_ = nullptr;
    QListWidget* sentenceList_ = nullptr;
    QListWidget* phraseList_ = nullptr;
    std::array<QPushButton*, 4> sentenceButtons_{};
    std::array<QPushButton*, 4> phraseButtons_{};
    QLabel* motiveCountLabel_ = nullptr;
    QComboBox* motiveCountCombo_ = nullptr;
    QLabel* letterLabel_ = nullptr;
    QComboBox* letterCombo_ = nullptr;
    QLineEdit* descriptionLine_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
};
