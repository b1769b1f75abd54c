#include "core/app/navigatorsteps.h"

namespace korvessa {

using namespace Qt::StringLiterals;

namespace {

// Every step box has the same size, so that a picture shared by both
// navigators fits either one.
constexpr int kBoxWidth = 104;
constexpr int kBoxHeight = 44;

QRect box(int x, int y)
{
    return QRect(x, y, kBoxWidth, kBoxHeight);
}

// The accounting navigator: set-up at the top, the voucher cycle in the
// middle, the reports at the bottom.
QList<NavigatorStep> accountingSteps()
{
    return {
        { u"Image3"_s, 5, u"fincF"_s, u"C201"_s, {}, u"傳票登錄"_s, box(194, 230) },
        { u"Image5"_s, 21, u"finc_closeF"_s, u"C203"_s, {}, u"財務結轉"_s, box(482, 230) },
        { u"Image6"_s, 24, u"acctF"_s, u"C102"_s, {}, u"會計科目"_s, box(266, 100) },
        { u"Image8"_s, 17, u"cusinput1"_s, u"B01"_s, {}, u"客戶廠商"_s, box(122, 100) },
        { u"Image13"_s, 22, u"fin_posF"_s, u"C202"_s, {}, u"財務過帳"_s, box(338, 230) },
        { u"Image15"_s, 23, u"flist4F"_s, u"F04"_s, {}, u"現金簿"_s, box(626, 380) },
        { u"Image16"_s, 15, u"flist2F"_s, u"F02"_s, {}, u"明細分類帳"_s, box(482, 380) },
        { u"Image17"_s, 19, u"flist5F"_s, u"F05"_s, {}, u"損益表"_s, box(194, 380) },
        { u"Image19"_s, 16, u"flist1F"_s, u"F01"_s, {}, u"試算表"_s, box(338, 380) },
        { u"Image20"_s, 20, u"flist6F"_s, u"F06"_s, {}, u"資產負債表"_s, box(50, 380) },
    };
}

// The full navigator: notes (top left) and banking and cash (bottom left),
// each with its lists, feed voucher entry; posting feeds the reports on the
// right.
QList<NavigatorStep> fullSteps()
{
    return {
        { u"Image2"_s, 4, u"note1F"_s, u"B201"_s, u"應收票據"_s, u"應收票據"_s, box(18, 86) },
        { u"Image3"_s, 5, u"fincF"_s, u"C201"_s, {}, u"傳票登錄"_s, box(402, 238) },
        { u"Image4"_s, 6, u"note2F"_s, u"B202"_s, u"應付票據"_s, u"應付票據"_s, box(18, 150) },
        { u"Image5"_s, 7, u"elist4F"_s, u"B504"_s, {}, u"銀行往來明細表"_s, box(274, 296) },
        { u"Image6"_s, 2, u"cur_bankF"_s, u"B102"_s, {}, u"往來銀行"_s, box(18, 318) },
        { u"Image7"_s, 3, u"cash1F"_s, u"B301"_s, u"銀行作業"_s, u"銀行作業"_s, box(146, 318) },
        { u"Image8"_s, 17, u"cusinput1"_s, u"B01"_s, {}, u"客戶廠商"_s, box(402, 86) },
        { u"Image9"_s, 8, u"elist3F"_s, u"B503"_s, {}, u"零用金明細表"_s, box(274, 400) },
        { u"Image10"_s, 9, u"elist6F"_s, u"B506"_s, {}, u"銀行資金預估表"_s, box(274, 348) },
        { u"Image11"_s, 10, u"che_depF"_s, u"B203"_s, {}, u"票據處理"_s, box(146, 118) },
        { u"Image12"_s, 11, u"elist2F"_s, u"B502"_s, {}, u"未兌現明細表"_s, box(274, 128) },
        { u"Image13"_s, 14, u"fin_posF"_s, u"C202"_s, {}, u"財務過帳"_s, box(530, 238) },
        { u"Image14"_s, 13, u"elist1F"_s, u"B501"_s, {}, u"票據資料明細"_s, box(274, 76) },
        { u"Image15"_s, 12, u"elist5F"_s, u"B505"_s, {}, u"應付票據簽收聯"_s, box(274, 180) },
        { u"Image16"_s, 15, u"flist2F"_s, u"F02"_s, {}, u"明細分類帳"_s, box(658, 211) },
        { u"Image17"_s, 19, u"flist5F"_s, u"F05"_s, {}, u"損益表"_s, box(658, 265) },
        { u"Image18"_s, 18, u"cash_MF"_s, u"B401"_s, u"現金管理"_s, u"現金管理"_s, box(146, 400) },
        { u"Image19"_s, 16, u"flist1F"_s, u"F01"_s, {}, u"試算表"_s, box(658, 157) },
        { u"Image20"_s, 20, u"flist6F"_s, u"F06"_s, {}, u"資產負債表"_s, box(658, 319) },
    };
}

// Both navigators carry their buttons at the same places.
QList<NavigatorButton> buttons()
{
    return {
        { u"SpeedButton2"_s, QRect(686, 10, 80, 30) }, // 離開
        { u"SpeedButton15"_s, QRect(14, 458, 84, 24) }, // 留言板
        { u"SpeedButton16"_s, QRect(14, 488, 84, 24) }, // 首頁
        { u"SpeedButton18"_s, QRect(668, 474, 98, 34) }, // 新手上路
    };
}

} // namespace

QString navigatorWindowName(NavigatorKind kind)
{
    return kind == NavigatorKind::Accounting ? u"flowimageA"_s : u"flowimage"_s;
}

QString navigatorBackground(NavigatorKind kind)
{
    return kind == NavigatorKind::Accounting ? u"abackup.jpg"_s : u"backup.jpg"_s;
}

QString navigatorHelpPage(NavigatorKind kind)
{
    return kind == NavigatorKind::Accounting ? u"acteach/acprohelp.htm"_s : u"teach/fiprohelp.htm"_s;
}

QSize navigatorSize()
{
    return QSize(780, 520);
}

const QList<NavigatorStep>& navigatorSteps(NavigatorKind kind)
{
    static const QList<NavigatorStep> accounting = accountingSteps();
    static const QList<NavigatorStep> full = fullSteps();
    return kind == NavigatorKind::Accounting ? accounting : full;
}

const NavigatorStep* findNavigatorStep(NavigatorKind kind, const QString& image)
{
    for (const NavigatorStep& step : navigatorSteps(kind)) {
        if (step.image == image)
            return &step;
    }
    return nullptr;
}

const QList<NavigatorButton>& navigatorButtons(NavigatorKind kind)
{
    Q_UNUSED(kind);
    static const QList<NavigatorButton> list = buttons();
    return list;
}

QString navigatorPictureName(int number, bool highlighted)
{
    return u"dsb"_s + QString::number(number) + (highlighted ? u"02.jpg"_s : u"01.jpg"_s);
}

} // namespace korvessa
