// The calculator's one window, `pdf`: the entry boxes and mode options of three points, the result
// boxes, the two command buttons, the help text and the home-page link. The window only hands
// texts and selections to the commands and shows what they write back.
#pragma once

#include <QWidget>
#include <array>
#include <memory>

#include "window_platform.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace orvanto {

class FlatFrame;
class LinkLabel;
class QtWindowServices;

inline constexpr char kWindowCaption[] = "Orvanto软件―经纬度距离角度计算器";
inline constexpr int kClientWidth = 588;
inline constexpr int kClientHeight = 408;

class pdf final : public QWidget {
    Q_OBJECT
  public:
    // Builds, colours and centres the window; the caller shows it.
    explicit pdf(WindowPlatform platform, QWidget* parent = nullptr);
    ~pdf() override;

  protected:
    // Pointer moves over the bare window surface; moves over controls stay with the controls.
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    void createControls();  // pdf_layout.cpp
    void chainTabOrder();   // pdf_layout.cpp
    void load();
    void label11MouseMove();
    void label11Click();
    void command3Click();
    void command4Click();

    WindowPlatform platform_;

    // Index 0 holds the control numbered 1: frames_[0] is Frame1, boxes_[6] is Text7.
    std::array<FlatFrame*, 6> frames_{};
    std::array<QWidget*, 4> pictures_{};
    std::array<QRadioButton*, 6> options_{};
    std::array<QLabel*, 12> labels_{};
    std::array<QLineEdit*, 9> boxes_{};
    QPlainTextEdit* text10_ = nullptr;
    QWidget* line1_ = nullptr;
    QPushButton* command3_ = nullptr;
    QPushButton* command4_ = nullptr;
    LinkLabel* label11_ = nullptr;

    std::unique_ptr<QtWindowServices> services_;
};

}  // namespace orvanto
