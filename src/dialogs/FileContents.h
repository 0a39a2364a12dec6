// Reading a file a window shows (the manual, its pictures, the sponsor
// pictures) through the game's safe opener: a regular file only, never a
// pipe or a device, and no larger than the cap given.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <optional>

namespace dialogs {

// The whole file, or nothing with `reason` saying why ("no such file", "not a
// regular file", "larger than 4 MB", or the system's own reason).
std::optional<QByteArray> ReadFileContents(const QString& path, std::uint64_t maxBytes, QString* reason = nullptr);

// A picture decoded from a file of at most `maxBytes`, its pixels limited to
// `allocationLimitMb` megabytes; a null image when it cannot be read.
QImage ReadPictureFile(const QString& path, std::uint64_t maxBytes, int allocationLimitMb);

}  // namespace dialogs
