#include "core/app/login.h"
#include "gui/shell/logindialog.h"
#include "gui/shell/mainwindow.h"
#include "gui/shell/messages.h"
#include "support/testdatabase.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSettings>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace korvessa;
using namespace korvessa::test;
using namespace Qt::StringLiterals;

class TestLoginDialog : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_db;
    QTemporaryDir m_settings;

private Q_SLOTS:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
        m_db = TestDatabase::create(true);
    }

    void init() { rememberLogin(QString(), QString()); }

    void checks_data()
    {
        QTest::addColumn<QString>("company");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");

        QTest::newRow("no user") << u"示範公司"_s << QString() << u"admin"_s << u"請輸入使用者名稱!"_s << u"ComboBox2"_s;
        QTest::newRow("no company") << QString() << u"admin"_s << u"admin"_s << u"請選擇公司名稱!"_s << u"ComboBox1"_s;
        QTest::newRow("unknown company") << u"別家"_s << u"admin"_s << u"admin"_s << u"公司選擇錯誤!"_s << u"ComboBox1"_s;
        QTest::newRow("wrong password") << u"示範公司"_s << u"admin"_s << u"Admin"_s
                                        << u"使用者名稱或密碼錯誤!請重新輸入!"_s << u"Edit1"_s;
        QTest::newRow("signs in") << u"示範公司"_s << u"admin"_s << u"admin"_s << QString() << QString();
    }

    void checks()
    {
        if (!m_db)
            QSKIP("no database");
        QFETCH(QString, company);
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        ScriptedMessages messages;
        LoginDialog dialog(m_db->books());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.companyBox()->setEditText(company);
        dialog.userBox()->setEditText(user);
        dialog.passwordField()->setText(password);
        QTest::mouseClick(dialog.signInButton(), Qt::LeftButton);
        if (message.isEmpty()) {
            QVERIFY(messages.shown.isEmpty());
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            const RememberedLogin last = rememberedLogin();
            QCOMPARE(last.comp, company);
            QCOMPARE(last.user, user);
            return;
        }
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown.first().caption, u"資料錯誤"_s);
        QCOMPARE(messages.shown.first().icon, Messages::Icon::Error);
        QCOMPARE(messages.lastText(), message);
        QVERIFY(dialog.isVisible());
        QWidget* focused = QApplication::focusWidget();
        QVERIFY(focused);
        // An editable box gives the focus to its line edit.
        QWidget* owner = qobject_cast<QComboBox*>(focused->parentWidget()) ? focused->parentWidget() : focused;
        QCOMPARE(owner->objectName(), focus);
        QVERIFY(rememberedLogin().user.isEmpty());
    }

    void listsAndRememberedValues()
    {
        if (!m_db)
            QSKIP("no database");
        rememberLogin(u"示範公司"_s, u"admin"_s);
        ScriptedMessages messages;
        LoginDialog dialog(m_db->books());
        QCOMPARE(dialog.companyBox()->count(), 1);
        QCOMPARE(dialog.companyBox()->itemText(0), u"示範公司"_s);
        QCOMPARE(dialog.userBox()->itemText(0), u"admin"_s);
        QCOMPARE(dialog.companyBox()->currentText(), u"示範公司"_s);
        QCOMPARE(dialog.userBox()->currentText(), u"admin"_s);
        QVERIFY(dialog.passwordField()->text().isEmpty());
        QCOMPARE(dialog.passwordField()->echoMode(), QLineEdit::Password);
        QCOMPARE(dialog.windowTitle(), u"使用者登入"_s);
    }

    // Enter moves password → company → user and never signs in.
    void enterMovesFocus()
    {
        if (!m_db)
            QSKIP("no database");
        ScriptedMessages messages;
        LoginDialog dialog(m_db->books());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.companyBox()->setEditText(u"示範公司"_s);
        dialog.userBox()->setEditText(u"admin"_s);
        dialog.passwordField()->setText(u"admin"_s);
        QVERIFY(dialog.passwordField()->hasFocus());
        QTest::keyClick(dialog.passwordField(), Qt::Key_Return);
        QVERIFY(dialog.companyBox()->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
        QVERIFY(dialog.userBox()->hasFocus());
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), 0);
        QVERIFY(messages.shown.isEmpty());
    }

    // After the login the main window holds the login state.
    void mainWindowTakesTheLogin()
    {
        if (!m_db)
            QSKIP("no database");
        ScriptedMessages messages;
        MainWindow window;
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<LoginDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->companyBox()->setEditText(u"示範公司"_s);
            dialog->userBox()->setEditText(u"admin"_s);
            dialog->passwordField()->setText(u"admin"_s);
            dialog->signIn();
        });
        QVERIFY(window.signIn());
        QCOMPARE(window.session().cur_comp, u"示範公司"_s);
        QCOMPARE(window.session().cur_user, u"admin"_s);
        QCOMPARE(window.session().cur_username, u"系統管理員"_s);
    }

    void leaveEndsTheLogin()
    {
        if (!m_db)
            QSKIP("no database");
        ScriptedMessages messages;
        MainWindow window;
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<LoginDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->leaveButton()->click();
        });
        QVERIFY(!window.signIn());
        QVERIFY(rememberedLogin().user.isEmpty());
    }

    void cleanupTestCase() { m_db.reset(); }
};

QTEST_MAIN(TestLoginDialog)
#include "tst_db_logindialog.moc"
