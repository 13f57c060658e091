// The window as it stands at start: where the controls are, what they show, their fonts and
// colours, and the order the Tab key visits them.
#include <QAccessible>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>

#include "help_text.h"
#include "recording_platform.h"

using orvanto::kWindowTint;

class WindowLayoutTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { orvanto::useClassicStyle(); }

    void fixedClientArea() {
        RecordedWindow w;
        QCOMPARE(w.window.size(), QSize(588, 408));
        QCOMPARE(w.window.minimumSize(), w.window.maximumSize());
        QCOMPARE(w.window.windowTitle(), QStringLiteral("Orvanto软件―经纬度距离角度计算器"));
        const Qt::WindowFlags flags = w.window.windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!w.window.windowIcon().isNull());
    }

    void controlGeometry_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QRect>("pixels");
        // Twips / 15, rounded: a slip in one conversion or a wrong container moves these.
        // clang-format off
        QTest::newRow("Frame1") << "Frame1" << "pdf" << QRect(8, 16, 177, 113);
        QTest::newRow("Frame5") << "Frame5" << "pdf" << QRect(400, 136, 177, 113);
        QTest::newRow("Picture3") << "Picture3" << "Frame2" << QRect(40, 16, 153, 17);
        QTest::newRow("Option4") << "Option4" << "Picture3" << QRect(72, 0, 33, 17);
        QTest::newRow("Text1") << "Text1" << "Frame1" << QRect(48, 40, 105, 25);
        QTest::newRow("Text4") << "Text4" << "Frame2" << QRect(64, 72, 113, 25);
        QTest::newRow("Label10") << "Label10" << "Frame6" << QRect(24, 72, 161, 25);
        QTest::newRow("Command4") << "Command4" << "Picture1" << QRect(40, 48, 105, 25);
        QTest::newRow("Text10") << "Text10" << "pdf" << QRect(8, 256, 569, 113);
        QTest::newRow("Line1") << "Line1" << "pdf" << QRect(8, 256, 568, 1);
        QTest::newRow("Label11") << "Label11" << "pdf" << QRect(320, 376, 113, 17);
        QTest::newRow("Label12") << "Label12" << "pdf" << QRect(440, 378, 145, 17);
        // clang-format on
    }

    void controlGeometry() {
        QFETCH(QString, name);
        QFETCH(QString, container);
        QFETCH(QRect, pixels);
        RecordedWindow w;
        auto* control = w.find<QWidget>(name);
        QCOMPARE(control->parentWidget()->objectName(), container);
        QCOMPARE(control->geometry(), pixels);
    }

    void stateAtStart() {
        RecordedWindow w;
        for (int i = 1; i <= 9; ++i) {
            QVERIFY(w.find<QLineEdit>(QStringLiteral("Text%1").arg(i))->text().isEmpty());
        }
        for (int i = 1; i <= 6; ++i) {
            // The "分" buttons are the odd ones.
            QCOMPARE(w.find<QRadioButton>(QStringLiteral("Option%1").arg(i))->isChecked(),
                     i % 2 == 1);
        }
        QCOMPARE(w.find<QLabel>("Label11")->palette().color(QPalette::WindowText),
                 orvanto::menuTextColour());
        w.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        QCOMPARE(QApplication::focusWidget(), w.find<QWidget>("Text1"));
        // Centred: the middle of the window is the middle of the screen's free area, give or take
        // the window frame, whose size is unknown until the window is first shown.
        const QRect frame = w.window.frameGeometry();
        const QPoint offCentre = frame.center() - w.window.screen()->availableGeometry().center();
        QVERIFY(std::abs(offCentre.x()) <= frame.width() - w.window.width() + 1);
        QVERIFY(std::abs(offCentre.y()) <= frame.height() - w.window.height() + 1);
    }

    void tabOrder_data() {
        QTest::addColumn<QString>("secondsOption");
        QTest::addColumn<QStringList>("stops");
        const QStringList boxes{"Text1", "Text2", "Text3", "Text4",  "Text5",    "Text6",
                                "Text7", "Text8", "Text9", "Text10", "Command3", "Command4"};
        QTest::newRow("all in minutes")
            << QString() << boxes + QStringList{"Option1", "Option3", "Option5", "Text1"};
        // Only the selected button of a pair is a stop; a leftover stop on "分" would show here.
        QTest::newRow("point 2 in seconds")
            << "Option4" << boxes + QStringList{"Option1", "Option4", "Option5", "Text1"};
    }

    void tabOrder() {
        QFETCH(QString, secondsOption);
        QFETCH(QStringList, stops);
        RecordedWindow w;
        if (!secondsOption.isEmpty()) {
            w.find<QRadioButton>(secondsOption)->setChecked(true);
        }
        w.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        w.find<QWidget>("Text1")->setFocus();
        QStringList visited;
        for (qsizetype i = 1; i < stops.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, stops.mid(1));
    }

    void fonts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("pointSize");
        QTest::addColumn<bool>("song");
        QTest::newRow("Text1") << "Text1" << 12.0 << true;
        QTest::newRow("Text10") << "Text10" << 9.75 << true;
        QTest::newRow("Label11") << "Label11" << 10.5 << true;
        QTest::newRow("Label1 has the window's font") << "Label1" << 9.0 << false;
    }

    void fonts() {
        QFETCH(QString, name);
        QFETCH(double, pointSize);
        QFETCH(bool, song);
        RecordedWindow w;
        const QFont font = w.find<QWidget>(name)->font();
        QCOMPARE(font.pointSizeF(), pointSize);
        QCOMPARE(font.weight(), QFont::Normal);
        QCOMPARE(font.families().first() == QStringLiteral("宋体"), song);
        if (song && QFontDatabase::hasFamily(QStringLiteral("Noto Serif CJK SC"))) {
            // Without the Simplified Chinese fallback fontconfig may settle on Japanese forms.
            QCOMPARE(QFontInfo(font).family(), QStringLiteral("Noto Serif CJK SC"));
        }
    }

    // What the screen shows, not just what the palette says: Fusion would shade the button face,
    // a style sheet could hide a palette, and a sunken edge would show inside the line.
    void renderedLook_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QColor>("colour");
        const QColor tint = QColor::fromRgb(kWindowTint);
        const QColor white = QApplication::palette().color(QPalette::Base);
        const QColor line = QApplication::palette().color(QPalette::WindowText);
        QTest::newRow("button face") << "Command3" << QPoint(6, 12) << tint;
        QTest::newRow("result box inside") << "Text7" << QPoint(100, 12) << tint;
        QTest::newRow("entry box inside") << "Text2" << QPoint(100, 12) << white;
        QTest::newRow("entry box border") << "Text2" << QPoint(0, 12) << line;
        QTest::newRow("no sunken edge") << "Text2" << QPoint(1, 12) << white;
        QTest::newRow("help box border") << "Text10" << QPoint(300, 0) << line;
        QTest::newRow("frame line") << "Frame3" << QPoint(0, 60) << line;
        QTest::newRow("bare window") << "pdf" << QPoint(3, 395) << tint;
    }

    void renderedLook() {
        QFETCH(QString, name);
        QFETCH(QPoint, at);
        QFETCH(QColor, colour);
        RecordedWindow w;
        w.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        const QImage image = w.window.grab().toImage();
        QWidget* control = name == "pdf" ? &w.window : w.find<QWidget>(name);
        const QPoint pixel = control->mapTo(&w.window, at) * image.devicePixelRatio();
        QCOMPARE(image.pixelColor(pixel), colour);
    }

    void helpBox() {
        RecordedWindow w;
        auto* help = w.find<QPlainTextEdit>("Text10");
        QStringList lines = help->toPlainText().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 14);  // the last line ends too
        QVERIFY(lines.last().isEmpty());
        for (std::size_t i = 0; i < orvanto::kHelpLineCount; ++i) {
            const std::string_view line = orvanto::helpLines()[i];
            QCOMPARE(lines[static_cast<qsizetype>(i)],
                     QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
        }
        QCOMPARE(lines[1], QStringLiteral("    "));
        QVERIFY(help->isReadOnly());
        QCOMPARE(help->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(help->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(help->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        w.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        QCOMPARE(help->verticalScrollBar()->value(), 0);
        QVERIFY(help->verticalScrollBar()->maximum() > 0);
    }

    // Screen readers and test tools find every entry, result and button by a Chinese name.
    void accessibleNames() {
        RecordedWindow w;
        const QRegularExpression chinese(QStringLiteral("\\p{Han}"));
        QStringList names;
        for (QWidget* control : w.window.findChildren<QWidget*>()) {
            if (!control->focusPolicy()) {
                continue;  // frames, labels and panels are named by their captions or not at all
            }
            const QString name =
                QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
            QVERIFY2(name.contains(chinese), qPrintable(control->objectName()));
            names << name;
        }
        QCOMPARE(names.size(), 9 + 1 + 2 + 6);
        QCOMPARE(names.removeDuplicates(), 0);
        QVERIFY(names.contains(QStringLiteral("点Ⅰ纬度")));
        QVERIFY(names.contains(QStringLiteral("参考点经度")));
    }
};

QTEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
