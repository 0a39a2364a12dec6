// The bonus window: its pictures and layout, the boxes' hit areas, the keys,
// the timers and paying the prize.
#include "BonusWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>

#include "dialogs/DialogAccessibility.h"
#include "dialogs/MessageBoxes.h"
#include "engine/Amounts.h"
#include "engine/Random.h"
#include "engine/SoundEffects.h"
#include "pictures/BonusPictures.h"
#include "pictures/TableLayout.h"

namespace dialogs {
namespace {

namespace layout = pictures::layout;

constexpr int CloseAfterMs = 3000;
constexpr int OpeningSoundAfterMs = 200;

constexpr int PrizeTextPoints = 24;

// Points to pixels as the screen counts them, rounded like the system's own
// conversion: 24 points are 32 pixels at 96 pixels per inch.
int PointsToPixels(int points, int dpi)
{
    return (points * dpi + 36) / 72;
}

int BoxForKey(int key)
{
    switch (key) {
    case Qt::Key_A: return 7;
    case Qt::Key_E: return 5;
    case Qt::Key_N: return 1;
    case Qt::Key_R: return 7;
    case Qt::Key_W: return 3;
    case Qt::Key_Y: return 4;
    default: return 0;
    }
}

}  // namespace

BonusWindow::BonusWindow(const engine::BonusPrizes& prizes, const BonusWindowSetup& setup,
                         BonusWindowServices services, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint),
      ClosedBoxes(this),
      EmptyBox(this),
      PrizePicture(this),
      prizes_(prizes),
      services_(std::move(services)),
      logicalDpi_(setup.logicalDpi > 0 ? setup.logicalDpi : 96)
{
    pickedPrize_ = 0;
    InstallDialogAccessibility();
    // Frameless, so without a title: a screen reader names it by these.
    setAccessibleName(QStringLiteral("Bonus: pick a box"));
    setAccessibleDescription(QStringLiteral("Open one of the eight boxes, or press Enter for a lucky dip."));
    ClosedBoxes.setAccessibleName(QStringLiteral("Eight closed boxes"));
    EmptyBox.setAccessibleName(QStringLiteral("Empty box"));
    PrizePicture.setAccessibleName(QStringLiteral("Prize"));

    // The screen the window fills, recorded at start-up, centred on the
    // screen it is shown on.
    const QSize size = setup.screenSize.isValid() ? setup.screenSize : layout::BonusPictureSize;
    resize(size);
    QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2);
    }
    // As the main window does: a platform that reports no resolution (0)
    // does not ask for the maximised window.
    if (setup.logicalDpi > 0 && setup.logicalDpi < 100) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }

    setUpdatesEnabled(false);
    LoadPictures(setup.assetDir);
    EmptyBox.hide();
    PrizePicture.hide();
    CentrePictures();
    setUpdatesEnabled(true);

    ClosedBoxes.OnMouseDown = [this](QPoint position) { ClosedBoxesMouseDown(position); };
    // EmptyBox and PrizePicture keep their presses to themselves: they do nothing.

    CloseTimer.setInterval(CloseAfterMs);
    connect(&CloseTimer, &QTimer::timeout, this, &BonusWindow::CloseTick);
    OpeningSoundTimer.setInterval(OpeningSoundAfterMs);
    connect(&OpeningSoundTimer, &QTimer::timeout, this, &BonusWindow::OpeningSoundTick);
    OpeningSoundTimer.start();

    setFocusPolicy(Qt::StrongFocus);
}

void BonusWindow::LoadPictures(const QString& assetDir)
{
    const pictures::BonusPictures loaded = pictures::BonusPictures::Load(assetDir);
    ClosedBoxes.SetPicture(loaded.closedBoxes, loaded.closedBoxesPath);
    EmptyBox.SetPicture(loaded.emptyBox, loaded.emptyBoxPath);
    prizeBackground_ = loaded.prize;
    prizePath_ = loaded.prizePath;
    PrizePicture.SetPicture(prizeBackground_, prizePath_);
}

void BonusWindow::CentrePictures()
{
    // Centred by the closed-boxes picture; the other two share its corner
    // whatever their own size. Integer division truncates toward zero, so a
    // picture larger than the window is centred too.
    const QSize picture = ClosedBoxes.Picture().size();
    const QPoint corner((width() - picture.width()) / 2, (height() - picture.height()) / 2);
    ClosedBoxes.move(corner);
    EmptyBox.move(corner);
    PrizePicture.move(corner);
}

int BonusWindow::BoxAt(QPoint p)
{
    // Both ends of each area belong to its box.
    for (int box = 1; box <= layout::BoxCount; ++box) {
        if (layout::BoxArea(box).contains(p)) {
            return box;
        }
    }
    return 0;
}

void BonusWindow::OpenBox(int box)
{
    if (closed_ || box < 1 || box > layout::BoxCount) {
        return;
    }
    boxOpened_ = true;
    openedBox_ = box;
    opened_[static_cast<size_t>(box - 1)] = true;
    const int32_t value = prizes_[static_cast<size_t>(box - 1)];
    if (value <= 0) {
        EmptyBox.show();
        ClosedBoxes.hide();
        PlaySoundEffect(engine::Effect::EmptyBox);
    } else {
        pickedPrize_ = value;
        PrizePicture.show();
        ClosedBoxes.hide();
        PlaySoundEffect(engine::Effect::PrizeBox);
    }
    // The sound may keep the window's messages flowing; if a background click
    // closed the window meanwhile, the closing timer has nothing left to do.
    if (!closed_ && !CloseTimer.isActive()) {
        CloseTimer.start();
    }
    if (value > 0) {
        pickedBox_ = box;
        DrawPrizeText();
    }
    AnnounceBonusBoxes(*this);
}

QRect BonusWindow::ClickableArea(int box) const
{
    const QRect inWindow(ClosedBoxes.mapFrom(this, QPoint(0, 0)), size());
    return layout::BoxArea(box) & ClosedBoxes.rect() & inWindow;
}

bool BonusWindow::BoxTakesClick(int box) const
{
    if (box < 1 || box > layout::BoxCount || closed_ || !isVisible() || ClosedBoxes.isHidden()) {
        return false;
    }
    if (ClickableArea(box).isEmpty()) {
        return false;
    }
    // Another modal window (a message box over this one) keeps clicks away.
    const QWidget* modal = QApplication::activeModalWidget();
    return modal == nullptr || modal == this;
}

void BonusWindow::ClickBox(int box)
{
    if (BoxTakesClick(box)) {
        ClosedBoxesMouseDown(ClickableArea(box).center());
    }
}

std::optional<int32_t> BonusWindow::OpenedContents(int box) const
{
    if (box < 1 || box > layout::BoxCount || !opened_[static_cast<size_t>(box - 1)]) {
        return std::nullopt;
    }
    return std::max<int32_t>(prizes_[static_cast<size_t>(box - 1)], 0);
}

void BonusWindow::DrawPrizeText()
{
    // Written onto a fresh copy of the prize picture (and of its variant
    // for the screen's ratio, at its resolution): a later prize box must not
    // leave the text of an earlier one showing beneath its own.
    const QString text = QStringLiteral("%1 Credits!").arg(pickedPrize_);
    const int pixelSize = PointsToPixels(PrizeTextPoints, logicalDpi_);
    PrizePicture.SetPicture(prizeBackground_, prizePath_, [text, pixelSize](QPainter& painter) {
        QFont font = painter.font();
        font.setStyleHint(QFont::SansSerif);
        font.setPixelSize(pixelSize);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(QColor(255, 255, 0));
        // The point is the top of the text, not its baseline; measured in
        // logical pixels, so the text stands in one place at every ratio.
        const QFontMetrics metrics(font);
        painter.drawText(layout::PrizeTextAt + QPoint(0, metrics.ascent()), text);
    });
    PrizePicture.setAccessibleName(text);
}

void BonusWindow::CloseTick()
{
    done(QDialog::Accepted);
}

void BonusWindow::OpeningSoundTick()
{
    OpeningSoundTimer.stop();
    PlaySoundEffect(engine::Effect::Fanfare);
}

void BonusWindow::ClosedBoxesMouseDown(QPoint position)
{
    // Only the closed boxes take a press, and only until one is opened.
    if (ClosedBoxes.isHidden()) {
        return;
    }
    const int box = BoxAt(position);
    if (box != 0) {
        OpenBox(box);
    }
}

void BonusWindow::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (closed_) {
        return;
    }
    if (!boxOpened_) {
        if (services_.showInformation) {
            services_.showInformation(QStringLiteral("Click on one of the Boxes!"));
        } else {
            MakeMessageBox(BoxIcon::Information, QStringLiteral("Information"),
                           QStringLiteral("Click on one of the Boxes!"), QMessageBox::Ok, this)
                ->exec();
        }
    } else {
        done(QDialog::Accepted);
    }
}

void BonusWindow::keyPressEvent(QKeyEvent* event)
{
    // The window takes every key itself; Escape in particular must not end
    // the modal loop and throw the bonus away.
    event->accept();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (!boxOpened_) {
            OpenBox(Random(layout::BoxCount) + 1);
        }
        return;
    default:
        if (const int box = BoxForKey(event->key()); box != 0) {
            OpenBox(box);
        }
        return;
    }
}

void BonusWindow::closeEvent(QCloseEvent* event)
{
    // A close request from outside (the window manager, the session) ends
    // the bonus game with a box opened rather than with the bonus lost.
    event->accept();
    FinishNow();
}

void BonusWindow::FinishNow()
{
    if (closed_) {
        return;
    }
    if (!boxOpened_) {
        OpenBox(Random(layout::BoxCount) + 1);
    }
    done(QDialog::Accepted);
}

void BonusWindow::done(int result)
{
    if (!closed_) {
        closed_ = true;
        CloseTimer.stop();
        OpeningSoundTimer.stop();
        FormClose();
    }
    QDialog::done(result);
}

void BonusWindow::FormClose()
{
    // Told once, however the window closes: the box whose prize is paid.
    if (services_.picked) services_.picked(PaidBox());
}

void BonusWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
}

void BonusWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    // Maximising may give the window another size than the recorded screen.
    CentrePictures();
}

void BonusWindow::PlaySoundEffect(engine::Effect effect)
{
    if (services_.playSoundEffect) {
        services_.playSoundEffect(effect);
    }
}

int32_t BonusWindow::Random(int32_t n)
{
    if (services_.random) {
        return services_.random(n);
    }
    static engine::Random fallback = [] {
        engine::Random r;
        r.SeedFromTimeOfDay();
        return r;
    }();
    return fallback(n);
}

BonusWindow* OpenBonusWindow(const engine::BonusPrizes& prizes, const BonusWindowSetup& setup,
                             BonusWindowServices services, QWidget* owner)
{
    auto* form = new BonusWindow(prizes, setup, std::move(services), owner);
    QObject::connect(form, &QDialog::finished, form, &QObject::deleteLater);
    // Modal over the table without a loop of its own: the play waits for the
    // pick through the window's `picked`.
    form->setWindowModality(Qt::ApplicationModal);
    form->show();
    form->activateWindow();
    return form;
}

}  // namespace dialogs
