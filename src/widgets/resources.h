#pragma once

#include <QImage>
#include <QString>

#include <memory>
#include <unordered_map>
#include <utility>

// The folder of the program's data with a trailing separator: the executable's folder in a
// build, share/tonaria of the prefix when installed (files/appfolders.h). The glyph sheet, help
// pages and demonstration data lie here. Computed on first use; needs a QCoreApplication then.
const QString& applicationFolder();

// A bitmap that carries the name it was made with, so that a leaked or stray bitmap can be
// told apart in a debugger.
class TCustomBitmap : public QImage {
public:
    explicit TCustomBitmap(QString name) : name_(std::move(name)) {}
    TCustomBitmap(QString name, int width, int height)
        : QImage(width, height, QImage::Format_RGB32), name_(std::move(name)) {}
    const QString& name() const { return name_; }

private:
    QString name_;
};

// Loads bitmaps once and keeps them until the cache is cleared. Bitmaps are 32-bit RGB, so that
// the AND-blended glyph copies of drawing.h work on them.
class TResourceFactory {
public:
    TResourceFactory();
    TResourceFactory(const TResourceFactory&) = delete;
    TResourceFactory& operator=(const TResourceFactory&) = delete;

    // The cache of the running application.
    static TResourceFactory& shared();

    // The cached bitmap of `path`, loaded on the first request. A file that cannot be read
    // throws std::runtime_error and is not cached, so a later request tries again. The
    // reference stays valid until clearCache().
    const TCustomBitmap& bitmap(const QString& path);
    // The glyph sheet "glyphs.bmp" of the application folder; on a screen of pixel ratio above 1
    // the double-size "glyphs@2x.bmp" when it is there, marked with pixel ratio 2, so that glyphs
    // stay crisp. Glyph rectangles are the same for both (see sheetRect in drawing.h).
    const TCustomBitmap& glyphSheet();
    // Drops every cached bitmap; the main window calls this when it closes.
    void clearCache();

private:
    std::unordered_map<QString, std::unique_ptr<TCustomBitmap>> cache_;
};
