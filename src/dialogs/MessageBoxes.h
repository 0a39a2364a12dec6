// The modal message boxes: plain, information, error and confirmation boxes,
// behind an interface that tests replace, and the application's title that
// captions them.
#pragma once

#include <QString>

class QWidget;

namespace dialogs {

// The application's title: the task bar's text and the caption of error boxes.
inline constexpr char ApplicationTitle[] = "Plumfizz Slots";

// An error's text as the player is shown it: with a full stop at the end.
QString WithFullStop(const QString& text);

// The modal message boxes the main window shows. Tests record them instead.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // A plain box with an OK button, captioned with the application title.
    virtual void Plain(QWidget* owner, const QString& caption, const QString& text) = 0;
    // "Information", with an OK button.
    virtual void Information(QWidget* owner, const QString& text) = 0;
    // An error box; caption is the application title.
    virtual void Error(QWidget* owner, const QString& caption, const QString& text) = 0;
    // "Confirm", with Yes and No; true for Yes.
    virtual bool Confirm(QWidget* owner, const QString& text) = 0;
};

class DesktopMessageBoxes : public MessageBoxes {
public:
    void Plain(QWidget* owner, const QString& caption, const QString& text) override;
    void Information(QWidget* owner, const QString& text) override;
    void Error(QWidget* owner, const QString& caption, const QString& text) override;
    bool Confirm(QWidget* owner, const QString& text) override;
};

}  // namespace dialogs
