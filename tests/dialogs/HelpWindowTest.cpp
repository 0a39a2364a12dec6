// The help window on the built manual: topics at their anchors, unknown
// topics at the contents, links between topics and out to the browser, and
// what it refuses to read.
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "RecordingBrowser.h"
#include "dialogs/HelpViewer.h"
#include "dialogs/HelpWindow.h"

namespace {

const QString BuiltManual = QStringLiteral(PLUMFIZZ_BUILT_MANUAL);

// Every picture the document shows, by the name it is written under.
QStringList PictureNames(const QTextDocument& document)
{
    QStringList names;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto piece = block.begin(); !piece.atEnd(); ++piece) {
            const QTextCharFormat format = piece.fragment().charFormat();
            if (format.isImageFormat()) names << format.toImageFormat().name();
        }
    }
    return names;
}

TEST(HelpWindow, EveryTopicOpensAtItsAnchorAndAnUnknownOneAtTheContents)
{
    ASSERT_TRUE(dialogs::ManualProblem(BuiltManual).isEmpty()) << dialogs::ManualProblem(BuiltManual).toStdString();
    QDialog owner;
    dialogs::WindowHelpViewer viewer;
    for (const int topic : {41003, 41005, 41008, 41009, 41010}) {
        viewer.Show(BuiltManual, topic, &owner);
        dialogs::HelpWindow* window = viewer.Window();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->Browser.source().fragment(), QString::number(topic));
        EXPECT_TRUE(dialogs::HasAnchor(*window->Browser.document(), QString::number(topic))) << topic;
    }
    // Beside a modal dialog the viewer must belong to it, as a window of its own.
    EXPECT_EQ(viewer.Window()->parentWidget(), &owner);
    EXPECT_TRUE(viewer.Window()->isWindow());

    viewer.Show(BuiltManual, 41003, &owner);
    EXPECT_EQ(viewer.Window()->windowTitle(), QStringLiteral("Plumfizz Slots Manual - Playing the game"));
    viewer.Show(BuiltManual, 12345, &owner);
    EXPECT_EQ(viewer.Window()->Browser.source().fragment(), QStringLiteral("contents"));
    EXPECT_EQ(viewer.Window()->windowTitle(), QStringLiteral("Plumfizz Slots Manual - Contents"));

    // The manual's pictures are all there and all decode.
    const QStringList pictures = PictureNames(*viewer.Window()->Browser.document());
    EXPECT_GE(pictures.size(), 3);
    for (const QString& name : pictures) {
        const QVariant picture = viewer.Window()->Browser.loadResource(QTextDocument::ImageResource, QUrl(name));
        EXPECT_FALSE(picture.value<QImage>().isNull()) << name.toStdString();
    }
    viewer.Window()->close();
}

TEST(HelpWindow, LinksMoveBetweenTopicsAndWebAddressesGoToTheBrowser)
{
    RecordingBrowser browser;
    web::ScopedShell shell(browser);
    dialogs::HelpWindow window(BuiltManual, nullptr);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.ShowTopic(dialogs::ContentsTopic);

    window.LinkClicked(QUrl(QStringLiteral("#41009")));
    EXPECT_EQ(window.Browser.source().fragment(), QStringLiteral("41009"));
    EXPECT_TRUE(window.BackButton.isEnabled());
    window.BackButton.click();
    EXPECT_EQ(window.Browser.source().fragment(), QStringLiteral("contents"));
    EXPECT_TRUE(window.ForwardButton.isEnabled());

    window.LinkClicked(QUrl(QStringLiteral("https://www.example.com/games")));
    EXPECT_EQ(browser.opened, QStringList{QStringLiteral("https://www.example.com/games")});
    EXPECT_EQ(window.Browser.source().fragment(), QStringLiteral("contents")) << "a web page is not shown here";

    // Any other file is not the manual's to show.
    window.LinkClicked(QUrl(QStringLiteral("file:///etc/passwd")));
    EXPECT_EQ(window.Browser.source().fragment(), QStringLiteral("contents"));
    EXPECT_EQ(browser.opened.size(), 1);
}

TEST(HelpWindow, OnlyARegularManualFileAndPicturesInItsFolderAreRead)
{
    QTemporaryDir dir;
    const QString manual = dir.filePath(QStringLiteral("game.html"));
    EXPECT_EQ(dialogs::ManualProblem(manual),
              QStringLiteral("The manual ") + manual + QStringLiteral(" is not installed."));
    EXPECT_EQ(dialogs::ManualProblem(dir.path()),
              QStringLiteral("The manual ") + dir.path() + QStringLiteral(" is not a file."));
    QFile big(manual);
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.resize(dialogs::LargestManualFile + 1);
    big.close();
    EXPECT_TRUE(dialogs::ManualProblem(manual).contains(manual));
    EXPECT_TRUE(dialogs::ManualProblem(manual).contains(QStringLiteral("larger")));

    // A picture beside the manual but outside its folder, and a broken one inside it.
    QImage(4, 4, QImage::Format_RGB32).save(dir.filePath(QStringLiteral("outside.png")));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("game-manual")));
    QFile broken(dir.filePath(QStringLiteral("game-manual/broken.png")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("\x89PNG not really");
    broken.close();
    dialogs::ManualBrowser browser;
    browser.SetManual(manual);
    EXPECT_FALSE(browser.loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("outside.png"))).isValid());
    EXPECT_FALSE(
        browser.loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("game-manual/broken.png"))).isValid());
    EXPECT_FALSE(browser.loadResource(QTextDocument::HtmlResource, QUrl(QStringLiteral("game.html"))).isValid())
        << "a manual over the size limit is not read";

    // A pipe named like the manual or one of its pictures neither hangs nor is read.
    ASSERT_TRUE(QFile::remove(manual));
    ASSERT_EQ(::mkfifo(QFile::encodeName(manual).constData(), 0600), 0);
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("game-manual/pipe.png"))).constData(), 0600), 0);
    EXPECT_EQ(dialogs::ManualProblem(manual),
              QStringLiteral("The manual ") + manual + QStringLiteral(" is not a file."));
    EXPECT_FALSE(browser.loadResource(QTextDocument::HtmlResource, QUrl(QStringLiteral("game.html"))).isValid());
    EXPECT_FALSE(
        browser.loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("game-manual/pipe.png"))).isValid());
}

}  // namespace
