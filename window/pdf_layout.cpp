// The controls of the window with their names, containers, texts, positions and sizes, and the
// keyboard focus order. Positions are in twips from the top-left of the containing window, frame or
// panel, converted once here.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <limits>

#include "failure_messages.h"
#include "flat_frame.h"
#include "flat_line_edit.h"
#include "help_text.h"
#include "home_page.h"
#include "link_label.h"
#include "note_label.h"
#include "pdf.h"
#include "twips.h"
#include "window_look.h"

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

QString utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A caption label ("纬度", "公里", …): opaque, top-left aligned like the classic labels.
QLabel* caption(QWidget* parent, const char* name, const char* text, int left, int top, int width,
                int height) {
    auto* label =
        placed(new QLabel(QString::fromUtf8(text), parent), name, left, top, width, height);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAutoFillBackground(true);
    // Captions are written in the button-text colour of the scheme, not the window-text one.
    label->setForegroundRole(QPalette::ButtonText);
    return label;
}

QLineEdit* textBox(QWidget* parent, TextBox box, const char* name, int left, int top, int width,
                   int height) {
    QLineEdit* edit = placed(new FlatLineEdit(parent), name, left, top, width, height);
    edit->setFont(songFont(12.0));
    // Entries are taken as typed, however long; Qt would otherwise stop at 32767 characters.
    edit->setMaxLength(std::numeric_limits<int>::max());
    edit->setAccessibleName(utf8(boxName(box)));
    return edit;
}

QLineEdit* resultBox(QWidget* parent, TextBox box, const char* name, int left, int top, int width,
                     int height) {
    QLineEdit* edit = textBox(parent, box, name, left, top, width, height);
    // Read-only still lets the user select and copy the result.
    edit->setReadOnly(true);
    edit->setAutoFillBackground(true);
    return edit;
}

QRadioButton* option(QWidget* panel, const char* name, const char* text, const QString& point,
                     int left) {
    auto* button =
        placed(new QRadioButton(QString::fromUtf8(text), panel), name, left, 0, 495, 255);
    button->setAccessibleName(point + QStringLiteral("按") + button->text() +
                              QStringLiteral("输入"));
    button->setAutoFillBackground(true);
    return button;
}

}  // namespace

void pdf::createControls() {
    frames_[0] = placed(new FlatFrame(QStringLiteral("点Ⅰ"), this), "Frame1", 120, 240, 2655, 1695);
    frames_[1] =
        placed(new FlatFrame(QStringLiteral("点Ⅱ"), this), "Frame2", 2880, 240, 3015, 1695);
    frames_[2] =
        placed(new FlatFrame(QStringLiteral("参考点"), this), "Frame3", 120, 2040, 2655, 1695);
    frames_[3] =
        placed(new FlatFrame(QStringLiteral("距离输出"), this), "Frame4", 6000, 240, 2655, 1695);
    frames_[4] =
        placed(new FlatFrame(QStringLiteral("功能键"), this), "Frame5", 6000, 2040, 2655, 1695);
    frames_[5] =
        placed(new FlatFrame(QStringLiteral("角度输出"), this), "Frame6", 2880, 2040, 3015, 1695);

    // Each point's option pair stands in its own panel, which makes it one exclusive group apart
    // from the other two.
    FlatFrame* point1 = frames_[0];
    pictures_[1] = placed(new QWidget(point1), "Picture2", 360, 240, 2175, 255);
    options_[0] = option(pictures_[1], "Option1", "分", QStringLiteral("点Ⅰ"), 480);
    options_[1] = option(pictures_[1], "Option2", "秒", QStringLiteral("点Ⅰ"), 1080);
    labels_[0] = caption(point1, "Label1", "纬度", 120, 720, 495, 255);
    boxes_[0] = textBox(point1, TextBox::Text1, "Text1", 720, 600, 1575, 375);
    labels_[1] = caption(point1, "Label2", "经度", 120, 1200, 615, 255);
    boxes_[1] = textBox(point1, TextBox::Text2, "Text2", 720, 1080, 1575, 375);

    FlatFrame* point2 = frames_[1];
    pictures_[2] = placed(new QWidget(point2), "Picture3", 600, 240, 2295, 255);
    options_[2] = option(pictures_[2], "Option3", "分", QStringLiteral("点Ⅱ"), 480);
    options_[3] = option(pictures_[2], "Option4", "秒", QStringLiteral("点Ⅱ"), 1080);
    labels_[2] = caption(point2, "Label3", "纬度", 360, 720, 615, 255);
    boxes_[2] = textBox(point2, TextBox::Text3, "Text3", 960, 600, 1695, 375);
    labels_[3] = caption(point2, "Label4", "经度", 360, 1200, 615, 255);
    boxes_[3] = textBox(point2, TextBox::Text4, "Text4", 960, 1080, 1695, 375);

    FlatFrame* reference = frames_[2];
    pictures_[3] = placed(new QWidget(reference), "Picture4", 480, 240, 2055, 255);
    options_[4] = option(pictures_[3], "Option5", "分", QStringLiteral("参考点"), 360);
    options_[5] = option(pictures_[3], "Option6", "秒", QStringLiteral("参考点"), 960);
    labels_[4] = caption(reference, "Label5", "纬度", 120, 720, 495, 255);
    boxes_[4] = textBox(reference, TextBox::Text5, "Text5", 720, 600, 1575, 375);
    labels_[5] = caption(reference, "Label6", "经度", 120, 1200, 495, 255);
    boxes_[5] = textBox(reference, TextBox::Text6, "Text6", 720, 1080, 1575, 375);

    FlatFrame* distance = frames_[3];
    labels_[6] = caption(distance, "Label7", "公里", 120, 720, 375, 255);
    boxes_[6] = resultBox(distance, TextBox::Text7, "Text7", 720, 600, 1575, 375);
    labels_[7] = caption(distance, "Label8", "海里", 120, 1200, 495, 255);
    boxes_[7] = resultBox(distance, TextBox::Text8, "Text8", 720, 1080, 1575, 375);

    pictures_[0] = placed(new QWidget(frames_[4]), "Picture1", 120, 360, 2415, 1215);
    command3_ = placed(new QPushButton(QStringLiteral("计算两点距离"), pictures_[0]), "Command3",
                       600, 240, 1575, 375);
    command4_ = placed(new QPushButton(QStringLiteral("计算三点夹角"), pictures_[0]), "Command4",
                       600, 720, 1575, 375);
    for (QWidget* panel : pictures_) {
        panel->setAutoFillBackground(true);
    }

    FlatFrame* angle = frames_[5];
    labels_[8] = caption(angle, "Label9", "角度", 360, 720, 495, 255);
    boxes_[8] = resultBox(angle, TextBox::Text9, "Text9", 960, 600, 1695, 375);
    // The note wraps onto a second line within the label.
    labels_[9] = placed(new NoteLabel(QString::fromUtf8(kAngleNote), angle), "Label10", 360, 1080,
                        2415, 375);
    labels_[9]->setAutoFillBackground(true);
    labels_[9]->setForegroundRole(QPalette::ButtonText);

    // Created before the help box, which is stacked above it and hides it.
    line1_ = placed(new QWidget(this), "Line1", 120, 3840, 8520, 0);
    line1_->resize(line1_->width(), 1);
    line1_->setAutoFillBackground(true);
    QPalette linePalette = line1_->palette();
    linePalette.setColor(QPalette::Window, scrollBarColour());
    line1_->setPalette(linePalette);

    text10_ = placed(new QPlainTextEdit(this), "Text10", 120, 3840, 8535, 1695);
    QString help;
    for (std::string_view line : helpLines()) {
        help += utf8(line) + QLatin1Char('\n');
    }
    text10_->setPlainText(help);
    text10_->setFont(songFont(9.75));
    text10_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    text10_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text10_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text10_->setReadOnly(true);
    // Read-only drops keyboard selection; the user may still select and copy with the keyboard.
    text10_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text10_->setAccessibleName(QString::fromUtf8(kHelpBoxName));
    text10_->setFrameStyle(QFrame::Box | QFrame::Plain);
    text10_->setLineWidth(1);

    label11_ = placed(new LinkLabel(QString::fromUtf8(kHomePageText), this), "Label11", 4800, 5640,
                      1695, 255);
    label11_->setFont(songFont(10.5));
    label11_->setAccessibleName(QString::fromUtf8(kLinkName));
    labels_[10] = label11_;
    labels_[11] =
        placed(new QLabel(QString::fromUtf8(kNotice), this), "Label12", 6600, 5670, 2175, 255);
    for (QLabel* label : {labels_[10], labels_[11]}) {
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, menuTextColour());
        label->setPalette(palette);
    }
}

void pdf::chainTabOrder() {
    QList<QWidget*> order{boxes_.begin(), boxes_.end()};
    order << text10_ << command3_ << command4_;
    for (QRadioButton* button : options_) {
        order << button;
    }
    for (qsizetype i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

}  // namespace orvanto
