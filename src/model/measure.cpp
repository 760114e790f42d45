#include "model/measure.h"

void TMeasure::dump(std::ostream& out) const {
    out << "Measure:" << beatsPerMeasure_ << "/" << beatValue_ << '\n';
}
