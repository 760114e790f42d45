#pragma once

#include "model/key.h"
#include "model/measure.h"
#include "model/motive.h"
#include "model/phrasedata.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Observer of the period document (the main window).
class TPeriodDataListener {
public:
    virtual ~TPeriodDataListener() = default;
    // The period was replaced or rebuilt: rebuild the views, re-read tempo and name.
    virtual void periodChanged() = 0;
    virtual void tempoChanged(int tempo) = 0;
    virtual void nameChanged(const std::string& name) = 0;
};

// A sentence of the period: its phrases in order.
class TSentenceData {
public:
    std::vector<TPhraseData>& phrases() { return phrases_; }
    const std::vector<TPhraseData>& phrases() const { return phrases_; }

private:
    std::vector<TPhraseData> phrases_;
};

// The seven steps of the tempo control, slowest first; 100 is moderate.
inline constexpr std::array<int, 7> TEMPO_STEPS{55, 70, 85, 100, 115, 130, 145};
inline constexpr int DEFAULT_TEMPO = 100;

// The step the tempo control shows for a tempo value (values past the fastest step show it).
int tempoStepOf(int tempo);

// Motive types from which the upbeat is derived.
inline constexpr int MOTIVE_TYPE_IAMBUS = 0;
inline constexpr int MOTIVE_TYPE_TROCHEE = 1;
inline constexpr int MOTIVE_TYPE_AMPHIBRACHYS = 2;

// The upbeat for a motive type and a chosen duration d (index 0 = a sixteenth, each further
// index one sixteenth more): a trochee has none, an amphibrachys an upbeat of d, an iambus an
// upbeat of the measure less d.
std::int16_t upbeatOfMotiveType(int motiveType, int durationIndex, const TMeasure& measure);

// The composition document: sentences of phrases of motives, with the key, meter, upbeat and
// tempo every motive shares and the document name. Motives are built with the period's key,
// meter and upbeat; changing those later does not touch existing motives.
class TPeriodData {
public:
    TPeriodData() = default;
    // Copies never carry the listener.
    TPeriodData(const TPeriodData& other);
    // Keeps this period's listener and does not notify; the owner calls notifyChanged().
    TPeriodData& operator=(const TPeriodData& other);

    std::vector<TSentenceData>& sentences() { return sentences_; }
    const std::vector<TSentenceData>& sentences() const { return sentences_; }
    void clearSentences() { sentences_.clear(); }

    const TKey& key() const { return key_; }
    void setKey(const TKey& key) { key_ = key; }
    const TMeasure& measure() const { return measure_; }
    void setMeasure(const TMeasure& measure) { measure_ = measure; }
    std::int16_t zatakt() const { return zatakt_; }
    void setZatakt(std::int16_t zatakt) { zatakt_ = zatakt; }
    // A motive with the period's key, meter and upbeat, as every motive of the tree is built.
    TMotive newMotive() const { return TMotive(key_, measure_, zatakt_); }

    int tempo() const { return tempo_; }
    void setTempo(int tempo);
    const std::string& name() const { return name_; }
    void setName(const std::string& name);

    TPeriodDataListener* listener() const { return listener_; }
    void setListener(TPeriodDataListener* listener) { listener_ = listener; }
    void notifyChanged();

    // Every motive in strip order: sentences, then phrases, then motives, each in order. The
    // pointers are valid until the tree changes shape.
    std::vector<TMotive*> allMotives();
    std::vector<const TMotive*> allMotives() const;
    int motiveCount() const;

private:
    std::vector<TSentenceData> sentences_;
    TKey key_;
    TMeasure measure_;
    std::int16_t zatakt_ = 0;
    int tempo_ = DEFAULT_TEMPO;
    TPeriodDataListener* listener_ = nullptr;
    std::string name_ = "Untitled";
};
