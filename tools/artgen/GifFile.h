// GIF encoding through giflib: a picture reduced to a 256-colour palette and
// written as GIF89a.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace artwork {

// The picture as the bytes of a GIF file; empty and a message on failure.
QByteArray EncodeGif(const QImage& image, QString* error);

}  // namespace artwork
