#include "files/periodchange.h"

#include "files/periodwriter.h"

namespace {

bool sameShape(const TPeriodData& a, const TPeriodData& b) {
    if (!(a.key() == b.key()) || !(a.measure() == b.measure()) || a.zatakt() != b.zatakt() ||
        a.sentences().size() != b.sentences().size())
        return false;
    for (std::size_t s = 0; s < a.sentences().size(); ++s) {
        const auto& phrasesA = a.sentences()[s].phrases();
        const auto& phrasesB = b.sentences()[s].phrases();
        if (phrasesA.size() != phrasesB.size())
            return false;
        for (std::size_t p = 0; p < phrasesA.size(); ++p)
            if (phrasesA[p].suffix() != phrasesB[p].suffix() ||
                phrasesA[p].motives().size() != phrasesB[p].motives().size())
                return false;
    }
    return true;
}

bool isEmpty(const TMotive& motive) {
    return motive.notes().empty() && motive.chords().empty();
}

// The document of the motive with its chords, or its notes, left out.
std::string notesOf(const TMotive& motive) {
    TMotive copy = motive;
    copy.chords().clear();
    return motiveDocument(copy);
}

std::string chordsOf(const TMotive& motive) {
    TMotive copy = motive;
    copy.notes().clear();
    return motiveDocument(copy);
}

} // namespace

TPeriodChange comparePeriods(const TPeriodData& before, const TPeriodData& after) {
    TPeriodChange change;
    change.tempo = before.tempo() != after.tempo();
    if (!sameShape(before, after)) {
        change.shape = true;
        return change;
    }
    const std::vector<const TMotive*> motivesBefore = before.allMotives();
    const std::vector<const TMotive*> motivesAfter = after.allMotives();
    change.emptied = true;
    change.noNotesLeft = true;
    for (std::size_t i = 0; i < motivesBefore.size(); ++i) {
        const TMotive& a = *motivesBefore[i];
        const TMotive& b = *motivesAfter[i];
        if (motiveDocument(a) == motiveDocument(b))
            continue;
        change.motives.push_back(static_cast<int>(i));
        change.notes = change.notes || notesOf(a) != notesOf(b);
        change.chords = change.chords || chordsOf(a) != chordsOf(b);
        change.emptied = change.emptied && isEmpty(b);
        change.noNotesLeft = change.noNotesLeft && b.notes().empty();
    }
    if (change.motives.empty()) {
        change.emptied = false;
        change.noNotesLeft = false;
    }
    return change;
}

namespace {

// The name by what changed alone.
std::string nameByContent(const TPeriodChange& change) {
    if (change.shape)
        return "Change Structure";
    if (change.motives.empty())
        return change.tempo ? "Change Tempo" : "Change";
    if (change.emptied)
        return "Clear Motive";
    if (change.notes && change.chords)
        return change.motives.size() > 1 ? "Change Motives" : "Change Motive";
    return change.chords ? "Change Chords" : "Change Notes";
}

} // namespace

std::string changeName(const TPeriodChange& change, TChangeOrigin origin,
                       const std::string& dropSource) {
    // A change of the whole or of the tempo says so whatever the pointer did.
    if (change.shape || change.motives.empty())
        return nameByContent(change);
    switch (origin) {
    case TChangeOrigin::VariantChoice:
        if (change.notes && change.chords)
            return "Choose Notes and Chords";
        return change.chords ? "Choose Chord" : "Choose Note";
    case TChangeOrigin::Edit:
        return change.emptied ? "Clear Motive" : "Edit Motive";
    case TChangeOrigin::Delete:
        return change.chords && !change.notes ? "Delete Chord" : "Delete Note";
    case TChangeOrigin::Contour:
        return "Draw Contour";
    case TChangeOrigin::Drop:
        return dropSource.empty() ? "Copy Motive" : dropSource;
    case TChangeOrigin::Back:
        return "Earlier Version";
    case TChangeOrigin::Forward:
        return "Later Version";
    case TChangeOrigin::FastMenu:
        if (change.noNotesLeft)
            return change.chords ? "Clear Motive" : "Delete All Notes";
        return "Regenerate Motive";
    case TChangeOrigin::Unknown:
        break;
    }
    return nameByContent(change);
}
