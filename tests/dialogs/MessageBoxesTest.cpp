// The desktop's message boxes show their text as plain text: markup in a
// theme's title or a file name is never rendered (an <img> of a device file
// would be read for ever).
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

#include "dialogs/CabinetLook.h"
#include "dialogs/MessageBoxes.h"
#include "dialogs/SlotDialog.h"
#include "dialogs/VersionBox.h"

namespace {

struct Seen {
    bool boxShown = false;
    Qt::TextFormat format = Qt::AutoText;
    QString labelText;
    int width = 0;
    bool hasIcon = false;
};

// Shows one box, looks at it while it is open, and closes it.
Seen Look(const std::function<void()>& show)
{
    Seen seen;
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        seen.boxShown = true;
        seen.format = box->textFormat();
        if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) seen.labelText = label->text();
        seen.width = box->width();
        seen.hasIcon = !box->iconPixmap().isNull();
        box->done(QMessageBox::No);
    });
    show();
    return seen;
}

TEST(DesktopMessageBoxes, ShowMarkupAsPlainText)
{
    dialogs::DesktopMessageBoxes boxes;
    const QString hostile = QStringLiteral("Update <img src=/dev/zero> <b>now</b>?");
    const std::function<void()> kinds[] = {
        [&] { boxes.Plain(nullptr, QStringLiteral("Caption"), hostile); },
        [&] { boxes.Information(nullptr, hostile); },
        [&] { boxes.Error(nullptr, QStringLiteral("Caption"), hostile); },
        [&] { boxes.Confirm(nullptr, hostile); },
    };
    for (const auto& show : kinds) {
        const Seen seen = Look(show);
        ASSERT_TRUE(seen.boxShown);
        EXPECT_EQ(seen.format, Qt::PlainText);
        EXPECT_EQ(seen.labelText, hostile);
    }
}

// The version box and the name question are wide enough for a window
// manager to show their whole captions; the boxes show the game's icons.
TEST(DesktopMessageBoxes, AreWideEnoughForTheirCaptions)
{
    dialogs::DesktopMessageBoxes boxes;
    const Seen version = Look([&] {
        boxes.Information(nullptr, dialogs::VersionBoxText(QStringLiteral("Plumfizz Slots"), QStringLiteral("1.0")));
    });
    ASSERT_TRUE(version.boxShown);
    EXPECT_GE(version.width, dialogs::CaptionMinimumWidth(QStringLiteral("Information")));
    EXPECT_TRUE(version.hasIcon);
    const Seen plain = Look([&] { boxes.Plain(nullptr, QStringLiteral("Caption"), QStringLiteral("x")); });
    EXPECT_FALSE(plain.hasIcon);

    const auto question = dialogs::MakeNameQuestion(QString(300, QLatin1Char('W')), nullptr);
    question->show();
    EXPECT_GE(question->width(), dialogs::CaptionMinimumWidth(QString::fromLatin1(dialogs::NameQuestionCaption)));
    EXPECT_EQ(question->textValue().size(), dialogs::MaxSavedNameCharacters);
}

}  // namespace
