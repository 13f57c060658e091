// The controls of the window `pdf`, one named member a control, in the shape of a class that Qt's
// uic would generate from a form: setupUi creates them with their names, containers, texts, places
// and sizes, and chains the keyboard focus order.
#pragma once

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace orvanto {

class FlatFrame;
class LinkLabel;
class NoteLabel;

// Member names follow the controls' own names, as in generated code.
class Ui_pdf {
  public:
    // Point 1, point 2 and the reference point: each a frame with a panel holding its 分/秒 pair
    // and two entry boxes (latitude, longitude) with their captions.
    FlatFrame* Frame1;
    QWidget* Picture2;
    QRadioButton* Option1;
    QRadioButton* Option2;
    QLabel* Label1;
    QLineEdit* Text1;
    QLabel* Label2;
    QLineEdit* Text2;

    FlatFrame* Frame2;
    QWidget* Picture3;
    QRadioButton* Option3;
    QRadioButton* Option4;
    QLabel* Label3;
    QLineEdit* Text3;
    QLabel* Label4;
    QLineEdit* Text4;

    FlatFrame* Frame3;
    QWidget* Picture4;
    QRadioButton* Option5;
    QRadioButton* Option6;
    QLabel* Label5;
    QLineEdit* Text5;
    QLabel* Label6;
    QLineEdit* Text6;

    // The distance results: kilometres and nautical miles.
    FlatFrame* Frame4;
    QLabel* Label7;
    QLineEdit* Text7;
    QLabel* Label8;
    QLineEdit* Text8;

    // The command buttons on their panel.
    FlatFrame* Frame5;
    QWidget* Picture1;
    QPushButton* Command3;
    QPushButton* Command4;

    // The angle result and the note under it.
    FlatFrame* Frame6;
    QLabel* Label9;
    QLineEdit* Text9;
    NoteLabel* Label10;

    // The help box, the line it covers, the home-page link and the notice.
    QWidget* Line1;
    QPlainTextEdit* Text10;
    LinkLabel* Label11;
    QLabel* Label12;

    void setupUi(QWidget* pdf);
};

}  // namespace orvanto
