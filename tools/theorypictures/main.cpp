// Draws the music examples of the theory page with the program's own note painter:
// tonaria-theorypictures GLYPHS.bmp EXAMPLE.tnr OUT-FOLDER

#include "engine/effect.h"
#include "engine/scheme.h"
#include "files/periodreader.h"
#include "model/chordcatalogue.h"
#include "model/notelist.h"
#include "model/noteview.h"
#include "notation/basepainter.h"
#include "notation/notepainter.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// The rows of a picture: the staff picture of the note painter, then the chord strip.
constexpr int STAFF_HEIGHT = 151;
constexpr int CHORD_BOX_TOP = 156;
constexpr int PICTURE_HEIGHT = 180;
constexpr int CHORD_COLUMN_WIDTH = 50;

const TKey C_MAJOR(0, MAJOR);
const TKey A_MINOR(0, MINOR);
const TMeasure TWO_FOUR(2, 120);
const TMeasure FOUR_FOUR(4, 120);

class TPicture {
public:
    TPicture(const QImage& glyphs, int width)
        : glyphs_(glyphs), image_(width, PICTURE_HEIGHT, QImage::Format_RGB32) {
        image_.fill(Qt::white);
    }

    // Clefs, key and time signature at the left edge; returns where the music starts.
    int header(const TKey& key, const TMeasure& meter) {
        const int width = headerWidth(key, meter);
        QImage part(width, STAFF_HEIGHT, QImage::Format_RGB32);
        QPainter painter(&part);
        TBasePainter(painter, glyphs_, width, STAFF_HEIGHT).drawHeader(key, meter);
        QPainter(&image_).drawImage(0, 0, part);
        return width;
    }

    // One measure of notes at x, with its chord below when there is one; returns its width.
    int measure(const TMotive& motive, int x) {
        const int width = motive.measure().displayWidth();
        QImage part(width, STAFF_HEIGHT, QImage::Format_RGB32);
        {
            QPainter painter(&part);
            TNotePainter notes(painter, glyphs_, width, STAFF_HEIGHT);
            notes.drawMeasurePicture(motive.notes(), 0, motive.ticksPerMeasure(), motive.measure(),
                                     motive.key());
        }
        QPainter painter(&image_);
        painter.drawImage(x, 0, part);
        if (!motive.chords().empty())
            TBasePainter(painter, glyphs_, image_.width(), PICTURE_HEIGHT)
                .drawChordBox(motive.chords().front(), x + 4, CHORD_BOX_TOP);
        return width;
    }

    // A voiced chord as four whole-note heads at x, with its box below; a raised seventh of
    // minor carries its accidental, as in the melody.
    void chord(const TChord& chord, const TKey& key, int x) {
        QPainter painter(&image_);
        TBasePainter staff(painter, glyphs_, image_.width(), PICTURE_HEIGHT);
        const int centre = x + CHORD_COLUMN_WIDTH / 2;
        for (int voice = SOPRANO; voice <= BASS; ++voice) {
            const int pitch = chord.voice(voice);
            staff.drawLedgerLines(pitch, centre);
            staff.drawHead(centre, pictureY(pitch), 480, HEAD_CHORD_TONE, true);
            if (key.isRaisedSeventh(pitch))
                staff.drawAccidental(centre, pictureY(pitch),
                                     key.accidentalFor(pitch, ALTER_RAISE));
        }
        staff.drawChordBox(chord, x + 6, CHORD_BOX_TOP);
    }

    void staffLines(int fromX) {
        QPainter painter(&image_);
        TBasePainter(painter, glyphs_, image_.width(), PICTURE_HEIGHT).drawStaffLines(fromX);
    }

    void save(const QString& file) const {
        if (!image_.save(file, "PNG"))
            throw std::runtime_error("cannot write " + file.toStdString());
    }

private:
    const QImage& glyphs_;
    QImage image_;
};

TMotive notesMotive(const TKey& key, const TMeasure& meter, const std::vector<int>& pitches,
                    int duration) {
    TMotive motive(key, meter, 0);
    int time = 0;
    for (int pitch : pitches) {
        motive.notes().emplace_back(time, pitch, DURATION(duration));
        time += duration;
    }
    markLeadingTones(motive.notes(), key);
    return motive;
}

void drawMotives(const QImage& glyphs, const std::vector<TMotive>& motives, const QString& file) {
    int width = headerWidth(motives.front().key(), motives.front().measure());
    for (const TMotive& m : motives)
        width += m.measure().displayWidth();
    TPicture picture(glyphs, width);
    int x = picture.header(motives.front().key(), motives.front().measure());
    for (const TMotive& m : motives)
        x += picture.measure(m, x);
    picture.save(file);
}

void drawChords(const QImage& glyphs, const TKey& key, const std::vector<std::string>& types,
                const QString& file) {
    const int start = headerWidth(key, FOUR_FOUR);
    TPicture picture(glyphs, start + int(types.size()) * CHORD_COLUMN_WIDTH + 10);
    picture.header(key, FOUR_FOUR);
    picture.staffLines(start);
    int x = start;
    for (const std::string& type : types) {
        // Voiced as school harmony voices a chord on its own: every voice in its range, the
        // bass nearest the tenor.
        TChord chord = chordOfType(type);
        chord.generateArrangements(key, 22, 30);
        chord.testAgainst(TSchoolHarmony{}, key, 22, 30);
        if (!chord.chooseVoicing(26))
            throw std::runtime_error("no voicing for " + type);
        picture.chord(chord, key, x);
        x += CHORD_COLUMN_WIDTH;
    }
    picture.save(file);
}

// Each turn placed by the engine from G, the fifth of the C major tonic triad.
void drawTurns(const QImage& glyphs, const QString& folder) {
    TRandomGenerator draws;
    TScheme scheme(draws);
    const TChord tonic = chordOfType("TONIC_THREE_CHORD");
    const int counts[] = {0, 2, 2, 2, 2, 3, 3, 4, 3, 3};
    for (int turn = REPETITION; turn <= ESCAPE; ++turn) {
        TMotive motive(C_MAJOR, TWO_FOUR, 0);
        const int notes = counts[turn];
        const int duration = notes == 4 ? 60 : (notes == 3 ? 60 : 120);
        for (int i = 0; i < notes; ++i)
            motive.notes().emplace_back(i * duration, 24, DURATION(duration));
        if (notes == 3)
            motive.notes().back().setDuration(120);
        TMotive measure = motive;
        measure.chords() = {tonic};
        // Generation remembers the key it works in; placing a turn reads it.
        scheme.generateMotive(measure, {});
        TNoteList placed = motive.notes();
        placed[0].setPitch(24);
        if (scheme.applyTurn(TURN_ROUND(turn), placed, tonic, true, 1) == 0)
            throw std::runtime_error("turn " + std::to_string(turn) + " does not fit");
        motive.notes() = placed;
        motive.chords() = {tonic};
        drawMotives(glyphs, {motive}, folder + QString("/turn-%1.png").arg(turn));
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: tonaria-theorypictures GLYPHS.bmp EXAMPLE.tnr OUT-FOLDER\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    try {
        const QImage glyphs =
            QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
        if (glyphs.isNull())
            throw std::runtime_error(std::string("cannot read the glyph sheet ") + argv[1]);
        TPeriodData example;
        readPeriodFile(example, argv[2]);
        const QString folder = QString::fromLocal8Bit(argv[3]);
        QDir().mkpath(folder);

        std::vector<TMotive> motives;
        for (const TMotive* m : std::as_const(example).allMotives())
            motives.push_back(*m);
        drawMotives(glyphs, {motives.begin(), motives.begin() + 4},
                    folder + "/example-first-sentence.png");
        drawMotives(glyphs, {motives.begin() + 4, motives.end()},
                    folder + "/example-second-sentence.png");
        drawMotives(glyphs, {motives[0]}, folder + "/example-motive.png");
        // Motive 1 and what three exact techniques make of it.
        TRandomGenerator draws;
        TScheme scheme(draws);
        TEffect effect(scheme);
        drawMotives(glyphs,
                    {motives[0], effect.makeVariants(TSimpleEffect::SEQUENCE_UP, motives[0])[1],
                     effect.makeVariants(TSimpleEffect::OTHER, motives[0])[0],
                     effect.makeVariants(TSimpleEffect::OTHER, motives[0])[1]},
                    folder + "/techniques.png");

        drawMotives(glyphs, {notesMotive(C_MAJOR, FOUR_FOUR, {20, 21, 22, 23, 24, 25, 26, 27}, 60)},
                    folder + "/scale-major.png");
        drawMotives(glyphs, {notesMotive(A_MINOR, FOUR_FOUR, {18, 19, 20, 21, 22, 23, 24, 25}, 60)},
                    folder + "/scale-minor.png");
        drawChords(glyphs, C_MAJOR,
                   {"TONIC_THREE_CHORD", "TONIC_SIXTH_CHORD", "SUBDOMINANT_THREE_CHORD",
                    "LOWINTRO_SIXTH_CHORD", "K_SIXTH_FOURTH_CHORD", "DOMINANT_THREE_CHORD",
                    "DOMINANT_SIXTH_CHORD", "TOPM_THREE_CHORD", "TOPINTRO_SIXTH_CHORD"},
                   folder + "/chords-triads.png");
        drawChords(glyphs, C_MAJOR,
                   {"DOMINANT_FOUR_CHORD", "DOMINANT_SIXTH_FIFTH_CHORD",
                    "DOMINANT_FOURTH_THIRD_CHORD", "DOMINANT_SECOND_CHORD", "LOWINTRO_FOUR_CHORD",
                    "LOWINTRO_SIXTH_FIFTH_CHORD", "TOPINTRO_FOUR_CHORD"},
                   folder + "/chords-sevenths.png");
        drawChords(glyphs, A_MINOR,
                   {"TONIC_THREE_CHORD", "SUBDOMINANT_THREE_CHORD", "DOMINANT_THREE_CHORD",
                    "DOMINANT_FOUR_CHORD", "TOPINTRO_FOUR_CHORD"},
                   folder + "/chords-minor.png");
        drawTurns(glyphs, folder);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tonaria-theorypictures: %s\n", error.what());
        return 1;
    }
    return 0;
}
