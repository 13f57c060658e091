// The window on the offscreen platform: how the controls look and are spoken, the order the Tab key
// visits them, and the window in use (option pairs, read-only boxes, the link label, both commands
// through the widgets). The message box and the browser are recorded, not opened.
#include <QAccessible>
#include <QClipboard>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>

#include "window/calculator_window.h"
#include "window/home_page.h"
#include "window/widgets/message_box.h"
#include "window/window_look.h"

namespace {

struct Shown {
    QString title, text;
};

// Counts the times a widget is shown.
struct ShowCounter : QObject {
    int count = 0;
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        count += event->type() == QEvent::Show ? 1 : 0;
        return false;
    }
};

// The window as the program builds it, with what it asks of the platform recorded.
struct RecordedWindow {
    RecordedWindow() { find("announcer")->installEventFilter(&shows); }
    ShowCounter shows;
    QList<Shown> messages;
    QList<QUrl> opened;
    bool browserStarts = true;
    orvanto::CalculatorWindow window{{[this](QWidget*, const QString& title, const QString& text) {
                                          messages.append({title, text});
                                      },
                                      [this](const QUrl& address) {
                                          opened.append(address);
                                          return browserStarts;
                                      }}};

    template <typename Control = QWidget>
    Control* find(const QString& name) {
        auto* control =
            name == "pdf" ? qobject_cast<Control*>(&window) : window.findChild<Control*>(name);
        if (control == nullptr) {
            qFatal("no control named %s", qPrintable(name));
        }
        return control;
    }
    QString text(const QString& name) { return find<QLineEdit>(name)->text(); }
    bool shown() {
        window.show();
        return QTest::qWaitForWindowActive(&window);
    }
};

// A command pressed on the entries typed into Text1 … Text6, and what follows.
struct Command {
    QStringList entries;
    QString button;
    int key;          // how the button is pressed: a key, or 0 for a click
    QString results;  // Text7|Text8|Text9 afterwards
    QString message;  // the title, or nothing when no message is shown
    QString focus;    // the control holding the focus afterwards, and its selected text
    QString selected;
    QString spoken;  // what a screen reader is told
};

}  // namespace

Q_DECLARE_METATYPE(Command)

class WindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { orvanto::useClassicStyle(); }

    void atStart() {
        RecordedWindow w;
        // Every entry, result and button has its own Chinese name that speech engines can say:
        // 一 and 二, where the captions show Ⅰ and Ⅱ (read aloud as code numbers).
        QStringList names;
        for (QWidget* control : w.window.findChildren<QWidget*>()) {
            if (control->focusPolicy() != Qt::NoFocus) {
                names << QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
            }
        }
        QCOMPARE(names.filter(QRegularExpression(QStringLiteral("^\\p{Han}[^ⅠⅡ]*$"))).size(), 18);
        QCOMPARE(names.removeDuplicates(), 0);
        // Song for the boxes and the link; without the Simplified Chinese fallback fontconfig may
        // settle on Japanese glyph forms.
        if (QFontDatabase::hasFamily(QStringLiteral("Noto Serif CJK SC"))) {
            for (const char* name : {"Text1", "Text10", "Label11"}) {
                QCOMPARE(QFontInfo(w.find(name)->font()).family(),
                         QStringLiteral("Noto Serif CJK SC"));
            }
        }
        QVERIFY(w.shown());
        QCOMPARE(QApplication::focusWidget(), w.find("Text1"));
        // Centred, give or take the window frame, whose size is unknown until it is shown.
        const QRect frame = w.window.frameGeometry();
        const QPoint offCentre = frame.center() - w.window.screen()->availableGeometry().center();
        QVERIFY(std::abs(offCentre.x()) <= frame.width() - w.window.width() + 1);
        QVERIFY(std::abs(offCentre.y()) <= frame.height() - w.window.height() + 1);
    }

    void tabOrder() {
        const QString boxes = "Text1 Text2 Text3 Text4 Text5 Text6 Text7 Text8 Text9 Text10 ";
        // Only the selected button of a pair is a stop; a leftover stop on "分" would show here.
        for (const auto& [seconds, stops] :
             {std::pair{QString(), boxes + "Command3 Command4 Option1 Option3 Option5 Text1"},
              {"Option4", boxes + "Command3 Command4 Option1 Option4 Option5 Text1"}}) {
            RecordedWindow w;
            if (!seconds.isEmpty()) {
                w.find<QRadioButton>(seconds)->setChecked(true);
            }
            QVERIFY(w.shown());
            QStringList visited{QApplication::focusWidget()->objectName()};
            while (visited.size() < stops.count(QLatin1Char(' ')) + 1) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                visited << QApplication::focusWidget()->objectName();
            }
            QCOMPARE(visited.join(QLatin1Char(' ')), stops);
        }
    }

    // What the screen shows, not just what the palette says: Fusion would shade the button face,
    // a style sheet could hide a palette, and a sunken edge would show inside the line.
    void renderedLook() {
        const QColor tint = QColor::fromRgb(orvanto::kWindowTint);
        const QColor white = QApplication::palette().color(QPalette::Base);
        const QColor line = QApplication::palette().color(QPalette::WindowText);
        const std::tuple<QString, QPoint, QColor> pixels[] = {
            {"Command3", {6, 12}, tint}, {"Text7", {100, 12}, tint},
            {"Text2", {100, 12}, white}, {"Text2", {0, 12}, line},
            {"Text2", {1, 12}, white},   {"Text10", {300, 0}, line},
            {"Frame3", {0, 60}, line},   {"pdf", {3, 395}, tint},
            {"Option1", {31, 2}, tint},  // right of the caption: the panel's tint, not grey
        };
        RecordedWindow w;
        QVERIFY(w.shown());
        const QImage image = w.window.grab().toImage();
        const auto colourAt = [&](QWidget* control, QPoint at) {
            return image.pixelColor(control->mapTo(&w.window, at) * image.devicePixelRatio());
        };
        for (const auto& [name, at, colour] : pixels) {
            QVERIFY2(colourAt(w.find(name), at) == colour, qPrintable(name));
        }
        // The help box's scroll bar keeps the scheme's colours: no tint in its trough.
        QScrollBar* bar = w.find<QPlainTextEdit>("Text10")->verticalScrollBar();
        for (int y = bar->height() / 2; y < bar->height() / 2 + 4; ++y) {
            QVERIFY(colourAt(bar, {bar->width() / 2, y}) != tint);
        }
        // Every row of the link's text is inside the label: as many rows with ink as the same
        // text has drawn on a canvas tall enough for any descender.
        auto* link = w.find<QLabel>("Label11");
        QImage canvas(link->width(), 60, QImage::Format_RGB32);
        canvas.fill(orvanto::kWindowTint);
        {
            QPainter painter(&canvas);
            painter.setFont(link->font());
            painter.drawText(QPointF(0, 40), link->text());
        }
        const auto inkRows = [](const QImage& text) {
            int rows = 0;
            for (int y = 0; y < text.height(); ++y) {
                rows += text.copy(0, y, text.width(), 1) != text.copy(0, 0, text.width(), 1);
            }
            return rows;
        };
        QCOMPARE(inkRows(link->grab().toImage().convertToFormat(QImage::Format_RGB32)),
                 inkRows(canvas));
    }

    // Typing, pasting and deleting change nothing in a result box; selecting and copying work. The
    // help box opens at its top with more to scroll to. A huge paste into an entry stops at 32767
    // characters instead of freezing the window.
    void boxesInUse() {
        RecordedWindow w;
        w.find<QLineEdit>("Text1")->insert(QString(40000, QLatin1Char('7')));
        QCOMPARE(w.text("Text1").size(), 32767);
        w.find<QLineEdit>("Text8")->setText(QStringLiteral("380.236"));
        auto* help = w.find<QPlainTextEdit>("Text10");
        QCOMPARE(help->toPlainText().split(QLatin1Char('\n')).size(), 14);  // 13 lines, all ended
        QVERIFY(w.shown());
        QVERIFY(help->isReadOnly());
        QCOMPARE(help->verticalScrollBar()->value(), 0);
        QVERIFY(help->verticalScrollBar()->maximum() > 0);
        w.find("Text8")->setFocus();
        QApplication::clipboard()->setText(QStringLiteral("999"));
        QTest::keyClicks(w.find("Text8"), QStringLiteral("12"));
        QTest::keyClick(w.find("Text8"), Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(w.find("Text8"), Qt::Key_Backspace);
        QCOMPARE(w.text("Text8"), QStringLiteral("380.236"));
        QTest::keyClick(w.find("Text8"), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(w.find("Text8"), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("380.236"));
    }

    void linkHoverColour() {
        // The controls the pointer moves over ("" is the bare surface) and the colour left.
        const QColor menu = orvanto::menuTextColour();
        const QColor red(255, 0, 0);
        const QColor button(Qt::darkGreen);
        const std::pair<QStringList, QColor> paths[] = {
            {{}, menu},
            {{"Label11"}, red},
            {{"Label11", ""}, button},
            {{"Label11", "Label12"}, red},
        };
        for (const auto& [path, colour] : paths) {
            RecordedWindow w;
            // The schemes' menu and button texts are both black; a distinct button colour tells
            // the two handlers apart.
            QPalette palette = w.window.palette();
            palette.setColor(QPalette::ButtonText, button);
            w.window.setPalette(palette);
            QVERIFY(w.shown());
            // The first move into a freshly shown window only enters it.
            QTest::mouseMove(w.find("Text10"));
            for (const QString& name : path) {
                // The window's bottom-left corner is bare surface.
                QTest::mouseMove(w.find(name.isEmpty() ? "pdf" : name),
                                 name.isEmpty() ? QPoint(3, 400) : QPoint(10, 8));
            }
            QCOMPARE(w.find<QLabel>("Label11")->palette().color(QPalette::WindowText), colour);
        }
    }

    void linkClick() {
        const QUrl home{QString::fromUtf8(orvanto::kHomePageUrl)};
        for (const bool browserStarts : {true, false}) {
            RecordedWindow w;
            w.browserStarts = browserStarts;
            QVERIFY(w.shown());
            QTest::mouseClick(w.find("Label12"), Qt::LeftButton);  // the notice does nothing
            QVERIFY(w.opened.isEmpty());
            QTest::mouseClick(w.find("Label11"), Qt::LeftButton);
            QCOMPARE(w.opened, QList<QUrl>{home});
            // A screen reader presses the link through its action and learns the address.
            QAccessibleInterface* link = QAccessible::queryAccessibleInterface(w.find("Label11"));
            QCOMPARE(link->text(QAccessible::Description), home.toString());
            link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
            QCOMPARE(w.opened.size(), 2);
            // When the browser cannot be started the user can still reach the page by hand.
            QCOMPARE(w.messages.size(), browserStarts ? 0 : 2);
            QVERIFY(browserStarts || w.messages.first().text.contains(home.toString()));
        }
    }

    void commands_data() {
        QTest::addColumn<Command>("command");
        const QStringList worked{"4250.0", "9338.80", "421125", "1021125", "4000.0", "10000.0"};
        const QString distance = "704.197 公里，380.236 海里";
        // Earlier results stand in the boxes: a command that stops must leave them as they are.
        // After a message, the focus goes to the box to fix: the first empty one, or the faulty
        // entry with its text selected.
        // clang-format off
        QTest::newRow("distance") << Command{worked, "Command3", 0, "704.197|380.236|3.", "", "Command3", "", distance};
        QTest::newRow("angle by Enter") << Command{worked, "Command4", Qt::Key_Return, "1.|2.|93.448", "", "Command4", "", "夹角 93.448 度"};
        QTest::newRow("distance by keypad Enter") << Command{worked, "Command3", Qt::Key_Enter, "704.197|380.236|3.", "", "Command3", "", distance};
        QTest::newRow("incomplete") << Command{worked.first(1), "Command3", 0, "1.|2.|3.", "提示", "Text2", "", ""};
        QTest::newRow("no reference point") << Command{worked.first(5), "Command4", 0, "1.|2.|3.", "提示", "Text6", "", ""};
        QTest::newRow("type mismatch") << Command{{"4250.0", "0", "42a125", "0"}, "Command3", 0, "1.|2.|3.", "错误", "Text3", "42a125", ""};
        QTest::newRow("blank between digits") << Command{{"42 5.0", "0", "421125", "0"}, "Command3", 0, "1.|2.|3.", "错误", "Text1", "42 5.0", ""};
        // clang-format on
    }

    void commands() {
        QFETCH(Command, command);
        const auto& [entries, button, key, results, message, focus, selected, spoken] = command;
        RecordedWindow w;
        for (const int i : {1, 2, 3}) {
            w.find<QLineEdit>(QStringLiteral("Text%1").arg(i + 6))
                ->setText(QString::number(i) + '.');
        }
        QVERIFY(w.shown());
        // Point 2 in seconds mode: a mode read from another pair turns its entries into an
        // overflow.
        QTest::mouseClick(w.find("Option4"), Qt::LeftButton, {}, QPoint(6, 8));
        for (qsizetype i = 0; i < entries.size(); ++i) {
            QTest::keyClicks(w.find(QStringLiteral("Text%1").arg(i + 1)), entries[i]);
        }
        if (key == 0) {
            QTest::mouseClick(w.find(button), Qt::LeftButton);
        } else {
            w.find(button)->setFocus();
            QTest::keyClick(w.find(button), Qt::Key(key),
                            key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        }
        QCOMPARE(QStringList({w.text("Text7"), w.text("Text8"), w.text("Text9")}).join('|'),
                 results);
        QCOMPARE(w.messages.size(), message.isEmpty() ? 0 : 1);
        QVERIFY(message.isEmpty() || w.messages.first().title == message);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        // A screen reader hears the results: a notification shown once per result, never painted.
        QAccessibleInterface* announcer =
            QAccessible::queryAccessibleInterface(w.find("announcer"));
        QCOMPARE(announcer->role(), QAccessible::Notification);
        QCOMPARE(announcer->text(QAccessible::Name), spoken);
        QCOMPARE(w.shows.count, spoken.isEmpty() ? 0 : 1);
        QVERIFY(!w.find("announcer")->isVisible());
        auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QCOMPARE(box != nullptr ? box->selectedText() : QString(), selected);
    }

    // Each pair is a group of its own; Up and Down move within it like Left and Right, and the
    // entries' descriptions follow the point's mode.
    void optionPairs() {
        RecordedWindow w;
        QVERIFY(w.shown());
        const auto states = [&] {
            QString selected;
            for (int i = 1; i <= 6; ++i) {
                selected += w.find<QAbstractButton>(QStringLiteral("Option%1").arg(i))->isChecked()
                                ? '1'
                                : '0';
            }
            return selected;
        };
        const auto description = [&](const char* name) {
            return w.find(name)->accessibleDescription();
        };
        QCOMPARE(description("Text4"), QStringLiteral("按分输入，如 4250.0"));
        QTest::mouseClick(w.find("Option6"), Qt::LeftButton, {}, QPoint(6, 8));
        w.find("Option3")->setFocus();
        QTest::keyClick(w.find("Option3"), Qt::Key_Down);
        QCOMPARE(states(), QStringLiteral("100101"));
        QCOMPARE(description("Text4"), QStringLiteral("按秒输入，如 421125"));
        QCOMPARE(description("Text2"), QStringLiteral("按分输入，如 4250.0"));
        QTest::keyClick(w.find("Option4"), Qt::Key_Up);
        QCOMPARE(states(), QStringLiteral("101001"));
    }

    void placedOnScreen() {
        const QSize window(588, 408);
        QCOMPARE(orvanto::placeOnScreen(window, {0, 0, 1024, 768}), QPoint(218, 180));
        // QT_SCALE_FACTOR=2 on 1024 × 768: the window is larger than the screen.
        QCOMPARE(orvanto::placeOnScreen(window, {0, 0, 512, 384}), QPoint(0, 0));
        QCOMPARE(orvanto::placeOnScreen(window, {0, 24, 1024, 400}), QPoint(218, 24));
    }

    void messageBoxShowsTextAsTyped() {
        QWidget owner;
        const auto box = orvanto::makeMessageBox(&owner, QStringLiteral("错误"), "<b>4250</b>");
        QCOMPARE(box->textFormat(), Qt::PlainText);
        QCOMPARE(box->buttons().size(), 1);
        QCOMPARE(box->buttons().first()->text(), QStringLiteral("确定"));
        // Ctrl+C with the focus on the button copies the whole text, so that the user can reuse a
        // quoted entry or an address.
        box->show();
        QVERIFY(QTest::qWaitForWindowActive(box.get()));
        QTest::keyClick(box->buttons().first(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("<b>4250</b>"));
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
