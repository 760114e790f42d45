#include "glyphsheet.h"

#include "sheetpainter.h"

#include "model/glyphatlas.h"

#include <QFileInfo>
#include <QFontDatabase>

namespace {

// The family of a font file beside `musicFontPath`, or `fallback` when it is missing.
QString familyOf(const QString& path, const QString& fallback) {
    const int id = QFontDatabase::addApplicationFont(path);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? fallback : families.first();
}

} // namespace

QImage drawGlyphSheet(const QString& musicFontPath, QString* error) {
    const int id = QFontDatabase::addApplicationFont(musicFontPath);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        if (error != nullptr)
            *error = "cannot load the music font " + musicFontPath;
        return {};
    }
    const QString folder = QFileInfo(musicFontPath).absolutePath() + "/";
    TSheetFonts fonts;
    fonts.music = families.first();
    fonts.serifBold = familyOf(folder + "FreeSerifBold.ttf", fonts.music);
    fonts.sansBold = familyOf(folder + "FreeSansBold.ttf", fonts.music);

    QImage image(GLYPH_SHEET_WIDTH, GLYPH_SHEET_HEIGHT, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    TSheetPainter sheet(painter, fonts);
    drawNotationGlyphs(sheet);
    drawDurationGlyphs(sheet);
    drawChordAndTurnGlyphs(sheet);
    drawInterfaceGlyphs(sheet);
    painter.end();
    return image;
}
