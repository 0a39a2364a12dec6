// The manual's topics and anchors, the checks before it is shown, and the
// program's own viewer service.
#include "dialogs/HelpViewer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextDocument>

#include "dialogs/HelpWindow.h"

namespace dialogs {

QString TopicAnchor(int topic)
{
    switch (topic) {
    case MainWindowTopic:
    case BorrowControlsTopic:
    case SlotDialogTopic:
    case CompanyTopic:
    case PayoffChartTopic: return QString::number(topic);
    default: return QStringLiteral("contents");
    }
}

QString ManualProblem(const QString& path)
{
    const files::RegularFile file(QFile::encodeName(path).toStdString(), LargestManualFile);
    switch (file.Failure()) {
    case files::OpenFailure::None: return {};
    case files::OpenFailure::Missing: return QStringLiteral("The manual %1 is not installed.").arg(path);
    case files::OpenFailure::NotRegular: return QStringLiteral("The manual %1 is not a file.").arg(path);
    case files::OpenFailure::TooLarge:
        return QStringLiteral("The manual %1 is larger than %2; it is not read.")
            .arg(path, QString::fromStdString(files::SizeInWords(LargestManualFile)));
    case files::OpenFailure::Unreadable:
        return QStringLiteral("The manual %1 cannot be read: %2.").arg(path, QString::fromStdString(file.Reason()));
    }
    return {};
}

QString ManualPictureDir(const QString& helpFile)
{
    const QFileInfo info(helpFile);
    return QDir(info.absolutePath()).filePath(info.completeBaseName() + QStringLiteral("-manual")) + QLatin1Char('/');
}

bool HasAnchor(const QTextDocument& document, const QString& anchor)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto piece = block.begin(); !piece.atEnd(); ++piece) {
            if (piece.fragment().charFormat().anchorNames().contains(anchor)) return true;
        }
    }
    return false;
}

void WindowHelpViewer::Show(const QString& helpFile, int topic, QWidget* owner)
{
    // A window that belongs to another owner would be blocked by the modal
    // dialog now asking; it makes way for one that belongs to the dialog.
    if (window_ && (window_->parentWidget() != owner || window_->HelpFile() != helpFile)) {
        window_->close();
        window_ = nullptr;
    }
    if (!window_) window_ = new HelpWindow(helpFile, owner);
    window_->ShowTopic(topic);
    window_->show();
    window_->raise();
    window_->activateWindow();
}

}  // namespace dialogs
