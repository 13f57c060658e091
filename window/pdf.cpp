#include "window/pdf.h"

#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <utility>

#include "window/flat_frame.h"
#include "window/home_page.h"
#include "window/link_label.h"
#include "window/note_label.h"
#include "window/qt_text.h"
#include "window/window_look.h"

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
void keepSelectedAsTabStop(QRadioButton* button) {
    button->setFocusPolicy(button->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

// A point is in minutes mode exactly when its "分" button is selected; the "秒" button is never
// read.
PointEntries pointEntries(const QLineEdit* latitude, const QLineEdit* longitude,
                          const QRadioButton* minutes) {
    return {latitude->text().toStdString(), longitude->text().toStdString(),
            minutes->isChecked() ? EntryMode::Minutes : EntryMode::Seconds};
}

void showResult(QLineEdit* box, const std::string& text) {
    box->setText(toQString(text));
    // setText leaves the caret at the end, which scrolls a long result to its tail; a result is
    // read from its first digit.
    box->setCursorPosition(0);
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

    ui_.setupUi(this);
    for (QRadioButton* minutes : {ui_.Option1, ui_.Option3, ui_.Option5}) {
        minutes->setChecked(true);
    }
    for (QRadioButton* button :
         {ui_.Option1, ui_.Option2, ui_.Option3, ui_.Option4, ui_.Option5, ui_.Option6}) {
        keepSelectedAsTabStop(button);
        connect(button, &QRadioButton::toggled, button,
                [button] { keepSelectedAsTabStop(button); });
    }
    connect(ui_.Command3, &QPushButton::clicked, this, &pdf::command3Click);
    connect(ui_.Command4, &QPushButton::clicked, this, &pdf::command4Click);
    connect(ui_.Label11, &LinkLabel::mouseMoved, this, &pdf::label11MouseMove);
    connect(ui_.Label11, &LinkLabel::clicked, this, &pdf::label11Click);

    load();

    if (const QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    ui_.Text1->setFocus();
}

void pdf::load() {
    tint(this, {QPalette::Window});
    for (FlatFrame* frame :
         {ui_.Frame1, ui_.Frame2, ui_.Frame3, ui_.Frame4, ui_.Frame5, ui_.Frame6}) {
        tint(frame, {QPalette::Window});
        frame->setAutoFillBackground(true);
    }
    for (QLabel* label : {ui_.Label1, ui_.Label2, ui_.Label3, ui_.Label4, ui_.Label5, ui_.Label6,
                          ui_.Label7, ui_.Label8, ui_.Label9, static_cast<QLabel*>(ui_.Label10),
                          static_cast<QLabel*>(ui_.Label11)}) {
        tint(label, {QPalette::Window});
    }
    for (QWidget* control :
         {ui_.Option1, ui_.Option2, ui_.Option3, ui_.Option4, ui_.Option5, ui_.Option6}) {
        tint(control, {QPalette::Window});
    }
    for (QWidget* panel : {ui_.Picture1, ui_.Picture2, ui_.Picture3, ui_.Picture4}) {
        tint(panel, {QPalette::Window});
    }
    // The Button role is the face the Windows style paints; Fusion would shade it into a gradient.
    for (QPushButton* button : {ui_.Command3, ui_.Command4}) {
        tint(button, {QPalette::Window, QPalette::Button});
    }
    for (QLineEdit* result : {ui_.Text7, ui_.Text8, ui_.Text9}) {
        tint(result, {QPalette::Base});
    }
}

void pdf::mouseMoveEvent(QMouseEvent* event) {
    // A control that tracks the mouse but ignores a move passes it on to its parent; such a move is
    // over that control, not over the bare surface.
    if (childAt(event->position().toPoint()) == nullptr) {
        setTextColour(ui_.Label11, palette().color(QPalette::ButtonText));
    }
    event->accept();
}

void pdf::label11MouseMove() {
    setTextColour(ui_.Label11, QColor::fromRgb(kLinkHoverColour));
}

void pdf::label11Click() {
    const QUrl address{QString::fromUtf8(kHomePageUrl)};
    if (!platform_.openUrl(address)) {
        platform_.showMessage(this, QString::fromUtf8(kOpenFailedTitle),
                              QString::fromUtf8(kOpenFailedMessage) + address.toString());
    }
}

CalculatorInput pdf::input() const {
    return {pointEntries(ui_.Text1, ui_.Text2, ui_.Option1),
            pointEntries(ui_.Text3, ui_.Text4, ui_.Option3),
            pointEntries(ui_.Text5, ui_.Text6, ui_.Option5)};
}

void pdf::showMessage(const Message& message) {
    platform_.showMessage(this, toQString(message.title), toQString(message.text));
}

void pdf::command3Click() {
    const DistanceOutcome outcome = calculateDistance(input());
    if (const auto* message = std::get_if<Message>(&outcome)) {
        showMessage(*message);
        return;
    }
    const auto& distance = std::get<DistanceTexts>(outcome);
    showResult(ui_.Text7, distance.kilometres);
    showResult(ui_.Text8, distance.nauticalMiles);
}

void pdf::command4Click() {
    const AngleOutcome outcome = calculateAngle(input());
    if (const auto* message = std::get_if<Message>(&outcome)) {
        showMessage(*message);
        return;
    }
    showResult(ui_.Text9, std::get<AngleText>(outcome).degrees);
}

}  // namespace orvanto
