// The manual: where its topics are written, what keeps it from being shown,
// and the service that shows it (replaced in tests).
#pragma once

#include <QPointer>
#include <QString>

#include "files/RegularFile.h"

#include "dialogs/HelpWindow.h"

class QTextDocument;
class QWidget;

namespace dialogs {

// Topics the windows ask for; any other number shows the contents page.
inline constexpr int ContentsTopic = 0;
inline constexpr int MainWindowTopic = 41003;      // the table, and the borrow window
inline constexpr int BorrowControlsTopic = 41005;  // the borrow window's controls
inline constexpr int SlotDialogTopic = 41008;      // saving and opening games
inline constexpr int CompanyTopic = 41009;         // company information
inline constexpr int PayoffChartTopic = 41010;     // the payoff chart

// The largest manual and manual picture read; anything bigger is not a manual.
inline constexpr qint64 LargestManualFile = static_cast<qint64>(files::MaxHelpBytes);
inline constexpr qint64 LargestManualPicture = 8 * 1024 * 1024;

// The anchor a topic is written under: its number for a known topic, "contents" otherwise.
QString TopicAnchor(int topic);

// Why the manual at `path` cannot be shown, or an empty text when it can.
QString ManualProblem(const QString& path);

// The folder of the manual's pictures: "<dir>/<base name>-manual/".
QString ManualPictureDir(const QString& helpFile);

// Whether the document holds an anchor of that name.
bool HasAnchor(const QTextDocument& document, const QString& anchor);

// Shows the manual at a topic, in a window that belongs to `owner`.
class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    virtual void Show(const QString& helpFile, int topic, QWidget* owner) = 0;
};

// The program's own viewer: one non-modal help window at a time, owned by the
// window that asked (so it can be used beside a modal dialog), reused while
// that owner asks again.
class WindowHelpViewer : public HelpViewer {
public:
    void Show(const QString& helpFile, int topic, QWidget* owner) override;
    HelpWindow* Window() const { return window_; }

private:
    QPointer<HelpWindow> window_;
};

}  // namespace dialogs
