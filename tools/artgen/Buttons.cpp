// Drawing the push buttons: the recess and chrome bezel alike in both states, a cap that lights.
#include "Buttons.h"

#include <QPainter>
#include <QRadialGradient>

#include "Paint.h"
#include "Palette.h"
#include "pictures/TableLayout.h"

namespace artwork {

namespace layout = pictures::layout;

namespace {

struct Look {
    QColor cap;    // the lit colour of the button's cap
    QString word;  // the big word
    QString note;  // the small line under it
};

Look LookOf(ButtonKind kind)
{
    switch (kind) {
    case ButtonKind::BetOne: return {QColor(0xb4, 0x3c, 0xe0), QStringLiteral("BET 1"), QStringLiteral("ONE COIN")};
    case ButtonKind::BetFive: return {QColor(0xe8, 0x24, 0x40), QStringLiteral("BET 5"), QStringLiteral("MAX BET")};
    case ButtonKind::Spin: break;
    }
    return {QColor(0xf4, 0xb0, 0x18), QStringLiteral("SPIN"), QString()};
}

}  // namespace

QImage ButtonFace(ButtonKind kind, bool lit, qreal scale)
{
    const QSize size(layout::ButtonStripSize.width(), layout::ButtonStripSize.height() / 2);
    QImage face = NewCanvas(ScaledSize(size, scale), palette::PlumBlack);
    QPainter p;
    BeginScaled(p, &face, scale);
    const Look look = LookOf(kind);

    // The recess the button sits in, then the chrome bezel; both identical lit or dim.
    const QRectF bezel = ButtonRecess(p, size, 3.5);

    const QRectF cap = bezel.adjusted(3.5, 3.5, -3.5, -3.5);
    const QColor base = lit ? look.cap : Mix(look.cap, palette::PlumBlack, 0.74);
    QRadialGradient fill(QPointF(cap.center().x(), cap.top() + cap.height() * 0.35), cap.width() * 0.75);
    fill.setColorAt(0.0, lit ? Mix(base, Qt::white, 0.5) : Mix(base, Qt::white, 0.12));
    fill.setColorAt(0.55, base);
    fill.setColorAt(1.0, base.darker(lit ? 190 : 160));
    p.setBrush(fill);
    p.drawRoundedRect(cap, 6, 6);

    // The dome's gloss over the upper half.
    QLinearGradient gloss(cap.topLeft(), QPointF(cap.left(), cap.center().y()));
    gloss.setColorAt(0.0, QColor(255, 255, 255, lit ? 170 : 60));
    gloss.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(gloss);
    p.drawRoundedRect(QRectF(cap.left() + 3, cap.top() + 1.5, cap.width() - 6, cap.height() * 0.45), 5, 5);

    const bool twoLines = !look.note.isEmpty();
    const QRectF wordBox = twoLines ? QRectF(cap.left(), cap.top() + 4, cap.width(), 18)
                                    : QRectF(cap.left(), cap.top(), cap.width(), cap.height());
    const QPainterPath word = TextPath(look.word, SansFont(twoLines ? 15.5 : 18.0), wordBox);
    const QColor ink = lit ? QColor(0xff, 0xff, 0xff) : Mix(look.cap, QColor(0x90, 0x90, 0x90), 0.6).darker(125);
    if (lit) Glow(p, word, QColor(255, 255, 255), 2, 0.8);
    OutlinedPath(p, word, ink, lit ? base.darker(260) : QColor(0, 0, 0, 120), lit ? 1.1 : 0.6);
    if (twoLines) {
        const QPainterPath note =
            TextPath(look.note, CondensedFont(8.5), QRectF(cap.left(), cap.top() + 24, cap.width(), 9));
        OutlinedPath(p, note, lit ? QColor(0xff, 0xf2, 0xc0) : ink, lit ? base.darker(260) : QColor(0, 0, 0, 0),
                     lit ? 0.7 : 0);
    }
    p.end();
    return face;
}

QImage Button(ButtonKind kind, qreal scale)
{
    QImage both = NewCanvas(ScaledSize(layout::ButtonStripSize, scale), palette::PlumBlack);
    QPainter p(&both);
    p.drawImage(0, 0, ButtonFace(kind, false, scale));
    p.drawImage(0, qRound(layout::ButtonStripSize.height() / 2 * scale), ButtonFace(kind, true, scale));
    p.end();
    return both.convertToFormat(QImage::Format_RGB32);
}

}  // namespace artwork
