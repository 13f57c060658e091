#include "window/pdf_ui.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "window/flat_frame.h"
#include "window/flat_line_edit.h"
#include "window/help_text.h"
#include "window/home_page.h"
#include "window/link_label.h"
#include "window/note_label.h"
#include "window/qt_text.h"
#include "window/twips.h"
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
QLineEdit* textBox(QWidget* parent, const char* name, const char* accessibleName, int left, int top,
                   int width) {
    QLineEdit* edit = placed(new FlatLineEdit(parent), name, left, top, width, 375);
    edit->setFont(songFont(12.0));
    edit->setAccessibleName(QString::fromUtf8(accessibleName));
    return edit;
}

QLineEdit* resultBox(QWidget* parent, const char* name, const char* accessibleName, int left,
                     int top, int width) {
    QLineEdit* edit = textBox(parent, name, accessibleName, left, top, width);
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

}  // namespace

void Ui_pdf::setupUi(QWidget* pdf) {
    Frame1 = frame(pdf, "Frame1", "点Ⅰ", "点一", 120, 240, 2655);
    Picture2 = panel(Frame1, "Picture2", 360, 240, 2175, 255);
    Option1 = option(Picture2, "Option1", "分", "点一", 480);
    Option2 = option(Picture2, "Option2", "秒", "点一", 1080);
    Label1 = caption(Frame1, "Label1", "纬度", 120, 720, 495);
    Text1 = textBox(Frame1, "Text1", "点一纬度", 720, 600, 1575);
    Label2 = caption(Frame1, "Label2", "经度", 120, 1200, 615);
    Text2 = textBox(Frame1, "Text2", "点一经度", 720, 1080, 1575);

    Frame2 = frame(pdf, "Frame2", "点Ⅱ", "点二", 2880, 240, 3015);
    Picture3 = panel(Frame2, "Picture3", 600, 240, 2295, 255);
    Option3 = option(Picture3, "Option3", "分", "点二", 480);
    Option4 = option(Picture3, "Option4", "秒", "点二", 1080);
    Label3 = caption(Frame2, "Label3", "纬度", 360, 720, 615);
    Text3 = textBox(Frame2, "Text3", "点二纬度", 960, 600, 1695);
    Label4 = caption(Frame2, "Label4", "经度", 360, 1200, 615);
    Text4 = textBox(Frame2, "Text4", "点二经度", 960, 1080, 1695);

    Frame3 = frame(pdf, "Frame3", "参考点", "参考点", 120, 2040, 2655);
    Picture4 = panel(Frame3, "Picture4", 480, 240, 2055, 255);
    Option5 = option(Picture4, "Option5", "分", "参考点", 360);
    Option6 = option(Picture4, "Option6", "秒", "参考点", 960);
    Label5 = caption(Frame3, "Label5", "纬度", 120, 720, 495);
    Text5 = textBox(Frame3, "Text5", "参考点纬度", 720, 600, 1575);
    Label6 = caption(Frame3, "Label6", "经度", 120, 1200, 495);
    Text6 = textBox(Frame3, "Text6", "参考点经度", 720, 1080, 1575);

    Frame4 = frame(pdf, "Frame4", "距离输出", "距离输出", 6000, 240, 2655);
    Label7 = caption(Frame4, "Label7", "公里", 120, 720, 375);
    Text7 = resultBox(Frame4, "Text7", "距离（公里）", 720, 600, 1575);
    Label8 = caption(Frame4, "Label8", "海里", 120, 1200, 495);
    Text8 = resultBox(Frame4, "Text8", "距离（海里）", 720, 1080, 1575);

    Frame5 = frame(pdf, "Frame5", "功能键", "功能键", 6000, 2040, 2655);
    Picture1 = panel(Frame5, "Picture1", 120, 360, 2415, 1215);
    Command3 = command(Picture1, "Command3", "计算两点距离", 240);
    Command4 = command(Picture1, "Command4", "计算三点夹角", 720);

    Frame6 = frame(pdf, "Frame6", "角度输出", "角度输出", 2880, 2040, 3015);
    Label9 = caption(Frame6, "Label9", "角度", 360, 720, 495);
    Text9 = resultBox(Frame6, "Text9", "夹角（度）", 960, 600, 1695);
    // The note wraps onto a second line within the label.
    Label10 = placed(new NoteLabel(QString::fromUtf8(kAngleNote), Frame6), "Label10", 360, 1080,
                     2415, 375);
    Label10->setAutoFillBackground(true);
    Label10->setForegroundRole(QPalette::ButtonText);

    // Created before the help box, which is stacked above it and hides it.
    Line1 = placed(new QWidget(pdf), "Line1", 120, 3840, 8520, 0);
    Line1->resize(Line1->width(), 1);
    Line1->setAutoFillBackground(true);
    QPalette linePalette = Line1->palette();
    linePalette.setColor(QPalette::Window, scrollBarColour());
    Line1->setPalette(linePalette);

    Text10 = placed(new QPlainTextEdit(pdf), "Text10", 120, 3840, 8535, 1695);
    QString help;
    for (std::string_view line : helpLines()) {
        help += toQString(line) + QLatin1Char('\n');
    }
    Text10->setPlainText(help);
    Text10->setFont(songFont(9.75));
    Text10->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Text10->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text10->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text10->setReadOnly(true);
    // Read-only drops keyboard selection; the user may still select and copy with the keyboard.
    Text10->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Text10->setAccessibleName(QString::fromUtf8(kHelpBoxName));
    Text10->setFrameStyle(QFrame::Box | QFrame::Plain);
    Text10->setLineWidth(1);
    // The help box and its scroll bar keep the scheme's colours: inheriting the window's tint as
    // their Window role would checker the scroll bar's trough in white and tint.
    QPalette helpPalette = Text10->palette();
    helpPalette.setColor(QPalette::Window, QApplication::palette(Text10).color(QPalette::Window));
    Text10->setPalette(helpPalette);

    Label11 = placed(new LinkLabel(QString::fromUtf8(kHomePageText), pdf), "Label11", 4800, 5640,
                     1695, 255);
    Label11->setFont(songFont(10.5));
    Label11->setAccessibleName(QString::fromUtf8(kLinkName));
    Label11->setAccessibleDescription(QString::fromUtf8(kHomePageUrl));
    // The Song face's line is 20 pixels and the label 17: set at the bottom, the descender of the
    // "p" stays inside and the tallest glyphs still clear the top.
    Label11->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    Label12 = placed(new QLabel(QString::fromUtf8(kNotice), pdf), "Label12", 6600, 5670, 2175, 255);
    Label12->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (QLabel* label : {static_cast<QLabel*>(Label11), Label12}) {
        setTextColour(label, menuTextColour());
    }

    // The Tab key visits the boxes, the help text, the buttons, then the option pairs, whose
    // unselected buttons are no stops.
    QWidget* const order[] = {Text1,   Text2,   Text3,   Text4,   Text5,    Text6,
                              Text7,   Text8,   Text9,   Text10,  Command3, Command4,
                              Option1, Option2, Option3, Option4, Option5,  Option6};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

}  // namespace orvanto
