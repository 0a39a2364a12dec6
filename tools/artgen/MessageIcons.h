// The message boxes' four icons (information, warning, error, question): a
// gold-rimmed enamel badge with a bold mark, in the cabinet's plum and gold.
#pragma once

#include <QImage>

namespace artwork {

enum class MessageIconKind { Information, Warning, Error, Question };

// The design size of every icon, square.
inline constexpr int MessageIconSize = 40;

// The icon of `kind` on a transparent canvas, at `scale` times its size.
QImage MessageIcon(MessageIconKind kind, qreal scale = 1);

}  // namespace artwork
