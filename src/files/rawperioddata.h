#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TMessageBundle;

// At most this many sentences in a new period, and this many phrases in each sentence.
inline constexpr int MAX_RAW_SENTENCES = 4;
inline constexpr int MAX_RAW_PHRASES = 4;

// One phrase of a period being laid out: how many motives it will hold and its letter.
class TRawPhrase {
public:
    TRawPhrase(int motiveCount, const TMessageBundle& bundle, std::uint8_t letter);

    int motiveCount() const { return motiveCount_; }
    void setMotiveCount(int count) { motiveCount_ = count; }
    std::uint8_t letter() const { return letter_; }
    void setLetter(std::uint8_t letter) { letter_ = letter; }

    // The phrase list's entry: "Phrase-A (2)", "Phrase- (2)" without a letter.
    std::string listText() const;
    // The phrase in a structure description: "PHRASE-A (2)"; without a letter it is named by
    // `number`, its place in the sentence from 1: "PHRASE-2 (2)".
    std::string descriptionText(int number) const;

    bool operator==(const TRawPhrase& other) const {
        return letter_ == other.letter_ && motiveCount_ == other.motiveCount_;
    }

private:
    const TMessageBundle* bundle_;
    std::uint8_t letter_;
    int motiveCount_;
};

// Told after every change of a TRawPeriodData, so that the lists showing it follow.
class TRawPeriodDataListener {
public:
    virtual ~TRawPeriodDataListener() = default;
    // Sentences were added, removed, moved or replaced.
    virtual void structureChanged() = 0;
    // The phrases of the selected sentence changed.
    virtual void phrasesChanged() = 0;
    virtual void sentenceSelected() = 0;
    virtual void phraseSelected() = 0;
};

// The form of a period before any motive exists: sentences of phrases with their motive counts
// and letters, with a selected sentence and a selected phrase that the editing operations work
// on. Every operation that changes something ends with one listener call; an operation that
// has nothing to work on (no selection, a limit reached, no neighbour) changes nothing and
// calls nothing.
class TRawPeriodData {
public:
    // For each phrase count a sentence of that many phrases; the k-th phrase overall gets the
    // k-th motive count and, when `letters` is not empty, the k-th letter (else none). The first
    // sentence and its first phrase are selected. Throws std::invalid_argument when the counts
    // or letters do not match the number of phrases.
    TRawPeriodData(const TMessageBundle& bundle, const std::vector<int>& phraseCounts,
                   const std::vector<int>& motiveCounts, const std::vector<std::uint8_t>& letters);
    // A copy has no listener; assigning keeps the target's listener.
    TRawPeriodData(const TRawPeriodData& other);
    TRawPeriodData& operator=(const TRawPeriodData& other);

    void setListener(TRawPeriodDataListener* listener) { listener_ = listener; }

    // Takes `other`'s sentences and selections.
    void assign(const TRawPeriodData& other);
    // A sentence index out of range selects none. The phrase selection stays where it is when
    // that phrase exists in the newly selected sentence; otherwise, or when none was selected,
    // it moves to the last phrase there (none when the sentence is empty), so that it never
    // names a phrase the sentence does not have.
    void selectSentence(int index);
    // An index out of range in the selected sentence selects none.
    void selectPhrase(int index);

    // Appends a sentence of one phrase A of two motives and selects both.
    void addSentence();
    // Removes the selected sentence; the selection moves to the sentence now at its place (the
    // last one when it was the last) and its first phrase.
    void deleteSentence();
    void moveSentenceUp();
    void moveSentenceDown();
    // Appends a phrase A of two motives to the selected sentence and selects it.
    void addPhrase();
    // Removes the selected phrase; the selection moves to the phrase now at its place, or the
    // last one, or none when the sentence is empty.
    void deletePhrase();
    void movePhraseUp();
    void movePhraseDown();
    void setMotiveCount(int count);
    void setLetter(std::uint8_t letter);
    // Gives the phrases of all sentences the scheme's letters in turn, from the first letter
    // again after the last. An empty scheme changes nothing.
    void applyLetters(const std::vector<std::uint8_t>& scheme);

    const std::vector<std::vector<TRawPhrase>>& sentences() const { return sentences_; }
    int selectedSentence() const { return selectedSentence_; }
    int selectedPhrase() const { return selectedPhrase_; }
    // The phrases of the selected sentence; empty when none is selected.
    const std::vector<TRawPhrase>& selectedPhrases() const;
    // The selected phrase, or null.
    const TRawPhrase* currentPhrase() const;

    // The structure flattened: phrases per sentence, then motive counts and letters of all
    // phrases in order.
    std::vector<int> phraseCounts() const;
    std::vector<int> motiveCounts() const;
    std::vector<std::uint8_t> letters() const;

    // "(Sentence-1 (PHRASE-A (2) + PHRASE-B (2))) + (Sentence-2 (...))".
    std::string description() const;
    // "Sentence-3" for index 2.
    std::string sentenceText(int index) const;

private:
    std::vector<TRawPhrase>* selectedSentencePhrases();
    TRawPhrase* selectedRawPhrase();
    void clampPhraseSelection();
    void tellStructureChanged();
    void tellPhrasesChanged();

    const TMessageBundle* bundle_;
    std::vector<std::vector<TRawPhrase>> sentences_;
    int selectedSentence_ = 0;
    int selectedPhrase_ = 0;
    TRawPeriodDataListener* listener_ = nullptr;
};
