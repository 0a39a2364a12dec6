// The dialogs at the ends of their figures' ranges: every value's widest text
// fits its control and keeps clear of its caption, the buttons stay inside
// the gold rim, and a row of sponsor captions shares one size.
#include <QFocusFrame>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "dialogs/BorrowWindow.h"
#include "dialogs/SlotDialog.h"
#include "dialogs/SlotDialogLook.h"
#include "dialogs/SponsorWindow.h"
#include "dialogs/StatisticsWindow.h"
#include "pictures/PictureSet.h"

namespace {

constexpr int32_t Least = std::numeric_limits<int32_t>::min();
constexpr int32_t Most = std::numeric_limits<int32_t>::max();

int TextWidth(const QWidget& control, const QString& text)
{
    return QFontMetrics(control.font()).horizontalAdvance(text);
}

// The control and its keyboard focus frame clear of the rim, 8 pixels deep.
void ExpectInsideRim(const QWidget& window, const QWidget& button)
{
    EXPECT_TRUE(window.rect().adjusted(8, 8, -8, -8).contains(button.geometry().adjusted(-3, -3, 3, 3)))
        << button.objectName().toStdString() << " at " << button.x() << "," << button.y();
}

TEST(ExtremeFigures, StatisticsValuesFitBesideTheirCaptions)
{
    const QLocale unitedStates(QLocale::English, QLocale::UnitedStates);
    for (const int32_t credits : {Least, Most}) {
        for (const int32_t borrowed : {Least, Most}) {
            for (const int32_t bets : {Least, 1, Most}) {
                for (const int32_t bonus : {Least, Most}) {
                    engine::GameState state;
                    state.Credits = credits;
                    state.Borrowed = borrowed;
                    state.TotalBets = bets;
                    state.BonusWon = bonus;
                    state.Spins = bonus;
                    dialogs::StatisticsWindow form(state, nullptr, unitedStates);
                    for (const QLabel* value :
                         {&form.SpinsLabel, &form.CreditsLabel, &form.BorrowedLabel, &form.TotalBetsLabel,
                          &form.PayoffsLabel, &form.NormalLabel, &form.BonusLabel, &form.PercentLabel}) {
                        const QString caption = value->accessibleName() + QLatin1Char(':');
                        const QLabel* captionLabel = nullptr;
                        for (const QLabel* label : form.findChildren<QLabel*>()) {
                            if (label->text() == caption) captionLabel = label;
                        }
                        ASSERT_NE(captionLabel, nullptr) << caption.toStdString();
                        EXPECT_LE(TextWidth(*value, value->text()), value->width()) << value->text().toStdString();
                        EXPECT_FALSE(value->geometry().intersects(captionLabel->geometry()))
                            << caption.toStdString() << value->text().toStdString();
                        EXPECT_TRUE(form.rect().contains(value->geometry())) << value->text().toStdString();
                    }
                    ExpectInsideRim(form, form.OKButton);
                    if (bets == 1 && bonus == Least && credits == Most && borrowed == Least) {
                        // The focus frame shows only round a control the keyboard reached.
                        form.show();
                        EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
                        for (const QFocusFrame* frame : form.findChildren<QFocusFrame*>()) {
                            EXPECT_FALSE(frame->isVisible()) << frame->geometry().x();
                        }
                    }
                }
            }
        }
    }
}

TEST(ExtremeFigures, SlotPanelsShowWholeAmountsAndElideLongNames)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const store::GameStore store((dir.path() + QStringLiteral("/plumfizz")).toStdString(),
                                 [] { return std::string("12/07/26"); });
    for (int slot = 0; slot < 8; ++slot) {
        engine::GameState saved;
        saved.Credits = slot % 2 == 0 ? Least : Most;
        saved.Borrowed = slot % 4 < 2 ? Least : Most;
        saved.GameDate = "12/31/2026";
        store.SaveGameSlot(saved, slot, std::string(30, slot < 4 ? 'W' : 'i'));
    }
    engine::GameState running;
    dialogs::SlotDialog form(dialogs::SlotDialogMode::Save, running, store, QStringLiteral("Plumfizz Slots"), {});
    form.show();
    for (int n = 1; n <= 8; ++n) {
        QWidget* panel = form.SlotButton(n)->parentWidget();
        std::vector<QWidget*> controls{form.NameField(n), form.SlotButton(n)};
        for (QLabel* label : panel->findChildren<QLabel*>()) {
            controls.push_back(label);
            EXPECT_LE(TextWidth(*label, label->text()), label->width()) << label->text().toStdString();
        }
        ASSERT_EQ(controls.size(), 6u);
        for (size_t a = 0; a < controls.size(); ++a) {
            EXPECT_TRUE(panel->rect().adjusted(2, 2, -2, -2).contains(controls[a]->geometry()));
            for (size_t b = a + 1; b < controls.size(); ++b) {
                EXPECT_FALSE(controls[a]->geometry().intersects(controls[b]->geometry())) << n << ": " << a << "/" << b;
            }
        }
        // The lettering of the narrow slot button fits inside its rim, in the cabinet's bold.
        const QPushButton* button = form.SlotButton(n);
        EXPECT_TRUE(button->font().bold());
        EXPECT_LE(TextWidth(*button, button->text()) + 2 * 3, button->width()) << button->text().toStdString();
        // The name is kept whole, and shown ending in an ellipsis where it is too long.
        auto* name = qobject_cast<dialogs::slotlook::SlotNameField*>(form.NameField(n));
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->text(), QString(30, QLatin1Char(n <= 4 ? 'W' : 'i')));
        EXPECT_LE(TextWidth(*name, name->ShownText()), name->TextWidth());
        if (n <= 4) {
            EXPECT_TRUE(name->ShownText().endsWith(QChar(0x2026))) << name->ShownText().toStdString();
        } else {
            EXPECT_EQ(name->ShownText(), name->text());
        }
    }
}

class BorrowCounters : public ::testing::TestWithParam<int> {
protected:
    const pictures::PictureSet digits = pictures::PictureSet::BuiltIn();
};

TEST_P(BorrowCounters, CountersCaptionsAndButtonsKeepApart)
{
    for (const auto& [credits, borrowed] : {std::pair{Most, Most}, std::pair{Least, Least}, std::pair{Most, Least}}) {
        engine::GameState state;
        state.Credits = credits;
        state.Borrowed = borrowed;
        dialogs::BorrowWindow form(state, digits, GetParam(), {});
        const QRect counters[] = {form.BorrowedCounter(), form.CreditsCounter()};
        const QRect glass[] = {form.BorrowedGlass(), form.CreditsGlass()};
        const QRect captions[] = {form.BorrowedCaption(), form.CreditsCaption()};
        for (int side = 0; side < 2; ++side) {
            EXPECT_TRUE(glass[side].adjusted(1, 1, 0, 0).contains(counters[side])) << side;
            EXPECT_TRUE(form.rect().adjusted(8, 8, -8, -8).contains(glass[side].adjusted(0, 0, 1, 1))) << side;
            for (const QRect& caption : captions) EXPECT_FALSE(caption.intersects(glass[side])) << side;
        }
        EXPECT_FALSE(glass[0].adjusted(0, 0, 1, 1).intersects(glass[1]));
        EXPECT_FALSE(captions[0].intersects(captions[1]));
        for (const QPushButton* button : {&form.OKButton, &form.HelpButton, &form.Button1000, &form.Button1}) {
            ExpectInsideRim(form, *button);
            EXPECT_FALSE(button->geometry().intersects(glass[0].united(glass[1])));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(ExtremeFigures, BorrowCounters, ::testing::Values(800, 1920));

TEST(ExtremeFigures, BorrowCaptionsStayPutWhenAnAmountIsPressed)
{
    const pictures::PictureSet digits = pictures::PictureSet::BuiltIn();
    engine::GameState state;
    dialogs::BorrowWindow form(state, digits, 1920, {});
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QImage before = form.Surface().copy(0, 12, form.width(), 26);
    QTest::mouseClick(&form.Button1, Qt::LeftButton);
    ASSERT_EQ(state.Credits, 1001);
    EXPECT_EQ(form.Surface().copy(0, 12, form.width(), 26), before);
}

TEST(ExtremeFigures, RadioButtonsStandOutOnThePlum)
{
    const pictures::PictureSet digits = pictures::PictureSet::BuiltIn();
    engine::GameState state;
    dialogs::BorrowWindow form(state, digits, 800, {});
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    for (QRadioButton* radio : {&form.BorrowRadio, &form.PayBackRadio}) {
        QStyleOptionButton option;
        option.initFrom(radio);
        const QRect indicator = radio->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, radio);
        const QImage picture = form.grab(radio->geometry()).toImage();
        // The indicator's rim and the text are drawn in light colours.
        int lightRim = 0, lightText = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                if (picture.pixelColor(x, y).lightness() < 150) continue;
                (indicator.contains(x, y) ? lightRim : lightText) += 1;
            }
        }
        EXPECT_GT(lightRim, indicator.width() * 2) << radio->text().toStdString();
        EXPECT_GT(lightText, 40) << radio->text().toStdString();
    }
}

TEST(ExtremeFigures, EachRowOfSponsorCaptionsSharesTheLargestSizeThatFits)
{
    engine::Random random;
    dialogs::SponsorWindow form(random, QStringLiteral(PLUMFIZZ_BUILT_ASSETS));
    const auto expectRow = [](const std::vector<const dialogs::AdLink*>& row) {
        const int pixels = row.front()->font().pixelSize();
        bool largerFitsAll = pixels < 13;
        for (const dialogs::AdLink* caption : row) {
            EXPECT_EQ(caption->font().pixelSize(), pixels) << caption->text().toStdString();
            EXPECT_LE(TextWidth(*caption, caption->text()), caption->width()) << caption->text().toStdString();
            QFont larger = caption->font();
            larger.setPixelSize(pixels + 1);
            if (QFontMetrics(larger).horizontalAdvance(caption->text()) > caption->width()) largerFitsAll = false;
        }
        EXPECT_FALSE(largerFitsAll) << pixels;
    };
    expectRow({&form.ProductCaptions[0], &form.ProductCaptions[1], &form.ProductCaptions[2], &form.ProductCaptions[3]});
    expectRow({&form.TileCaptions[0], &form.TileCaptions[1], &form.TileCaptions[2], &form.TileCaptions[3]});
}

}  // namespace
