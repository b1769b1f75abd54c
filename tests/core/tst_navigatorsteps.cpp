#include "core/app/navigatorsteps.h"
#include "core/app/programs.h"

#include <QMap>
#include <QTest>

using namespace korvessa;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(korvessa::NavigatorKind)

namespace {

const QList<NavigatorKind> kKinds = { NavigatorKind::Accounting, NavigatorKind::Full };

const char* kindName(NavigatorKind kind)
{
    return kind == NavigatorKind::Accounting ? "accounting" : "full";
}

} // namespace

class TestNavigatorSteps : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void variantNames_data();
    void variantNames();
    void step_data();
    void step();
    void visibleImages_data();
    void visibleImages();
    void stepsOpenTheirMenuModule();
    void layoutFitsWithoutOverlap_data();
    void layoutFitsWithoutOverlap();
    void buttonsLieInTheirCorners();
    void sharedPicturesAgree();
    void pictureName_data();
    void pictureName();
};

void TestNavigatorSteps::variantNames_data()
{
    QTest::addColumn<NavigatorKind>("kind");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("background");
    QTest::addColumn<QString>("help");
    QTest::newRow("accounting") << NavigatorKind::Accounting << u"flowimageA"_s << u"abackup.jpg"_s
                                << u"acteach/acprohelp.htm"_s;
    QTest::newRow("full") << NavigatorKind::Full << u"flowimage"_s << u"backup.jpg"_s << u"teach/fiprohelp.htm"_s;
}

void TestNavigatorSteps::variantNames()
{
    QFETCH(NavigatorKind, kind);
    QFETCH(QString, window);
    QFETCH(QString, background);
    QFETCH(QString, help);
    QCOMPARE(navigatorWindowName(kind), window);
    QCOMPARE(navigatorBackground(kind), background);
    QCOMPARE(navigatorHelpPage(kind), help);
}

void TestNavigatorSteps::step_data()
{
    QTest::addColumn<NavigatorKind>("kind");
    QTest::addColumn<QString>("image");
    QTest::addColumn<int>("picture");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("title");

    const auto A = NavigatorKind::Accounting;
    const auto F = NavigatorKind::Full;
    struct Row {
        NavigatorKind kind;
        const char* image;
        int picture;
        const char16_t* window;
        const char16_t* code;
        const char16_t* title;
    };
    const Row rows[] = {
        { A, "Image3", 5, u"fincF", u"C201", u"" },
        { A, "Image5", 21, u"finc_closeF", u"C203", u"" },
        { A, "Image6", 24, u"acctF", u"C102", u"" },
        { A, "Image8", 17, u"cusinput1", u"B01", u"" },
        { A, "Image13", 22, u"fin_posF", u"C202", u"" },
        { A, "Image15", 23, u"flist4F", u"F04", u"" },
        { A, "Image16", 15, u"flist2F", u"F02", u"" },
        { A, "Image17", 19, u"flist5F", u"F05", u"" },
        { A, "Image19", 16, u"flist1F", u"F01", u"" },
        { A, "Image20", 20, u"flist6F", u"F06", u"" },
        { F, "Image2", 4, u"note1F", u"B201", u"應收票據" },
        { F, "Image3", 5, u"fincF", u"C201", u"" },
        { F, "Image4", 6, u"note2F", u"B202", u"應付票據" },
        { F, "Image5", 7, u"elist4F", u"B504", u"" },
        { F, "Image6", 2, u"cur_bankF", u"B102", u"" },
        { F, "Image7", 3, u"cash1F", u"B301", u"銀行作業" },
        { F, "Image8", 17, u"cusinput1", u"B01", u"" },
        { F, "Image9", 8, u"elist3F", u"B503", u"" },
        { F, "Image10", 9, u"elist6F", u"B506", u"" },
        { F, "Image11", 10, u"che_depF", u"B203", u"" },
        { F, "Image12", 11, u"elist2F", u"B502", u"" },
        { F, "Image13", 14, u"fin_posF", u"C202", u"" },
        { F, "Image14", 13, u"elist1F", u"B501", u"" },
        { F, "Image15", 12, u"elist5F", u"B505", u"" },
        { F, "Image16", 15, u"flist2F", u"F02", u"" },
        { F, "Image17", 19, u"flist5F", u"F05", u"" },
        { F, "Image18", 18, u"cash_MF", u"B401", u"現金管理" },
        { F, "Image19", 16, u"flist1F", u"F01", u"" },
        { F, "Image20", 20, u"flist6F", u"F06", u"" },
    };
    for (const Row& row : rows) {
        QTest::addRow("%s %s", kindName(row.kind), row.image)
            << row.kind << QString::fromLatin1(row.image) << row.picture << QString::fromUtf16(row.window)
            << QString::fromUtf16(row.code) << QString::fromUtf16(row.title);
    }
}

void TestNavigatorSteps::step()
{
    QFETCH(NavigatorKind, kind);
    QFETCH(QString, image);
    QFETCH(int, picture);
    QFETCH(QString, window);
    QFETCH(QString, code);
    QFETCH(QString, title);

    const NavigatorStep* step = findNavigatorStep(kind, image);
    QVERIFY(step);
    QCOMPARE(step->pictureNumber, picture);
    QCOMPARE(step->windowName, window);
    QCOMPARE(step->programCode, code);
    QCOMPARE(step->moduleTitle, title);
    QVERIFY(!step->caption.isEmpty());
}

void TestNavigatorSteps::visibleImages_data()
{
    QTest::addColumn<NavigatorKind>("kind");
    QTest::addColumn<QStringList>("images");
    QTest::newRow("accounting") << NavigatorKind::Accounting
                                << QStringList { u"Image3"_s, u"Image5"_s, u"Image6"_s, u"Image8"_s, u"Image13"_s,
                                       u"Image15"_s, u"Image16"_s, u"Image17"_s, u"Image19"_s, u"Image20"_s };
    QStringList all;
    for (int i = 2; i <= 20; ++i)
        all << u"Image"_s + QString::number(i);
    QTest::newRow("full") << NavigatorKind::Full << all;
}

// The accounting navigator leaves out the notes and banking images; the
// full one shows every image once.
void TestNavigatorSteps::visibleImages()
{
    QFETCH(NavigatorKind, kind);
    QFETCH(QStringList, images);
    QStringList shown;
    for (const NavigatorStep& step : navigatorSteps(kind))
        shown << step.image;
    QCOMPARE(shown, images);
    QVERIFY(!findNavigatorStep(NavigatorKind::Accounting, u"Image2"_s));
    QVERIFY(!findNavigatorStep(NavigatorKind::Accounting, u"Image18"_s));
}

// A step opens a module exactly as the menu does: the same window, code and
// module title as a menu entry.
void TestNavigatorSteps::stepsOpenTheirMenuModule()
{
    for (NavigatorKind kind : kKinds) {
        for (const NavigatorStep& step : navigatorSteps(kind)) {
            const ProgramEntry* entry = findProgramByWindow(step.windowName);
            QVERIFY2(entry, qPrintable(step.image + u' ' + step.windowName));
            QCOMPARE(entry->programCode, step.programCode);
            QCOMPARE(entry->moduleTitle, step.moduleTitle);
        }
    }
}

void TestNavigatorSteps::layoutFitsWithoutOverlap_data()
{
    QTest::addColumn<NavigatorKind>("kind");
    QTest::newRow("accounting") << NavigatorKind::Accounting;
    QTest::newRow("full") << NavigatorKind::Full;
}

void TestNavigatorSteps::layoutFitsWithoutOverlap()
{
    QFETCH(NavigatorKind, kind);
    const QRect area(QPoint(0, 0), navigatorSize());
    QVERIFY(area.width() <= 790 && area.height() <= 540);

    QList<QPair<QString, QRect>> items;
    for (const NavigatorStep& step : navigatorSteps(kind))
        items.append({ step.image, step.rect });
    for (const NavigatorButton& button : navigatorButtons(kind))
        items.append({ button.name, button.rect });

    for (qsizetype i = 0; i < items.size(); ++i) {
        const auto& [name, rect] = items.at(i);
        QVERIFY2(!rect.isEmpty() && area.contains(rect), qPrintable(name));
        for (qsizetype j = i + 1; j < items.size(); ++j) {
            QVERIFY2(!rect.intersects(items.at(j).second), qPrintable(name + u" overlaps "_s + items.at(j).first));
        }
    }
}

void TestNavigatorSteps::buttonsLieInTheirCorners()
{
    const QSize size = navigatorSize();
    for (NavigatorKind kind : kKinds) {
        QMap<QString, QRect> buttons;
        for (const NavigatorButton& button : navigatorButtons(kind))
            buttons.insert(button.name, button.rect);
        QCOMPARE(buttons.keys(), (QStringList { u"SpeedButton15"_s, u"SpeedButton16"_s, u"SpeedButton18"_s, u"SpeedButton2"_s }));
        const QRect quit = buttons.value(u"SpeedButton2"_s);
        const QRect board = buttons.value(u"SpeedButton15"_s);
        const QRect home = buttons.value(u"SpeedButton16"_s);
        const QRect guide = buttons.value(u"SpeedButton18"_s);
        QVERIFY(quit.left() > size.width() / 2 && quit.bottom() < size.height() / 4);
        QVERIFY(board.right() < size.width() / 4 && board.top() > size.height() * 3 / 4);
        QVERIFY(home.top() > board.bottom() && home.left() < board.right() && home.right() > board.left());
        QVERIFY(guide.left() > size.width() * 3 / 4 && guide.top() > size.height() * 3 / 4);
    }
}

// Steps that share a picture number share its files, so they must agree on
// the size and the caption drawn; within one navigator every number is used
// once.
void TestNavigatorSteps::sharedPicturesAgree()
{
    QMap<int, NavigatorStep> byNumber;
    for (NavigatorKind kind : kKinds) {
        QList<int> seen;
        for (const NavigatorStep& step : navigatorSteps(kind)) {
            QVERIFY2(!seen.contains(step.pictureNumber), qPrintable(step.image));
            seen << step.pictureNumber;
            if (!byNumber.contains(step.pictureNumber)) {
                byNumber.insert(step.pictureNumber, step);
                continue;
            }
            const NavigatorStep& other = byNumber.value(step.pictureNumber);
            QCOMPARE(step.image, other.image);
            QCOMPARE(step.rect.size(), other.rect.size());
            QCOMPARE(step.caption, other.caption);
        }
    }
}

void TestNavigatorSteps::pictureName_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("highlighted");
    QTest::addColumn<QString>("name");
    QTest::newRow("one digit") << 4 << false << u"dsb401.jpg"_s;
    QTest::newRow("one digit highlighted") << 4 << true << u"dsb402.jpg"_s;
    QTest::newRow("two digits") << 21 << false << u"dsb2101.jpg"_s;
    QTest::newRow("two digits highlighted") << 10 << true << u"dsb1002.jpg"_s;
}

void TestNavigatorSteps::pictureName()
{
    QFETCH(int, number);
    QFETCH(bool, highlighted);
    QFETCH(QString, name);
    QCOMPARE(navigatorPictureName(number, highlighted), name);
}

QTEST_GUILESS_MAIN(TestNavigatorSteps)
#include "tst_navigatorsteps.moc"
