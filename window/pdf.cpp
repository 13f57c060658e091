#include "window/pdf.h"

#include <QCoreApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <algorithm>
#include <tuple>
#include <utility>

#include "window/accessibility.h"
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

// What an entry box of a point in either mode expects, for screen readers.
QString expectedNotation(const QRadioButton* minutes) {
    return minutes->isChecked() ? QStringLiteral("按分输入，如 4250.0")
                                : QStringLiteral("按秒输入，如 421125");
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
    installAccessibleInterfaces();
    setObjectName(QStringLiteral("pdf"));
    setWindowTitle(QString::fromUtf8(kWindowCaption));
    setWindowIcon(QIcon(QStringLiteral(":/orvanto/orvanto-32.png")));
    setFixedSize(kClientWidth, kClientHeight);
    setFont(windowFont());
    // Moves over the bare surface recolour the link label; without tracking they never arrive.
    setMouseTracking(true);

    ui_.setupUi(this);
    announcer_ = new ResultAnnouncer(this);
    for (QRadioButton* minutes : {ui_.Option1, ui_.Option3, ui_.Option5}) {
        minutes->setChecked(true);
        connect(minutes, &QRadioButton::toggled, this, &pdf::describeEntries);
    }
    describeEntries();
    for (QRadioButton* button :
         {ui_.Option1, ui_.Option2, ui_.Option3, ui_.Option4, ui_.Option5, ui_.Option6}) {
        keepSelectedAsTabStop(button);
        connect(button, &QRadioButton::toggled, button,
                [button] { keepSelectedAsTabStop(button); });
        button->installEventFilter(this);  // Up and Down
    }
    for (QPushButton* command : {ui_.Command3, ui_.Command4}) {
        command->installEventFilter(this);  // Enter and keypad Enter
    }
    connect(ui_.Command3, &QPushButton::clicked, this, &pdf::command3Click);
    connect(ui_.Command4, &QPushButton::clicked, this, &pdf::command4Click);
    connect(ui_.Label11, &LinkLabel::mouseMoved, this, &pdf::label11MouseMove);
    connect(ui_.Label11, &LinkLabel::clicked, this, &pdf::label11Click);

    load();

    if (const QScreen* screen = this->screen()) {
        move(placeOnScreen(size(), screen->availableGeometry()));
    }
    ui_.Text1->setFocus();
}

QPoint placeOnScreen(QSize window, QRect available) {
    // Centred where the window fits; where it does not, its top-left corner (and with it the title
    // bar and the close button) stays on screen.
    const QPoint centred = available.center() - QRect({}, window).center();
    return {std::max(centred.x(), available.left()), std::max(centred.y(), available.top())};
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
    // The Windows style fills an option button from its Button role.
    for (QWidget* control :
         {ui_.Option1, ui_.Option2, ui_.Option3, ui_.Option4, ui_.Option5, ui_.Option6}) {
        tint(control, {QPalette::Window, QPalette::Button});
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

void pdf::describeEntries() {
    const std::tuple<QLineEdit*, QLineEdit*, const QRadioButton*> points[] = {
        {ui_.Text1, ui_.Text2, ui_.Option1},
        {ui_.Text3, ui_.Text4, ui_.Option3},
        {ui_.Text5, ui_.Text6, ui_.Option5},
    };
    for (const auto& [latitude, longitude, minutes] : points) {
        latitude->setAccessibleDescription(expectedNotation(minutes));
        longitude->setAccessibleDescription(expectedNotation(minutes));
    }
}

bool pdf::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    // Enter and keypad Enter press a focused command button, as Space does; Qt's buttons take
    // them only inside dialogs.
    auto* button = qobject_cast<QPushButton*>(watched);
    if (button != nullptr && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        button->click();
        return true;
    }
    // Each option pair stands side by side; Up and Down move within it as Left and Right do.
    if (qobject_cast<QRadioButton*>(watched) != nullptr &&
        (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
        QKeyEvent sideways(QEvent::KeyPress,
                           key->key() == Qt::Key_Up ? Qt::Key_Left : Qt::Key_Right,
                           key->modifiers());
        QCoreApplication::sendEvent(watched, &sideways);
        return true;
    }
    return false;
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
    // Focus goes where the fix is, once the box has closed; Qt would return it to the button.
    if (message.box) {
        QLineEdit* box = entryBox(*message.box);
        box->setFocus(Qt::OtherFocusReason);
        box->selectAll();
    }
}

QLineEdit* pdf::entryBox(EntryBox box) const {
    switch (box) {
        case EntryBox::Point1Latitude:
            return ui_.Text1;
        case EntryBox::Point1Longitude:
            return ui_.Text2;
        case EntryBox::Point2Latitude:
            return ui_.Text3;
        case EntryBox::Point2Longitude:
            return ui_.Text4;
        case EntryBox::ReferenceLatitude:
            return ui_.Text5;
        case EntryBox::ReferenceLongitude:
            break;
    }
    return ui_.Text6;
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
    announcer_->announce(toQString(distance.kilometres) + QStringLiteral(" 公里，") +
                         toQString(distance.nauticalMiles) + QStringLiteral(" 海里"));
}

void pdf::command4Click() {
    const AngleOutcome outcome = calculateAngle(input());
    if (const auto* message = std::get_if<Message>(&outcome)) {
        showMessage(*message);
        return;
    }
    const std::string& degrees = std::get<AngleText>(outcome).degrees;
    showResult(ui_.Text9, degrees);
    announcer_->announce(QStringLiteral("夹角 ") + toQString(degrees) + QStringLiteral(" 度"));
}

}  // namespace orvanto
