// Reading the built-in pictures out of the program's resources, which are
// registered on first use.
#include "pictures/BuiltInPictures.h"

#include <QResource>
#include <QString>

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

#include "pictures/BitmapFile.h"

// The resources sit in this library's archive; naming their initialiser pulls
// them into every program that asks for a built-in picture.
static void InitBuiltInPictures()
{
    Q_INIT_RESOURCE(plumfizz_builtin_pictures);
}

namespace pictures {
namespace {

void EnsureResources()
{
    static const bool initialised = (InitBuiltInPictures(), true);
    (void)initialised;
}

}  // namespace

QByteArray BuiltInFileBytes(const QString& path)
{
    EnsureResources();
    const QResource resource(path);
    if (!resource.isValid()) return {};
    if (resource.compressionAlgorithm() != QResource::NoCompression || resource.data() == nullptr) {
        return resource.uncompressedData();
    }
    // A copy (uncompressedData would share the resource's own bytes).
    const QByteArray bytes(reinterpret_cast<const char*>(resource.data()), static_cast<qsizetype>(resource.size()));
    // The whole pages it lay in are handed back; the program file still holds them.
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(resource.data());
    const std::uintptr_t begin = (start + page - 1) / page * page;
    const std::uintptr_t end = (start + static_cast<std::uintptr_t>(resource.size())) / page * page;
    if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_DONTNEED);
    return bytes;
}

QImage BuiltInPictureAt(const QString& path)
{
    return ToOpaque(QImage::fromData(BuiltInFileBytes(path), "PNG"));
}

QImage BuiltInTablePicture(const char* name)
{
    return BuiltInPictureAt(BuiltInTablePicturePath(name));
}

QString BuiltInTablePicturePath(const char* name)
{
    EnsureResources();
    return QStringLiteral(":/pictures/%1.png").arg(QLatin1String(name));
}

QImage BuiltInBonusPicture(int number)
{
    return BuiltInPictureAt(BuiltInBonusPicturePath(number));
}

QString BuiltInBonusPicturePath(int number)
{
    EnsureResources();
    return QStringLiteral(":/bonus/bonus%1.png").arg(number);
}

QImage BuiltInAmountButton(int tag)
{
    const QString path = BuiltInAmountButtonPath(tag);
    return path.isEmpty() ? QImage() : BuiltInPictureAt(path);
}

QString BuiltInAmountButtonPath(int tag)
{
    static const char* const names[] = {"AmountButton1000", "AmountButton100", "AmountButton10", "AmountButton1"};
    if (tag < 0 || tag > 3) return {};
    return BuiltInTablePicturePath(names[tag]);
}

QIcon ProgramIcon()
{
    EnsureResources();
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/plumfizz-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

QIcon MessageIcon(MessageIconKind kind)
{
    EnsureResources();
    static const char* const names[] = {"Information", "Warning", "Error", "Question"};
    // QIcon finds the "@2x" and "@4x" drawings beside the file by itself.
    return QIcon(QStringLiteral(":/messages/%1.png").arg(QLatin1String(names[static_cast<int>(kind)])));
}

}  // namespace pictures
