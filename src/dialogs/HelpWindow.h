// The help window: the manual in a QTextBrowser with Back, Forward and
// Contents, links between topics, and web links handed to the browser.
#pragma once

#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>

namespace dialogs {

// A browser that reads only the manual itself and the pictures in its
// picture folder, each only when it is a regular file of a sane size.
class ManualBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit ManualBrowser(QWidget* parent = nullptr);
    void SetManual(const QString& helpFile);
    QVariant loadResource(int type, const QUrl& name) override;

private:
    QString helpFile_;
    QString pictureDir_;
};

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    HelpWindow(const QString& helpFile, QWidget* owner);

    // Shows the topic's anchor; an unknown topic shows the contents page.
    void ShowTopic(int topic);
    const QString& HelpFile() const { return helpFile_; }

    QPushButton BackButton;
    QPushButton ForwardButton;
    QPushButton ContentsButton;
    ManualBrowser Browser;

    // A link clicked in the manual: another topic, or a web page for the browser.
    void LinkClicked(const QUrl& link);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void GoTo(const QString& anchor);
    void UpdateCaption();
    QUrl ManualUrl(const QString& anchor) const;

    QString helpFile_;
};

}  // namespace dialogs
