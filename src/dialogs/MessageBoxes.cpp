// The message boxes in the cabinet's look, with their text shown as plain text.
#include "dialogs/MessageBoxes.h"

#include <QGridLayout>
#include <QSpacerItem>

#include "dialogs/CabinetLook.h"
#include "pictures/BuiltInPictures.h"

namespace dialogs {

namespace {

constexpr int IconSize = 40;

}  // namespace

QString WithFullStop(const QString& text)
{
    return text.endsWith(QLatin1Char('.')) ? text : text + QLatin1Char('.');
}

std::unique_ptr<QMessageBox> MakeMessageBox(BoxIcon icon, const QString& caption, const QString& text,
                                            QMessageBox::StandardButtons buttons, QWidget* owner)
{
    auto box = std::make_unique<QMessageBox>(owner);
    // The look first: the buttons made afterwards take it (no stock pictures).
    ApplyCabinetLook(*box);
    box->setWindowTitle(caption);
    // Every box shows its text as plain text: a theme's title or a file name
    // holding markup (an <img> of a device file) must not be rendered.
    box->setTextFormat(Qt::PlainText);
    box->setText(text);
    box->setStandardButtons(buttons);
    if (icon != BoxIcon::None) {
        const auto kind = static_cast<pictures::MessageIconKind>(static_cast<int>(icon) - 1);
        box->setIconPixmap(pictures::MessageIcon(kind).pixmap(QSize(IconSize, IconSize), box->devicePixelRatioF()));
    }
    // QMessageBox sizes itself to its text; a spacer across its grid keeps it
    // wide enough for the caption (a stretched minimum width would not hold).
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
        grid->addItem(new QSpacerItem(CaptionMinimumWidth(caption), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    return box;
}

void DesktopMessageBoxes::Plain(QWidget* owner, const QString& caption, const QString& text)
{
    MakeMessageBox(BoxIcon::None, caption, text, QMessageBox::Ok, owner)->exec();
}

void DesktopMessageBoxes::Information(QWidget* owner, const QString& text)
{
    MakeMessageBox(BoxIcon::Information, QStringLiteral("Information"), text, QMessageBox::Ok, owner)->exec();
}

void DesktopMessageBoxes::OpenInformation(QWidget* owner, const QString& text)
{
    QMessageBox* box =
        MakeMessageBox(BoxIcon::Information, QStringLiteral("Information"), text, QMessageBox::Ok, owner).release();
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void DesktopMessageBoxes::Error(QWidget* owner, const QString& caption, const QString& text)
{
    MakeMessageBox(BoxIcon::Error, caption, text, QMessageBox::Ok, owner)->exec();
}

bool DesktopMessageBoxes::Confirm(QWidget* owner, const QString& text)
{
    return MakeMessageBox(BoxIcon::Question, QStringLiteral("Confirm"), text, QMessageBox::Yes | QMessageBox::No, owner)
               ->exec() == QMessageBox::Yes;
}

void CabinetShell::ShowError(const QString& text, QWidget* owner)
{
    MakeMessageBox(BoxIcon::Error, QStringLiteral("Error"), text, QMessageBox::Ok, owner)->exec();
}

void CabinetShell::ShowInformation(const QString& text, QWidget* owner)
{
    MakeMessageBox(BoxIcon::Information, QStringLiteral("Information"), text, QMessageBox::Ok, owner)->exec();
}

}  // namespace dialogs
