// The borrow window: its controls and their places, the amount buttons, the
// counters painted onto its own surface, and its keys.
#include "dialogs/BorrowWindow.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>

#include "dialogs/CabinetLook.h"
#include "dialogs/KeyboardFocusFrame.h"
#include "dialogs/MessageBoxes.h"
#include "pictures/BuiltInPictures.h"
#include "pictures/DigitCounter.h"
#include "pictures/PictureVariants.h"
#include "pictures/Scaling.h"

namespace dialogs {
namespace {

constexpr QSize ClientSize{582, 300};
constexpr int CounterTop = 40;
// The gold rim is 8 pixels deep; a button and its focus frame stay inside it.
constexpr int RimDepth = 11;

// Wide enough for both counters at their longest (a sign, ten digits and the
// spare cell each) inside their glass, with room between them.
int ClientWidthFor(int layoutWidth)
{
    const int cell = pictures::DigitCellFor(layoutWidth).width();
    return std::max(ClientSize.width(), 2 * (pictures::CounterCharacters + 1) * cell + 80);
}

// Pale gold text and a gold-rimmed indicator with a gold dot: plain on the plum.
const char* const RadioStyle = R"(
QRadioButton { color: #fff0b0; spacing: 6px; }
QRadioButton::indicator { width: 12px; height: 12px; border: 2px solid #f2cc5a; border-radius: 8px; background: #16041a; }
QRadioButton::indicator:checked {
    background: qradialgradient(cx:0.5, cy:0.5, radius:0.5, fx:0.5, fy:0.5, stop:0 #fff0b0, stop:0.55 #f2cc5a, stop:0.6 #16041a, stop:1 #16041a);
}
QRadioButton:focus { color: #ffffff; }
)";

QFont FontOf(const QWidget& widget, int points, bool bold)
{
    QFont font = widget.font();
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

void Place(QWidget& control, int x, int y)
{
    control.adjustSize();
    control.move(x, y);
}

}  // namespace

BorrowWindow::BorrowWindow(engine::GameState& state, const pictures::PictureSet& digits, int layoutWidth,
                           BorrowWindowServices services, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      Button1000(this),
      Button100(this),
      Button10(this),
      Button1(this),
      ModeLabel(QStringLiteral("Mode:"), this),
      BorrowRadio(QStringLiteral("Borrow Credits"), this),
      PayBackRadio(QStringLiteral("Pay Back Credits"), this),
      OKButton(QStringLiteral("&OK"), this),
      HelpButton(QStringLiteral("&Help"), this),
      state_(state),
      digits_(digits),
      layoutWidth_(layoutWidth),
      services_(std::move(services))
{
    setWindowTitle(QStringLiteral("Use this form to borrow or pay back credits"));
    setFixedSize(ClientWidthFor(layoutWidth), ClientSize.height());
    ApplyCabinetLook(*this);
    // The controls of the design's width, centred in a window widened for large digits.
    const int shift = (width() - ClientSize.width()) / 2;

    // The amount buttons show only their pictures. A click leaves the focus
    // where it was, so that Enter after a click still presses OK, not the
    // amount again; Tab reaches them for the keyboard.
    QPushButton* amounts[] = {&Button1000, &Button100, &Button10, &Button1};
    for (int tag = 0; tag < 4; ++tag) {
        QPushButton& button = *amounts[tag];
        const QImage picture = pictures::BuiltInAmountButton(tag);
        // Beside the picture, its variant for the screen's ratio: the icon
        // draws whichever matches the screen it is shown on.
        QIcon icon(QPixmap::fromImage(picture));
        const QImage variant =
            pictures::PictureForPixelRatio(picture, pictures::BuiltInAmountButtonPath(tag), devicePixelRatioF());
        if (variant.devicePixelRatio() > 1.0) icon.addPixmap(QPixmap::fromImage(variant));
        button.setIcon(icon);
        button.setIconSize(picture.size());
        button.setGeometry(shift + 89 + 112 * tag, 104, 80, 57);
        button.setFlat(true);
        button.setFocusPolicy(Qt::TabFocus);
        button.setAccessibleName(QStringLiteral("$%L1").arg(AmountOfTag(tag)));
        connect(&button, &QPushButton::clicked, this, [this, tag] { AmountButtonClick(tag); });
    }

    ModeLabel.setFont(FontOf(*this, 14, true));
    QPalette red = ModeLabel.palette();
    red.setColor(QPalette::WindowText, QColor(0xff, 0x48, 0x40));
    ModeLabel.setPalette(red);
    Place(ModeLabel, shift + 56, 192);
    for (QRadioButton* radio : {&BorrowRadio, &PayBackRadio}) {
        radio->setFont(FontOf(*this, 12, false));
        radio->setStyleSheet(QString::fromLatin1(RadioStyle));
    }
    Place(BorrowRadio, shift + 147, 192);
    Place(PayBackRadio, shift + 355, 192);
    BorrowRadio.setChecked(true);

    OKButton.setGeometry(width() - RimDepth - 127, height() - RimDepth - 46, 127, 46);
    HelpButton.setGeometry(RimDepth, height() - RimDepth - 46, 127, 46);
    OKButton.setDefault(true);
    connect(&OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(&HelpButton, &QPushButton::clicked, this, &BorrowWindow::HelpButtonClick);
    OKButton.setFocus();
    ShowKeyboardFocus(*this, CabinetGold);

    // Centred on the screen.
    if (QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    FormPaint();
}

void BorrowWindow::AmountButtonClick(int tag)
{
    const int32_t amount = AmountOfTag(tag);
    const BorrowMode mode = PayBackRadio.isChecked() ? BorrowMode::PayBack : BorrowMode::Borrow;
    const BorrowResult result = ApplyAmount(state_, mode, amount);
    if (result == BorrowResult::Done) {
        FormPaint();
    } else {
        ShowInformation(RefusalText(result, amount));
    }
}

void BorrowWindow::HelpButtonClick()
{
    ShowInformation(
        QStringLiteral("Use this screen to borrow credits or pay back credits that you borrowed previously.  "
                       "Click on the button representing the amount to borrow (or pay back).\r\n\r\n"
                       "To switch between \"borrow\" and \"pay back\" select the mode."));
}

void BorrowWindow::FormPaint()
{
    // At the screen's resolution: the painter works in logical pixels, the
    // counters' cells are copied in device pixels from the strips' variants.
    const double ratio = devicePixelRatioF();
    const auto device = [ratio](int logical) { return pictures::ToDevicePixels(logical, ratio); };
    surface_ = QImage(device(width()), device(height()), QImage::Format_RGB32);
    surface_.setDevicePixelRatio(ratio);
    QPainter painter(&surface_);
    PaintCabinetBackground(painter, rect());
    const int cellHeight = pictures::DigitCellFor(layoutWidth_).height();
    // Dark glass under each counter, black like the table's counter band.
    painter.setPen(QPen(CabinetGold, 1));
    painter.setBrush(Qt::black);
    borrowedGlass_ = QRect(12, CounterTop - 4, width() / 2 - 18, cellHeight + 7);
    creditsGlass_ = QRect(width() / 2 + 6, CounterTop - 4, width() / 2 - 18, cellHeight + 7);
    painter.drawRect(borrowedGlass_);
    painter.drawRect(creditsGlass_);

    const QFont font = FontOf(*this, 10, true);
    painter.setFont(font);
    painter.setPen(palette().color(QPalette::ButtonText));
    const QFontMetrics metrics(font);
    const QString borrowed = QStringLiteral("Borrowed:");
    const QString credits = QStringLiteral("Credits:");
    // From the client width: the frame, known only once the window is shown,
    // would move the caption at the first repaint after that.
    const int creditsX = width() - 35 - metrics.horizontalAdvance(credits);
    borrowedCaption_ = QRect(20, 20, metrics.horizontalAdvance(borrowed), metrics.height());
    creditsCaption_ = QRect(creditsX, 20, metrics.horizontalAdvance(credits), metrics.height());
    painter.drawText(QPoint(20, 20 + metrics.ascent()), borrowed);
    painter.drawText(QPoint(creditsX, 20 + metrics.ascent()), credits);
    painter.end();

    if (digitsRatio_ != ratio) {
        redDigits_ = pictures::CounterDigitsOf(digits_, layoutWidth_, false, ratio);
        greenDigits_ = pictures::CounterDigitsOf(digits_, layoutWidth_, true, ratio);
        digitsRatio_ = ratio;
    }
    borrowedCounter_ = pictures::ToLogicalPixels(
        pictures::DrawCounter(surface_, greenDigits_, state_.Borrowed, device(20), device(CounterTop), false,
                              device(borrowedGlass_.x() + borrowedGlass_.width() - 1)),
        ratio);
    creditsCounter_ =
        pictures::ToLogicalPixels(pictures::DrawCounter(surface_, redDigits_, state_.Credits, device(width() - 30),
                                                        device(CounterTop), true, device(creditsGlass_.x() + 1)),
                                  ratio);
    update();

    // The counters are painted: a screen reader reads them from the window and
    // from the amount buttons, where a press changes them.
    const QString counters = QStringLiteral("Borrowed %1, Credits %2").arg(state_.Borrowed).arg(state_.Credits);
    setAccessibleDescription(counters);
    for (QPushButton* amount : {&Button1000, &Button100, &Button10, &Button1}) {
        amount->setAccessibleDescription(counters);
    }
}

void BorrowWindow::paintEvent(QPaintEvent*)
{
    if (surface_.deviceIndependentSize().toSize() != size() || surface_.devicePixelRatio() != devicePixelRatioF()) {
        FormPaint();
    }
    QPainter painter(this);
    painter.drawImage(0, 0, surface_);
}

void BorrowWindow::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        // There is no cancel button: Escape leaves the window open.
        event->accept();
        return;
    case Qt::Key_F1: {
        event->accept();
        const QWidget* focus = focusWidget();
        if (services_.showHelp) {
            services_.showHelp(focus != nullptr && focus != this ? ControlHelpContext : HelpContext);
        }
        return;
    }
    default: QDialog::keyPressEvent(event);
    }
}

void BorrowWindow::ShowInformation(const QString& text)
{
    if (services_.showInformation) {
        services_.showInformation(text);
    } else {
        MakeMessageBox(BoxIcon::Information, QStringLiteral("Information"), text, QMessageBox::Ok, this)->exec();
    }
}

void RunBorrowWindow(engine::GameState& state, const pictures::PictureSet& digits, int layoutWidth,
                     BorrowWindowServices services, QWidget* owner)
{
    BorrowWindow form(state, digits, layoutWidth, std::move(services), owner);
    form.exec();
}

}  // namespace dialogs
