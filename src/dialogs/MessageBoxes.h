// The modal message boxes: plain, information, error and confirmation boxes,
// behind an interface that tests replace, and the application's title that
// captions them.
#pragma once

#include <QMessageBox>
#include <QString>

#include <memory>

#include "web/WebLinks.h"

class QWidget;

namespace dialogs {

// The application's title: the task bar's text and the caption of error boxes.
inline constexpr char ApplicationTitle[] = "Plumfizz Slots";

// An error's text as the player is shown it: with a full stop at the end.
QString WithFullStop(const QString& text);

// The icon a box shows, drawn for the game.
enum class BoxIcon { None, Information, Warning, Error, Question };

// A message box in the cabinet's look: its text as plain text (paths and
// names from files are shown as they are), the game's icon, and wide enough
// for a window manager to show its whole caption. Run it with exec().
std::unique_ptr<QMessageBox> MakeMessageBox(BoxIcon icon, const QString& caption, const QString& text,
                                            QMessageBox::StandardButtons buttons, QWidget* owner);

// The modal message boxes the main window shows. Tests record them instead.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // A plain box with an OK button, captioned with the application title.
    virtual void Plain(QWidget* owner, const QString& caption, const QString& text) = 0;
    // "Information", with an OK button.
    virtual void Information(QWidget* owner, const QString& text) = 0;
    // The same, opened without a loop of its own: returns at once, and the
    // box goes when its OK is pressed (over the bonus window, which a spin's
    // script waits for).
    virtual void OpenInformation(QWidget* owner, const QString& text) { Information(owner, text); }
    // An error box; caption is the application title.
    virtual void Error(QWidget* owner, const QString& caption, const QString& text) = 0;
    // "Confirm", with Yes and No; true for Yes.
    virtual bool Confirm(QWidget* owner, const QString& text) = 0;
};

class DesktopMessageBoxes : public MessageBoxes {
public:
    void Plain(QWidget* owner, const QString& caption, const QString& text) override;
    void Information(QWidget* owner, const QString& text) override;
    void OpenInformation(QWidget* owner, const QString& text) override;
    void Error(QWidget* owner, const QString& caption, const QString& text) override;
    bool Confirm(QWidget* owner, const QString& text) override;
};

// The desktop's browser, with its failure boxes in the cabinet's look.
class CabinetShell : public web::DesktopShell {
public:
    void ShowError(const QString& text, QWidget* owner) override;
    void ShowInformation(const QString& text, QWidget* owner) override;
};

}  // namespace dialogs
