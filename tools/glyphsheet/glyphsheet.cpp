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

QString doubleSheetPath(const QString& sheetPath) {
    const int dot = sheetPath.lastIndexOf('.');
    const int slash = sheetPath.lastIndexOf('/');
    if (dot <= slash)
        return sheetPath + "@2x";
    return sheetPath.left(dot) + "@2x" + sheetPath.mid(dot);
}

QImage drawGlyphSheet(const QString& musicFontPath, QString* error, int scale) {
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

    QImage image(GLYPH_SHEET_WIDTH * scale, GLYPH_SHEET_HEIGHT * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.scale(scale, scale);
    TSheetPainter sheet(painter, fonts);
    drawNotationGlyphs(sheet);
    drawDurationGlyphs(sheet);
    drawChordAndTurnGlyphs(sheet);
    drawInterfaceGlyphs(sheet);
    painter.end();
    return image;
}
