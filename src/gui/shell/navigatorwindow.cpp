#include "gui/shell/navigatorwindow.h"

#include "gui/shell/messages.h"
#include "gui/shell/shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QUrl>

namespace korvessa {

using namespace Qt::StringLiterals;

namespace {

const QString kMakerServer = u"https://www.vaduvoza.com.tw"_s;

QString pictureFolder()
{
    const QString base = Shell::instance() ? Shell::instance()->session().app_dir : QDir::currentPath();
    return base + u"/pic/"_s;
}

// The picture built into the window, kept where a picture file cannot be loaded.
QPixmap builtInPicture(const NavigatorStep& step)
{
    QPixmap pm(step.rect.size());
    pm.fill(QColor(235, 242, 250));
    QPainter p(&pm);
    p.setPen(QColor(90, 110, 140));
    p.drawRect(pm.rect().adjusted(0, 0, -1, -1));
    p.drawText(pm.rect(), Qt::AlignCenter, step.caption);
    return pm;
}

} // namespace

StepImage::StepImage(const NavigatorStep& step, NavigatorWindow* navigator)
    : QLabel(navigator)
    , m_step(step)
    , m_navigator(navigator)
{
    setObjectName(step.image);
    setGeometry(step.rect);
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setToolTip(step.caption);
    setPixmap(builtInPicture(step));
}

void StepImage::mouseMoveEvent(QMouseEvent* event)
{
    if (m_navigator->highlighted() != this)
        m_navigator->highlight(this);
    QLabel::mouseMoveEvent(event);
}

void StepImage::enterEvent(QEnterEvent* event)
{
    if (m_navigator->highlighted() != this)
        m_navigator->highlight(this);
    QLabel::enterEvent(event);
}

void StepImage::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_navigator->highlight(this);
    QLabel::mousePressEvent(event);
}

void StepImage::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        m_navigator->openStep(this);
    QLabel::mouseReleaseEvent(event);
}

NavigatorWindow::NavigatorWindow(NavigatorKind kind, QWidget* parent)
    : QWidget(parent)
    , m_kind(kind)
{
    setObjectName(navigatorWindowName(kind));
    setWindowTitle(u"精靈"_s);
    setMinimumSize(navigatorSize());
    if (Shell* shell = Shell::instance())
        shell->session().flow_form = objectName();

    for (const NavigatorStep& step : navigatorSteps(kind))
        m_images.append(new StepImage(step, this));
    for (const NavigatorButton& b : navigatorButtons(kind)) {
        auto* button = new QToolButton(this);
        button->setObjectName(b.name);
        button->setAutoRaise(true);
        button->setGeometry(b.rect);
        button->setCursor(Qt::PointingHandCursor);
        button->setStyleSheet(u"QToolButton { background: transparent; border: none; }"
                              u"QToolButton:hover { background: rgba(255, 255, 255, 60); border: 1px solid #6a8fc0; }"_s);
        const QString name = b.name;
        connect(button, &QToolButton::clicked, this, [this, name] { buttonClicked(name); });
    }

    // Load the background, then every step's normal picture; the first
    // missing file is reported and ends the loading, the rest keep the
    // built-in pictures.
    const QString background = pictureFolder() + navigatorBackground(kind);
    if (m_background.load(background)) {
        for (StepImage* image : m_images) {
            if (!loadPicture(image, navigatorPictureName(image->step().pictureNumber, false)))
                break;
        }
    } else {
        Messages::instance().inform(this, u"錯誤"_s, u"無法載入圖片 %1"_s.arg(QDir::toNativeSeparators(background)),
            Messages::Icon::Error);
    }
}

bool NavigatorWindow::loadPicture(QLabel* target, const QString& fileName)
{
    const QString path = pictureFolder() + fileName;
    QPixmap pm;
    if (!pm.load(path)) {
        Messages::instance().inform(this, u"錯誤"_s, u"無法載入圖片 %1"_s.arg(QDir::toNativeSeparators(path)),
            Messages::Icon::Error);
        return false;
    }
    target->setPixmap(pm);
    return true;
}

StepImage* NavigatorWindow::stepImage(const QString& imageName) const
{
    for (StepImage* image : m_images) {
        if (image->objectName() == imageName)
            return image;
    }
    return nullptr;
}

void NavigatorWindow::highlight(StepImage* image)
{
    if (m_highlighted && m_highlighted != image)
        loadPicture(m_highlighted, navigatorPictureName(m_highlighted->step().pictureNumber, false));
    if (image && loadPicture(image, navigatorPictureName(image->step().pictureNumber, true)))
        m_highlighted = image;
    else if (image)
        m_highlighted = image;
}

void NavigatorWindow::openStep(StepImage* image)
{
    if (Shell* shell = Shell::instance())
        shell->openModule(image->step().windowName, moduleWindowOf(this));
}

QString NavigatorWindow::messageBoardAddress()
{
    return kMakerServer + u"/vaduvoza/bbs/msg-show.asp?search=商用軟體"_s;
}

QString NavigatorWindow::homePageAddress() { return kMakerServer + u"/"_s; }

void NavigatorWindow::buttonClicked(const QString& name)
{
    if (name == u"SpeedButton2"_s) {
        if (Messages::instance().confirmExit(this))
            QCoreApplication::exit(0);
    } else if (name == u"SpeedButton15"_s) {
        QDesktopServices::openUrl(QUrl(messageBoardAddress()));
    } else if (name == u"SpeedButton16"_s) {
        QDesktopServices::openUrl(QUrl(homePageAddress()));
    } else if (name == u"SpeedButton18"_s) {
        const QString base = Shell::instance() ? Shell::instance()->session().app_dir : QDir::currentPath();
        QDesktopServices::openUrl(QUrl::fromLocalFile(base + u'/' + navigatorHelpPage(m_kind)));
    }
}

void NavigatorWindow::showEvent(QShowEvent* event)
{
    // Closing the navigator minimizes it, so that "回主頁" can bring it back.
    if (!m_minimizeHooked) {
        if (QMdiSubWindow* sub = moduleWindowOf(this)) {
            sub->installEventFilter(this);
            m_minimizeHooked = true;
        }
    }
    QWidget::showEvent(event);
}

bool NavigatorWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close && watched == moduleWindowOf(this)) {
        event->ignore();
        static_cast<QMdiSubWindow*>(watched)->showMinimized();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void NavigatorWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(246, 249, 253));
    if (!m_background.isNull())
        p.drawPixmap(0, 0, m_background);
}

} // namespace korvessa
