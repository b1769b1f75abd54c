#include "core/db/dataset.h"
#include "core/db/sql.h"
#include "gui/shell/editingcontroller.h"
#include "gui/shell/fieldbinder.h"
#include "gui/shell/gridframe.h"
#include "gui/shell/gridview.h"
#include "gui/shell/messages.h"
#include "gui/shell/moduletoolbar.h"
#include "gui/shell/modulewindow.h"
#include "gui/shell/shell.h"
#include "gui/shell/toolbarstate.h"
#include "support/testdatabase.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScrollBar>
#include <QSignalSpy>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QtTest/QTest>

using namespace korvessa;
using namespace Qt::StringLiterals;

namespace {

class FakeShell final : public Shell {
public:
    Session& session() override { return state; }
    QSqlDatabase books() const override { return QSqlDatabase::database(connection, false); }
    QMdiArea* mdiArea() const override { return nullptr; }
    QMdiSubWindow* openModule(const QString&, QObject*) override { return nullptr; }
    QMdiSubWindow* openVoucher(const QString&, QObject*) override { return nullptr; }
    void goHome(QWidget* from) override { homeFrom.append(from); }
    void rebuildWindowBar() override { }

    Session state;
    QString connection; // by name, so that the test's database can be closed under it
    QList<QWidget*> homeFrom;
};

// The smallest editing module: the note banks of the company, a key field,
// a name field and the list.
class BankModule final : public ModuleWindow {
public:
    BankModule()
    {
        setObjectName(u"bankF"_s);
        key = new QLineEdit(this);
        key->setObjectName(u"DBEdit1"_s);
        name = new QLineEdit(this);
        name->setObjectName(u"DBEdit2"_s);
        list = new GridFrame(this);
        contentLayout()->addWidget(key);
        contentLayout()->addWidget(name);
        contentLayout()->addWidget(list);

        banks.setKeyColumns({ u"comp"_s, u"not_no"_s });
        opened = banks.open(books(), u"not_bank"_s, u"select * from not_bank where comp = :comp order by not_no"_s,
            { { u":comp"_s, curComp() } });
        binder.bind(key, u"not_no"_s);
        binder.bind(name, u"not_name"_s);
        list->showDataSet(&banks, { { u"not_no"_s, u"代號"_s, 60 }, { u"not_name"_s, u"名稱"_s } });

        editing.setGrid(list);
        editing.setKeyField(key);
        editing.setDefaults([this] { return QVariantMap { { u"comp"_s, curComp() } }; });
        editing.addRequired(u"not_no"_s, u"銀行代號不可以為空!"_s, key);
        editing.setSearchColumns({ u"not_no"_s, u"not_name"_s });
        editing.setAskBeforeExit(true);
        editing.updateState();
    }

    QLineEdit* key;
    QLineEdit* name;
    GridFrame* list;
    DataSet banks;
    FieldBinder binder { &banks };
    EditingController editing { this, &banks };
    Status opened;
};

Rights allRights() { return { true, true, true, true }; }

QStringList storedBanks(const QSqlDatabase& db)
{
    QStringList list;
    const auto rows = sql::rows(db, u"select not_no, not_name from not_bank where comp = 'A' order by not_no"_s);
    for (const QSqlRecord& r : *rows)
        list.append(sql::text(r, u"not_no"_s) + u'=' + sql::text(r, u"not_name"_s));
    return list;
}

void addBanks(const QSqlDatabase& db, int n)
{
    for (int i = 1; i <= n; ++i) {
        QVERIFY(sql::insert(db, u"not_bank"_s,
            { { u"comp"_s, u"A"_s }, { u"not_no"_s, u"%1"_s.arg(i, 2, 10, QChar(u'0')) },
                { u"not_name"_s, u"銀行%1"_s.arg(i) } }));
    }
}

// Text as an input method commits it: how Chinese reaches a field.
void typeText(QWidget* w, const QString& text)
{
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QCoreApplication::sendEvent(w, &commit);
}

bool showActive(QWidget* w)
{
    w->show();
    QApplication::setActiveWindow(w->window());
    return QTest::qWaitForWindowActive(w->window());
}

QStringList enabledButtons(const ModuleToolbar& bar)
{
    QStringList names;
    for (QToolButton* b : { bar.sbprior(), bar.sbnext(), bar.sbinsert(), bar.sbdelete(), bar.sbpost(), bar.sbcancel(),
             bar.sbprint() }) {
        if (b->isEnabled())
            names.append(b->objectName());
    }
    return names;
}

} // namespace

class TestModuleFrame : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { Shell::install(&m_shell); }
    void cleanupTestCase() { Shell::install(nullptr); }
    void init()
    {
        m_shell.state = {};
        m_shell.state.cur_comp = u"A"_s;
        m_shell.state.cur_user = u"admin"_s;
        m_shell.state.rights = allRights();
        m_shell.homeFrom.clear();
    }

    void toolbarControls_data();
    void toolbarControls();
    void toolbarRule_data();
    void toolbarRule();
    void altShortcuts_data();
    void altShortcuts();
    void altXClosesAlways_data();
    void altXClosesAlways();
    void exitQuestion_data();
    void exitQuestion();
    void enterMovesOn_data();
    void enterMovesOn();
    void enterInCellEditorMovesToNextColumn();
    void banding_data();
    void banding();
    void wheelMovesRecord_data();
    void wheelMovesRecord();
    void insertAndSave();
    void refusedSaveKeepsChanges();
    void deleteAsks_data();
    void deleteAsks();
    void searchUsesEdit1();
    void noAddRight();

private:
    FakeShell m_shell;
};

void TestModuleFrame::toolbarControls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("hint");
    QTest::newRow("SpeedButton10") << u"SpeedButton10"_s << u"搜尋"_s << QString();
    QTest::newRow("sbinsert") << u"sbinsert"_s << u"新增"_s << u"ALT+A"_s;
    QTest::newRow("sbdelete") << u"sbdelete"_s << u"刪除"_s << u"ALT+D"_s;
    QTest::newRow("sbpost") << u"sbpost"_s << u"存檔"_s << u"ALT+S"_s;
    QTest::newRow("sbcancel") << u"sbcancel"_s << u"取消"_s << u"ALT+C"_s;
    QTest::newRow("sbprint") << u"sbprint"_s << u"列印"_s << u"ALT+P"_s;
    QTest::newRow("sbprior") << u"sbprior"_s << u"前筆"_s << u"ALT+V"_s;
    QTest::newRow("sbnext") << u"sbnext"_s << u"後筆"_s << u"ALT+N"_s;
    QTest::newRow("SpeedButton1") << u"SpeedButton1"_s << u"回主頁"_s << QString();
    QTest::newRow("sbexit") << u"sbexit"_s << u"離開"_s << u"ALT+X"_s;
}

void TestModuleFrame::toolbarControls()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, hint);
    ModuleWindow window;
    auto* bar = window.findChild<ModuleToolbar*>(u"toolbar"_s);
    QVERIFY(bar);
    QCOMPARE(bar->height(), 40);
    QVERIFY(bar->findChild<QLineEdit*>(u"Edit1"_s));
    auto* button = bar->findChild<QToolButton*>(name);
    QVERIFY(button);
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->toolTip(), hint);

    if (name == u"SpeedButton1"_s) {
        button->click();
        QCOMPARE(m_shell.homeFrom, QList<QWidget*>({ &window }));
    }
}

void TestModuleFrame::toolbarRule_data()
{
    QTest::addColumn<QString>("main"); // first, middle, last, empty, edit, insert
    QTest::addColumn<QString>("detail"); // none, browse, edit
    QTest::addColumn<QString>("rights"); // letters of add, save, delete, print
    QTest::addColumn<bool>("prints");
    QTest::addColumn<bool>("insertWhileEditing");
    QTest::addColumn<QString>("enabled");

    const QString all = u"asdp"_s;
    QTest::newRow("browse first") << u"first"_s << u"none"_s << all << true << false
                                  << u"sbnext sbinsert sbdelete sbprint"_s;
    QTest::newRow("browse middle") << u"middle"_s << u"none"_s << all << true << false
                                   << u"sbprior sbnext sbinsert sbdelete sbprint"_s;
    QTest::newRow("browse past last") << u"last"_s << u"none"_s << all << true << false
                                      << u"sbprior sbinsert sbdelete sbprint"_s;
    QTest::newRow("browse empty") << u"empty"_s << u"none"_s << all << true << false << u"sbinsert sbprint"_s;
    QTest::newRow("edit") << u"edit"_s << u"none"_s << all << true << false << u"sbpost sbcancel sbprint"_s;
    QTest::newRow("insert") << u"insert"_s << u"none"_s << all << true << false << u"sbpost sbcancel sbprint"_s;
    QTest::newRow("detail edited") << u"middle"_s << u"edit"_s << all << true << false
                                   << u"sbprior sbnext sbinsert sbdelete sbpost sbcancel sbprint"_s;
    QTest::newRow("detail browsing") << u"middle"_s << u"browse"_s << all << true << false
                                     << u"sbprior sbnext sbinsert sbdelete sbprint"_s;
    QTest::newRow("no add: first") << u"first"_s << u"none"_s << u"sdp"_s << true << false
                                   << u"sbnext sbdelete sbprint"_s;
    QTest::newRow("no add: empty") << u"empty"_s << u"none"_s << u"sdp"_s << true << false << u"sbprint"_s;
    QTest::newRow("no add: edit") << u"edit"_s << u"none"_s << u"sdp"_s << true << true
                                  << u"sbpost sbcancel sbprint"_s;
    QTest::newRow("no add: insert") << u"insert"_s << u"none"_s << u"sdp"_s << true << true
                                    << u"sbpost sbcancel sbprint"_s;
    QTest::newRow("no delete") << u"middle"_s << u"none"_s << u"asp"_s << true << false
                               << u"sbprior sbnext sbinsert sbprint"_s;
    QTest::newRow("no save: edit") << u"edit"_s << u"none"_s << u"adp"_s << true << false << u"sbcancel sbprint"_s;
    QTest::newRow("print right, module does not print")
        << u"middle"_s << u"none"_s << all << false << false << u"sbprior sbnext sbinsert sbdelete"_s;
    QTest::newRow("module prints, no print right")
        << u"middle"_s << u"none"_s << u"asd"_s << true << false << u"sbprior sbnext sbinsert sbdelete"_s;
    QTest::newRow("insert while editing: edit") << u"edit"_s << u"none"_s << all << true << true
                                                << u"sbinsert sbpost sbcancel sbprint"_s;
    QTest::newRow("insert while editing: insert") << u"insert"_s << u"none"_s << all << true << true
                                                  << u"sbpost sbcancel sbprint"_s;
}

void TestModuleFrame::toolbarRule()
{
    QFETCH(QString, main);
    QFETCH(QString, detail);
    QFETCH(QString, rights);
    QFETCH(bool, prints);
    QFETCH(bool, insertWhileEditing);
    QFETCH(QString, enabled);

    const auto state = [](const QString& tag) {
        EditingState s;
        s.empty = tag == u"empty"_s;
        s.atFirst = tag == u"first"_s || s.empty;
        s.pastLast = tag == u"last"_s || s.empty;
        s.editing = tag == u"edit"_s;
        s.inserting = tag == u"insert"_s;
        return s;
    };
    std::optional<EditingState> detailState;
    if (detail != u"none"_s)
        detailState = state(detail == u"edit"_s ? u"edit"_s : u"middle"_s);
    const Rights r { rights.contains(u'a'), rights.contains(u's'), rights.contains(u'd'), rights.contains(u'p') };

    ModuleToolbar bar;
    applyToolbar(bar, toolbarButtons(state(main), detailState, r, { prints, insertWhileEditing }));
    QCOMPARE(enabledButtons(bar).join(u' '), enabled);
}

void TestModuleFrame::altShortcuts_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("clicks");

    const int alt = Qt::AltModifier;
    QTest::newRow("Alt+S") << int(Qt::Key_S) << alt << u"sbpost"_s << true << 1;
    QTest::newRow("Alt+S, sbpost disabled") << int(Qt::Key_S) << alt << u"sbpost"_s << false << 0;
    QTest::newRow("Ctrl+S") << int(Qt::Key_S) << int(Qt::ControlModifier) << u"sbpost"_s << true << 0;
    QTest::newRow("Shift+S") << int(Qt::Key_S) << int(Qt::ShiftModifier) << u"sbpost"_s << true << 0;
    QTest::newRow("Ctrl+Alt+S") << int(Qt::Key_S) << int(Qt::ControlModifier | Qt::AltModifier) << u"sbpost"_s << true
                                << 0;
    QTest::newRow("Alt+N") << int(Qt::Key_N) << alt << u"sbnext"_s << true << 1;
    QTest::newRow("Alt+V") << int(Qt::Key_V) << alt << u"sbprior"_s << true << 1;
    QTest::newRow("Alt+A") << int(Qt::Key_A) << alt << u"sbinsert"_s << true << 1;
    QTest::newRow("Alt+A, sbinsert disabled") << int(Qt::Key_A) << alt << u"sbinsert"_s << false << 0;
    QTest::newRow("Alt+D") << int(Qt::Key_D) << alt << u"sbdelete"_s << true << 1;
    QTest::newRow("Alt+C") << int(Qt::Key_C) << alt << u"sbcancel"_s << true << 1;
    QTest::newRow("Alt+P") << int(Qt::Key_P) << alt << u"sbprint"_s << true << 1;
    QTest::newRow("Alt+P, sbprint disabled") << int(Qt::Key_P) << alt << u"sbprint"_s << false << 0;
}

void TestModuleFrame::altShortcuts()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, button);
    QFETCH(bool, enabled);
    QFETCH(int, clicks);

    ModuleWindow window;
    auto* field = new QLineEdit(&window);
    window.contentLayout()->addWidget(field);
    QVERIFY(showActive(&window));
    field->setFocus();
    auto* target = window.toolbar()->findChild<QToolButton*>(button);
    target->setEnabled(enabled);
    QSignalSpy clicked(target, &QToolButton::clicked);

    QTest::keyClick(field, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(clicked.count(), clicks);
    QVERIFY(window.isVisible());
}

void TestModuleFrame::altXClosesAlways_data()
{
    QTest::addColumn<QString>("exitButton");
    QTest::newRow("enabled") << u"enabled"_s;
    QTest::newRow("disabled") << u"disabled"_s;
    QTest::newRow("hidden") << u"hidden"_s;
}

void TestModuleFrame::altXClosesAlways()
{
    QFETCH(QString, exitButton);
    QMdiArea area;
    auto* window = new ModuleWindow;
    auto* field = new QLineEdit(window);
    window->contentLayout()->addWidget(field);
    QMdiSubWindow* sub = area.addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    QVERIFY(showActive(&area));
    sub->show();
    field->setFocus();
    window->toolbar()->sbexit()->setEnabled(exitButton != u"disabled"_s);
    window->toolbar()->sbexit()->setVisible(exitButton != u"hidden"_s);

    QPointer<QMdiSubWindow> alive(sub);
    QTest::keyClick(field, Qt::Key_X, Qt::AltModifier);
    QTRY_VERIFY(alive.isNull());
}

void TestModuleFrame::exitQuestion_data()
{
    QTest::addColumn<QString>("state"); // browse, edit, insert
    QTest::addColumn<QString>("how"); // sbexit, alt+x, close button
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("closed");

    QTest::newRow("browsing: no question") << u"browse"_s << u"sbexit"_s << false << false << true;
    QTest::newRow("editing, No") << u"edit"_s << u"sbexit"_s << false << true << false;
    QTest::newRow("editing, Yes") << u"edit"_s << u"sbexit"_s << true << true << true;
    QTest::newRow("inserting, Alt+X, No") << u"insert"_s << u"alt+x"_s << false << true << false;
    QTest::newRow("editing, close button") << u"edit"_s << u"close button"_s << false << false << true;
}

void TestModuleFrame::exitQuestion()
{
    QFETCH(QString, state);
    QFETCH(QString, how);
    QFETCH(bool, answer);
    QFETCH(bool, asked);
    QFETCH(bool, closed);

    KORVESSA_TEST_DATABASE(t, false);
    m_shell.connection = t->connectionName();
    addBanks(m_shell.books(), 2);
    ScriptedMessages messages;
    messages.answers = { answer };

    QMdiArea area;
    auto* module = new BankModule;
    QMdiSubWindow* sub = area.addSubWindow(module);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    QVERIFY(showActive(&area));
    sub->show();
    module->name->setFocus();
    if (state == u"edit"_s)
        QTest::keyClicks(module->name, u"x"_s);
    else if (state == u"insert"_s)
        module->toolbar()->sbinsert()->click();

    QPointer<QMdiSubWindow> alive(sub);
    if (how == u"sbexit"_s)
        module->toolbar()->sbexit()->click();
    else if (how == u"alt+x"_s)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::AltModifier);
    else
        sub->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QCOMPARE(alive.isNull(), closed);
    QCOMPARE(messages.shown.size(), asked ? 1 : 0);
    if (asked) {
        QCOMPARE(messages.shown.first().caption, u"離開確認"_s);
        QCOMPARE(messages.shown.first().text, u"確定要離開嗎?"_s);
    }
}

void TestModuleFrame::enterMovesOn_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
}

void TestModuleFrame::enterMovesOn()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    KORVESSA_TEST_DATABASE(t, false);
    m_shell.connection = t->connectionName();
    addBanks(m_shell.books(), 3);
    BankModule module;
    QVERIFY(showActive(&module));

    module.key->setFocus();
    QTest::keyClick(module.key, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(QApplication::focusWidget(), module.name);
    QTest::keyClick(module.name, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    GridView* grid = module.list->dbGrid1();
    QCOMPARE(QApplication::focusWidget(), grid);

    // In the grid Enter takes the next column and stays in the grid.
    QCOMPARE(grid->currentIndex().column(), 0);
    QTest::keyClick(grid, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(QApplication::focusWidget(), grid);
    QCOMPARE(grid->currentIndex().column(), 1);
    QCOMPARE(grid->currentIndex().row(), 0);
}

void TestModuleFrame::enterInCellEditorMovesToNextColumn()
{
    KORVESSA_TEST_DATABASE(t, false);
    m_shell.connection = t->connectionName();
    addBanks(m_shell.books(), 2);
    BankModule module;
    module.list->setEditable(true);
    QVERIFY(showActive(&module));
    GridView* grid = module.list->dbGrid1();
    grid->setFocus();
    const QModelIndex cell = grid->model()->index(1, 0);
    grid->setCurrentIndex(cell);
    grid->edit(cell);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, u"77"_s);
    QTest::keyClick(editor, Qt::Key_Return);

    QCOMPARE(module.banks.value(1, u"not_no"_s).toString(), u"77"_s);
    QCOMPARE(module.banks.state(), DataSet::State::Edit);
    QCOMPARE(grid->currentIndex(), grid->model()->index(1, 1));
}

void TestModuleFrame::banding_data()
{
    QTest::addColumn<int>("currentRow");
    QTest::addColumn<bool>("gridFocused");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("text");

    const QColor pale(221, 252, 205);
    const QColor blue(0, 68, 255);
    const QColor white(Qt::white);
    const QColor black(Qt::black);
    QTest::newRow("record 1 odd") << 3 << false << 0 << 1 << pale << black;
    QTest::newRow("record 2 even") << 3 << false << 1 << 1 << white << black;
    QTest::newRow("record 3 odd") << 3 << false << 2 << 1 << pale << black;
    QTest::newRow("current record 4") << 3 << false << 3 << 1 << blue << white;
    QTest::newRow("current record 1") << 0 << false << 0 << 1 << blue << white;
    QTest::newRow("current record 3") << 2 << false << 2 << 0 << blue << white;
    QTest::newRow("focused cell") << 2 << true << 2 << 0 << white << blue;
    QTest::newRow("focused cell's row") << 2 << true << 2 << 1 << blue << white;
}

void TestModuleFrame::banding()
{
    QFETCH(int, currentRow);
    QFETCH(bool, gridFocused);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QColor, background);
    QFETCH(QColor, text);

    KORVESSA_TEST_DATABASE(t, false);
    m_shell.connection = t->connectionName();
    addBanks(m_shell.books(), 5);
    BankModule module;
    QVERIFY(showActive(&module));
    QVERIFY(module.banks.setCurrentRow(currentRow));
    GridView* grid = module.list->dbGrid1();
    QCOMPARE(grid->currentIndex().row(), currentRow); // the grid follows the data set
    if (gridFocused) {
        grid->setFocus();
        QVERIFY(grid->hasFocus());
    } else {
        module.name->setFocus();
    }

    const CellColors c = module.list->cellColors(row, column);
    QCOMPARE(c.background, background);
    QCOMPARE(c.text, text);
}

void TestModuleFrame::wheelMovesRecord_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("delta"); // eighths of a degree, 120 a step; negative is down
    QTest::addColumn<int>("to");
    QTest::newRow("one step down") << 0 << -120 << 1;
    QTest::newRow("two steps down") << 0 << -240 << 2;
    QTest::newRow("one step up") << 3 << 120 << 2;
    QTest::newRow("up on the first record") << 0 << 120 << 0;
    QTest::newRow("half a step") << 1 << -60 << 1;
}

void TestModuleFrame::wheelMovesRecord()
{
    QFETCH(int, from);
    QFETCH(int, delta);
    QFETCH(int, to);
    KORVESSA_TEST_DATABASE(t, false);
    m_shell.connection = t->connectionName();
    addBanks(m_shell.books(), 40);
    BankModule module;
    module.resize(400, 300);
    QVERIFY(showActive(&module));
    QVERIFY(module.banks.setCurrentRow(from));
    GridView* grid = module.list->dbGrid1();
    const int scrolled = grid->verticalScrollBar()->value();

    const QPoint at = grid->viewport()->rect().center();
    QWheelEvent wheel(at, grid->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
        Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(grid->viewport(), &wheel);

    QCOMPARE(module.banks.currentRow(), to);
    if (from == to) // nothing moved, so nothing scrolled either
        QCOMPARE(grid->verticalScrollBar()->value(), scrolled);
}

void TestModuleFrame::insertAndSave()
{
    KORVESSA_TEST_DATABASE(t, false);
    m_shell.connection = t->connectionName();
    addBanks(m_shell.books(), 2);
    ScriptedMessages messages;
    BankModule module;
    QVERIFY(module.opened);
    QVERIFY(showActive(&module));
    const QColor silver(192, 192, 192);
    QVERIFY(module.key->isReadOnly());
    QCOMPARE(module.key->palette().color(QPalette::Base), silver);

    QTest::keyClick(module.name, Qt::Key_A, Qt::AltModifier);
    QCOMPARE(module.banks.state(), DataSet::State::Insert);
    QCOMPARE(QApplication::focusWidget(), module.key);
    QVERIFY(!module.key->isReadOnly());
    QCOMPARE(module.key->palette().color(QPalette::Base), QColor(Qt::white));
    QVERIFY(!module.list->isEnabled());
    QCOMPARE(enabledButtons(*module.toolbar()), QStringList({ u"sbpost"_s, u"sbcancel"_s }));

    // The key is required.
    module.name->setFocus();
    typeText(module.name, u"新銀行"_s);
    QTest::keyClick(module.name, Qt::Key_S, Qt::AltModifier);
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown.first().caption, u"資料錯誤"_s);
    QCOMPARE(messages.shown.first().text, u"銀行代號不可以為空!"_s);
    QCOMPARE(QApplication::focusWidget(), module.key);
    QCOMPARE(module.banks.state(), DataSet::State::Insert);
    QCOMPARE(storedBanks(m_shell.books()).size(), 2);

    QTest::keyClicks(module.key, u"07"_s);
    QTest::keyClick(module.key, Qt::Key_S, Qt::AltModifier);
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(storedBanks(m_shell.books()), QStringList({ u"01=銀行1"_s, u"02=銀行2"_s, u"07=新銀行"_s }));
    QCOMPARE(module.banks.state(), DataSet::State::Browse);
    QCOMPARE(module.key->text(), u"07"_s); // still on the new row
    QVERIFY(module.key->isReadOnly());
    QCOMPARE(module.key->palette().color(QPalette::Base), silver);
    QVERIFY(module.list->isEnabled());
    QCOMPARE(module.list->dbGrid1()->currentIndex().row(), 2);
}

void TestModuleFrame::refusedSaveKeepsChanges()
{
    KORVESSA_TEST_DATABASE(t, false);
    m_shell.connection = t->connectionName();
    addBanks(m_shell.books(), 2);
    ScriptedMessages messages;
    BankModule module;
    QVERIFY(showActive(&module));
    QCOMPARE(module.name->maxLength(), 50); // the column's length

    // Typed past the field's limit some other way, the database refuses it.
    QVERIFY(module.banks.setValue(u"not_name"_s, QString(51, u'銀')));
    module.toolbar()->sbpost()->click();
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown.first().icon, Messages::Icon::Error);
    QVERIFY(!messages.shown.first().text.isEmpty());
    QCOMPARE(module.banks.state(), DataSet::State::Edit);
    QCOMPARE(module.banks.text(u"not_name"_s), QString(51, u'銀'));
    QCOMPARE(storedBanks(m_shell.books()), QStringList({ u"01=銀行1"_s, u"02=銀行2"_s }));
    QVERIFY(module.toolbar()->sbpost()->isEnabled());

    module.toolbar()->sbcancel()->click();
    QCOMPARE(module.banks.state(), DataSet::State::Browse);
    QCOMPARE(module.name->text(), u"銀行1"_s);
}

void TestModuleFrame::deleteAsks_data()
{
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QStringList>("stored");
    QTest::newRow("Yes") << true << QStringList({ u"01=銀行1"_s, u"03=銀行3"_s });
    QTest::newRow("No") << false << QStringList({ u"01=銀行1"_s, u"02=銀行2"_s, u"03=銀行3"_s });
}

void TestModuleFrame::deleteAsks()
{
    QFETCH(bool, answer);
    QFETCH(QStringList, stored);
    KORVESSA_TEST_DATABASE(t, false);
    m_shell.connection = t->connectionName();
    addBanks(m_shell.books(), 3);
    ScriptedMessages messages;
    messages.answers = { answer };
    BankModule module;
    QVERIFY(showActive(&module));
    QVERIFY(module.banks.setCurrentRow(1));

    module.toolbar()->sbdelete()->click();
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown.first().caption, u"刪除確認"_s);
    QCOMPARE(messages.shown.first().text, u"確定要刪除嗎?"_s);
    QCOMPARE(storedBanks(m_shell.books()), stored); // written at once
    QCOMPARE(module.banks.count(), stored.size());
    QVERIFY(!module.banks.hasChanges());
}

void TestModuleFrame::searchUsesEdit1()
{
    KORVESSA_TEST_DATABASE(t, false);
    m_shell.connection = t->connectionName();
    addBanks(m_shell.books(), 12);
    BankModule module;
    QVERIFY(showActive(&module));
    module.toolbar()->edit1()->setText(u"行1"_s);
    module.toolbar()->speedButton10()->click();
    QStringList shown;
    for (int r = 0; r < module.list->dbGrid1()->model()->rowCount(); ++r)
        shown.append(module.list->dbGrid1()->model()->index(r, 1).data().toString());
    QCOMPARE(shown, QStringList({ u"銀行1"_s, u"銀行10"_s, u"銀行11"_s, u"銀行12"_s }));
    QCOMPARE(module.name->text(), u"銀行1"_s);
}

void TestModuleFrame::noAddRight()
{
    KORVESSA_TEST_DATABASE(t, false);
    m_shell.connection = t->connectionName();
    addBanks(m_shell.books(), 2);
    m_shell.state.rights.can_add = false;
    BankModule module;
    m_shell.state.rights.can_add = true; // a later opening does not change the module's copy
    QVERIFY(showActive(&module));
    module.name->setFocus();
    QTest::keyClick(module.name, Qt::Key_A, Qt::AltModifier);
    QCOMPARE(module.banks.state(), DataSet::State::Browse);
    QVERIFY(!module.toolbar()->sbinsert()->isEnabled());
    QTest::keyClicks(module.name, u"x"_s); // editing
    QVERIFY(!module.toolbar()->sbinsert()->isEnabled());
    QTest::keyClick(module.name, Qt::Key_A, Qt::AltModifier);
    QCOMPARE(module.banks.count(), 2);
}

QTEST_MAIN(TestModuleFrame)
#include "tst_moduleframe.moc"
