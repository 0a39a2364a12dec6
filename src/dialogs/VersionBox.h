// The text of the version box: the game's title and its version.
#pragma once

#include <QString>

namespace dialogs {

// The title, an empty line, then "Version:  " and the version, built in
// three bounded steps (34, 44 and 48 characters).
QString VersionBoxText(const QString& gameTitle, const QString& versionText);

}  // namespace dialogs
