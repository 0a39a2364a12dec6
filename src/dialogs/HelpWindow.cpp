// The help window: safe reading of the manual and its pictures, navigation
// between topics, and the caption naming the topic shown.
#include "dialogs/HelpWindow.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QTextBlock>
#include <QTextDocument>
#include <QVBoxLayout>

#include "dialogs/CabinetLook.h"
#include "dialogs/DialogAccessibility.h"
#include "dialogs/FileContents.h"
#include "dialogs/HelpViewer.h"
#include "dialogs/KeyboardFocusFrame.h"
#include "pictures/PictureVariants.h"
#include "web/WebLinks.h"

namespace dialogs {

namespace {

constexpr QSize WindowSize{760, 600};

// The text of the block that holds the anchor, or an empty text.
QString AnchorHeading(const QTextDocument& document, const QString& anchor)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto piece = block.begin(); !piece.atEnd(); ++piece) {
            if (piece.fragment().charFormat().anchorNames().contains(anchor)) return block.text().trimmed();
        }
    }
    return {};
}

bool IsWebLink(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") || scheme == QLatin1String("mailto");
}

bool SameFile(const QString& a, const QString& b)
{
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

}  // namespace

ManualBrowser::ManualBrowser(QWidget* parent) : QTextBrowser(parent)
{
    // Every link is looked at before anything is opened.
    setOpenLinks(false);
    setOpenExternalLinks(false);
}

void ManualBrowser::SetManual(const QString& helpFile)
{
    helpFile_ = helpFile;
    pictureDir_ = ManualPictureDir(helpFile);
}

QVariant ManualBrowser::loadResource(int type, const QUrl& name)
{
    const QUrl url = QUrl::fromLocalFile(helpFile_).resolved(name);
    if (type == QTextDocument::HtmlResource) {
        if (!url.isLocalFile() || !SameFile(url.toLocalFile(), helpFile_)) return {};
        const std::optional<QByteArray> html = ReadFileContents(helpFile_, LargestManualFile);
        if (!html) return {};
        return QString::fromUtf8(*html);
    }
    if (type == QTextDocument::ImageResource) {
        // Only pictures in the manual's own folder, found by their file name.
        const QString fileName = QFileInfo(url.path()).fileName();
        if (fileName.isEmpty()) return {};
        // Pixels limited to 64 MB: a picture of a few thousand pixels square.
        const QString path = pictureDir_ + fileName;
        const auto read = [](const QString& file) { return ReadPictureFile(file, LargestManualPicture, 64); };
        const QImage image = read(path);
        if (image.isNull()) return {};
        // Under a device pixel ratio above 1, its variant for that ratio:
        // the document lays a picture out at its size over its ratio, so the
        // page keeps the picture's own size.
        return pictures::PictureForPixelRatio(image, path, devicePixelRatioF(), read);
    }
    return {};
}

HelpWindow::HelpWindow(const QString& helpFile, QWidget* owner)
    : QWidget(owner, Qt::Window),
      BackButton(this),
      ForwardButton(this),
      ContentsButton(this),
      Browser(this),
      helpFile_(helpFile)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("HelpWindow"));
    InstallDialogAccessibility();
    // Its own look whoever opens it: Back and Forward, often disabled, look it.
    ApplyCabinetLook(*this);
    setAutoFillBackground(true);

    BackButton.setText(QStringLiteral("< &Back"));
    ForwardButton.setText(QStringLiteral("&Forward >"));
    ContentsButton.setText(QStringLiteral("&Contents"));
    for (QPushButton* button : {&BackButton, &ForwardButton, &ContentsButton}) {
        button->setMinimumSize(110, 32);
        button->setAutoDefault(false);
    }
    BackButton.setEnabled(false);
    ForwardButton.setEnabled(false);

    // The page is cream glass with dark text, as the cabinet's reel window.
    QPalette page = Browser.palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        page.setColor(group, QPalette::Base, CabinetGlass);
        page.setColor(group, QPalette::Text, QColor(0x20, 0x10, 0x24));
        page.setColor(group, QPalette::Link, CabinetPlum);
        page.setColor(group, QPalette::LinkVisited, QColor(0x55, 0x12, 0x5e));
    }
    Browser.setPalette(page);
    Browser.setFrameShape(QFrame::NoFrame);
    Browser.SetManual(helpFile_);
    Browser.setAccessibleName(QStringLiteral("Manual"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(&BackButton);
    buttons->addWidget(&ForwardButton);
    buttons->addStretch();
    buttons->addWidget(&ContentsButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(10);
    layout->addLayout(buttons);
    layout->addWidget(&Browser, 1);

    connect(&BackButton, &QPushButton::clicked, &Browser, &QTextBrowser::backward);
    connect(&ForwardButton, &QPushButton::clicked, &Browser, &QTextBrowser::forward);
    connect(&ContentsButton, &QPushButton::clicked, this, [this] { GoTo(TopicAnchor(ContentsTopic)); });
    connect(&Browser, &QTextBrowser::backwardAvailable, &BackButton, &QPushButton::setEnabled);
    connect(&Browser, &QTextBrowser::forwardAvailable, &ForwardButton, &QPushButton::setEnabled);
    connect(&Browser, &QTextBrowser::anchorClicked, this, &HelpWindow::LinkClicked);
    connect(&Browser, &QTextBrowser::sourceChanged, this, [this] { UpdateCaption(); });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    ShowKeyboardFocus(*this, CabinetGold);

    resize(WindowSize);
    if (QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
}

void HelpWindow::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    PaintCabinetBackground(painter, rect());
}

QUrl HelpWindow::ManualUrl(const QString& anchor) const
{
    QUrl url = QUrl::fromLocalFile(helpFile_);
    url.setFragment(anchor);
    return url;
}

void HelpWindow::GoTo(const QString& anchor)
{
    Browser.setSource(ManualUrl(anchor), QTextDocument::HtmlResource);
    UpdateCaption();
}

void HelpWindow::ShowTopic(int topic)
{
    GoTo(TopicAnchor(topic));
    // A manual without the topic's anchor is still worth reading from the start.
    if (!HasAnchor(*Browser.document(), Browser.source().fragment())) GoTo(TopicAnchor(ContentsTopic));
}

void HelpWindow::LinkClicked(const QUrl& link)
{
    const QUrl target = Browser.source().resolved(link);
    if (IsWebLink(target)) {
        web::OpenWebPage(target.toString(), this);
        return;
    }
    // Only the manual's own topics are shown here.
    if (target.isLocalFile() && SameFile(target.toLocalFile(), helpFile_)) {
        GoTo(target.fragment().isEmpty() ? TopicAnchor(ContentsTopic) : target.fragment());
    }
}

void HelpWindow::UpdateCaption()
{
    QString title = Browser.documentTitle();
    if (title.isEmpty()) title = QStringLiteral("Manual");
    const QString anchor = Browser.source().fragment();
    const QString heading =
        anchor == TopicAnchor(ContentsTopic) ? QStringLiteral("Contents") : AnchorHeading(*Browser.document(), anchor);
    setWindowTitle(heading.isEmpty() ? title : title + QStringLiteral(" - ") + heading);
}

}  // namespace dialogs
