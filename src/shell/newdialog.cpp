#include "shell/newdialog.h"

#include "files/messagebundle.h"
#include "model/phrasedata.h"
#include "shell/keypanel.h"
#include "shell/screencentre.h"
#include "shell/temppanel.h"
#include "shell/zataktpanel.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>
#include <cstddef>
#include <string>

namespace {

constexpr int DIALOG_WIDTH = 690;
constexpr int DIALOG_HEIGHT = 608;

QString qtext(const std::string& text) {
    return QString::fromStdString(text);
}

QGroupBox* group(QWidget* owner, const char* caption, QRect place) {
    auto* box = new QGroupBox(caption, owner);
    box->setGeometry(place);
    return box;
}

// The four buttons beside a list, one below the other.
std::array<QPushButton*, 4> listButtons(QWidget* owner, QPoint topLeft, const char* what) {
    static constexpr std::array<const char*, 4> captions{"Add", "Delete", "Move Up", "Move Down"};
    static constexpr std::array<const char*, 4> hints{
        "Add a %1 at the end", "Delete the selected %1", "Move the selected %1 up",
        "Move the selected %1 down"};
    std::array<QPushButton*, 4> buttons{};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        buttons[i] = new QPushButton(captions[i], owner);
        buttons[i]->setGeometry(topLeft.x(), topLeft.y() + static_cast<int>(i) * 30, 96, 26);
        buttons[i]->setToolTip(QString(hints[i]).arg(what));
        buttons[i]->setAutoDefault(false);
    }
    return buttons;
}

QListWidget* list(QWidget* owner, const char* caption, QPoint topLeft, const char* hint) {
    auto* label = new QLabel(caption, owner);
    label->move(topLeft);
    auto* widget = new QListWidget(owner);
    widget->setGeometry(topLeft.x(), topLeft.y() + 18, 190, 140);
    widget->setToolTip(hint);
    label->setBuddy(widget);
    return widget;
}

} // namespace

TNewDialog::TNewDialog(QWidget* owner, const TMessageBundle& bundle)
    : QDialog(owner), templates_(periodTemplates(bundle)), schemes_(letterSchemes()),
      meters_(newPeriodMeters()), bundle_(bundle), structure_(openingStructure(bundle_)),
      offeredLetters_(phraseLetterChoices()) {
    setWindowTitle("New Composition");
    setFixedSize(DIALOG_WIDTH, DIALOG_HEIGHT);
    centreOnScreen(*this);

    buildSettingGroups();
    buildChoiceGroups();
    buildStructureGroup();
    buildButtons();
    fillChoices();

    structure_.setListener(this);
    structureChanged();
}

TNewDialog::~TNewDialog() {
    structure_.setListener(nullptr);
}

void TNewDialog::buildSettingGroups() {
    // Each panel sits 14 pixels inside its group; the groups take the panels' widths.
    constexpr QPoint inset(14, 24);
    QGroupBox* keyGroup = group(this, "Key Signature:", QRect(8, 8, 150, 132));
    keyPanel_ = new TKeyPanel(keyGroup, bundle_);
    keyPanel_->move(inset);
    keyPanel_->setToolTip("The key of the new composition");
    keyGroup->resize(keyPanel_->width() + 2 * inset.x(), keyGroup->height());

    QGroupBox* typeGroup =
        group(this, "Motive Type:", QRect(keyGroup->geometry().right() + 9, 8, 196, 132));
    zataktPanel_ = new TZataktPanel(typeGroup, bundle_, TMeasure(2, QUARTER));
    zataktPanel_->move(inset);
    zataktPanel_->setToolTip("Where the motives begin: on the bar line or with an upbeat");
    typeGroup->resize(zataktPanel_->width() + 2 * inset.x(),
                      std::max(typeGroup->height(), zataktPanel_->height() + inset.y() + 8));

    const int right = typeGroup->geometry().right() + 9;
    QGroupBox* tempoGroup = group(this, "Tempo:", QRect(right, 8, 682 - right, 60));
    tempoPanel_ = new TTempPanel(tempoGroup, bundle_);
    // Closer to the frame than the other panels: the metronome mark needs the room.
    tempoPanel_->move(10, 26);
    tempoPanel_->setToolTip("The tempo of the new composition");

    QGroupBox* meterGroup = group(this, "Meter:", QRect(right, 76, 682 - right, 64));
    meterCombo_ = new QComboBox(meterGroup);
    meterCombo_->setGeometry(10, 28, 100, 22);
    meterCombo_->setToolTip("The meter of the new composition");
    connect(meterCombo_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index < static_cast<int>(meters_.size()))
            zataktPanel_->setMeter(meters_[static_cast<std::size_t>(index)]);
    });
}

void TNewDialog::buildChoiceGroups() {
    QGroupBox* templateGroup = group(this, "Period Structure Templates:", QRect(8, 148, 674, 58));
    templateCombo_ = new QComboBox(templateGroup);
    templateCombo_->setGeometry(14, 26, 646, 22);
    templateCombo_->setToolTip("Take a ready-made form of the period");
    connect(templateCombo_, &QComboBox::activated, this, &TNewDialog::templateChosen);

    QGroupBox* schemeGroup = group(this, "Letter Schemes:", QRect(8, 212, 674, 58));
    schemeCombo_ = new QComboBox(schemeGroup);
    schemeCombo_->setGeometry(14, 26, 200, 22);
    schemeCombo_->setToolTip("Give the phrases these letters in turn");
    connect(schemeCombo_, &QComboBox::activated, this, &TNewDialog::applyLetterScheme);
    applyButton_ = new QPushButton("Apply", schemeGroup);
    applyButton_->setGeometry(222, 24, 90, 26);
    applyButton_->setAutoDefault(false);
    applyButton_->setToolTip("Give the phrases the letters of the chosen scheme again");
    connect(applyButton_, &QPushButton::clicked, this, &TNewDialog::applyLetterScheme);
}

void TNewDialog::buildStructureGroup() {
    QGroupBox* box = group(this, "Period Structure:", QRect(8, 278, 674, 284));

    sentenceList_ = list(box, "Sentences:", QPoint(14, 22), "The sentences of the period");
    connect(sentenceList_, &QListWidget::currentRowChanged, this,
            [this](int row) { structure_.selectSentence(row); });
    sentenceButtons_ = listButtons(box, QPoint(212, 40), "sentence");
    connect(sentenceButtons_[ADD_BUTTON], &QPushButton::clicked, this,
            [this] { structure_.addSentence(); });
    connect(sentenceButtons_[DELETE_BUTTON], &QPushButton::clicked, this,
            [this] { structure_.deleteSentence(); });
    connect(sentenceButtons_[UP_BUTTON], &QPushButton::clicked, this,
            [this] { structure_.moveSentenceUp(); });
    connect(sentenceButtons_[DOWN_BUTTON], &QPushButton::clicked, this,
            [this] { structure_.moveSentenceDown(); });

    phraseList_ = list(box, "Phrases:", QPoint(330, 22), "The phrases of the selected sentence");
    connect(phraseList_, &QListWidget::currentRowChanged, this,
            [this](int row) { structure_.selectPhrase(row); });
    phraseButtons_ = listButtons(box, QPoint(528, 40), "phrase");
    connect(phraseButtons_[ADD_BUTTON], &QPushButton::clicked, this,
            [this] { structure_.addPhrase(); });
    connect(phraseButtons_[DELETE_BUTTON], &QPushButton::clicked, this,
            [this] { structure_.deletePhrase(); });
    connect(phraseButtons_[UP_BUTTON], &QPushButton::clicked, this,
            [this] { structure_.movePhraseUp(); });
    connect(phraseButtons_[DOWN_BUTTON], &QPushButton::clicked, this,
            [this] { structure_.movePhraseDown(); });

    motiveCountLabel_ = new QLabel("Motive Count:", box);
    motiveCountLabel_->setGeometry(330, 190, 86, 22);
    motiveCountCombo_ = new QComboBox(box);
    motiveCountCombo_->setGeometry(418, 190, 60, 22);
    motiveCountCombo_->setToolTip("How many motives the selected phrase holds");
    motiveCountLabel_->setBuddy(motiveCountCombo_);
    connect(motiveCountCombo_, &QComboBox::activated, this,
            [this](int index) { structure_.setMotiveCount(index + 1); });

    letterLabel_ = new QLabel("Phrase Letter:", box);
    letterLabel_->setGeometry(492, 190, 86, 22);
    letterCombo_ = new QComboBox(box);
    letterCombo_->setGeometry(580, 190, 80, 22);
    letterCombo_->setToolTip("The letter of the selected phrase");
    letterLabel_->setBuddy(letterCombo_);
    connect(letterCombo_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index < static_cast<int>(offeredLetters_.size()))
            structure_.setLetter(offeredLetters_[static_cast<std::size_t>(index)]);
    });

    auto* descriptionLabel = new QLabel("Period Structure:", box);
    descriptionLabel->move(14, 226);
    descriptionLine_ = new QLineEdit(box);
    descriptionLine_->setGeometry(14, 246, 646, 24);
    descriptionLine_->setReadOnly(true);
    descriptionLabel->setBuddy(descriptionLine_);
}

void TNewDialog::buildButtons() {
    okButton_ = new QPushButton("OK", this);
    okButton_->setGeometry(510, 572, 82, 27);
    okButton_->setDefault(true);
    okButton_->setToolTip("Start a new composition of this form");
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    cancelButton_ = new QPushButton("Cancel", this);
    cancelButton_->setGeometry(600, 572, 82, 27);
    cancelButton_->setAutoDefault(false);
    cancelButton_->setToolTip("Keep the open composition");
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    // The layout gives the dialog a help button without any help behind it.
    helpButton_ = new QPushButton("Help", this);
    helpButton_->setGeometry(420, 572, 82, 27);
    helpButton_->hide();
}

void TNewDialog::fillChoices() {
    for (int count = 1; count <= MAX_RAW_MOTIVES; ++count)
        motiveCountCombo_->addItem(QString::number(count));
    for (const std::uint8_t code : offeredLetters_)
        letterCombo_->addItem(qtext(suffixText(code)));
    for (const TRawPeriodData& form : templates_)
        templateCombo_->addItem(qtext(form.description()));
    templateCombo_->setCurrentIndex(0);
    for (const TMeasure& meter : meters_)
        meterCombo_->addItem(qtext(newPeriodMeterText(meter)));
    meterCombo_->setCurrentIndex(0);
    for (const TRawLetterScheme& scheme : schemes_)
        schemeCombo_->addItem(qtext(scheme.text()));
    schemeCombo_->setCurrentIndex(NEW_PERIOD_LETTER_SCHEME);
}

TKey TNewDialog::key() const {
    return keyPanel_->key();
}

TMeasure TNewDialog::meter() const {
    const int index = std::max(meterCombo_->currentIndex(), 0);
    return meters_[static_cast<std::size_t>(index)];
}

std::int16_t TNewDialog::zatakt() const {
    return zataktPanel_->zatakt();
}

int TNewDialog::tempo() const {
    return tempoPanel_->tempo();
}

TPeriodStructure TNewDialog::periodStructure() const {
    return periodStructureOf(structure_, key(), meter(), zatakt(), tempo());
}

void TNewDialog::templateChosen(int index) {
    if (index < 0 || index >= static_cast<int>(templates_.size()))
        return;
    structure_.assign(templates_[static_cast<std::size_t>(index)]);
    structure_.selectSentence(0);
    structure_.selectPhrase(0);
    applyLetterScheme();
}

void TNewDialog::applyLetterScheme() {
    const int index = schemeCombo_->currentIndex();
    if (index >= 0 && index < static_cast<int>(schemes_.size()))
        structure_.applyLetters(schemes_[static_cast<std::size_t>(index)].letters);
}

void TNewDialog::structureChanged() {
    refreshSentenceList();
    phrasesChanged();
}

void TNewDialog::phrasesChanged() {
    refreshPhraseList();
    refreshPhraseControls();
    refreshSentenceButtons();
    refreshDescription();
}

void TNewDialog::sentenceSelected() {
    {
        const QSignalBlocker blockSentences(sentenceList_);
        sentenceList_->setCurrentRow(structure_.selectedSentence());
    }
    phrasesChanged();
}

void TNewDialog::phraseSelected() {
    {
        const QSignalBlocker blockPhrases(phraseList_);
        phraseList_->setCurrentRow(structure_.selectedPhrase());
    }
    refreshPhraseControls();
    refreshDescription();
}

void TNewDialog::refreshSentenceList() {
    const QSignalBlocker blockSentences(sentenceList_);
    sentenceList_->clear();
    for (std::size_t i = 0; i < structure_.sentences().size(); ++i)
        sentenceList_->addItem(qtext(structure_.sentenceText(static_cast<int>(i))));
    sentenceList_->setCurrentRow(structure_.selectedSentence());
}

void TNewDialog::refreshPhraseList() {
    const QSignalBlocker blockPhrases(phraseList_);
    phraseList_->clear();
    for (const TRawPhrase& phrase : structure_.selectedPhrases())
        phraseList_->addItem(qtext(phrase.listText()));
    phraseList_->setCurrentRow(structure_.selectedPhrase());
}

void TNewDialog::refreshPhraseControls() {
    const int p = structure_.selectedPhrase();
    const int m = static_cast<int>(structure_.selectedPhrases().size());
    const TRawPhrase* phrase = structure_.currentPhrase();
    phraseButtons_[ADD_BUTTON]->setEnabled(structure_.selectedSentence() >= 0 &&
                                           m < MAX_RAW_PHRASES);
    phraseButtons_[DELETE_BUTTON]->setEnabled(phrase != nullptr && m > 1);
    phraseButtons_[UP_BUTTON]->setEnabled(phrase != nullptr && p != 0);
    phraseButtons_[DOWN_BUTTON]->setEnabled(phrase != nullptr && p != m - 1);
    for (QWidget* control :
         {static_cast<QWidget*>(motiveCountLabel_), static_cast<QWidget*>(motiveCountCombo_),
          static_cast<QWidget*>(letterLabel_), static_cast<QWidget*>(letterCombo_)})
        control->setVisible(phrase != nullptr);
    if (phrase == nullptr)
        return;
    const QSignalBlocker blockCounts(motiveCountCombo_);
    motiveCountCombo_->setCurrentIndex(phrase->motiveCount() - 1);
    const auto offered =
        std::find(offeredLetters_.begin(), offeredLetters_.end(), phrase->letter());
    const QSignalBlocker blockLetters(letterCombo_);
    letterCombo_->setCurrentIndex(offered == offeredLetters_.end()
                                      ? -1
                                      : static_cast<int>(offered - offeredLetters_.begin()));
}

void TNewDialog::refreshSentenceButtons() {
    const int s = structure_.selectedSentence();
    const int n = static_cast<int>(structure_.sentences().size());
    sentenceButtons_[ADD_BUTTON]->setEnabled(n < MAX_RAW_SENTENCES);
    sentenceButtons_[DELETE_BUTTON]->setEnabled(s != -1 && n > 1);
    sentenceButtons_[UP_BUTTON]->setEnabled(s > 0);
    sentenceButtons_[DOWN_BUTTON]->setEnabled(s != -1 && s < n - 1);
}

void TNewDialog::refreshDescription() {
    const QString text = qtext(structure_.description());
    descriptionLine_->setText(text);
    descriptionLine_->setCursorPosition(0);
    descriptionLine_->setToolTip(text);
}
