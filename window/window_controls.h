// The controls of the calculator window, one member a control, named by what each does. Each
// control's objectName is its classic name (Text1, Option3, Command4, …), which the tests look
// controls up by; the comments give it. setUp creates the controls with their names, containers,
// texts, places and sizes, and chains the keyboard focus order.
#pragma once

#include <array>

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

// Point 1, point 2 or the reference point: a frame with a panel holding the point's 分/秒 pair,
// which makes the pair one exclusive group apart from the other two, and the latitude and
// longitude boxes with their captions.
struct PointControls {
    FlatFrame* frame;             // Frame1, Frame2, Frame3
    QWidget* modePanel;           // Picture2, Picture3, Picture4
    QRadioButton* minutesOption;  // Option1, Option3, Option5
    QRadioButton* secondsOption;  // Option2, Option4, Option6
    QLabel* latitudeCaption;      // Label1, Label3, Label5
    QLineEdit* latitudeBox;       // Text1, Text3, Text5
    QLabel* longitudeCaption;     // Label2, Label4, Label6
    QLineEdit* longitudeBox;      // Text2, Text4, Text6
};

struct WindowControls {
    PointControls point1;
    PointControls point2;
    PointControls reference;

    // The distance results.
    FlatFrame* distanceFrame;      // Frame4
    QLabel* kilometresCaption;     // Label7
    QLineEdit* kilometresBox;      // Text7
    QLabel* nauticalMilesCaption;  // Label8
    QLineEdit* nauticalMilesBox;   // Text8

    // The command buttons on their panel.
    FlatFrame* commandFrame;      // Frame5
    QWidget* commandPanel;        // Picture1
    QPushButton* distanceButton;  // Command3
    QPushButton* angleButton;     // Command4

    // The angle result and the note under it.
    FlatFrame* angleFrame;   // Frame6
    QLabel* degreesCaption;  // Label9
    QLineEdit* degreesBox;   // Text9
    NoteLabel* angleNote;    // Label10

    // The line the help text covers, the help text, the home-page link and the notice.
    QWidget* helpLine;         // Line1
    QPlainTextEdit* helpText;  // Text10
    LinkLabel* homePageLink;   // Label11
    QLabel* notice;            // Label12

    void setUp(QWidget* window);

    std::array<const PointControls*, 3> points() const { return {&point1, &point2, &reference}; }
};

}  // namespace orvanto
