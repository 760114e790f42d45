#include "model/period.h"

int tempoStepOf(int tempo) {
    if (tempo < TEMPO_STEPS.front())
        return 0;
    const int step = (tempo - TEMPO_STEPS.front() + 7) / 15;
    const int fastest = static_cast<int>(TEMPO_STEPS.size()) - 1;
    return step < fastest ? step : fastest;
}

std::int16_t upbeatOfMotiveType(int motiveType, int durationIndex, const TMeasure& measure) {
    const int d = (durationIndex + 1) * TICKS_PER_SIXTEENTH;
    switch (motiveType) {
    case MOTIVE_TYPE_IAMBUS:
        return static_cast<std::int16_t>(measure.ticksPerMeasure() - d);
    case MOTIVE_TYPE_AMPHIBRACHYS:
        return static_cast<std::int16_t>(d);
    default:
        return 0;
    }
}

TPeriodData::TPeriodData(const TPeriodData& other)
    : sentences_(other.sentences_), key_(other.key_), measure_(other.measure_),
      zatakt_(other.zatakt_), tempo_(other.tempo_), name_(other.name_) {}

TPeriodData& TPeriodData::operator=(const TPeriodData& other) {
    sentences_ = other.sentences_;
    key_ = other.key_;
    measure_ = other.measure_;
    zatakt_ = other.zatakt_;
    tempo_ = other.tempo_;
    name_ = other.name_;
    return *this;
}

void TPeriodData::setTempo(int tempo) {
    tempo_ = tempo;
    if (listener_)
        listener_->tempoChanged(tempo);
}

void TPeriodData::setName(const std::string& name) {
    name_ = name;
    if (listener_)
        listener_->nameChanged(name_);
}

void TPeriodData::notifyChanged() {
    if (listener_)
        listener_->periodChanged();
}

namespace {

template <class Period, class Pointer>
void collectMotives(Period& period, std::vector<Pointer>& out) {
    for (auto& sentence : period.sentences())
        for (auto& phrase : sentence.phrases())
            for (auto& motive : phrase.motives())
                out.push_back(&motive);
}

} // namespace

std::vector<TMotive*> TPeriodData::allMotives() {
    std::vector<TMotive*> out;
    out.reserve(static_cast<std::size_t>(motiveCount()));
    collectMotives(*this, out);
    return out;
}

std::vector<const TMotive*> TPeriodData::allMotives() const {
    std::vector<const TMotive*> out;
    out.reserve(static_cast<std::size_t>(motiveCount()));
    collectMotives(*this, out);
    return out;
}

int TPeriodData::motiveCount() const {
    int count = 0;
    for (const TSentenceData& sentence : sentences_)
        for (const TPhraseData& phrase : sentence.phrases())
            count += phrase.motiveCount();
    return count;
}
