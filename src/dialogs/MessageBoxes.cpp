// Qt's message boxes, with their text shown as plain text.
#include "dialogs/MessageBoxes.h"

#include <QMessageBox>

namespace dialogs {

QString WithFullStop(const QString& text)
{
    return text.endsWith(QLatin1Char('.')) ? text : text + QLatin1Char('.');
}

// Every box shows its text as plain text: a theme's title or a file name
// holding markup (an <img> of a device file) must not be rendered.
void DesktopMessageBoxes::Plain(QWidget* owner, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);  // paths and names from files are shown as they are
    box.exec();
}

void DesktopMessageBoxes::Information(QWidget* owner, const QString& text)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Information"), text, QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);  // paths and names from files are shown as they are
    box.exec();
}

void DesktopMessageBoxes::Error(QWidget* owner, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);  // paths and names from files are shown as they are
    box.exec();
}

bool DesktopMessageBoxes::Confirm(QWidget* owner, const QString& text)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), text, QMessageBox::Yes | QMessageBox::No, owner);
    box.setTextFormat(Qt::PlainText);  // paths and names from files are shown as they are
    return box.exec() == QMessageBox::Yes;
}

}  // namespace dialogs
