#include "help/helppages.h"

#include <QDir>

QString helpFile(const std::filesystem::path& applicationFolder, const char* folder,
                 const QString& name) {
    const QDir base(QString::fromStdString(applicationFolder.string()));
    return QDir::cleanPath(base.absoluteFilePath(QString::fromLatin1(folder) + "/" + name));
}

QUrl helpPageUrl(const std::filesystem::path& applicationFolder, const char* folder,
                 const QString& page) {
    return QUrl::fromLocalFile(helpFile(applicationFolder, folder, page));
}
