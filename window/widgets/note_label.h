// A label whose text wraps onto lines set closer than the font's own spacing. The note under the
// angle result must fit two lines into 25 pixels; the CJK faces of Linux keep so much room above
// and below their glyphs that two lines at their natural spacing need 35.
#pragma once

#include <QLabel>

namespace orvanto {

class NoteLabel final : public QLabel {
    Q_OBJECT
  public:
    NoteLabel(const QString& text, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace orvanto
