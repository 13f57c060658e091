// A stand-in for the message box and the browser: it records what the window asks of them and
// returns at once, so that tests neither block on a modal box nor open a real browser.
#pragma once

#include <QApplication>
#include <QList>
#include <QString>
#include <QUrl>
#include <memory>

#include "pdf.h"
#include "window_look.h"

struct ShownMessage {
    QString title;
    QString text;
};

struct PlatformRecord {
    QList<ShownMessage> messages;
    QList<QUrl> openedAddresses;
    bool browserStarts = true;
};

inline orvanto::WindowPlatform recordingPlatform(const std::shared_ptr<PlatformRecord>& record) {
    return {
        [record](QWidget* /*owner*/, const QString& title, const QString& text) {
            record->messages.append({title, text});
        },
        [record](const QUrl& address) {
            record->openedAddresses.append(address);
            return record->browserStarts;
        },
    };
}

// The window as the program builds it, under the program's style, with the platform recorded.
struct RecordedWindow {
    RecordedWindow() : window{recordingPlatform(record)} {}

    template <typename Control>
    Control* find(const QString& name) {
        auto* control = window.findChild<Control*>(name);
        if (control == nullptr) {
            qFatal("no control named %s", qPrintable(name));
        }
        return control;
    }

    std::shared_ptr<PlatformRecord> record = std::make_shared<PlatformRecord>();
    orvanto::pdf window;
};
