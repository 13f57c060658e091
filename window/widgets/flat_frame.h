// A frame drawn as one thin line with its caption set into the top edge. Qt's styles draw group
// boxes either etched (Windows) or as rounded panels (Fusion); neither is a flat single line.
#pragma once

#include <QGroupBox>

namespace orvanto {

class FlatFrame final : public QGroupBox {
    Q_OBJECT
  public:
    FlatFrame(const QString& caption, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace orvanto
