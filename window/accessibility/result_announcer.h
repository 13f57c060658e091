// Makes a command's results heard by a screen reader while the keyboard focus stays on the button
// that ran it.
#pragma once

#include <QString>
#include <QWidget>

namespace orvanto {

// Qt 6.4 has no announcement event, and its AT-SPI bridge reports a changed name or description
// with the object instead of the new text, which Orca cannot speak; text written into an unfocused
// box is not spoken either. What Orca does speak, wherever the focus is, is a notification that
// becomes showing. This widget is that notification: it has no size and stays hidden, and each
// announcement shows and hides it once, so it never paints and never takes the focus.
class ResultAnnouncer final : public QWidget {
    Q_OBJECT
  public:
    explicit ResultAnnouncer(QWidget* parent);

    // Speaks `text`; the same text again is spoken again.
    void announce(const QString& text);

    // What the notification says: its accessible name.
    const QString& text() const { return text_; }

  private:
    QString text_;
};

}  // namespace orvanto
