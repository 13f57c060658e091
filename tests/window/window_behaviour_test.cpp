// The window in use: option pairs, read-only boxes, the link label's hover colour and click, the
// two commands driven through the widgets, and the message box.
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "home_page.h"
#include "message_box.h"
#include "recording_platform.h"

class WindowBehaviourTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { orvanto::useClassicStyle(); }

    void optionPairs_data() {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("selected");  // Option1 … Option6, 1 when selected
        QTest::newRow("point 2 in seconds") << QStringList{"Option4"} << "100110";
        QTest::newRow("and back") << QStringList{"Option4", "Option3"} << "101010";
        QTest::newRow("all in seconds") << QStringList{"Option2", "Option4", "Option6"} << "010101";
    }

    void optionPairs() {
        QFETCH(QStringList, clicks);
        QFETCH(QString, selected);
        RecordedWindow w;
        w.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        for (const QString& name : clicks) {
            auto* button = w.find<QRadioButton>(name);
            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
        }
        QString states;
        for (int i = 1; i <= 6; ++i) {
            states += w.find<QRadioButton>(QStringLiteral("Option%1").arg(i))->isChecked()
                          ? QLatin1Char('1')
                          : QLatin1Char('0');
        }
        QCOMPARE(states, selected);
    }

    void readOnlyBoxes_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("Text7") << "Text7";
        QTest::newRow("Text8") << "Text8";
        QTest::newRow("Text9") << "Text9";
        QTest::newRow("Text10") << "Text10";
    }

    // Typing, pasting and deleting change nothing; selecting and copying work.
    void readOnlyBoxes() {
        QFETCH(QString, name);
        RecordedWindow w;
        QWidget* box = w.find<QWidget>(name);
        auto* line = qobject_cast<QLineEdit*>(box);
        auto* help = qobject_cast<QPlainTextEdit*>(box);
        const auto text = [&] { return line != nullptr ? line->text() : help->toPlainText(); };
        if (line != nullptr) {
            line->setText(QStringLiteral("704.197"));
        }
        const QString before = text();
        w.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        box->setFocus();
        QApplication::clipboard()->setText(QStringLiteral("999"));
        QTest::keyClicks(box, QStringLiteral("12"));
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClick(box, Qt::Key_Home);
        QTest::keyClick(box, Qt::Key_Delete);
        QCOMPARE(text(), before);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), before);
    }

    // A pasted entry is kept whole: Qt's default limit would cut it at 32767 characters and the
    // command would decode a different text from the one the user sees.
    void longEntryKeptWhole() {
        RecordedWindow w;
        auto* entry = w.find<QLineEdit>("Text1");
        const QString longText(40000, QLatin1Char('7'));
        entry->insert(longText);
        QCOMPARE(entry->text(), longText);
    }

    void linkHoverColour_data() {
        QTest::addColumn<QStringList>("path");  // controls the pointer moves over; "" is bare
        QTest::addColumn<QString>("colour");    // "menu", "red" or "button"
        QTest::newRow("untouched") << QStringList{} << "menu";
        QTest::newRow("over the link") << QStringList{"Label11"} << "red";
        QTest::newRow("link then bare surface") << QStringList{"Label11", ""} << "button";
        QTest::newRow("bare surface alone") << QStringList{""} << "button";
        QTest::newRow("link then notice") << QStringList{"Label11", "Label12"} << "red";
        QTest::newRow("link then entry box") << QStringList{"Label11", "Text1"} << "red";
        QTest::newRow("link then help box") << QStringList{"Label11", "Text10"} << "red";
    }

    void linkHoverColour() {
        QFETCH(QStringList, path);
        QFETCH(QString, colour);
        RecordedWindow w;
        // The schemes' menu and button texts are both black; a distinct button colour tells the
        // two handlers apart.
        QPalette palette = w.window.palette();
        palette.setColor(QPalette::ButtonText, Qt::darkGreen);
        w.window.setPalette(palette);
        const QMap<QString, QColor> expected{{"menu", orvanto::menuTextColour()},
                                             {"red", QColor(255, 0, 0)},
                                             {"button", QColor(Qt::darkGreen)}};
        w.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        // The first move into a freshly shown window only enters it; start over a neutral control.
        QTest::mouseMove(w.find<QWidget>("Text10"));
        for (const QString& name : path) {
            QWidget* target = name.isEmpty() ? &w.window : w.find<QWidget>(name);
            // The window's bottom-left corner is bare surface.
            const QPoint at = name.isEmpty() ? QPoint(3, 400) : target->rect().center();
            QTest::mouseMove(target, at);
        }
        QCOMPARE(w.find<QLabel>("Label11")->palette().color(QPalette::WindowText),
                 expected.value(colour));
    }

    void linkClick_data() {
        QTest::addColumn<QString>("clicked");
        QTest::addColumn<bool>("browserStarts");
        QTest::addColumn<int>("addresses");
        QTest::addColumn<int>("messages");
        QTest::newRow("browser starts") << "Label11" << true << 1 << 0;
        QTest::newRow("browser fails") << "Label11" << false << 1 << 1;
        QTest::newRow("notice does nothing") << "Label12" << true << 0 << 0;
    }

    void linkClick() {
        QFETCH(QString, clicked);
        QFETCH(bool, browserStarts);
        QFETCH(int, addresses);
        QFETCH(int, messages);
        RecordedWindow w;
        w.record->browserStarts = browserStarts;
        w.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.window));
        QTest::mouseClick(w.find<QWidget>(clicked), Qt::LeftButton);
        QCOMPARE(w.record->openedAddresses.size(), addresses);
        QCOMPARE(w.record->messages.size(), messages);
        const QUrl home{QString::fromUtf8(orvanto::kHomePageUrl)};
        if (addresses > 0) {
            QCOMPARE(w.record->openedAddresses.first(), home);
        }
        if (messages > 0) {
            // The user can still reach the page by hand.
            QVERIFY(w.record->messages.first().text.contains(home.toString()));
        }
    }

    void commands_data() {
        QTest::addColumn<QStringList>("entries");  // Text1 … Text6, typed
        QTest::addColumn<QStringList>("seconds");  // "秒" buttons clicked first
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("results");  // Text7, Text8, Text9 afterwards
        QTest::addColumn<QString>("messageTitle");
        const QStringList point1{"4250.0", "9338.80"};
        const QStringList point2{"421125", "1021125"};
        const QStringList reference{"4000.0", "10000.0"};
        QTest::newRow("distance, point 2 in seconds")
            << point1 + point2 << QStringList{"Option4"} << "Command3"
            << QStringList{"704.197", "380.236", ""} << QString();
        QTest::newRow("angle") << point1 + point2 + reference << QStringList{"Option4"}
                               << "Command4" << QStringList{"", "", "93.448"} << QString();
        // Read in minutes the seconds entries overflow the 16-bit degrees: reported, no output.
        QTest::newRow("seconds entries read as minutes")
            << point1 + point2 << QStringList{} << "Command3" << QStringList{"", "", ""} << "错误";
        QTest::newRow("incomplete: only Text1") << QStringList{"4250.0"} << QStringList{}
                                                << "Command3" << QStringList{"", "", ""} << "提示";
        QTest::newRow("angle lacks the reference point")
            << point1 + point2 << QStringList{"Option4"} << "Command4" << QStringList{"", "", ""}
            << "提示";
    }

    void commands() {
        QFETCH(QStringList, entries);
        QFETCH(QStringList, seconds);
        QFETCH(QString, button);
        QFETCH(QStringList, results);
        QFETCH(QString, messageTitle);
        RecordedWindow w;
        w.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        for (const QString& option : seconds) {
            QTest::mouseClick(w.find<QWidget>(option), Qt::LeftButton, {}, QPoint(6, 8));
        }
        for (qsizetype i = 0; i < entries.size(); ++i) {
            QTest::keyClicks(w.find<QWidget>(QStringLiteral("Text%1").arg(i + 1)), entries[i]);
        }
        QTest::mouseClick(w.find<QWidget>(button), Qt::LeftButton);
        for (qsizetype i = 0; i < results.size(); ++i) {
            QCOMPARE(w.find<QLineEdit>(QStringLiteral("Text%1").arg(i + 7))->text(), results[i]);
        }
        QCOMPARE(w.record->messages.size(), messageTitle.isEmpty() ? 0 : 1);
        if (!messageTitle.isEmpty()) {
            QCOMPARE(w.record->messages.first().title, messageTitle);
        }
    }

    void messageBox() {
        QWidget owner;
        const QString typed = QStringLiteral("<b>4250</b> 的输入");
        const auto box = orvanto::makeMessageBox(&owner, QStringLiteral("错误"), typed);
        QCOMPARE(box->windowTitle(), QStringLiteral("错误"));
        QCOMPARE(box->text(), typed);
        QCOMPARE(box->textFormat(), Qt::PlainText);
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
        QCOMPARE(box->buttons().size(), 1);
        QCOMPARE(box->buttons().first()->text(), QStringLiteral("确定"));
        QVERIFY(box->buttons().first()->icon().isNull());
        QCOMPARE(box->parentWidget(), &owner);
    }
};

QTEST_MAIN(WindowBehaviourTest)
#include "window_behaviour_test.moc"
