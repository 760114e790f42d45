#include "widgets/resources.h"

#include <QGuiApplication>

#include "files/appfolders.h"
#include "model/diagnostics.h"

#include <QCoreApplication>
#include <QDir>

#include <stdexcept>

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
    QImage image(path);
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
