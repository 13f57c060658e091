#include "window/calculator_window.h"

#include <QCoreApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <algorithm>
#include <utility>
#include <vector>

#include "window/accessibility/accessibility.h"
#include "window/home_page.h"
#include "window/qt_text.h"
#include "window/widgets/flat_frame.h"
#include "window/widgets/link_label.h"
#include "window/widgets/note_label.h"
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
PointEntries pointEntries(const PointControls& point) {
    return {point.latitudeBox->text().toStdString(), point.longitudeBox->text().toStdString(),
            point.minutesOption->isChecked() ? EntryMode::Minutes : EntryMode::Seconds};
}

void showResult(QLineEdit* box, const std::string& text) {
    box->setText(toQString(text));
    // setText leaves the caret at the end, which scrolls a long result to its tail; a result is
    // read from its first digit.
    box->setCursorPosition(0);
}

}  // namespace

CalculatorWindow::CalculatorWindow(WindowPlatform platform, QWidget* parent)
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

    controls_.setUp(this);
    announcer_ = new ResultAnnouncer(this);
    for (const PointControls* point : controls_.points()) {
        point->minutesOption->setChecked(true);
        connect(point->minutesOption, &QRadioButton::toggled, this,
                &CalculatorWindow::describeEntries);
        for (QRadioButton* button : {point->minutesOption, point->secondsOption}) {
            keepSelectedAsTabStop(button);
            connect(button, &QRadioButton::toggled, button,
                    [button] { keepSelectedAsTabStop(button); });
            button->installEventFilter(this);  // Up and Down
        }
    }
    describeEntries();
    for (QPushButton* command : {controls_.distanceButton, controls_.angleButton}) {
        command->installEventFilter(this);  // Enter and keypad Enter
    }
    connect(controls_.distanceButton, &QPushButton::clicked, this, &CalculatorWindow::showDistance);
    connect(controls_.angleButton, &QPushButton::clicked, this, &CalculatorWindow::showAngle);
    connect(controls_.homePageLink, &LinkLabel::mouseMoved, this,
            &CalculatorWindow::homePageLinkHovered);
    connect(controls_.homePageLink, &LinkLabel::clicked, this,
            &CalculatorWindow::homePageLinkClicked);

    load();

    if (const QScreen* screen = this->screen()) {
        move(placeOnScreen(size(), screen->availableGeometry()));
    }
    controls_.point1.latitudeBox->setFocus();
}

QPoint placeOnScreen(QSize window, QRect available) {
    // Centred where the window fits; where it does not, its top-left corner (and with it the title
    // bar and the close button) stays on screen.
    const QPoint centred = available.center() - QRect({}, window).center();
    return {std::max(centred.x(), available.left()), std::max(centred.y(), available.top())};
}

void CalculatorWindow::load() {
    tint(this, {QPalette::Window});
    std::vector<FlatFrame*> frames{controls_.distanceFrame, controls_.commandFrame,
                                   controls_.angleFrame};
    std::vector<QWidget*> tinted{
        controls_.commandPanel,   controls_.kilometresCaption, controls_.nauticalMilesCaption,
        controls_.degreesCaption, controls_.angleNote,         controls_.homePageLink};
    for (const PointControls* point : controls_.points()) {
        frames.push_back(point->frame);
        tinted.insert(tinted.end(),
                      {point->modePanel, point->latitudeCaption, point->longitudeCaption});
        // The Windows style fills an option button from its Button role.
        for (QWidget* option : {point->minutesOption, point->secondsOption}) {
            tint(option, {QPalette::Window, QPalette::Button});
        }
    }
    for (FlatFrame* frame : frames) {
        tint(frame, {QPalette::Window});
        frame->setAutoFillBackground(true);
    }
    for (QWidget* control : tinted) {
        tint(control, {QPalette::Window});
    }
    // The Button role is the face the Windows style paints; Fusion would shade it into a gradient.
    for (QPushButton* button : {controls_.distanceButton, controls_.angleButton}) {
        tint(button, {QPalette::Window, QPalette::Button});
    }
    for (QLineEdit* result :
         {controls_.kilometresBox, controls_.nauticalMilesBox, controls_.degreesBox}) {
        tint(result, {QPalette::Base});
    }
}

void CalculatorWindow::describeEntries() {
    for (const PointControls* point : controls_.points()) {
        const QString expected = expectedNotation(point->minutesOption);
        point->latitudeBox->setAccessibleDescription(expected);
        point->longitudeBox->setAccessibleDescription(expected);
    }
}

bool CalculatorWindow::eventFilter(QObject* watched, QEvent* event) {
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

void CalculatorWindow::mouseMoveEvent(QMouseEvent* event) {
    // A control that tracks the mouse but ignores a move passes it on to its parent; such a move is
    // over that control, not over the bare surface.
    if (childAt(event->position().toPoint()) == nullptr) {
        setTextColour(controls_.homePageLink, palette().color(QPalette::ButtonText));
    }
    event->accept();
}

void CalculatorWindow::homePageLinkHovered() {
    setTextColour(controls_.homePageLink, QColor::fromRgb(kLinkHoverColour));
}

void CalculatorWindow::homePageLinkClicked() {
    const QUrl address{QString::fromUtf8(kHomePageUrl)};
    if (!platform_.openUrl(address)) {
        platform_.showMessage(this, QString::fromUtf8(kOpenFailedTitle),
                              QString::fromUtf8(kOpenFailedMessage) + address.toString());
    }
}

CalculatorInput CalculatorWindow::input() const {
    return {pointEntries(controls_.point1), pointEntries(controls_.point2),
            pointEntries(controls_.reference)};
}

void CalculatorWindow::showMessage(const Message& message) {
    platform_.showMessage(this, toQString(message.title), toQString(message.text));
    // Focus goes where the fix is, once the box has closed; Qt would return it to the button.
    if (message.box) {
        QLineEdit* box = entryBox(*message.box);
        box->setFocus(Qt::OtherFocusReason);
        box->selectAll();
    }
}

QLineEdit* CalculatorWindow::entryBox(EntryBox box) const {
    switch (box) {
        case EntryBox::Point1Latitude:
            return controls_.point1.latitudeBox;
        case EntryBox::Point1Longitude:
            return controls_.point1.longitudeBox;
        case EntryBox::Point2Latitude:
            return controls_.point2.latitudeBox;
        case EntryBox::Point2Longitude:
            return controls_.point2.longitudeBox;
        case EntryBox::ReferenceLatitude:
            return controls_.reference.latitudeBox;
        case EntryBox::ReferenceLongitude:
            break;
    }
    return controls_.reference.longitudeBox;
}

void CalculatorWindow::showDistance() {
    const DistanceOutcome outcome = calculateDistance(input());
    if (const auto* message = std::get_if<Message>(&outcome)) {
        showMessage(*message);
        return;
    }
    const auto& distance = std::get<DistanceTexts>(outcome);
    showResult(controls_.kilometresBox, distance.kilometres);
    showResult(controls_.nauticalMilesBox, distance.nauticalMiles);
    announcer_->announce(toQString(distance.kilometres) + QStringLiteral(" 公里，") +
                         toQString(distance.nauticalMiles) + QStringLiteral(" 海里"));
}

void CalculatorWindow::showAngle() {
    const AngleOutcome outcome = calculateAngle(input());
    if (const auto* message = std::get_if<Message>(&outcome)) {
        showMessage(*message);
        return;
    }
    const std::string& degrees = std::get<AngleText>(outcome).degrees;
    showResult(controls_.degreesBox, degrees);
    announcer_->announce(QStringLiteral("夹角 ") + toQString(degrees) + QStringLiteral(" 度"));
}

}  // namespace orvanto
