#include "core/db/sql.h"
#include "gui/shell/mainwindow.h"
#include "gui/shell/messages.h"
#include "gui/shell/moduleregistry.h"
#include "gui/shell/navigatorwindow.h"
#include "gui/shell/windowbar.h"
#include "support/testdatabase.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QSettings>
#include <QToolButton>
#include <QtTest>

using namespace korvessa;
using namespace korvessa::test;
using namespace Qt::StringLiterals;

namespace {

// What the last test module saw of the login state while it was created.
Rights g_rightsAtCreation;
QString g_titleAtCreation;

QWidget* makeTestModule()
{
    g_rightsAtCreation = Shell::instance()->session().rights;
    g_titleAtCreation = Shell::instance()->session().module_title;
    return new QWidget;
}

// Window names given the test module, all with program codes of their own.
const QStringList kModules = { u"sysset"_s, u"Taccount"_s, u"custype"_s, u"cusinput1"_s, u"note1F"_s, u"note2F"_s,
    u"che_depF"_s, u"cur_bankF"_s, u"cash1F"_s, u"cur_baseF"_s, u"shfinf"_s, u"fincF"_s };

QColor textColour(QToolButton* b) { return b->palette().color(QPalette::ButtonText); }

} // namespace

class TestShell : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<ScriptedMessages> m_messages;
    QTemporaryDir m_settings;

    QMdiArea* area() const { return m_window->mdiArea(); }
    QStringList barCaptions() const
    {
        QStringList list;
        for (QToolButton* b : m_window->windowBar()->buttons())
            list.append(b->text());
        return list;
    }
    void closeAll()
    {
        for (QMdiSubWindow* w : area()->subWindowList()) {
            w->setAttribute(Qt::WA_DeleteOnClose, false);
            delete w;
        }
    }

private Q_SLOTS:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
        m_db = TestDatabase::create(true);
        QVERIFY(m_db);
        for (const QString& name : kModules)
            overrideModuleFactory(name, makeTestModule);
        const QSqlDatabase db = m_db->books();
        QVERIFY(sql::insert(db, u"account"_s, { { u"user_no"_s, u"clerk"_s }, { u"user_pas"_s, u"1"_s } }).ok());
        auto right = [&db](const QString& prog, const QString& view, const QString& add) {
            return sql::insert(db, u"acctright"_s,
                { { u"user_no"_s, u"clerk"_s }, { u"u_prog"_s, prog }, { u"u_view"_s, view }, { u"u_add"_s, add },
                    { u"u_save"_s, u"Y"_s }, { u"u_delete"_s, u"y"_s }, { u"u_ptint"_s, QString() } });
        };
        QVERIFY(right(u"A01"_s, QString(), u"Y"_s).ok());
        QVERIFY(right(u"A02"_s, u"N"_s, u"Y"_s).ok());
        QVERIFY(right(u"B02"_s, u"Y"_s, u"y"_s).ok());
    }

    void init()
    {
        m_messages = std::make_unique<ScriptedMessages>();
        m_window = std::make_unique<MainWindow>();
        m_window->session().cur_user = u"admin"_s;
        m_window->session().cur_comp = u"示範公司"_s;
        m_window->show();
    }

    void cleanup()
    {
        if (m_window)
            closeAll();
        m_window.reset();
        m_messages.reset();
    }

    void cleanupTestCase()
    {
        for (const QString& name : kModules)
            overrideModuleFactory(name, nullptr);
        m_db.reset();
    }

    void frame()
    {
        QCOMPARE(m_window->windowTitle(), u"企業Korvessa"_s);
        QCOMPARE(m_window->centralWidget()->size(), QSize(792, 598));
        QVERIFY(m_window->minimumSize() == m_window->maximumSize());
        QVERIFY(m_window->findChild<WindowBar*>(u"pnlSpeedBar"_s));
    }

    void menuHoldsEveryEntry()
    {
        QStringList captions;
        for (QAction* a : m_window->menuBar()->actions()) {
            captions.append(a->text());
            if (a->menu()) {
                for (QAction* e : a->menu()->actions())
                    captions.append(e->isSeparator() ? u"-"_s : e->text());
            }
        }
        QStringList expected;
        QString menu;
        for (const ProgramEntry& p : programEntries()) {
            if (p.topLevel) {
                expected.append(p.caption);
                continue;
            }
            if (p.menu != menu) {
                expected.append(p.menu);
                menu = p.menu;
            }
            expected.append(p.caption);
        }
        QCOMPARE(captions, expected);
        // Built modules are enabled, the others are not.
        auto action = [this](const QString& handler) { return m_window->menuBar()->findChild<QAction*>(handler); };
        QVERIFY(action(u"N14Click"_s)->isEnabled()); // sysset, given the test module
        QVERIFY(action(u"N34Click"_s)->isEnabled()); // the trial balance
        QVERIFY(!action(u"N31Click"_s)->isEnabled()); // 銀行資金預估表 is not built
    }

    void rights_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<bool>("canAdd");
        QTest::addColumn<bool>("canDelete");

        QTest::newRow("empty u_view opens") << u"sysset"_s << true << true << false;
        QTest::newRow("u_view N refused") << u"Taccount"_s << false << false << false;
        QTest::newRow("lower-case y sets no flag") << u"custype"_s << true << false << false;
        QTest::newRow("no row refused") << u"cusinput1"_s << false << false << false;
    }

    void rights()
    {
        QFETCH(QString, window);
        QFETCH(bool, opens);
        QFETCH(bool, canAdd);
        QFETCH(bool, canDelete);
        m_window->session().cur_user = u"clerk"_s;
        QMdiSubWindow* sub = m_window->openModule(window);
        QCOMPARE(sub != nullptr, opens);
        QCOMPARE(area()->subWindowList().size(), opens ? 1 : 0);
        if (opens) {
            QCOMPARE(g_rightsAtCreation.can_add, canAdd);
            QCOMPARE(g_rightsAtCreation.can_delete, canDelete);
            QCOMPARE(g_rightsAtCreation.can_save, true);
            QCOMPARE(g_rightsAtCreation.can_print, false);
            QCOMPARE(sub->objectName(), window);
            QVERIFY(m_messages->shown.isEmpty());
        } else {
            QCOMPARE(m_messages->shown.size(), 1);
            QCOMPARE(m_messages->lastText(), u"\n\r沒有權限!"_s);
            QCOMPARE(m_messages->shown.last().caption, u"Confirm"_s);
        }
    }

    void limitOfEightWindows()
    {
        m_window->openHomePage();
        for (int i = 0; i < 7; ++i)
            QVERIFY(m_window->openModule(kModules.at(i)));
        QCOMPARE(area()->subWindowList().size(), 8);
        QCOMPARE(m_window->openModule(kModules.at(7)), nullptr);
        QCOMPARE(m_messages->lastText(), u"\n\r超過最大模組數!請先關閉其他模組"_s);
        QCOMPARE(area()->subWindowList().size(), 8);
        QVERIFY(barCaptions().size() <= WindowBar::kSlots);
        // A voucher look-up meets the limit too.
        m_messages->clear();
        QCOMPARE(m_window->openVoucher(u"F240101001"_s), nullptr);
        QCOMPARE(m_messages->lastText(), u"\n\r超過最大模組數!請先關閉其他模組"_s);
        QVERIFY(m_window->session().open_voucher_no.isEmpty());
        // Closing one allows one more.
        QMdiSubWindow* second = area()->subWindowList().at(2);
        second->close();
        QTest::qWait(0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(area()->subWindowList().size(), 7);
        QVERIFY(m_window->openModule(kModules.at(7)));
    }

    void duplicateBringsForward()
    {
        QMdiSubWindow* first = m_window->openModule(u"sysset"_s);
        QVERIFY(m_window->openModule(u"custype"_s));
        QCOMPARE(area()->activeSubWindow()->objectName(), u"custype"_s);
        g_rightsAtCreation = {};
        QCOMPARE(m_window->openModule(u"sysset"_s), first);
        QCOMPARE(area()->subWindowList().size(), 2);
        QCOMPARE(area()->activeSubWindow(), first);
        QCOMPARE(g_rightsAtCreation.can_add, false); // nothing was created
        QCOMPARE(barCaptions().first(), u"公司設定"_s);
        // Both menu entries of the cashier settings lead to one window.
        QVERIFY(m_window->openModule(u"cur_baseF"_s));
        m_window->menuBar()->findChild<QAction*>(u"N45Click"_s)->trigger();
        m_window->menuBar()->findChild<QAction*>(u"N8Click"_s)->trigger();
        QCOMPARE(area()->subWindowList().size(), 3);
    }

    void moduleTitleHandedOver()
    {
        QVERIFY(m_window->openModule(u"note2F"_s));
        QCOMPARE(g_titleAtCreation, u"應付票據"_s);
        QVERIFY(m_window->openModule(u"cash1F"_s));
        QCOMPARE(g_titleAtCreation, u"銀行作業"_s);
    }

    void windowBar()
    {
        QMdiSubWindow* a = m_window->openModule(u"sysset"_s);
        m_window->openModule(u"custype"_s);
        QMdiSubWindow* c = m_window->openModule(u"shfinf"_s); // C206 belongs to another window: no row
        QCOMPARE(barCaptions(), (QStringList { QString(), u"常用類別設定"_s, u"公司設定"_s }));
        const QList<QToolButton*> buttons = m_window->windowBar()->buttons();
        QCOMPARE(buttons.at(0)->objectName(), u"btn0"_s);
        QCOMPARE(buttons.at(0)->width(), 100);
        QCOMPARE(buttons.at(2)->x(), 200);
        QCOMPARE(textColour(buttons.at(0)), QColor(Qt::blue));
        QCOMPARE(textColour(buttons.at(1)), QColor(Qt::black));

        // A click brings its window forward and turns its button blue; the
        // places stay until the next rebuild.
        buttons.at(2)->click();
        QCOMPARE(area()->activeSubWindow(), a);
        QCOMPARE(textColour(buttons.at(2)), QColor(Qt::blue));
        QCOMPARE(textColour(buttons.at(0)), QColor(Qt::black));
        // The button without a row brings nothing forward.
        buttons.at(0)->click();
        QCOMPARE(area()->activeSubWindow(), a);

        // Closing rebuilds from index 0 with the first one blue.
        c->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(barCaptions().size(), 2);
        QCOMPARE(textColour(m_window->windowBar()->buttons().at(0)), QColor(Qt::blue));
        QVERIFY(!barCaptions().contains(QString()));
    }

    void voucherLookUpAsksBeforeSwitching()
    {
        QMdiSubWindow* first = m_window->openVoucher(u"F240101001"_s);
        QVERIFY(first);
        QCOMPARE(m_window->session().open_voucher_no, u"F240101001"_s);
        QPointer<QMdiSubWindow> old(first);
        m_messages->answers = { false };
        QCOMPARE(m_window->openVoucher(u"F240101002"_s), nullptr);
        QCOMPARE(m_messages->lastText(), u"單據已開啟確定要切換嗎?"_s);
        QVERIFY(old);
        m_messages->answers = { true };
        QVERIFY(m_window->openVoucher(u"F240101003"_s));
        QVERIFY(!old);
        QCOMPARE(area()->subWindowList().size(), 1);
        QCOMPARE(m_window->session().open_voucher_no, u"F240101003"_s);
    }

    void homePage()
    {
        m_window->openHomePage();
        QMdiSubWindow* home = area()->subWindowList().first();
        QCOMPARE(home->objectName(), u"flowimageA"_s);
        QCOMPARE(m_window->session().flow_form, u"flowimageA"_s);
        QVERIFY(home->isMaximized());
        QMdiSubWindow* module = m_window->openModule(u"sysset"_s);
        // "回主頁" brings the existing navigator forward and creates nothing.
        m_window->goHome(module->widget());
        QCOMPARE(area()->subWindowList().size(), 2);
        QCOMPARE(area()->activeSubWindow(), home);
        // Closing it minimizes it; "回主頁" restores it maximized.
        home->close();
        QVERIFY(home->isMinimized());
        QCOMPARE(area()->subWindowList().size(), 2);
        m_window->goHome(module->widget());
        QVERIFY(home->isMaximized());
    }

    void fullNavigatorBelongsToItsModule()
    {
        QMdiSubWindow* module = m_window->openModule(u"sysset"_s);
        m_window->goHome(module->widget());
        QCOMPARE(area()->subWindowList().size(), 2);
        QPointer<QMdiSubWindow> full(area()->activeSubWindow());
        QCOMPARE(full->objectName(), u"flowimage"_s);
        QCOMPARE(m_window->session().flow_form, u"flowimage"_s);
        auto* nav = qobject_cast<NavigatorWindow*>(full->widget());
        QCOMPARE(nav->findChildren<StepImage*>().size(), 19);
        module->close();
        QTRY_VERIFY(!full);
    }

    void navigatorSteps()
    {
        m_window->openHomePage();
        auto* nav = qobject_cast<NavigatorWindow*>(area()->subWindowList().first()->widget());
        QVERIFY(nav);
        QCOMPARE(nav->findChildren<StepImage*>().size(), 10);
        StepImage* a = nav->stepImage(u"Image8"_s);
        StepImage* b = nav->stepImage(u"Image6"_s);
        QVERIFY(a && b);
        QVERIFY(!nav->stepImage(u"Image2"_s)); // hidden in the accounting chart
        const QImage normalA = a->pixmap().toImage();
        nav->highlight(a);
        QCOMPARE(nav->highlighted(), a);
        const QImage highlightedA = a->pixmap().toImage();
        nav->highlight(b);
        QCOMPARE(nav->highlighted(), b);
        QCOMPARE(a->pixmap().toImage(), normalA);
        if (!m_messages->shown.isEmpty())
            QSKIP("the navigator pictures are not laid beside the tests");
        QVERIFY(highlightedA != normalA);

        // A click opens the module; a click on an open module brings it forward.
        QMdiSubWindow* customers = nullptr;
        QTest::mouseClick(a, Qt::LeftButton);
        customers = area()->activeSubWindow();
        QCOMPARE(customers->objectName(), u"cusinput1"_s);
        m_window->openModule(u"sysset"_s);
        QTest::mouseClick(a, Qt::LeftButton);
        QCOMPARE(area()->activeSubWindow(), customers);
        QCOMPARE(area()->subWindowList().size(), 3);
    }
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
