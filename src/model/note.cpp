#include "model/note.h"

void TNote::dump(std::ostream& out) const {
    out << "Note: time:" << time_ << " pitch:" << pitch_ << " duration:" << duration_ << '\n';
}
