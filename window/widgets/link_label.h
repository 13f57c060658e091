// The label that shows the product's web address: it reports pointer moves over itself and clicks,
// and keeps those moves from reaching the window, whose own move handler recolours the label.
#pragma once

#include <QLabel>

namespace orvanto {

class LinkLabel final : public QLabel {
    Q_OBJECT
  public:
    LinkLabel(const QString& text, QWidget* parent);

  signals:
    void mouseMoved();
    // A press and release of the left button, both over the label.
    void clicked();

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool pressed_ = false;
};

}  // namespace orvanto
