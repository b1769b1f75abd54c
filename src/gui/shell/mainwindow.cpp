#include "gui/shell/mainwindow.h"

#include "core/app/login.h"
#include "core/app/rights.h"
#include "core/db/database.h"
#include "gui/shell/logindialog.h"
#include "gui/shell/messages.h"
#include "gui/shell/moduleregistry.h"
#include "gui/shell/navigatorwindow.h"
#include "gui/shell/windowbar.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

namespace korvessa {

using namespace Qt::StringLiterals;

namespace {

constexpr int kClientWidth = 792;
constexpr int kClientHeight = 598;

QString withoutTrailingSeparator(QString path)
{
    while (path.size() > 1 && (path.endsWith(u'/') || path.endsWith(u'\\')))
        path.chop(1);
    return path;
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(u"MainForm"_s);
    setWindowTitle(u"企業Korvessa"_s);
    setAttribute(Qt::WA_DeleteOnClose, false);
    m_session.app_dir = withoutTrailingSeparator(QDir::currentPath());

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_area = new QMdiArea(central);
    m_area->setObjectName(u"mdiArea"_s);
    m_area->setBackground(QColor(128, 128, 128));
    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_bar = new WindowBar(m_area, central);
    m_bar->setDatabase(books());
    layout->addWidget(m_area, 1);
    layout->addWidget(m_bar);
    setCentralWidget(central);

    buildMenus();
    // A fixed frame: the client area below the menu bar is 792 x 598.
    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    if (QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    Shell::install(this);
}

MainWindow::~MainWindow()
{
    if (Shell::instance() == this)
        Shell::install(nullptr);
}

QSqlDatabase MainWindow::books() const { return QSqlDatabase::database(QString::fromLatin1(kMainConnection), false); }

void MainWindow::buildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(u"MainMenu1"_s);
    QHash<QString, QMenu*> menus;
    for (const ModuleEntry& entry : moduleEntries()) {
        const ProgramEntry& p = *entry.program;
        if (p.topLevel) {
            QAction* a = bar->addAction(p.caption);
            a->setObjectName(p.handler);
            a->setEnabled(false);
            continue;
        }
        QMenu*& menu = menus[p.menu];
        if (!menu) {
            menu = bar->addMenu(p.menu);
            menu->setObjectName(p.menu);
        }
        if (p.isSeparator()) {
            menu->addSeparator();
            continue;
        }
        QAction* a = menu->addAction(p.caption);
        a->setObjectName(p.handler);
        a->setEnabled(entry.built());
        if (p.opensModule()) {
            const QString name = p.windowName;
            connect(a, &QAction::triggered, this, [this, name] { openModule(name); });
        }
    }
}

bool MainWindow::signIn()
{
    {
        LoginDialog login(books(), this);
        if (login.exec() != QDialog::Accepted) {
            m_leaving = true;
        }
    }
    const RememberedLogin last = rememberedLogin();
    m_session.cur_comp = last.comp;
    m_session.cur_user = last.user;
    auto name = userDisplayName(books(), m_session.cur_user);
    m_session.cur_username = name ? *name : QString();
    if (!name && !m_leaving)
        Messages::instance().refuse(this, name.refusal());
    return !m_leaving;
}

void MainWindow::openHomePage()
{
    auto* nav = new NavigatorWindow(NavigatorKind::Accounting);
    QMdiSubWindow* sub = addChild(nav, nav->objectName(), u"精靈"_s, nullptr);
    sub->showMaximized();
    rebuildWindowBar();
}

QMdiSubWindow* MainWindow::addChild(QWidget* widget, const QString& windowName, const QString& title, QObject* owner)
{
    QMdiSubWindow* sub = m_area->addSubWindow(widget);
    sub->setObjectName(windowName);
    sub->setWindowTitle(title.isEmpty() ? widget->windowTitle() : title);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    connect(sub, &QObject::destroyed, this, [this](QObject* gone) {
        if (!m_leaving)
            m_bar->rebuild(gone);
    });
    if (owner) {
        QPointer<QMdiSubWindow> guarded(sub);
        // Freed with its owner, whatever it would do when closed.
        connect(owner, &QObject::destroyed, sub, [guarded] {
            if (guarded)
                guarded->deleteLater();
        });
    }
    sub->show();
    m_area->setActiveSubWindow(sub);
    return sub;
}

bool MainWindow::checkChild(QMdiSubWindow** existing)
{
    *existing = nullptr;
    const QList<QMdiSubWindow*> windows = m_area->subWindowList();
    if (windows.size() >= kMaxChildren) {
        Messages::instance().refuse(this, Refusal::confirm(u"\n\r超過最大模組數!請先關閉其他模組"_s));
        return false;
    }
    for (QMdiSubWindow* w : windows) {
        if (w->objectName() == m_session.cur_form) {
            w->showMaximized();
            m_area->setActiveSubWindow(w);
            rebuildWindowBar();
            *existing = w;
            return false;
        }
    }
    return true;
}

bool MainWindow::checkChild1()
{
    for (QMdiSubWindow* w : m_area->subWindowList()) {
        if (w->objectName() != m_session.cur_form)
            continue;
        if (!Messages::instance().ask(this, u"調閱確認"_s, u"單據已開啟確定要切換嗎?"_s, Messages::Icon::Warning))
            return false;
        // Free the old window now, so that the new one does not meet it.
        w->setAttribute(Qt::WA_DeleteOnClose, false);
        w->close();
        delete w;
    }
    // The look-ups bypass the duplicate check but not the limit: the bar has
    // room for eight windows only.
    if (m_area->subWindowList().size() >= kMaxChildren) {
        Messages::instance().refuse(this, Refusal::confirm(u"\n\r超過最大模組數!請先關閉其他模組"_s));
        return false;
    }
    return true;
}

bool MainWindow::checkRights()
{
    auto rights = checkRight(books(), m_session.cur_user, m_session.cur_prog);
    if (!rights) {
        Messages::instance().refuse(this, rights.refusal());
        return false;
    }
    m_session.rights = *rights;
    return true;
}

QMdiSubWindow* MainWindow::createModule(QObject* owner)
{
    const ModuleEntry* entry = findModule(m_session.cur_form);
    if (!entry || !entry->built())
        return nullptr;
    QWidget* widget = entry->factory();
    widget->setObjectName(m_session.cur_form);
    QMdiSubWindow* sub = addChild(widget, m_session.cur_form, entry->program->windowTitle, owner);
    rebuildWindowBar();
    return sub;
}

QMdiSubWindow* MainWindow::openModule(const QString& windowName, QObject* owner)
{
    const ModuleEntry* entry = findModule(windowName);
    if (!entry)
        return nullptr;
    m_session.cur_form = windowName;
    if (!entry->program->moduleTitle.isEmpty())
        m_session.module_title = entry->program->moduleTitle;
    QMdiSubWindow* existing = nullptr;
    if (!checkChild(&existing))
        return existing;
    m_session.cur_prog = entry->program->programCode;
    if (!checkRights())
        return nullptr;
    return createModule(owner);
}

QMdiSubWindow* MainWindow::openVoucher(const QString& voucherNo, QObject* owner)
{
    m_session.open_voucher_no = voucherNo;
    m_session.cur_form = u"fincF"_s;
    m_session.cur_prog = u"C201"_s;
    QMdiSubWindow* sub = nullptr;
    if (checkChild1() && checkRights())
        sub = createModule(owner);
    // A refused look-up must not leave its voucher for the next opening.
    if (!sub)
        m_session.open_voucher_no.clear();
    return sub;
}

void MainWindow::goHome(QWidget* from)
{
    for (QMdiSubWindow* w : m_area->subWindowList()) {
        if (!m_session.flow_form.isEmpty() && w->objectName() == m_session.flow_form) {
            w->showMaximized();
            m_area->setActiveSubWindow(w);
            return;
        }
    }
    auto* nav = new NavigatorWindow(NavigatorKind::Full);
    QMdiSubWindow* sub = addChild(nav, nav->objectName(), u"精靈"_s, from ? moduleWindowOf(from) : nullptr);
    sub->showMaximized();
}

void MainWindow::rebuildWindowBar()
{
    if (!m_area->subWindowList().isEmpty())
        m_bar->rebuild();
}

void MainWindow::quitWithoutAsking()
{
    m_leaving = true;
    close();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!m_leaving && !Messages::instance().confirmExit(this)) {
        event->ignore();
        return;
    }
    m_leaving = true;
    event->accept();
}

} // namespace korvessa
