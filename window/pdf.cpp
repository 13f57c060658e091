#include "pdf.h"

#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <utility>

#include "angle_command.h"
#include "distance_command.h"
#include "flat_frame.h"
#include "home_page.h"
#include "link_label.h"
#include "qt_window_services.h"
#include "window_look.h"

namespace orvanto {
namespace {

constexpr char kOpenFailedTitle[] = "提示";
constexpr char kOpenFailedMessage[] =
    "无法在默认浏览器中打开主页。请将下面的地址复制到浏览器中访问：\n";

void tint(QWidget* widget, std::initializer_list<QPalette::ColorRole> roles) {
    QPalette palette = widget->palette();
    for (QPalette::ColorRole role : roles) {
        palette.setColor(role, QColor::fromRgb(kWindowTint));
    }
    widget->setPalette(palette);
}

// Only the selected button of a pair is a stop of the Tab key; the other is still reached by the
// mouse and by the arrow keys within the pair.
void keepSelectedAsTabStop(QRadioButton* button, bool selected) {
    button->setFocusPolicy(selected ? Qt::StrongFocus : Qt::ClickFocus);
}

}  // namespace

pdf::pdf(WindowPlatform platform, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      platform_{std::move(platform)} {
    setObjectName(QStringLiteral("pdf"));
    setWindowTitle(QString::fromUtf8(kWindowCaption));
    setWindowIcon(QIcon(QStringLiteral(":/orvanto/orvanto-32.png")));
    setFixedSize(kClientWidth, kClientHeight);
    setFont(windowFont());
    // Moves over the bare surface recolour the link label; without tracking they never arrive.
    setMouseTracking(true);

    createControls();
    chainTabOrder();
    for (QRadioButton* button : options_) {
        connect(button, &QRadioButton::toggled, button,
                [button](bool selected) { keepSelectedAsTabStop(button, selected); });
    }
    for (std::size_t minutes : {0U, 2U, 4U}) {
        options_[minutes]->setChecked(true);
    }
    for (QRadioButton* button : options_) {
        keepSelectedAsTabStop(button, button->isChecked());
    }

    services_ = std::make_unique<QtWindowServices>(
        this, QtWindowServices::TextBoxes{boxes_},
        QtWindowServices::MinutesOptions{options_[0], options_[2], options_[4]}, platform_);
    connect(command3_, &QPushButton::clicked, this, &pdf::command3Click);
    connect(command4_, &QPushButton::clicked, this, &pdf::command4Click);
    connect(label11_, &LinkLabel::mouseMoved, this, &pdf::label11MouseMove);
    connect(label11_, &LinkLabel::clicked, this, &pdf::label11Click);

    load();

    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    boxes_[0]->setFocus();
}

pdf::~pdf() = default;

void pdf::load() {
    tint(this, {QPalette::Window});
    for (FlatFrame* frame : frames_) {
        tint(frame, {QPalette::Window});
        frame->setAutoFillBackground(true);
    }
    for (std::size_t i = 0; i < 11; ++i) {
        tint(labels_[i], {QPalette::Window});
    }
    for (QRadioButton* button : options_) {
        tint(button, {QPalette::Window});
    }
    for (QWidget* panel : pictures_) {
        tint(panel, {QPalette::Window});
    }
    // The Button role is the face the Windows style paints; Fusion would shade it into a gradient.
    tint(command3_, {QPalette::Window, QPalette::Button});
    tint(command4_, {QPalette::Window, QPalette::Button});
    for (std::size_t i = 6; i < 9; ++i) {
        tint(boxes_[i], {QPalette::Base});
    }
}

void pdf::mouseMoveEvent(QMouseEvent* event) {
    // A control that tracks the mouse but ignores a move passes it on to its parent; such a move is
    // over that control, not over the bare surface.
    if (childAt(event->position().toPoint()) == nullptr) {
        QPalette palette = label11_->palette();
        palette.setColor(QPalette::WindowText, this->palette().color(QPalette::ButtonText));
        label11_->setPalette(palette);
    }
    event->accept();
}

void pdf::label11MouseMove() {
    QPalette palette = label11_->palette();
    palette.setColor(QPalette::WindowText, QColor::fromRgb(kLinkHoverColour));
    label11_->setPalette(palette);
}

void pdf::label11Click() {
    const QUrl address{QString::fromUtf8(kHomePageUrl)};
    if (!platform_.openUrl(address)) {
        platform_.showMessage(this, QString::fromUtf8(kOpenFailedTitle),
                              QString::fromUtf8(kOpenFailedMessage) + address.toString());
    }
}

void pdf::command3Click() {
    runDistanceCommand(*services_);
}

void pdf::command4Click() {
    runAngleCommand(*services_);
}

}  // namespace orvanto
