// A stand-in for the user's browser: every address handed to it is written
// down, and it reports success.
#pragma once

#include <QString>
#include <QStringList>

#include "web/WebLinks.h"

class RecordingBrowser : public web::Shell {
public:
    QStringList opened;
    QStringList dialogs;

    bool Open(const QString& address, QWidget*) override
    {
        opened << address;
        return true;
    }
    void ShowError(const QString& text, QWidget*) override { dialogs << text; }
    void ShowInformation(const QString& text, QWidget*) override { dialogs << text; }
};
