// Loading the table's pictures, and the messages of a missing symbol sheet.
#include "table/TablePictures.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace table {

bool LoadTablePictures(pictures::PictureSet& pictures, const Theme& theme, int colourDepth,
                       dialogs::MessageBoxes& boxes, QWidget* owner)
{
    pictures.LoadReplacements(theme.assetDir);
    pictures::PictureSet::SheetProblem problem;
    const bool found = pictures.LoadSymbolSheet(theme.assetDir, theme.soundRoot, &problem);
    if (colourDepth < 16) {
        boxes.Information(owner, QStringLiteral("This program is optimized for at least 16-bit color.  "
                                                "The graphics may be distorted with your current display settings."));
    }
    if (found) return true;
    // Where it was looked for, so that a player or theme maker can put it
    // there; a file that is there but unusable is told apart from a missing one.
    const QString folder = QDir::toNativeSeparators(theme.assetDir);
    const QFileInfo sheet(problem.path);
    const QString text =
        problem.path.isEmpty()
            ? QStringLiteral("Missing a file (") + theme.soundRoot + QStringLiteral(".bmp).  Program will close.") +
                  QStringLiteral("\n\nSearched folder: ") + folder
            : QStringLiteral("The file %1 in the folder %2 cannot be read: %3.  Program will close.")
                  .arg(sheet.fileName(), QDir::toNativeSeparators(sheet.absolutePath()), problem.reason);
    std::fprintf(stderr, "plumfizz: %s\n",
                 qPrintable(QString(text).replace(QStringLiteral("\n\n"), QStringLiteral(" "))));
    boxes.Plain(owner, QString::fromLatin1(dialogs::ApplicationTitle), text);
    return false;
}

}  // namespace table
