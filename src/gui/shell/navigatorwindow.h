#pragma once

#include "core/app/navigatorsteps.h"

#include <QLabel>
#include <QPixmap>
#include <QWidget>

class QToolButton;

namespace korvessa {

class NavigatorWindow;

// A clickable step of the flow chart.
class StepImage : public QLabel {
    Q_OBJECT

public:
    StepImage(const NavigatorStep& step, NavigatorWindow* navigator);
    const NavigatorStep& step() const { return m_step; }

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    NavigatorStep m_step;
    NavigatorWindow* m_navigator;
};

// The flow-chart home page "精靈": the accounting navigator `flowimageA`
// shown at start-up, or the full navigator `flowimage` that "回主頁" makes
// when none is open. Each step opens its module by the menu's protocol;
// closing the window only minimizes it.
class NavigatorWindow : public QWidget {
    Q_OBJECT

public:
    explicit NavigatorWindow(NavigatorKind kind, QWidget* parent = nullptr);

    NavigatorKind kind() const { return m_kind; }
    // The step image currently highlighted, or null.
    StepImage* highlighted() const { return m_highlighted; }
    StepImage* stepImage(const QString& imageName) const;

    // Puts the normal picture back into the highlighted image and the
    // highlighted picture into `image`.
    void highlight(StepImage* image);
    void openStep(StepImage* image);

    // The maker's pages and the local beginner's page.
    static QString messageBoardAddress();
    static QString homePageAddress();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool loadPicture(QLabel* target, const QString& fileName);
    void buttonClicked(const QString& name);

    NavigatorKind m_kind;
    QPixmap m_background;
    StepImage* m_highlighted = nullptr;
    QList<StepImage*> m_images;
    bool m_minimizeHooked = false;
};

} // namespace korvessa
