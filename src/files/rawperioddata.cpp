#include "files/rawperioddata.h"

#include "files/messagebundle.h"
#include "model/phrasedata.h"

#include <cstddef>
#include <stdexcept>
#include <utility>

namespace {

// What "Add" puts in: a phrase A of two motives.
constexpr int NEW_PHRASE_MOTIVES = 2;

bool inRange(int index, std::size_t size) {
    return index >= 0 && static_cast<std::size_t>(index) < size;
}

std::size_t at(int index) {
    return static_cast<std::size_t>(index);
}

} // namespace

TRawPhrase::TRawPhrase(int motiveCount, const TMessageBundle& bundle, std::uint8_t letter)
    : bundle_(&bundle), letter_(letter), motiveCount_(motiveCount) {}

std::string TRawPhrase::listText() const {
    return bundle_->text("phrase small") + "-" + suffixText(letter_) + " (" +
           std::to_string(motiveCount_) + ")";
}

std::string TRawPhrase::descriptionText(int number) const {
    const std::string name = letter_ == SUFFIX_NONE ? std::to_string(number) : suffixText(letter_);
    return bundle_->text("phrase big") + "-" + name + " (" + std::to_string(motiveCount_) + ")";
}

TRawPeriodData::TRawPeriodData(const TMessageBundle& bundle, const std::vector<int>& phraseCounts,
                               const std::vector<int>& motiveCounts,
                               const std::vector<std::uint8_t>& letters)
    : bundle_(&bundle) {
    std::size_t phrases = 0;
    for (const int count : phraseCounts) {
        if (count < 0)
            throw std::invalid_argument("a sentence cannot hold a negative number of phrases");
        phrases += static_cast<std::size_t>(count);
    }
    if (motiveCounts.size() != phrases || (!letters.empty() && letters.size() != phrases))
        throw std::invalid_argument("every phrase needs one motive count and at most one letter");

    std::size_t phrase = 0;
    for (const int count : phraseCounts) {
        std::vector<TRawPhrase>& sentence = sentences_.emplace_back();
        for (int i = 0; i < count; ++i, ++phrase)
            sentence.emplace_back(motiveCounts[phrase], bundle,
                                  letters.empty() ? SUFFIX_NONE : letters[phrase]);
    }
}

TRawPeriodData::TRawPeriodData(const TRawPeriodData& other)
    : bundle_(other.bundle_), sentences_(other.sentences_),
      selectedSentence_(other.selectedSentence_), selectedPhrase_(other.selectedPhrase_) {}

TRawPeriodData& TRawPeriodData::operator=(const TRawPeriodData& other) {
    bundle_ = other.bundle_;
    sentences_ = other.sentences_;
    selectedSentence_ = other.selectedSentence_;
    selectedPhrase_ = other.selectedPhrase_;
    return *this;
}

void TRawPeriodData::assign(const TRawPeriodData& other) {
    *this = other;
    tellStructureChanged();
}

void TRawPeriodData::selectSentence(int index) {
    selectedSentence_ = inRange(index, sentences_.size()) ? index : -1;
    clampPhraseSelection();
    if (listener_ != nullptr)
        listener_->sentenceSelected();
}

void TRawPeriodData::selectPhrase(int index) {
    selectedPhrase_ = inRange(index, selectedPhrases().size()) ? index : -1;
    if (listener_ != nullptr)
        listener_->phraseSelected();
}

void TRawPeriodData::addSentence() {
    if (static_cast<int>(sentences_.size()) >= MAX_RAW_SENTENCES)
        return;
    sentences_.push_back({TRawPhrase(NEW_PHRASE_MOTIVES, *bundle_, SUFFIX_A)});
    selectedSentence_ = static_cast<int>(sentences_.size()) - 1;
    selectedPhrase_ = 0;
    tellStructureChanged();
}

void TRawPeriodData::deleteSentence() {
    if (!inRange(selectedSentence_, sentences_.size()))
        return;
    sentences_.erase(sentences_.begin() + selectedSentence_);
    if (sentences_.empty()) {
        selectedSentence_ = -1;
        selectedPhrase_ = -1;
    } else {
        if (selectedSentence_ >= static_cast<int>(sentences_.size()))
            selectedSentence_ = static_cast<int>(sentences_.size()) - 1;
        selectedPhrase_ = sentences_[at(selectedSentence_)].empty() ? -1 : 0;
    }
    tellStructureChanged();
}

void TRawPeriodData::moveSentenceUp() {
    if (!inRange(selectedSentence_, sentences_.size()) || selectedSentence_ == 0)
        return;
    std::swap(sentences_[at(selectedSentence_)], sentences_[at(selectedSentence_ - 1)]);
    --selectedSentence_;
    tellStructureChanged();
}

void TRawPeriodData::moveSentenceDown() {
    if (!inRange(selectedSentence_ + 1, sentences_.size()) || selectedSentence_ < 0)
        return;
    std::swap(sentences_[at(selectedSentence_)], sentences_[at(selectedSentence_ + 1)]);
    ++selectedSentence_;
    tellStructureChanged();
}

void TRawPeriodData::addPhrase() {
    std::vector<TRawPhrase>* phrases = selectedSentencePhrases();
    if (phrases == nullptr || static_cast<int>(phrases->size()) >= MAX_RAW_PHRASES)
        return;
    phrases->emplace_back(NEW_PHRASE_MOTIVES, *bundle_, SUFFIX_A);
    selectedPhrase_ = static_cast<int>(phrases->size()) - 1;
    tellPhrasesChanged();
}

void TRawPeriodData::deletePhrase() {
    std::vector<TRawPhrase>* phrases = selectedSentencePhrases();
    if (phrases == nullptr || !inRange(selectedPhrase_, phrases->size()))
        return;
    phrases->erase(phrases->begin() + selectedPhrase_);
    clampPhraseSelection();
    tellPhrasesChanged();
}

void TRawPeriodData::movePhraseUp() {
    std::vector<TRawPhrase>* phrases = selectedSentencePhrases();
    if (phrases == nullptr || !inRange(selectedPhrase_, phrases->size()) || selectedPhrase_ == 0)
        return;
    std::swap((*phrases)[at(selectedPhrase_)], (*phrases)[at(selectedPhrase_ - 1)]);
    --selectedPhrase_;
    tellPhrasesChanged();
}

void TRawPeriodData::movePhraseDown() {
    std::vector<TRawPhrase>* phrases = selectedSentencePhrases();
    if (phrases == nullptr || selectedPhrase_ < 0 || !inRange(selectedPhrase_ + 1, phrases->size()))
        return;
    std::swap((*phrases)[at(selectedPhrase_)], (*phrases)[at(selectedPhrase_ + 1)]);
    ++selectedPhrase_;
    tellPhrasesChanged();
}

void TRawPeriodData::setMotiveCount(int count) {
    TRawPhrase* phrase = selectedRawPhrase();
    if (phrase == nullptr)
        return;
    phrase->setMotiveCount(count);
    tellPhrasesChanged();
}

void TRawPeriodData::setLetter(std::uint8_t letter) {
    TRawPhrase* phrase = selectedRawPhrase();
    if (phrase == nullptr)
        return;
    phrase->setLetter(letter);
    tellPhrasesChanged();
}

void TRawPeriodData::applyLetters(const std::vector<std::uint8_t>& scheme) {
    if (scheme.empty())
        return;
    std::size_t next = 0;
    for (std::vector<TRawPhrase>& sentence : sentences_)
        for (TRawPhrase& phrase : sentence) {
            phrase.setLetter(scheme[next]);
            next = (next + 1) % scheme.size();
        }
    tellPhrasesChanged();
}

const std::vector<TRawPhrase>& TRawPeriodData::selectedPhrases() const {
    static const std::vector<TRawPhrase> none;
    return inRange(selectedSentence_, sentences_.size()) ? sentences_[at(selectedSentence_)] : none;
}

const TRawPhrase* TRawPeriodData::currentPhrase() const {
    const std::vector<TRawPhrase>& phrases = selectedPhrases();
    return inRange(selectedPhrase_, phrases.size()) ? &phrases[at(selectedPhrase_)] : nullptr;
}

std::vector<int> TRawPeriodData::phraseCounts() const {
    std::vector<int> counts;
    for (const std::vector<TRawPhrase>& sentence : sentences_)
        counts.push_back(static_cast<int>(sentence.size()));
    return counts;
}

std::vector<int> TRawPeriodData::motiveCounts() const {
    std::vector<int> counts;
    for (const std::vector<TRawPhrase>& sentence : sentences_)
        for (const TRawPhrase& phrase : sentence)
            counts.push_back(phrase.motiveCount());
    return counts;
}

std::vector<std::uint8_t> TRawPeriodData::letters() const {
    std::vector<std::uint8_t> codes;
    for (const std::vector<TRawPhrase>& sentence : sentences_)
        for (const TRawPhrase& phrase : sentence)
            codes.push_back(phrase.letter());
    return codes;
}

std::string TRawPeriodData::description() const {
    std::string text;
    for (std::size_t s = 0; s < sentences_.size(); ++s) {
        if (s > 0)
            text += " + ";
        text += "(" + sentenceText(static_cast<int>(s)) + " (";
        const std::vector<TRawPhrase>& phrases = sentences_[s];
        for (std::size_t p = 0; p < phrases.size(); ++p) {
            if (p > 0)
                text += " + ";
            text += phrases[p].descriptionText(static_cast<int>(p) + 1);
        }
        text += "))";
    }
    return text;
}

std::string TRawPeriodData::sentenceText(int index) const {
    return bundle_->text("sentence") + "-" + std::to_string(index + 1);
}

std::vector<TRawPhrase>* TRawPeriodData::selectedSentencePhrases() {
    return inRange(selectedSentence_, sentences_.size()) ? &sentences_[at(selectedSentence_)]
                                                         : nullptr;
}

TRawPhrase* TRawPeriodData::selectedRawPhrase() {
    std::vector<TRawPhrase>* phrases = selectedSentencePhrases();
    if (phrases == nullptr || !inRange(selectedPhrase_, phrases->size()))
        return nullptr;
    return &(*phrases)[at(selectedPhrase_)];
}

void TRawPeriodData::clampPhraseSelection() {
    const int count = static_cast<int>(selectedPhrases().size());
    if (count == 0)
        selectedPhrase_ = -1;
    else if (selectedPhrase_ >= count || selectedPhrase_ < 0)
        selectedPhrase_ = count - 1;
}

void TRawPeriodData::tellStructureChanged() {
    if (listener_ != nullptr)
        listener_->structureChanged();
}

void TRawPeriodData::tellPhrasesChanged() {
    if (listener_ != nullptr)
        listener_->phrasesChanged();
}
