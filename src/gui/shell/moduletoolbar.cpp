#include "gui/shell/moduletoolbar.h"

#include "gui/shell/shell.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QStyle>
#include <QToolButton>

namespace korvessa {

using namespace Qt::StringLiterals;

ModuleToolbar::ModuleToolbar(QWidget* parent)
    : QFrame(parent)
{
    setObjectName(u"toolbar"_s);
    setFixedHeight(kHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 1, 4, 1);
    layout->setSpacing(1);

    m_edit1 = new QLineEdit(this);
    m_edit1->setObjectName(u"Edit1"_s);
    m_edit1->setFixedWidth(120);
    layout->addWidget(m_edit1);

    m_search = addButton(u"SpeedButton10"_s, u"搜尋"_s, {}, QStyle::SP_FileDialogContentsView);
    m_insert = addButton(u"sbinsert"_s, u"新增"_s, u"ALT+A"_s, QStyle::SP_FileIcon);
    m_delete = addButton(u"sbdelete"_s, u"刪除"_s, u"ALT+D"_s, QStyle::SP_TrashIcon);
    m_post = addButton(u"sbpost"_s, u"存檔"_s, u"ALT+S"_s, QStyle::SP_DialogSaveButton);
    m_cancel = addButton(u"sbcancel"_s, u"取消"_s, u"ALT+C"_s, QStyle::SP_DialogCancelButton);
    m_print = addButton(u"sbprint"_s, u"列印"_s, u"ALT+P"_s, QStyle::SP_FileDialogDetailedView);
    m_prior = addButton(u"sbprior"_s, u"前筆"_s, u"ALT+V"_s, QStyle::SP_ArrowLeft);
    m_next = addButton(u"sbnext"_s, u"後筆"_s, u"ALT+N"_s, QStyle::SP_ArrowRight);
    m_home = addButton(u"SpeedButton1"_s, u"回主頁"_s, {}, QStyle::SP_DirHomeIcon);
    m_exit = addButton(u"sbexit"_s, u"離開"_s, u"ALT+X"_s, QStyle::SP_DialogCloseButton);
    layout->addStretch(1);

    connect(m_home, &QToolButton::clicked, this, [this] {
        if (Shell* shell = Shell::instance())
            shell->goHome(parentWidget() ? parentWidget() : this);
    });
}

ModuleToolbar::~ModuleToolbar() = default;

QToolButton* ModuleToolbar::addButton(const QString& name, const QString& caption, const QString& hint, int icon)
{
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolTip(hint);
    button->setIcon(style()->standardIcon(QStyle::StandardPixmap(icon)));
    button->setIconSize(QSize(16, 16));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setMinimumWidth(44);
    layout()->addWidget(button);
    return button;
}

void ModuleToolbar::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0.0, QColor(248, 251, 255));
    gradient.setColorAt(0.55, QColor(214, 230, 248));
    gradient.setColorAt(1.0, QColor(184, 208, 236));
    painter.fillRect(rect(), gradient);
    painter.setPen(QColor(140, 170, 210));
    painter.drawLine(0, height() - 1, width(), height() - 1);
    QFrame::paintEvent(event);
}

} // namespace korvessa
