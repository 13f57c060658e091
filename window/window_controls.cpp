#include "window/window_controls.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "window/help_text.h"
#include "window/home_page.h"
#include "window/qt_text.h"
#include "window/widgets/flat_frame.h"
#include "window/widgets/flat_line_edit.h"
#include "window/widgets/link_label.h"
#include "window/widgets/note_label.h"
#include "window/widgets/twips.h"
#include "window/window_look.h"

// Positions and sizes are in twips from the top-left of the containing window, frame or panel, and
// converted to pixels once here.

namespace orvanto {
namespace {

constexpr char kAngleNote[] = "注意：此夹角为1、2两点相对于参考点所成";
constexpr char kNotice[] = "免费软件，欢迎使用";
constexpr char kHelpBoxName[] = "使用说明";
constexpr char kLinkName[] = "产品主页";

template <typename Control>
Control* placed(Control* control, const char* name, int left, int top, int width, int height) {
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(twipsRect(left, top, width, height));
    return control;
}

// A point's frame is spoken by its accessible name, which says 一 and 二 where the caption shows Ⅰ
// and Ⅱ.
FlatFrame* frame(QWidget* window, const char* name, const char* caption, const char* spoken,
                 int left, int top, int width) {
    FlatFrame* frame =
        placed(new FlatFrame(QString::fromUtf8(caption), window), name, left, top, width, 1695);
    frame->setAccessibleName(QString::fromUtf8(spoken));
    return frame;
}

// A borderless panel: holds a point's option pair, which makes the pair one exclusive group apart
// from the other two, or the command buttons.
QWidget* panel(QWidget* parent, const char* name, int left, int top, int width, int height) {
    QWidget* panel = placed(new QWidget(parent), name, left, top, width, height);
    panel->setAutoFillBackground(true);
    return panel;
}

// A caption label ("纬度", "公里", …): opaque, top-left aligned like the classic labels.
QLabel* caption(QWidget* parent, const char* name, const char* text, int left, int top, int width) {
    auto* label = placed(new QLabel(QString::fromUtf8(text), parent), name, left, top, width, 255);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAutoFillBackground(true);
    // Captions are written in the button-text colour of the scheme, not the window-text one.
    label->setForegroundRole(QPalette::ButtonText);
    return label;
}

// Accessible names are spoken: speech engines read Ⅰ and Ⅱ as code numbers, so the names say
// 一 and 二 where the captions show Ⅰ and Ⅱ. Entries keep Qt's limit of 32767 characters, far
// beyond any coordinate, so that a stray huge paste cannot freeze the window.
QLineEdit* textBox(QWidget* parent, const char* name, const QString& accessibleName, int left,
                   int top, int width) {
    QLineEdit* edit = placed(new FlatLineEdit(parent), name, left, top, width, 375);
    edit->setFont(songFont(12.0));
    edit->setAccessibleName(accessibleName);
    return edit;
}

QLineEdit* resultBox(QWidget* parent, const char* name, const char* accessibleName, int left,
                     int top, int width) {
    QLineEdit* edit = textBox(parent, name, QString::fromUtf8(accessibleName), left, top, width);
    // Read-only still lets the user select and copy the result.
    edit->setReadOnly(true);
    edit->setAutoFillBackground(true);
    return edit;
}

QRadioButton* option(QWidget* panel, const char* name, const char* text, const char* point,
                     int left) {
    auto* button =
        placed(new QRadioButton(QString::fromUtf8(text), panel), name, left, 0, 495, 255);
    button->setAccessibleName(QString::fromUtf8(point) + QStringLiteral("按") + button->text() +
                              QStringLiteral("输入"));
    button->setAutoFillBackground(true);
    return button;
}

QPushButton* command(QWidget* panel, const char* name, const char* text, int top) {
    return placed(new QPushButton(QString::fromUtf8(text), panel), name, 600, top, 1575, 375);
}

// The three points differ only in names, captions and places: each row gives a point's control
// names, its caption and spoken name, and where its controls stand. The 秒 button stands 600 twips
// right of the 分 one, and each box 600 right of its caption.
struct PointLayout {
    const char *frame, *panel, *minutes, *seconds;
    const char *latitudeCaption, *latitudeBox, *longitudeCaption, *longitudeBox;
    const char *caption, *spoken;
    int frameLeft, frameTop, frameWidth, panelLeft, panelWidth, minutesLeft;
    int captionLeft, latitudeCaptionWidth, longitudeCaptionWidth, boxWidth;
};

// clang-format off
constexpr PointLayout kPointLayouts[] = {
    // objectNames; caption, spoken name; frame left, top, width; panel left, width; 分 left;
    // captions left, latitude and longitude caption widths; box width
    {"Frame1", "Picture2", "Option1", "Option2", "Label1", "Text1", "Label2", "Text2", "点Ⅰ",   "点一",   120,  240,  2655, 360, 2175, 480, 120, 495, 615, 1575},
    {"Frame2", "Picture3", "Option3", "Option4", "Label3", "Text3", "Label4", "Text4", "点Ⅱ",   "点二",   2880, 240,  3015, 600, 2295, 480, 360, 615, 615, 1695},
    {"Frame3", "Picture4", "Option5", "Option6", "Label5", "Text5", "Label6", "Text6", "参考点", "参考点", 120,  2040, 2655, 480, 2055, 360, 120, 495, 495, 1575},
};
// clang-format on

PointControls pointControls(QWidget* window, const PointLayout& at) {
    const QString spoken = QString::fromUtf8(at.spoken);
    const int boxLeft = at.captionLeft + 600;
    PointControls point{};
    point.frame =
        frame(window, at.frame, at.caption, at.spoken, at.frameLeft, at.frameTop, at.frameWidth);
    point.modePanel = panel(point.frame, at.panel, at.panelLeft, 240, at.panelWidth, 255);
    point.minutesOption = option(point.modePanel, at.minutes, "分", at.spoken, at.minutesLeft);
    point.secondsOption =
        option(point.modePanel, at.seconds, "秒", at.spoken, at.minutesLeft + 600);
    point.latitudeCaption = caption(point.frame, at.latitudeCaption, "纬度", at.captionLeft, 720,
                                    at.latitudeCaptionWidth);
    point.latitudeBox =
        textBox(point.frame, at.latitudeBox, spoken + "纬度", boxLeft, 600, at.boxWidth);
    point.longitudeCaption = caption(point.frame, at.longitudeCaption, "经度", at.captionLeft, 1200,
                                     at.longitudeCaptionWidth);
    point.longitudeBox =
        textBox(point.frame, at.longitudeBox, spoken + "经度", boxLeft, 1080, at.boxWidth);
    return point;
}

}  // namespace

void WindowControls::setUp(QWidget* window) {
    PointControls* const points[] = {&point1, &point2, &reference};
    for (std::size_t i = 0; i < std::size(points); ++i) {
        *points[i] = pointControls(window, kPointLayouts[i]);
    }

    distanceFrame = frame(window, "Frame4", "距离输出", "距离输出", 6000, 240, 2655);
    kilometresCaption = caption(distanceFrame, "Label7", "公里", 120, 720, 375);
    kilometresBox = resultBox(distanceFrame, "Text7", "距离（公里）", 720, 600, 1575);
    nauticalMilesCaption = caption(distanceFrame, "Label8", "海里", 120, 1200, 495);
    nauticalMilesBox = resultBox(distanceFrame, "Text8", "距离（海里）", 720, 1080, 1575);

    commandFrame = frame(window, "Frame5", "功能键", "功能键", 6000, 2040, 2655);
    commandPanel = panel(commandFrame, "Picture1", 120, 360, 2415, 1215);
    distanceButton = command(commandPanel, "Command3", "计算两点距离", 240);
    angleButton = command(commandPanel, "Command4", "计算三点夹角", 720);

    angleFrame = frame(window, "Frame6", "角度输出", "角度输出", 2880, 2040, 3015);
    degreesCaption = caption(angleFrame, "Label9", "角度", 360, 720, 495);
    degreesBox = resultBox(angleFrame, "Text9", "夹角（度）", 960, 600, 1695);
    // The note wraps onto a second line within the label.
    angleNote = placed(new NoteLabel(QString::fromUtf8(kAngleNote), angleFrame), "Label10", 360,
                       1080, 2415, 375);
    angleNote->setAutoFillBackground(true);
    angleNote->setForegroundRole(QPalette::ButtonText);

    // Created before the help text, which is stacked above it and hides it.
    helpLine = placed(new QWidget(window), "Line1", 120, 3840, 8520, 0);
    helpLine->resize(helpLine->width(), 1);
    helpLine->setAutoFillBackground(true);
    QPalette linePalette = helpLine->palette();
    linePalette.setColor(QPalette::Window, scrollBarColour());
    helpLine->setPalette(linePalette);

    helpText = placed(new QPlainTextEdit(window), "Text10", 120, 3840, 8535, 1695);
    QString help;
    for (std::string_view line : helpLines()) {
        help += toQString(line) + QLatin1Char('\n');
    }
    helpText->setPlainText(help);
    helpText->setFont(songFont(9.75));
    helpText->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    helpText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    helpText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    helpText->setReadOnly(true);
    // Read-only drops keyboard selection; the user may still select and copy with the keyboard.
    helpText->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    helpText->setAccessibleName(QString::fromUtf8(kHelpBoxName));
    helpText->setFrameStyle(QFrame::Box | QFrame::Plain);
    helpText->setLineWidth(1);
    // The help text and its scroll bar keep the scheme's colours: inheriting the window's tint as
    // their Window role would checker the scroll bar's trough in white and tint.
    QPalette helpPalette = helpText->palette();
    helpPalette.setColor(QPalette::Window, QApplication::palette(helpText).color(QPalette::Window));
    helpText->setPalette(helpPalette);

    homePageLink = placed(new LinkLabel(QString::fromUtf8(kHomePageText), window), "Label11", 4800,
                          5640, 1695, 255);
    homePageLink->setFont(songFont(10.5));
    homePageLink->setAccessibleName(QString::fromUtf8(kLinkName));
    homePageLink->setAccessibleDescription(QString::fromUtf8(kHomePageUrl));
    // The Song face's line is 20 pixels and the label 17: set at the bottom, the descender of the
    // "p" stays inside and the tallest glyphs still clear the top.
    homePageLink->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    notice =
        placed(new QLabel(QString::fromUtf8(kNotice), window), "Label12", 6600, 5670, 2175, 255);
    notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (QLabel* label : {static_cast<QLabel*>(homePageLink), notice}) {
        setTextColour(label, menuTextColour());
    }

    // The Tab key visits the boxes, the help text, the buttons, then the option pairs, whose
    // unselected buttons are no stops.
    QWidget* const order[] = {point1.latitudeBox,
                              point1.longitudeBox,
                              point2.latitudeBox,
                              point2.longitudeBox,
                              reference.latitudeBox,
                              reference.longitudeBox,
                              kilometresBox,
                              nauticalMilesBox,
                              degreesBox,
                              helpText,
                              distanceButton,
                              angleButton,
                              point1.minutesOption,
                              point1.secondsOption,
                              point2.minutesOption,
                              point2.secondsOption,
                              reference.minutesOption,
                              reference.secondsOption};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

}  // namespace orvanto
