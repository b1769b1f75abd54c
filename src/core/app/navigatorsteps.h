#pragma once

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

namespace korvessa {

// The two flow-chart home pages: the accounting one shown at start-up and the
// full one (notes, banking and accounting).
enum class NavigatorKind { Accounting, Full };

// One clickable step image of a navigator. It opens its module exactly as
// the menu entry with the same window name does.
struct NavigatorStep {
    QString image; // the image's object name, "Image3"
    int pictureNumber = 0; // NN of "dsbNN01.jpg" / "dsbNN02.jpg"
    QString windowName; // cur_form
    QString programCode; // cur_prog
    QString moduleTitle; // module_title, where the step sets one
    QString caption; // the step name drawn in the box
    QRect rect; // position on the background picture
};

// A flat button lying on the background picture, which carries its label.
struct NavigatorButton {
    QString name; // "SpeedButton2"
    QRect rect;
};

// The navigator window's object name: "flowimageA" or "flowimage".
QString navigatorWindowName(NavigatorKind kind);
// The background picture's file name inside the picture folder.
QString navigatorBackground(NavigatorKind kind);
// The beginner's page opened by SpeedButton18, relative to the working directory.
QString navigatorHelpPage(NavigatorKind kind);
// The size of the background picture; every step and button lies inside it.
QSize navigatorSize();

// The visible steps of a navigator, in image order.
const QList<NavigatorStep>& navigatorSteps(NavigatorKind kind);
// The step shown by the image of that name, or null when the navigator does
// not show it.
const NavigatorStep* findNavigatorStep(NavigatorKind kind, const QString& image);
// SpeedButton2 (離開), SpeedButton15 (留言板), SpeedButton16 (首頁) and
// SpeedButton18 (新手上路).
const QList<NavigatorButton>& navigatorButtons(NavigatorKind kind);

// The picture file of a step image: "dsb" + number + "01.jpg" (normal) or
// "02.jpg" (highlighted), the number written without padding.
QString navigatorPictureName(int number, bool highlighted);

} // namespace korvessa
