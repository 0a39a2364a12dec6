// Finding a theme's files in the asset directory whatever the letter case of
// their names: the themes come from a case-insensitive file system.
#pragma once

#include <QString>
#include <QStringList>

namespace pictures {

// The file in dir matching one of the spellings: each spelling exactly first,
// then any letter case. Empty when none exists.
QString FindAssetFile(const QString& dir, const QStringList& spellings);

}  // namespace pictures
