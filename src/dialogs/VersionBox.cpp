// Building the version box's text in its three bounded steps.
#include "dialogs/VersionBox.h"

namespace dialogs {

QString VersionBoxText(const QString& gameTitle, const QString& versionText)
{
    QString text = (gameTitle + QStringLiteral("\r\n\r\n")).left(34);
    text = (text + QStringLiteral("Version:  ")).left(44);
    return (text + versionText).left(48);
}

}  // namespace dialogs
