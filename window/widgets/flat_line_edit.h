// A line edit with a flat one-pixel border in the window-text colour instead of the style's sunken
// edge. Drawn rather than set by a style sheet: a style sheet would take over the background and
// hide the palette colour the window gives the result boxes at load.
#pragma once

#include <QLineEdit>

namespace orvanto {

class FlatLineEdit final : public QLineEdit {
    Q_OBJECT
  public:
    explicit FlatLineEdit(QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace orvanto
