// Draws the glyph sheet of the application, and beside it the double-size sheet for screens of
// pixel ratio 2: tonaria-glyphsheet OUT.bmp [MUSIC-FONT.ttf]

#include "glyphsheet.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: tonaria-glyphsheet OUT.bmp [MUSIC-FONT.ttf]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString font = argc == 3 ? QString::fromLocal8Bit(argv[2]) : DEFAULT_MUSIC_FONT;
    for (const int scale : {1, 2}) {
        QString error;
        const QImage sheet = drawGlyphSheet(font, &error, scale);
        if (sheet.isNull()) {
            std::fprintf(stderr, "tonaria-glyphsheet: %s\n", qPrintable(error));
            return 1;
        }
        // 24 bits per pixel: the application copies and AND-blends the sheet as it is.
        const QString file = scale == 1 ? out : doubleSheetPath(out);
        if (!sheet.convertToFormat(QImage::Format_RGB888).save(file, "BMP")) {
            std::fprintf(stderr, "tonaria-glyphsheet: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
