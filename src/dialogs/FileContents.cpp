// Reading a window's files through the safe opener.
#include "dialogs/FileContents.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <vector>

#include "files/RegularFile.h"

namespace dialogs {

std::optional<QByteArray> ReadFileContents(const QString& path, std::uint64_t maxBytes, QString* reason)
{
    files::RegularFile file(QFile::encodeName(path).toStdString(), maxBytes);
    std::vector<std::uint8_t> bytes;
    if (!file.IsOpen() || !file.ReadAll(bytes)) {
        if (reason != nullptr) *reason = QString::fromStdString(file.Reason());
        return std::nullopt;
    }
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

QImage ReadPictureFile(const QString& path, std::uint64_t maxBytes, int allocationLimitMb)
{
    std::optional<QByteArray> bytes = ReadFileContents(path, maxBytes);
    if (!bytes) return {};
    QBuffer buffer(&*bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    reader.setAllocationLimit(allocationLimitMb);
    return reader.read();
}

}  // namespace dialogs
