#include "gui/shell/modulewindow.h"

#include "gui/shell/messages.h"
#include "gui/shell/moduletoolbar.h"
#include "gui/shell/shell.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

namespace korvessa {

using namespace Qt::StringLiterals;

namespace {

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

bool insideItemView(QWidget* widget)
{
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (qobject_cast<QAbstractItemView*>(w))
            return true;
    }
    return false;
}

} // namespace

ModuleWindow::ModuleWindow(QWidget* parent)
    : QWidget(parent)
{
    if (Shell* shell = Shell::instance()) {
        const Session& s = shell->session();
        m_curComp = s.cur_comp;
        m_curUser = s.cur_user;
        m_curUsername = s.cur_username;
        m_rights = s.rights;
        m_moduleTitle = s.module_title;
        m_openVoucherNo = s.open_voucher_no;
        m_books = shell->books();
    }

    QPalette p = palette();
    p.setColor(QPalette::Window, windowColor());
    setPalette(p);
    setAutoFillBackground(true);

    installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_toolbar = new ModuleToolbar(this);
    layout->addWidget(m_toolbar);
    m_content = new QVBoxLayout;
    m_content->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(m_content, 1);

    connect(m_toolbar->sbexit(), &QToolButton::clicked, this, &ModuleWindow::requestExit);
    watch(this);
}

ModuleWindow::~ModuleWindow() = default;

void ModuleWindow::styleTitleLabel(QLabel* label)
{
    QPalette p = label->palette();
    p.setColor(QPalette::Window, titleColor());
    label->setPalette(p);
    label->setAutoFillBackground(true);
    QFont f = label->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.4);
    label->setFont(f);
    label->setAlignment(Qt::AlignCenter);
}

void ModuleWindow::stylePanel(QWidget* panel)
{
    QPalette p = panel->palette();
    p.setColor(QPalette::Window, panelColor());
    panel->setPalette(p);
    panel->setAutoFillBackground(true);
}

void ModuleWindow::styleKeyField(QWidget* field, bool inserting)
{
    if (!field)
        return;
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->setReadOnly(!inserting);
    else if (auto* combo = qobject_cast<QComboBox*>(field))
        combo->setEnabled(inserting);
    else if (auto* text = qobject_cast<QPlainTextEdit*>(field))
        text->setReadOnly(!inserting);
    QPalette p = field->palette();
    p.setColor(QPalette::Base, inserting ? QColor(Qt::white) : QColor(192, 192, 192));
    field->setPalette(p);
}

void ModuleWindow::requestExit()
{
    if (confirmExit())
        closeModule();
}

void ModuleWindow::closeModule()
{
    if (QMdiSubWindow* sub = moduleWindowOf(this))
        sub->close();
    else
        close();
}

bool ModuleWindow::confirmExit()
{
    if (m_changing && m_changing())
        return Messages::instance().confirmExit(this);
    return true;
}

void ModuleWindow::watch(QObject* object)
{
    if (!object->isWidgetType())
        return;
    object->installEventFilter(this);
    for (QObject* child : object->children())
        watch(child);
}

void ModuleWindow::showEvent(QShowEvent* event)
{
    // Controls added before their parent joined the window were not seen
    // arriving; a sweep catches them.
    watch(this);
    QWidget::showEvent(event);
}

QToolButton* ModuleWindow::shortcutButton(int key) const
{
    switch (key) {
    case Qt::Key_N:
        return m_toolbar->sbnext();
    case Qt::Key_V:
        return m_toolbar->sbprior();
    case Qt::Key_A:
        return m_toolbar->sbinsert();
    case Qt::Key_D:
        return m_toolbar->sbdelete();
    case Qt::Key_S:
        return m_toolbar->sbpost();
    case Qt::Key_C:
        return m_toolbar->sbcancel();
    case Qt::Key_P:
        return m_toolbar->sbprint();
    default:
        return nullptr;
    }
}

bool ModuleWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
    case QEvent::ChildPolished:
        watch(static_cast<QChildEvent*>(event)->child());
        break;
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress: {
        auto* widget = qobject_cast<QWidget*>(watched);
        // Popups (a drop-down's list) are windows of their own: their keys are theirs.
        if (!widget || widget->window() != window())
            break;
        auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
        const bool ours = (mods == Qt::AltModifier && (key->key() == Qt::Key_X || shortcutButton(key->key())))
            || (isEnter(key->key()) && !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
                && !insideItemView(QApplication::focusWidget()));
        if (!ours)
            break;
        if (event->type() == QEvent::ShortcutOverride) {
            // Keep application shortcuts from taking the key first.
            event->accept();
            return true;
        }
        return handleKey(key);
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool ModuleWindow::handleKey(QKeyEvent* key)
{
    if (isEnter(key->key())) {
        focusNextField();
        return true;
    }
    if (key->key() == Qt::Key_X) {
        requestExit();
        return true;
    }
    if (QToolButton* button = shortcutButton(key->key()); button && button->isEnabled())
        button->click();
    return true;
}

bool ModuleWindow::focusNextField()
{
    QWidget* start = QApplication::focusWidget();
    if (!start || !isAncestorOf(start))
        start = this;
    QWidget* w = start;
    for (;;) {
        w = w->nextInFocusChain();
        if (!w || w == start)
            return false;
        if (w != this && isAncestorOf(w) && w->isEnabled() && w->isVisible() && !w->focusProxy()
            && (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
}

} // namespace korvessa
