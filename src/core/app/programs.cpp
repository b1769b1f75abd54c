#include "core/app/programs.h"

namespace korvessa {

using namespace Qt::StringLiterals;

QString ProgramEntry::plainCaption() const
{
    QString c = caption;
    return c.remove(u'&');
}

const QList<ProgramEntry>& programEntries()
{
    static const QList<ProgramEntry> entries = {
        { u"&系統設定"_s, u"&公司設定"_s, u"N14Click"_s, u"sysset"_s, u"A01"_s, {}, u"Tsysset"_s, u"公司設定"_s },
        { u"&系統設定"_s, u"&幣別設定"_s, u"N45Click"_s, u"cur_baseF"_s, u"B101"_s, {}, u"Tcur_baseF"_s, u"出納設定"_s },
        { u"&系統設定"_s, u"&使用者權限"_s, u"N15Click"_s, u"Taccount"_s, u"A02"_s, {}, u"TTaccount"_s, u"使用者權限設定"_s },
        { u"&基本資料"_s, u"&類別設定"_s, u"N6Click"_s, u"custype"_s, u"B02"_s, {}, u"Tcustype"_s, u"常用類別設定"_s },
        { u"&基本資料"_s, u"&客戶廠商"_s, u"N17Click"_s, u"cusinput1"_s, u"B01"_s, {}, u"Tcusinput1"_s, u"客戶資料管理"_s },
        { u"&票據管理"_s, u"&應收票據"_s, u"N11Click"_s, u"note1F"_s, u"B201"_s, u"應收票據"_s, u"Tnote1F"_s, u"應收票據管理"_s },
        { u"&票據管理"_s, u"&應付票據"_s, u"N18Click"_s, u"note2F"_s, u"B202"_s, u"應付票據"_s, u"Tnote2F"_s, u"應付票據管理"_s },
        { u"&票據管理"_s, u"&票據處裡"_s, u"N19Click"_s, u"che_depF"_s, u"B203"_s, {}, u"Tche_depF"_s, u"票據處理作業"_s },
        { u"&出納管理"_s, u"&出納設定"_s, u"N8Click"_s, u"cur_baseF"_s, u"B101"_s, {}, u"Tcur_baseF"_s, u"出納設定"_s },
        { u"&出納管理"_s, u"&往來銀行"_s, u"N9Click"_s, u"cur_bankF"_s, u"B102"_s, {}, u"Tcur_bankF"_s, u"往來銀行資料"_s },
        { u"&出納管理"_s, u"&銀行作業"_s, u"N22Click"_s, u"cash1F"_s, u"B301"_s, u"銀行作業"_s, u"Tcash1F"_s, u"銀行作業"_s },
        { u"&出納管理"_s, u"&現金管理"_s, u"N23Click"_s, u"cash_MF"_s, u"B401"_s, u"現金管理"_s, u"Tcash_MF"_s, u"現金管理"_s },
        { u"&會計傳票"_s, u"&科目類別"_s, u"N4Click"_s, u"acc_typeF"_s, u"C101"_s, {}, u"Tacc_typeF"_s, u"科目類別"_s },
        { u"&會計傳票"_s, u"&會計科目"_s, u"N10Click"_s, u"acctF"_s, u"C102"_s, {}, u"TacctF"_s, u"會計科目"_s },
        { u"&會計傳票"_s, u"會計&開帳"_s, u"N651Click"_s, u"finc_setF"_s, u"C103"_s, {}, u"Tfinc_setF"_s, u"會計開帳作業"_s },
        { u"&會計傳票"_s, u"&常用分錄設定"_s, u"N56Click"_s, u"finc_samF"_s, u"C205"_s, {}, u"Tfinc_samF"_s, u"常用分錄設定"_s },
        { u"&會計傳票"_s, u"-"_s, {}, {}, {}, {}, {}, {} },
        { u"&會計傳票"_s, u"&傳票轉入設定"_s, u"N44Click"_s, u"finc_modf"_s, u"C204"_s, {}, u"Tfinc_modf"_s, u"轉入設定"_s },
        { u"&會計傳票"_s, u"銀行&票據拋轉"_s, u"N62Click"_s, u"finc_ctranf"_s, u"C208"_s, {}, u"Tfinc_ctranf"_s, u"銀行票據傳票轉入"_s },
        { u"&會計傳票"_s, u"&其他傳票拋轉"_s, u"N41Click"_s, u"finc_tranf"_s, u"C204"_s, {}, u"Tfinc_tranf"_s, u"傳票轉入"_s },
        { u"&會計傳票"_s, u"-"_s, {}, {}, {}, {}, {}, {} },
        { u"&會計傳票"_s, u"調&整分錄設定"_s, u"N57Click"_s, u"finc_samF1"_s, u"C206"_s, {}, u"Tfinc_samF1"_s, u"調整分錄設定"_s },
        { u"&會計傳票"_s, u"調整&分錄拋轉"_s, u"N58Click"_s, u"finc_stranF"_s, u"C207"_s, {}, u"Tfinc_stranF"_s, u"調整分錄拋轉"_s },
        { u"&會計傳票"_s, u"-"_s, {}, {}, {}, {}, {}, {} },
        { u"&會計傳票"_s, u"&傳票登錄"_s, u"N21Click"_s, u"fincF"_s, u"C201"_s, {}, u"TfincF"_s, u"會計傳票登錄"_s },
        { u"&會計傳票"_s, u"&財務過帳"_s, u"N24Click"_s, u"fin_posF"_s, u"C202"_s, {}, u"Tfin_posF"_s, u"財務過帳"_s },
        { u"&會計傳票"_s, u"財務&結轉"_s, u"N32Click"_s, u"finc_closeF"_s, u"C203"_s, {}, u"Tfinc_closeF"_s, u"會計結轉作業"_s },
        { u"&會計傳票"_s, u"&傳票檢查"_s, u"N63Click"_s, u"shfinf"_s, u"C206"_s, {}, u"Tshfinf"_s, u"傳票檢查"_s },
        { u"&票據出納報表"_s, u"&票據資料明細"_s, u"N25Click"_s, u"elist1F"_s, u"B501"_s, {}, u"Telist1F"_s, u"票據資料明細表"_s },
        { u"&票據出納報表"_s, u"&未兌現明細表"_s, u"N26Click"_s, u"elist2F"_s, u"B502"_s, {}, u"Telist2F"_s, u"未兌現明細表"_s },
        { u"&票據出納報表"_s, u"&應付票據簽收聯"_s, u"N30Click"_s, u"elist5F"_s, u"B505"_s, {}, u"Telist5F"_s, u"應付票據簽收聯"_s },
        { u"&票據出納報表"_s, u"-"_s, {}, {}, {}, {}, {}, {} },
        { u"&票據出納報表"_s, u"&零用金明細表"_s, u"N28Click"_s, u"elist3F"_s, u"B503"_s, {}, u"Telist3F"_s, u"零用金明細表"_s },
        { u"&票據出納報表"_s, u"&銀行往來明細表"_s, u"N29Click"_s, u"elist4F"_s, u"B504"_s, {}, u"Telist4F"_s, u"銀行往來明細表"_s },
        { u"&票據出納報表"_s, u"&銀行資金預估表"_s, u"N31Click"_s, u"elist6F"_s, u"B506"_s, {}, u"Telist6F"_s, u"銀行資金預估表"_s },
        { u"&會計報表"_s, u"&科目設定列表"_s, u"N48Click"_s, u"flist7F"_s, u"F08"_s, {}, u"Tflist7F"_s, u"科目設定列表"_s },
        { u"&會計報表"_s, u"&試算表"_s, u"N34Click"_s, u"flist1F"_s, u"F01"_s, {}, u"Tflist1F"_s, u"試算表"_s },
        { u"&會計報表"_s, u"&總分類帳"_s, u"N43Click"_s, u"flist2F_1"_s, u"F07"_s, {}, u"Tflist2F_1"_s, u"總分類帳"_s },
        { u"&會計報表"_s, u"&明細分類帳"_s, u"N35Click"_s, u"flist2F"_s, u"F02"_s, {}, u"Tflist2F"_s, u"明細分類帳"_s },
        { u"&會計報表"_s, u"&日記帳"_s, u"N36Click"_s, u"flist3F"_s, u"F03"_s, {}, u"Tflist3F"_s, u"日記帳"_s },
        { u"&會計報表"_s, u"&現金簿"_s, u"N37Click"_s, u"flist4F"_s, u"F04"_s, {}, u"Tflist4F"_s, u"現金簿"_s },
        { u"&會計報表"_s, u"-"_s, {}, {}, {}, {}, {}, {} },
        { u"&會計報表"_s, u"&損益表"_s, u"N38Click"_s, u"flist5F"_s, u"F05"_s, {}, u"Tflist5F"_s, u"損益表"_s },
        { u"&會計報表"_s, u"&部門損益表"_s, u"N54Click"_s, u"flist5PF"_s, u"F05P"_s, {}, u"Tflist5PF"_s, u"損益表"_s },
        { u"&會計報表"_s, u"資產&負債表"_s, u"N39Click"_s, u"flist6F"_s, u"F06"_s, {}, u"Tflist6F"_s, u"資產負債表"_s },
        { u"&會計報表"_s, u"部&門資產負債表"_s, u"N55Click"_s, u"flist6PF"_s, u"F06P"_s, {}, u"Tflist6PF"_s, u"資產負債表"_s },
        { u"&會計報表"_s, u"-"_s, {}, {}, {}, {}, {}, {} },
        { u"&會計報表"_s, u"&收入分析表"_s, u"N49Click"_s, u"flist8F"_s, u"F09"_s, u"收入分析"_s, u"Tflist8F"_s, u"收入分析表"_s },
        { u"&會計報表"_s, u"&成本分析表"_s, u"N50Click"_s, u"flist9F"_s, u"F10"_s, u"成本分析"_s, u"Tflist9F"_s, u"收入分析表"_s },
        { u"&會計報表"_s, u"&費用分析表"_s, u"N51Click"_s, u"flist10F"_s, u"F11"_s, u"費用分析"_s, u"Tflist10F"_s, u"收入分析表"_s },
        { u"&會計報表"_s, u"&立沖脹明細表"_s, u"N52Click"_s, u"flist11F"_s, u"F12"_s, {}, u"Tflist11F"_s, u"立沖帳明細表"_s },
        { u"&會計報表"_s, u"&現金流量表"_s, u"N60Click"_s, u"flist12F"_s, u"F13"_s, {}, u"Tflist12F"_s, u"現金流量"_s },
        { u"&線上更新"_s, u"&線上更新"_s, u"N12Click"_s, {}, {}, {}, {}, {}, true },
        { u"&資料備份"_s, u"&資料備份"_s, u"N20Click"_s, {}, {}, {}, {}, {}, true },
        { u"&說明"_s, u"&關於..."_s, u"HelpAbout1Execute"_s, {}, {}, {}, {}, {} },
        { u"&說明"_s, u"&票據手冊"_s, u"N5Click"_s, {}, {}, {}, {}, {} },
        { u"&說明"_s, u"&會計手冊"_s, u"N40Click"_s, {}, {}, {}, {}, {} },
    };
    return entries;
}

const QList<ProgramEntry>& subordinatePrograms()
{
    static const QList<ProgramEntry> entries = {
        { {}, {}, {}, u"finc_repF"_s, u"C201"_s, {}, u"Tfinc_repF"_s, u"傳票列印"_s },
        { {}, {}, {}, u"Tclabel"_s, u"B01"_s, {}, u"TTclabel"_s, u"標籤Korvessa"_s },
    };
    return entries;
}

QList<QString> programMenus()
{
    QList<QString> menus;
    for (const ProgramEntry& e : programEntries()) {
        if (!menus.contains(e.menu))
            menus.append(e.menu);
    }
    return menus;
}

const ProgramEntry* findProgramByWindow(const QString& windowName)
{
    for (const ProgramEntry& e : programEntries()) {
        if (e.opensModule() && e.windowName == windowName)
            return &e;
    }
    return nullptr;
}

const ProgramEntry* findProgramByCode(const QString& programCode)
{
    for (const ProgramEntry& e : programEntries()) {
        if (e.opensModule() && e.programCode == programCode)
            return &e;
    }
    return nullptr;
}

} // namespace korvessa
