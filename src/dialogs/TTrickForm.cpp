// The bonus window: its pictures and layout, the boxes' hit areas, the keys,
// the timers and paying the prize.
#include "TTrickForm.h"

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

TTrickForm* openForm = nullptr;

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

TTrickForm::TTrickForm(engine::GameState& state, const engine::BonusPrizes& prizes, const BonusWindowSetup& setup,
                       BonusWindowServices services, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint),
      Image1(this),
      Image2(this),
      Image3(this),
      state_(state),
      prizes_(prizes),
      services_(std::move(services)),
      logicalDpi_(setup.logicalDpi > 0 ? setup.logicalDpi : 96)
{
    openForm = this;
    pickedPrize_ = 0;
    InstallDialogAccessibility();
    // Frameless, so without a title: a screen reader names it by these.
    setAccessibleName(QStringLiteral("Bonus: pick a box"));
    setAccessibleDescription(QStringLiteral("Open one of the eight boxes, or press Enter for a lucky dip."));
    Image1.setAccessibleName(QStringLiteral("Eight closed boxes"));
    Image2.setAccessibleName(QStringLiteral("Empty box"));
    Image3.setAccessibleName(QStringLiteral("Prize"));

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
    Image2.hide();
    Image3.hide();
    CentrePictures();
    setUpdatesEnabled(true);

    Image1.OnMouseDown = [this](QPoint position) { Image1MouseDown(position); };
    // Image2 and Image3 keep their presses to themselves: they do nothing.

    Timer1.setInterval(CloseAfterMs);
    connect(&Timer1, &QTimer::timeout, this, &TTrickForm::Timer1Timer);
    Timer2.setInterval(OpeningSoundAfterMs);
    connect(&Timer2, &QTimer::timeout, this, &TTrickForm::Timer2Timer);
    Timer2.start();

    setFocusPolicy(Qt::StrongFocus);
}

TTrickForm::~TTrickForm()
{
    if (openForm == this) {
        openForm = nullptr;
    }
}

TTrickForm* TTrickForm::OpenForm()
{
    return openForm;
}

void TTrickForm::LoadPictures(const QString& assetDir)
{
    const pictures::BonusPictures loaded = pictures::BonusPictures::Load(assetDir);
    Image1.SetPicture(loaded.closedBoxes, loaded.closedBoxesPath);
    Image2.SetPicture(loaded.emptyBox, loaded.emptyBoxPath);
    prizeBackground_ = loaded.prize;
    prizePath_ = loaded.prizePath;
    Image3.SetPicture(prizeBackground_, prizePath_);
}

void TTrickForm::CentrePictures()
{
    // Centred by the closed-boxes picture; the other two share its corner
    // whatever their own size. Integer division truncates toward zero, so a
    // picture larger than the window is centred too.
    const QSize picture = Image1.Picture().size();
    const QPoint corner((width() - picture.width()) / 2, (height() - picture.height()) / 2);
    Image1.move(corner);
    Image2.move(corner);
    Image3.move(corner);
}

int TTrickForm::BoxAt(QPoint p)
{
    // Both ends of each area belong to its box.
    for (int box = 1; box <= layout::BoxCount; ++box) {
        if (layout::BoxArea(box).contains(p)) {
            return box;
        }
    }
    return 0;
}

void TTrickForm::OpenBox(int box)
{
    if (closed_ || box < 1 || box > layout::BoxCount) {
        return;
    }
    boxOpened_ = true;
    openedBox_ = box;
    opened_[static_cast<size_t>(box - 1)] = true;
    const int32_t value = prizes_[static_cast<size_t>(box - 1)];
    if (value <= 0) {
        Image2.show();
        Image1.hide();
        PlaySoundEffect(engine::Effect::EmptyBox);
    } else {
        pickedPrize_ = value;
        Image3.show();
        Image1.hide();
        PlaySoundEffect(engine::Effect::PrizeBox);
    }
    // The sound may keep the window's messages flowing; if a background click
    // closed the window meanwhile, the closing timer has nothing left to do.
    if (!closed_ && !Timer1.isActive()) {
        Timer1.start();
    }
    if (pickedPrize_ > 0) {
        state_.SpinWin = pickedPrize_;
        DrawPrizeText();
    }
    AnnounceBonusBoxes(*this);
}

QRect TTrickForm::ClickableArea(int box) const
{
    const QRect inWindow(Image1.mapFrom(this, QPoint(0, 0)), size());
    return layout::BoxArea(box) & Image1.rect() & inWindow;
}

bool TTrickForm::BoxTakesClick(int box) const
{
    if (box < 1 || box > layout::BoxCount || closed_ || !isVisible() || Image1.isHidden()) {
        return false;
    }
    if (ClickableArea(box).isEmpty()) {
        return false;
    }
    // Another modal window (a message box over this one) keeps clicks away.
    const QWidget* modal = QApplication::activeModalWidget();
    return modal == nullptr || modal == this;
}

void TTrickForm::ClickBox(int box)
{
    if (BoxTakesClick(box)) {
        Image1MouseDown(ClickableArea(box).center());
    }
}

std::optional<int32_t> TTrickForm::OpenedContents(int box) const
{
    if (box < 1 || box > layout::BoxCount || !opened_[static_cast<size_t>(box - 1)]) {
        return std::nullopt;
    }
    return std::max<int32_t>(prizes_[static_cast<size_t>(box - 1)], 0);
}

void TTrickForm::DrawPrizeText()
{
    // Written onto a fresh copy of the prize picture (and of its variant
    // for the screen's ratio, at its resolution): a later prize box must not
    // leave the text of an earlier one showing beneath its own.
    const QString text = QStringLiteral("%1 Credits!").arg(pickedPrize_);
    const int pixelSize = PointsToPixels(PrizeTextPoints, logicalDpi_);
    Image3.SetPicture(prizeBackground_, prizePath_, [text, pixelSize](QPainter& painter) {
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
    Image3.setAccessibleName(text);
}

void TTrickForm::Timer1Timer()
{
    done(QDialog::Accepted);
}

void TTrickForm::Timer2Timer()
{
    Timer2.stop();
    PlaySoundEffect(engine::Effect::Fanfare);
}

void TTrickForm::Image1MouseDown(QPoint position)
{
    // Only the closed boxes take a press, and only until one is opened.
    if (Image1.isHidden()) {
        return;
    }
    const int box = BoxAt(position);
    if (box != 0) {
        OpenBox(box);
    }
}

void TTrickForm::mousePressEvent(QMouseEvent* event)
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

void TTrickForm::keyPressEvent(QKeyEvent* event)
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

void TTrickForm::closeEvent(QCloseEvent* event)
{
    // A close request from outside (the window manager, the session) ends
    // the bonus game with a box opened rather than with the bonus lost.
    event->accept();
    FinishNow();
}

void TTrickForm::FinishNow()
{
    if (closed_) {
        return;
    }
    if (!boxOpened_) {
        OpenBox(Random(layout::BoxCount) + 1);
    }
    done(QDialog::Accepted);
}

void TTrickForm::done(int result)
{
    if (!closed_) {
        closed_ = true;
        Timer1.stop();
        Timer2.stop();
        FormClose();
    }
    QDialog::done(result);
}

void TTrickForm::FormClose()
{
    // Every prize paid through SpinWin counts in the total of bonus prizes.
    if (pickedPrize_ > 0) {
        state_.BonusWon = engine::SaturatingAdd(state_.BonusWon, pickedPrize_);
    }
}

void TTrickForm::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
}

void TTrickForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    // Maximising may give the window another size than the recorded screen.
    CentrePictures();
}

void TTrickForm::PlaySoundEffect(engine::Effect effect)
{
    if (services_.playSoundEffect) {
        services_.playSoundEffect(effect);
    }
}

int32_t TTrickForm::Random(int32_t n)
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

int RunBonusWindow(engine::GameState& state, const engine::BonusPrizes& prizes, const BonusWindowSetup& setup,
                   BonusWindowServices services, QWidget* owner)
{
    TTrickForm form(state, prizes, setup, std::move(services), owner);
    form.exec();
    return form.OpenedBox();
}

}  // namespace dialogs
