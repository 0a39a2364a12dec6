// The cabinet's colours: deep plum lacquer, gold leaf, chrome, and the warm
// light of lit glass.
#pragma once

#include <QColor>

namespace artwork::palette {

inline const QColor PlumBlack{0x16, 0x04, 0x1a};
inline const QColor PlumDeep{0x2e, 0x08, 0x36};
inline const QColor Plum{0x55, 0x12, 0x5e};
inline const QColor PlumBright{0x8c, 0x2a, 0x96};
inline const QColor PlumGlow{0xd9, 0x7b, 0xe0};

inline const QColor GoldDark{0x5e, 0x3f, 0x0c};
inline const QColor Gold{0xc8, 0x96, 0x2c};
inline const QColor GoldBright{0xf2, 0xcc, 0x5a};
inline const QColor GoldPale{0xff, 0xf0, 0xb0};

inline const QColor ChromeDark{0x3c, 0x3c, 0x46};
inline const QColor Chrome{0xb4, 0xb6, 0xc2};
inline const QColor ChromeBright{0xf6, 0xf6, 0xfa};

inline const QColor ReelFace{0xf7, 0xf0, 0xe1};

inline const QColor LampOff{0x3a, 0x1c, 0x40};

}  // namespace artwork::palette
