// PNG encoding through libpng, with the filter the program decodes fastest.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace artwork {

// The picture as the bytes of a PNG file: 8-bit RGB, or RGBA where the
// picture has an alpha channel. No row is filtered: for this artwork such
// files are about a fifth larger than with libpng's adaptive filters but
// decode twice as fast, and a large screen waits for that at start-up.
// Empty and a message on failure.
QByteArray EncodePng(const QImage& image, QString* error);

}  // namespace artwork
