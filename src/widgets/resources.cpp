#include "widgets/resources.h"

#include <QGuiApplication>

#include "files/appfolders.h"
#include "model/diagnostics.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdlib>
#include <stdexcept>

namespace {

constexpr qint64 FILE_HEADER_SIZE = 14;
constexpr quint32 INFO_HEADER_SIZE = 40;

// A 24-bit uncompressed bitmap file, as the glyph sheet tool writes the sheets, read straight
// into 32-bit RGB. The general image reader takes many times as long for the sheet and first
// loads every image format plugin to ask whether one of them claims the file. Null for any
// other file, which the general reader then reads.
QImage readRgbBitmap(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const qint64 size = file.size();
    if (size < FILE_HEADER_SIZE + INFO_HEADER_SIZE)
        return {};
    const uchar* data = file.map(0, size);
    if (data == nullptr)
        return {};
    const auto u16 = [data](int at) { return quint32(data[at]) | quint32(data[at + 1]) << 8; };
    const auto u32 = [&u16](int at) { return u16(at) | u16(at + 2) << 16; };
    const quint32 offset = u32(10);
    const quint32 infoSize = u32(14);
    const std::int64_t width = qint32(u32(18));
    const std::int64_t height = qint32(u32(22));
    const std::int64_t rows = std::abs(height);
    const bool plainRgb = data[0] == 'B' && data[1] == 'M' && infoSize >= INFO_HEADER_SIZE &&
                          u16(26) == 1 && u16(28) == 24 && u32(30) == 0;
    // Rows are padded to whole 4-byte words; a positive height stores the bottom row first.
    const std::int64_t stride = (width * 3 + 3) / 4 * 4;
    if (!plainRgb || width <= 0 || width > 32767 || rows == 0 || rows > 32767 ||
        offset < FILE_HEADER_SIZE + infoSize || offset + stride * rows > size)
        return {};
    QImage image(int(width), int(rows), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    for (int y = 0; y < rows; ++y) {
        const uchar* in = data + offset + stride * (height > 0 ? rows - 1 - y : y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x, in += 3)
            out[x] = qRgb(in[2], in[1], in[0]);
    }
    image.setDotsPerMeterX(qint32(u32(38)));
    image.setDotsPerMeterY(qint32(u32(42)));
    return image;
}

} // namespace

const QString& applicationFolder() {
    static const QString folder = [] {
        const std::filesystem::path executable =
            QDir(QCoreApplication::applicationDirPath()).absolutePath().toStdString();
        const QString data = QString::fromStdString(dataFolderOf(executable).string());
        return QDir::toNativeSeparators(data + "/");
    }();
    return folder;
}

TResourceFactory::TResourceFactory() : cache_(100) {}

TResourceFactory& TResourceFactory::shared() {
    static TResourceFactory factory;
    return factory;
}

const TCustomBitmap& TResourceFactory::bitmap(const QString& path) {
    const auto found = cache_.find(path);
    if (found != cache_.end())
        return *found->second;
    auto loaded = std::make_unique<TCustomBitmap>("ResourceFatory");
    QImage image = readRgbBitmap(path);
    if (image.isNull())
        image.load(path);
    if (image.isNull())
        throw std::runtime_error("cannot load the bitmap " + path.toStdString());
    static_cast<QImage&>(*loaded) = image.convertToFormat(QImage::Format_RGB32);
    return *cache_.emplace(path, std::move(loaded)).first->second;
}

const TCustomBitmap& TResourceFactory::glyphSheet() {
    const auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (gui != nullptr && gui->devicePixelRatio() > 1.0) {
        const QString path = applicationFolder() + "glyphs@2x.bmp";
        try {
            TCustomBitmap& sheet = const_cast<TCustomBitmap&>(bitmap(path));
            sheet.setDevicePixelRatio(2.0);
            return sheet;
        } catch (const std::runtime_error&) {
            // Without the double sheet the glyphs are scaled up from the plain one.
        }
    }
    return bitmap(applicationFolder() + "glyphs.bmp");
}

void TResourceFactory::clearCache() {
    cache_.clear();
    diagnostics() << "TResourceFactory::Cache has cleared\n";
}
