// The asset-file lookup: the exact spellings first, then a scan of the
// directory that ignores letter case.
#include "pictures/AssetFiles.h"

#include <QDir>
#include <QFileInfo>

namespace pictures {

QString FindAssetFile(const QString& dir, const QStringList& spellings)
{
    const QDir directory(dir);
    for (const QString& name : spellings) {
        if (name.isEmpty()) {
            continue;
        }
        const QString path = directory.filePath(name);
        if (QFileInfo(path).isFile()) {
            return path;
        }
    }
    // The files come from a case-insensitive world; any case will do.
    const QStringList entries = directory.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& name : spellings) {
        if (name.isEmpty()) {
            continue;
        }
        for (const QString& entry : entries) {
            if (entry.compare(name, Qt::CaseInsensitive) == 0) {
                return directory.filePath(entry);
            }
        }
    }
    return {};
}

}  // namespace pictures
