#include "panelstesting.h"

#include "model/chordcatalogue.h"

#include <QDropEvent>

void ensurePanelsApplication() {
    static int argc = 1;
    static char name[] = "panels_tests";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance() == nullptr)
        new QApplication(argc, argv);
}

TPanelsService::TPanelsService() {
    ensurePanelsApplication();
    player_.open(0);
}

int TPanelsService::soundingNotes() const {
    int sounding = 0;
    for (std::uint32_t message : backend_.messageValues()) {
        const std::uint32_t status = message & 0xF0;
        const std::uint32_t velocity = (message >> 16) & 0x7F;
        if (status == 0x90 && velocity > 0)
            ++sounding;
        else if (status == 0x80 || (status == 0x90 && velocity == 0))
            --sounding;
    }
    return sounding;
}

TMotive upbeatMotive() {
    return TMotive(TKey(-2, MINOR), TMeasure(2, 120), 60);
}

TMotive harmonisedMelody() {
    TMotive motive = upbeatMotive();
    // The upbeat is [180, 240); the second measure part [240, 420).
    motive.notes() = {TNote(180, 20, 60), TNote(240, 22, 60), TNote(300, 24, 60),
                      TNote(360, 21, 60)};
    TChord first = chordOfType("TONIC_THREE_CHORD");
    first.setTime(0);
    TChord second = chordOfType("DOMINANT_THREE_CHORD");
    second.setTime(240);
    motive.chords() = {first, second};
    motive.recomputeChordingFlags();
    return motive;
}

namespace {

bool offer(QWidget& target, QMimeData& data) {
    const QPoint centre = target.rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(centre), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(&target, &drop);
    return drop.isAccepted();
}

} // namespace

bool dropOn(QWidget& target, TDragged& handle) {
    TDraggedMimeData data(&handle);
    return offer(target, data);
}

bool dropForeign(QWidget& target) {
    QMimeData data;
    data.setText("a motive");
    return offer(target, data);
}
