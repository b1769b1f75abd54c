#include "gui/ledger/voucherentrywindow.h"

#include "core/common/dates.h"
#include "core/common/money.h"
#include "core/ledger/accountcode.h"
#include "core/ledger/accounts.h"
#include "core/ledger/vouchers.h"
#include "gui/customers/customerpicker.h"
#include "gui/ledger/commonentrypicker.h"
#include "gui/ledger/voucherbrowser.h"
#include "gui/shell/calendarpopup.h"
#include "gui/shell/datasetmodel.h"
#include "gui/shell/griddelegate.h"
#include "gui/shell/gridframe.h"
#include "gui/shell/gridview.h"
#include "gui/shell/messages.h"
#include "gui/shell/moduleregistry.h"
#include "gui/shell/moduletoolbar.h"
#include "gui/shell/pickers/accountpicker.h"
#include "gui/shell/shell.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace korvessa {

using namespace Qt::StringLiterals;

namespace {

const QString kCommonType = u"常用"_s;
// The window of voucher printing, opened modally from "列印".
const QString kPrintWindow = u"finc_repF"_s;

SqlParams params(const QString& comp, const QString& number)
{
    return { { u":comp"_s, comp }, { u":no"_s, number } };
}

QIcon ellipsisIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.drawText(pixmap.rect(), Qt::AlignCenter, u"…"_s);
    return QIcon(pixmap);
}

} // namespace

// The lines as the grid shows them: the typed columns go through the
// window's rules before a value is taken; 序號 and 科目名稱 are read-only.
class VoucherLinesModel : public DataSetModel {
public:
    VoucherLinesModel(DataSet* set, QList<GridColumn> columns, VoucherEntryWindow* window)
        : DataSetModel(set, std::move(columns), window)
        , m_window(window)
    {
        setEditable(true);
    }

    QString columnName(int section) const { return gridColumns().value(section).column; }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        if (!index.isValid() || role != Qt::EditRole)
            return false;
        return m_window->typeIntoLine(index.row(), columnName(index.column()), value.toString());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::TextAlignmentRole) {
            const QString c = columnName(index.column());
            if (c == u"find_dec"_s || c == u"find_cre"_s)
                return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        }
        return DataSetModel::data(index, role);
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        Qt::ItemFlags f = DataSetModel::flags(index);
        const QString c = columnName(index.column());
        if (c == u"find_sn"_s || c == u"find_name"_s)
            f &= ~Qt::ItemIsEditable;
        return f;
    }

private:
    VoucherEntryWindow* m_window;
};

namespace {

// The cell editors of the lines: line edits (amounts as typed text, the
// account through its mask), the ellipsis button of 會計科目 and 對象, and
// the department pick list.
class VoucherLineDelegate : public GridDelegate {
public:
    VoucherLineDelegate(QAbstractItemView* view, VoucherLinesModel* model, const QStringList* departments,
        std::function<void(int row, const QString& column)> ellipsis)
        : GridDelegate(view)
        , m_model(model)
        , m_departments(departments)
        , m_ellipsis(std::move(ellipsis))
    {
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        const QString column = m_model->columnName(index.column());
        if (column == u"find_dep"_s) {
            auto* combo = new QComboBox(parent);
            combo->addItem(QString());
            combo->addItems(*m_departments);
            return combo;
        }
        auto* edit = new QLineEdit(parent);
        edit->setInputMethodHints(Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
        if (column == u"find_acc"_s)
            edit->setInputMask(QString::fromLatin1(accountcode::kInputMask));
        if (column == u"find_acc"_s || column == u"find_obj"_s) {
            QAction* action = edit->addAction(ellipsisIcon(), QLineEdit::TrailingPosition);
            action->setToolTip(column == u"find_acc"_s ? u"會計科目查詢"_s : u"客戶查詢"_s);
            const QPersistentModelIndex at(index);
            auto* self = const_cast<VoucherLineDelegate*>(this);
            QObject::connect(action, &QAction::triggered, edit, [self, edit, at, column] {
                // The editor goes without writing what was typed; the
                // picker's choice is put into the line instead.
                Q_EMIT self->closeEditor(edit, QAbstractItemDelegate::NoHint);
                const auto ellipsis = self->m_ellipsis;
                QTimer::singleShot(0, self, [ellipsis, at, column] {
                    if (at.isValid())
                        ellipsis(at.row(), column);
                });
            });
        }
        return edit;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            combo->setCurrentIndex(std::max(0, combo->findText(index.data(Qt::EditRole).toString())));
            return;
        }
        if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
            const QString column = m_model->columnName(index.column());
            const QVariant value = index.data(Qt::EditRole);
            if (column == u"find_dec"_s || column == u"find_cre"_s)
                edit->setText(value.isNull() || value.toDouble() == 0 ? QString() : index.data().toString());
            else if (column == u"find_acc"_s)
                edit->setText(accountcode::display(value.toString()));
            else
                edit->setText(value.toString());
        }
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        QString text;
        if (auto* combo = qobject_cast<QComboBox*>(editor))
            text = combo->currentText();
        else if (auto* edit = qobject_cast<QLineEdit*>(editor))
            text = edit->text();
        const QString column = m_model->columnName(index.column());
        // An untouched cell is not typed into.
        if (column == u"find_acc"_s) {
            if (accountcode::fromDisplay(text) == index.data(Qt::EditRole).toString())
                return;
        } else if (column == u"find_dec"_s || column == u"find_cre"_s) {
            if (text.trimmed().isEmpty() && index.data(Qt::EditRole).toDouble() == 0)
                return;
        } else if (text == index.data(Qt::EditRole).toString()) {
            return;
        }
        model->setData(index, text, Qt::EditRole);
    }

    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        editor->setGeometry(option.rect);
    }

private:
    VoucherLinesModel* m_model;
    const QStringList* m_departments;
    std::function<void(int, const QString&)> m_ellipsis;
};

} // namespace

VoucherEntryWindow::VoucherEntryWindow(QWidget* parent)
    : ModuleWindow(parent)
{
    setObjectName(u"fincF"_s);
    setWindowTitle(u"會計傳票登錄"_s);

    m_accountSource = [this](QWidget* owner) {
        AccountPicker picker(books(), curComp(), owner);
        picker.exec();
        return picker.pickResult() == u"ok"_s ? picker.pickedAccount() : QString();
    };
    m_customerSource = [this](QWidget* owner) {
        CustomerPicker picker(books(), owner);
        picker.exec();
        return picker.pickResult() == u"ok"_s ? picker.text(u"cus_no"_s) : QString();
    };
    m_browserSource = [this](QWidget* owner) {
        VoucherBrowser browser(books(), curComp(), owner);
        browser.exec();
        return browser.pickedNumber();
    };
    m_entrySource = [this](QWidget* owner) -> std::optional<std::pair<QString, double>> {
        CommonEntryPicker picker(books(), curComp(), kCommonType, owner);
        picker.exec();
        if (picker.pickResult() != u"ok"_s)
            return std::nullopt;
        return std::pair { picker.entryNumber(), picker.amount() };
    };

    m_header.setKeyColumns({ u"comp"_s, u"finm_no"_s });
    m_lines.setKeyColumns({ u"comp"_s, u"find_no"_s, u"find_sn"_s });
    openSets(QString());

    toolbar()->edit1()->setEnabled(false);
    toolbar()->speedButton10()->setEnabled(false);

    buildHeader();
    buildPages();
    buildTotals();

    // Printing is there once its window is.
    const ModuleEntry* printing = findModule(kPrintWindow);
    m_printable = printing && printing->built();

    m_editing.setDetail(&m_lines);
    m_editing.setKeyField(m_number);
    m_editing.setOptions({ .prints = m_printable, .insertWhileEditing = false });
    m_editing.setToolbarAdjust([this](ToolbarButtons& b) { adjustToolbar(b); });
    m_editing.setAskBeforeExit(true);
    m_editing.setHandler(EditingController::Action::Insert, [this] { newVoucher(); });
    m_editing.setHandler(EditingController::Action::Post, [this] { save(); });
    m_editing.setHandler(EditingController::Action::Cancel, [this] { cancel(); });
    m_editing.setHandler(EditingController::Action::Delete, [this] { removeVoucher(); });
    m_editing.setHandler(EditingController::Action::Prior, [this] { moveNewer(); });
    m_editing.setHandler(EditingController::Action::Next, [this] { moveOlder(); });
    m_editing.setHandler(EditingController::Action::Print, [this] { print(); });
    m_editing.setHandler(EditingController::Action::Search, [] {});

    connect(&m_header, &DataSet::changed, this, &VoucherEntryWindow::updateControls);
    connect(&m_lines, &DataSet::changed, this, [this] {
        // A changed line makes the voucher a changed one, so that the
        // toolbar offers 存檔 / 取消 until it is saved or dropped.
        if ((m_lines.isChanging() || m_lines.hasChanges()) && m_header.state() == DataSet::State::Browse
            && !m_header.isEmpty())
            m_header.edit();
        updateControls();
    });

    // Opening: the currencies and departments are read by the builders;
    // the newest voucher, or a new one when the company has none; then the
    // voucher handed over by the opener.
    if (auto newest = vouchers::newest(books(), curComp()); !newest)
        report(newest.refusal());
    else if (*newest)
        showVoucher(**newest);
    else
        newVoucher();
    if (!openVoucherNo().isEmpty()) {
        showVoucher(openVoucherNo());
        if (Shell* shell = Shell::instance())
            shell->session().open_voucher_no.clear();
    }
    m_editing.updateState();
    updateControls();
}

VoucherEntryWindow::~VoucherEntryWindow() = default;

// ---- building ------------------------------------------------------------

void VoucherEntryWindow::buildHeader()
{
    m_headerPanel = new QWidget(this);
    m_headerPanel->setObjectName(u"Panel1"_s);
    stylePanel(m_headerPanel);
    auto* grid = new QGridLayout(m_headerPanel);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(6);

    auto field = [this](const QString& name) {
        auto* edit = new QLineEdit(m_headerPanel);
        edit->setObjectName(name);
        return edit;
    };
    auto readOnly = [](QLineEdit* edit) {
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::ClickFocus);
        QPalette p = edit->palette();
        p.setColor(QPalette::Base, QColor(Qt::lightGray).lighter(115));
        edit->setPalette(p);
    };
    auto label = [this](const QString& text) { return new QLabel(text, m_headerPanel); };
    auto button = [this](const QString& text, const QString& name) {
        auto* b = new QPushButton(text, m_headerPanel);
        b->setObjectName(name);
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };

    m_number = field(QString::fromLatin1(vouchers::kNumberField));
    m_binder.bind(m_number, u"finm_no"_s);
    m_number->setMaxLength(10);
    connect(m_number, &QLineEdit::textEdited, this, [this] { m_typedNumber = true; });

    m_date = field(QString::fromLatin1(vouchers::kDateField));
    m_date->setInputMask(u"0000/00/00;_"_s);
    m_binder.bind(m_date, u"finm_dat"_s);
    connect(m_date, &QLineEdit::editingFinished, this, &VoucherEntryWindow::leaveDate);
    m_calendarButton = button(u"日曆"_s, u"Button1"_s);

    m_type = new QComboBox(m_headerPanel);
    m_type->setObjectName(QString::fromLatin1(vouchers::kTypeField));
    m_type->addItems(vouchers::types());
    m_binder.bind(m_type, u"finm_type"_s);
    connect(m_type, &QComboBox::activated, this, [this](int index) { chooseType(m_type->itemText(index)); });

    m_currency = new QComboBox(m_headerPanel);
    m_currency->setObjectName(QString::fromLatin1(vouchers::kCurrencyField));
    if (auto list = vouchers::currencies(books(), curComp())) {
        for (const vouchers::Currency& c : *list)
            m_currency->addItem(c.code);
    } else {
        report(list.refusal());
    }
    m_binder.bind(m_currency, u"finm_cur"_s);
    connect(
        m_currency, &QComboBox::activated, this, [this](int index) { chooseCurrency(m_currency->itemText(index)); });

    m_rate = field(u"finm_num"_s);
    readOnly(m_rate);
    m_rate->setAlignment(Qt::AlignRight);
    m_summary = field(u"finm_pre"_s);
    m_binder.bind(m_summary, u"finm_pre"_s);
    m_user = field(u"finm_user"_s);
    m_binder.bind(m_user, u"finm_user"_s);
    readOnly(m_user);
    m_browseButton = button(u"瀏覽"_s, u"Button2"_s);

    auto* dateBox = new QHBoxLayout;
    dateBox->setContentsMargins(0, 0, 0, 0);
    dateBox->addWidget(m_date, 1);
    dateBox->addWidget(m_calendarButton);

    grid->addWidget(label(u"傳票編號"_s), 0, 0);
    grid->addWidget(m_number, 0, 1);
    grid->addWidget(label(u"傳票日期"_s), 0, 2);
    grid->addLayout(dateBox, 0, 3);
    grid->addWidget(label(u"傳票類別"_s), 0, 4);
    grid->addWidget(m_type, 0, 5);
    grid->addWidget(m_browseButton, 0, 6);
    grid->addWidget(label(u"幣別"_s), 1, 0);
    grid->addWidget(m_currency, 1, 1);
    grid->addWidget(label(u"匯率"_s), 1, 2);
    grid->addWidget(m_rate, 1, 3);
    grid->addWidget(label(u"登錄人"_s), 1, 4);
    grid->addWidget(m_user, 1, 5);
    grid->addWidget(label(u"傳票摘要"_s), 2, 0);
    grid->addWidget(m_summary, 2, 1, 1, 5);
    for (int c : { 1, 3, 5 })
        grid->setColumnStretch(c, 1);
    contentLayout()->addWidget(m_headerPanel);

    m_calendar = new CalendarPopup(this);
    connect(m_calendar, &QCalendarWidget::activated, this, [this](const QDate& date) {
        m_calendar->hide();
        pickDate(date);
    });
    connect(m_calendarButton, &QPushButton::clicked, this, [this] {
        const QDate shown = dateFromText(m_header.text(u"finm_dat"_s));
        m_calendar->showBelow(m_calendarButton, shown);
    });
    connect(m_browseButton, &QPushButton::clicked, this, &VoucherEntryWindow::browse);
}

void VoucherEntryWindow::buildPages()
{
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(u"PageControl1"_s);

    auto* linesPage = new QWidget;
    auto* linesLayout = new QVBoxLayout(linesPage);
    linesLayout->setContentsMargins(4, 4, 4, 4);
    m_grid = new GridFrame(linesPage);
    auto amount = [this](const QVariant& v) { return v.isNull() ? QString() : money::format(v.toDouble(), pattern()); };
    const QList<GridColumn> columns = {
        { u"find_sn"_s, u"序號"_s, 40 },
        { u"find_acc"_s, u"會計科目"_s, 90, [](const QVariant& v) { return accountcode::display(v.toString()); } },
        { u"find_name"_s, u"科目名稱"_s, 140 },
        { u"find_pre"_s, u"科目摘要"_s, 180 },
        { u"find_dec"_s, u"借方"_s, 100, amount },
        { u"find_cre"_s, u"貸方"_s, 100, amount },
        { u"find_dep"_s, u"部門"_s, 80 },
        { u"find_obj"_s, u"對象"_s, 90 },
        { u"find_orgn"_s, u"原始單號"_s, 100 },
    };
    GridView* view = m_grid->dbGrid1();
    m_grid->setEditable(true);
    m_model = new VoucherLinesModel(&m_lines, columns, this);
    view->setModel(m_model);
    for (qsizetype c = 0; c < columns.size(); ++c)
        view->setColumnWidth(int(c), columns.at(c).width);
    if (auto names = vouchers::departments(books()))
        m_departments = *names;
    else
        report(names.refusal());
    auto* delegate = new VoucherLineDelegate(view, m_model, &m_departments, [this](int row, const QString& column) {
        if (column == u"find_acc"_s)
            pickAccount(row);
        else
            pickCustomer(row);
    });
    view->setItemDelegate(delegate);

    // The grid and the lines keep one current row; leaving a line being
    // changed goes through its check first.
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& current) {
        if (m_syncing == 0 && current.isValid())
            lineRowPicked(current.row());
    });
    auto hold = [this] { ++m_syncing; };
    auto release = [this] { --m_syncing; };
    connect(&m_lines, &DataSet::aboutToReset, this, hold);
    connect(&m_lines, &DataSet::wasReset, this, release);
    connect(&m_lines, &DataSet::rowAboutToBeInserted, this, hold);
    connect(&m_lines, &DataSet::rowInserted, this, release);
    connect(&m_lines, &DataSet::rowAboutToBeRemoved, this, hold);
    connect(&m_lines, &DataSet::rowRemoved, this, release);
    connect(&m_lines, &DataSet::currentRowChanged, this, &VoucherEntryWindow::syncGridRow);
    linesLayout->addWidget(m_grid, 1);

    auto* buttons = new QHBoxLayout;
    m_addLine = new QPushButton(u"新增"_s, linesPage);
    m_addLine->setObjectName(u"Button3"_s);
    m_deleteLine = new QPushButton(u"刪除"_s, linesPage);
    m_deleteLine->setObjectName(u"Button4"_s);
    for (QPushButton* b : { m_addLine, m_deleteLine }) {
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    linesLayout->addLayout(buttons);
    connect(m_addLine, &QPushButton::clicked, this, &VoucherEntryWindow::addLine);
    connect(m_deleteLine, &QPushButton::clicked, this, &VoucherEntryWindow::deleteLine);
    m_pages->addTab(linesPage, u"分錄明細"_s);

    auto* memoPage = new QWidget;
    auto* memoLayout = new QGridLayout(memoPage);
    QLineEdit* previous = nullptr;
    for (int i = 1; i <= 3; ++i) {
        auto* edit = new QLineEdit(memoPage);
        const QString column = u"finm_memo"_s + QString::number(i);
        edit->setObjectName(column);
        m_binder.bind(edit, column);
        memoLayout->addWidget(new QLabel(u"備註"_s, memoPage), i - 1, 0);
        memoLayout->addWidget(edit, i - 1, 1);
        if (previous)
            setTabOrder(previous, edit);
        previous = edit;
    }
    memoLayout->setRowStretch(3, 1);
    m_pages->addTab(memoPage, u"備註說明"_s);
    contentLayout()->addWidget(m_pages, 1);

    setTabOrder(m_number, m_date);
    setTabOrder(m_date, m_type);
    setTabOrder(m_type, m_currency);
    setTabOrder(m_currency, m_summary);
    setTabOrder(m_summary, view);
}

void VoucherEntryWindow::buildTotals()
{
    auto* panel = new QWidget(this);
    panel->setObjectName(u"Panel2"_s);
    stylePanel(panel);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(8, 4, 8, 4);
    auto total = [&](const QString& name, int width) {
        auto* edit = new QLineEdit(panel);
        edit->setObjectName(name);
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        edit->setAlignment(Qt::AlignRight);
        edit->setFixedWidth(width);
        return edit;
    };
    m_debitTotal = total(u"finm_deb"_s, 130);
    m_debitCount = total(u"finm_dcou"_s, 50);
    m_creditTotal = total(u"finm_cre"_s, 130);
    m_creditCount = total(u"finm_ccou"_s, 50);
    row->addWidget(new QLabel(u"借方總額"_s, panel));
    row->addWidget(m_debitTotal);
    row->addWidget(m_debitCount);
    row->addSpacing(16);
    row->addWidget(new QLabel(u"貸方總額"_s, panel));
    row->addWidget(m_creditTotal);
    row->addWidget(m_creditCount);
    row->addStretch(1);
    m_entryButton = new QPushButton(u"載入常用分錄"_s, panel);
    m_entryButton->setObjectName(u"Button5"_s);
    m_entryButton->setAutoDefault(false);
    m_entryButton->setFocusPolicy(Qt::NoFocus);
    row->addWidget(m_entryButton);
    connect(m_entryButton, &QPushButton::clicked, this, &VoucherEntryWindow::loadCommonEntry);
    contentLayout()->addWidget(panel);
}

DataSetModel* VoucherEntryWindow::lineModel() const
{
    return m_model;
}

int VoucherEntryWindow::gridColumn(const QString& column) const
{
    const QList<GridColumn>& columns = m_model->gridColumns();
    for (qsizetype c = 0; c < columns.size(); ++c) {
        if (columns.at(c).column == column)
            return int(c);
    }
    return -1;
}

// ---- state ---------------------------------------------------------------

QString VoucherEntryWindow::pattern() const
{
    return m_header.text(u"finm_for"_s);
}

void VoucherEntryWindow::report(const Status& status)
{
    if (!status)
        Messages::instance().refuse(this, status.refusal());
}

void VoucherEntryWindow::openSets(const QString& number)
{
    report(m_header.open(
        books(), u"fincm"_s, u"select * from fincm where comp = :comp and finm_no = :no"_s, params(curComp(), number)));
    report(m_lines.open(
        books(), u"fincd"_s, u"select * from fincd where comp = :comp and find_no = :no"_s, params(curComp(), number)));
    m_highestSn = 0;
    for (int r = 0; r < m_lines.count(); ++r)
        m_highestSn = std::max(m_highestSn, m_lines.value(r, u"find_sn"_s).toInt());
    if (!m_lines.isEmpty())
        m_lines.first();
}

bool VoucherEntryWindow::showVoucher(const QString& number)
{
    if (number.isEmpty() || number == QString::fromLatin1(vouchers::kOpeningVoucher))
        return false;
    auto there = vouchers::numberTaken(books(), curComp(), number);
    if (!there) {
        report(there.refusal());
        return false;
    }
    if (!*there)
        return false;
    openSets(number);
    m_current = number;
    m_typedNumber = false;
    updateNeighbours();
    return true;
}

void VoucherEntryWindow::updateNeighbours()
{
    m_hasNewer = m_hasOlder = false;
    if (!m_current.isEmpty()) {
        auto newer = vouchers::neighbour(books(), curComp(), m_current, vouchers::Direction::Newer);
        auto older = vouchers::neighbour(books(), curComp(), m_current, vouchers::Direction::Older);
        m_hasNewer = newer && newer->has_value();
        m_hasOlder = older && older->has_value();
    }
    m_editing.updateState();
    updateControls();
}

void VoucherEntryWindow::adjustToolbar(ToolbarButtons& b) const
{
    const bool editing = m_header.isChanging() || m_lines.isChanging();
    const Rights& r = rights();
    b.prior = !editing && m_hasNewer;
    b.next = !editing && m_hasOlder;
    b.insert = !editing && r.can_add;
    b.remove = !editing && !m_header.isEmpty() && r.can_delete;
    b.print = !editing && !m_header.isEmpty() && m_printable && r.can_print;
}

void VoucherEntryWindow::updateControls()
{
    const bool editing = isEditing();
    const bool inserting = isInserting();
    const bool shown = !m_header.isEmpty();
    m_headerPanel->setEnabled(shown);
    m_pages->setEnabled(shown);
    m_entryButton->setEnabled(shown);
    m_calendarButton->setEnabled(inserting);
    m_browseButton->setEnabled(!editing);
    m_date->setReadOnly(m_header.state() == DataSet::State::Browse);
    m_number->setReadOnly(!inserting);
    showDerived();
}

void VoucherEntryWindow::showDerived()
{
    const QString p = pattern();
    const QVariant rate = m_header.value(u"finm_num"_s);
    m_rate->setText(rate.isNull() ? QString() : QString::number(rate.toDouble(), 'f', 4));
    auto amount = [&](const char* column) {
        const QVariant v = m_header.value(QString::fromLatin1(column));
        return v.isNull() ? QString() : money::format(v.toDouble(), p);
    };
    m_debitTotal->setText(amount("finm_deb"));
    m_creditTotal->setText(amount("finm_cre"));
    m_debitCount->setText(m_header.text(u"finm_dcou"_s));
    m_creditCount->setText(m_header.text(u"finm_ccou"_s));
}

// ---- the voucher -----------------------------------------------------------

void VoucherEntryWindow::newVoucher()
{
    if (isEditing())
        return;
    auto list = vouchers::currencies(books(), curComp());
    if (!list) {
        report(list.refusal());
        return;
    }
    const vouchers::Currency first = list->isEmpty() ? vouchers::Currency { {}, 1, {} } : list->first();
    const vouchers::Voucher v = vouchers::newVoucher(curComp(), curUser(), first, todayText());
    openSets(QString());
    m_typedNumber = false;
    m_header.append({
        { u"comp"_s, v.comp },
        { u"finm_user"_s, v.user },
        { u"finm_dat"_s, v.date },
        { u"finm_dat2"_s, v.enteredOn },
        { u"finm_type"_s, v.type },
        { u"finm_cur"_s, v.currency },
        { u"finm_num"_s, v.rate },
        { u"finm_for"_s, v.pattern },
        { u"finm_deb"_s, 0.0 },
        { u"finm_cre"_s, 0.0 },
        { u"finm_dcou"_s, 0 },
        { u"finm_ccou"_s, 0 },
    });
    renumber();
    m_pages->setCurrentIndex(0);
    m_editing.updateState();
    updateControls();
    m_date->setFocus(Qt::OtherFocusReason);
}

void VoucherEntryWindow::renumber()
{
    if (!isInserting())
        return;
    auto next = vouchers::nextNumber(books(), curComp(), m_header.text(u"finm_dat"_s));
    if (!next) {
        report(next.refusal());
        return;
    }
    m_header.setValue(u"finm_no"_s, *next);
    m_typedNumber = false;
}

void VoucherEntryWindow::commitCellEditor()
{
    GridView* view = m_grid->dbGrid1();
    const QModelIndex index = view->currentIndex();
    QWidget* editor = index.isValid() ? view->indexWidget(index) : nullptr;
    if (!editor)
        return;
    QAbstractItemDelegate* delegate = view->itemDelegateForIndex(index);
    Q_EMIT delegate->commitData(editor);
    Q_EMIT delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
}

bool VoucherEntryWindow::save()
{
    commitCellEditor();
    if (m_header.isEmpty() || !isEditing())
        return false;
    vouchers::Voucher v = vouchers::fromRows(m_header, m_lines);
    // The checks first on a copy, so that the totals can be shown even when
    // the balance is refused.
    vouchers::Voucher checked = v;
    if (Status s = vouchers::prepare(checked); !s) {
        if (checked.debitCount + checked.creditCount > 0) {
            m_header.setValue(u"finm_deb"_s, checked.debitTotal);
            m_header.setValue(u"finm_cre"_s, checked.creditTotal);
            m_header.setValue(u"finm_dcou"_s, checked.debitCount);
            m_header.setValue(u"finm_ccou"_s, checked.creditCount);
        }
        report(s);
        return false;
    }
    const bool inserting = isInserting();
    auto saved = vouchers::save(books(), v, inserting ? QString() : m_current, inserting && m_typedNumber);
    if (!saved) {
        report(saved.refusal());
        return false;
    }
    showVoucher(*saved);
    Q_EMIT m_editing.saved();
    return true;
}

void VoucherEntryWindow::cancel()
{
    GridView* view = m_grid->dbGrid1();
    if (QWidget* editor = view->currentIndex().isValid() ? view->indexWidget(view->currentIndex()) : nullptr)
        Q_EMIT view->itemDelegate()->closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
    if (!m_current.isEmpty() && showVoucher(m_current))
        return;
    // The voucher shown is gone (or there was none): the newest one.
    auto newest = vouchers::newest(books(), curComp());
    if (newest && *newest && showVoucher(**newest))
        return;
    openSets(QString());
    m_current.clear();
    updateNeighbours();
}

void VoucherEntryWindow::removeVoucher()
{
    if (m_header.isEmpty() || isEditing() || m_current.isEmpty())
        return;
    if (!Messages::instance().confirmDelete(this))
        return;
    const QString number = m_current;
    auto older = vouchers::neighbour(books(), curComp(), number, vouchers::Direction::Older);
    auto newer = vouchers::neighbour(books(), curComp(), number, vouchers::Direction::Newer);
    if (Status s = vouchers::remove(books(), curComp(), number); !s) {
        report(s);
        return;
    }
    if (older && *older && showVoucher(**older))
        return;
    if (newer && *newer && showVoucher(**newer))
        return;
    openSets(QString());
    m_current.clear();
    updateNeighbours();
}

void VoucherEntryWindow::moveNewer()
{
    if (isEditing() || m_current.isEmpty())
        return;
    auto newer = vouchers::neighbour(books(), curComp(), m_current, vouchers::Direction::Newer);
    if (!newer)
        report(newer.refusal());
    else if (*newer)
        showVoucher(**newer);
}

void VoucherEntryWindow::moveOlder()
{
    if (isEditing() || m_current.isEmpty())
        return;
    auto older = vouchers::neighbour(books(), curComp(), m_current, vouchers::Direction::Older);
    if (!older)
        report(older.refusal());
    else if (*older)
        showVoucher(**older);
}

void VoucherEntryWindow::print()
{
    const ModuleEntry* printing = findModule(kPrintWindow);
    if (isEditing() || m_current.isEmpty() || !printing || !printing->built())
        return;
    if (Shell* shell = Shell::instance())
        shell->session().open_voucher_no = m_current;
    std::unique_ptr<QWidget> window(printing->factory());
    if (auto* dialog = qobject_cast<QDialog*>(window.get()))
        dialog->exec();
}

void VoucherEntryWindow::browse()
{
    if (isEditing())
        return;
    const QString number = m_browserSource ? m_browserSource(this) : QString();
    if (!number.isEmpty())
        showVoucher(number);
}

// ---- header fields ---------------------------------------------------------

void VoucherEntryWindow::chooseType(const QString& type)
{
    if (m_header.isEmpty())
        return;
    if (m_header.text(u"finm_type"_s) != type)
        m_header.setValue(u"finm_type"_s, type);
    if (type == QString::fromUtf8(vouchers::kTransferType))
        return;
    const QString cash = QString::fromLatin1(vouchers::kCashAccount);
    auto account = accounts::find(books(), curComp(), cash);
    if (!account)
        report(account.refusal());
    appendLine({});
    setLineAccount(m_lines.currentRow(), cash, account && *account ? (*account)->name : QString());
}

void VoucherEntryWindow::chooseCurrency(const QString& code)
{
    if (m_header.isEmpty())
        return;
    auto found = vouchers::currency(books(), curComp(), code);
    if (!found) {
        report(found.refusal());
        return;
    }
    if (m_header.text(u"finm_cur"_s) != code)
        m_header.setValue(u"finm_cur"_s, code);
    if (*found) {
        m_header.setValue(u"finm_num"_s, (*found)->rate);
        m_header.setValue(u"finm_for"_s, (*found)->pattern);
    }
    m_grid->dbGrid1()->viewport()->update();
}

void VoucherEntryWindow::leaveDate()
{
    if (m_header.isEmpty() || m_header.state() == DataSet::State::Browse)
        return;
    const QString text = m_date->text();
    if (Status s = vouchers::checkDate(text); !s) {
        report(s);
        m_header.setValue(u"finm_dat"_s, todayText());
    } else if (m_header.text(u"finm_dat"_s) != text) {
        m_header.setValue(u"finm_dat"_s, text);
    }
    renumber();
}

void VoucherEntryWindow::pickDate(const QDate& date)
{
    if (!isInserting())
        return;
    m_header.setValue(u"finm_dat"_s, dateText(date));
    renumber();
}

// ---- lines -------------------------------------------------------------------

void VoucherEntryWindow::appendLine(const QVariantMap& values)
{
    if (m_header.isEmpty())
        return;
    QVariantMap row = vouchers::lineDefaults(curComp(), m_header.text(u"finm_no"_s), m_header.text(u"finm_cur"_s),
        m_header.value(u"finm_num"_s).toDouble(), pattern(), ++m_highestSn);
    for (auto it = values.begin(); it != values.end(); ++it)
        row.insert(it.key(), it.value());
    m_lines.append(row);
}

void VoucherEntryWindow::setLineAccount(int row, const QString& code, const QString& name)
{
    m_lines.setValue(row, m_lines.columnIndex(u"find_acc"_s), code);
    m_lines.setValue(row, m_lines.columnIndex(u"find_name"_s), name);
    m_lines.setValue(row, m_lines.columnIndex(u"find_acct"_s), code.left(4));
}

bool VoucherEntryWindow::setLineAmount(int row, bool debit, double amount)
{
    auto local = money::localAmount(amount, m_header.value(u"finm_num"_s).toDouble());
    if (!local) {
        report(local.refusal());
        return false;
    }
    m_lines.setValue(row, m_lines.columnIndex(debit ? u"find_dec"_s : u"find_cre"_s), amount);
    m_lines.setValue(row, m_lines.columnIndex(debit ? u"find_tdec"_s : u"find_tcre"_s), double(*local));
    return true;
}

bool VoucherEntryWindow::typeIntoLine(int row, const QString& column, const QString& text)
{
    if (row < 0 || row >= m_lines.count())
        return false;
    if (column == u"find_acc"_s) {
        const auto account = accounts::postingAccount(books(), curComp(), accountcode::fromDisplay(text));
        if (!account) {
            report(account.refusal());
            return false;
        }
        setLineAccount(row, account->code, account->name);
        return true;
    }
    if (column == u"find_dec"_s || column == u"find_cre"_s) {
        const bool debit = column == u"find_dec"_s;
        const auto amount = vouchers::typedAmount(text, pattern());
        if (!amount) {
            report(amount.refusal());
            return false;
        }
        if (!setLineAmount(row, debit, *amount))
            return false;
        setLineAmount(row, !debit, 0);
        return true;
    }
    if (column == u"find_sn"_s || column == u"find_name"_s)
        return false;
    return m_lines.setValue(row, m_lines.columnIndex(column), text);
}

void VoucherEntryWindow::addLine()
{
    if (m_header.isEmpty() || !m_accountSource)
        return;
    const QString code = m_accountSource(this);
    if (code.size() < 4)
        return;
    auto account = accounts::find(books(), curComp(), code);
    if (!account)
        report(account.refusal());
    appendLine({});
    setLineAccount(m_lines.currentRow(), code, account && *account ? (*account)->name : QString());
    GridView* view = m_grid->dbGrid1();
    view->setFocus(Qt::OtherFocusReason);
    view->setCurrentIndex(m_model->index(m_lines.currentRow(), gridColumn(u"find_pre"_s)));
}

void VoucherEntryWindow::deleteLine()
{
    if (m_lines.isEmpty())
        return;
    m_lines.remove();
    if (!m_lines.isEmpty())
        m_lines.edit();
    m_editing.updateState();
}

void VoucherEntryWindow::pickAccount(int row)
{
    if (row < 0 || row >= m_lines.count() || !m_accountSource)
        return;
    const QString code = m_accountSource(this);
    if (code.size() <= 3)
        return;
    auto account = accounts::find(books(), curComp(), code);
    if (!account)
        report(account.refusal());
    setLineAccount(row, code, account && *account ? (*account)->name : QString());
}

void VoucherEntryWindow::pickCustomer(int row)
{
    if (row < 0 || row >= m_lines.count() || !m_customerSource)
        return;
    const QString number = m_customerSource(this);
    if (!number.isEmpty())
        m_lines.setValue(row, m_lines.columnIndex(u"find_obj"_s), number);
}

void VoucherEntryWindow::loadCommonEntry()
{
    if (m_header.isEmpty() || !m_entrySource)
        return;
    const auto chosen = m_entrySource(this);
    if (!chosen)
        return;
    auto entry = vouchers::entryLines(books(), curComp(), kCommonType, chosen->first);
    if (!entry) {
        report(entry.refusal());
        return;
    }
    for (const vouchers::EntryLine& line : std::as_const(*entry)) {
        auto account = accounts::find(books(), curComp(), line.account);
        const QString name = account && *account ? (*account)->name : line.name;
        const auto [debit, credit] = vouchers::entryLineAmounts(line, chosen->second);
        appendLine({ { u"find_dep"_s, line.department } });
        const int row = m_lines.currentRow();
        setLineAccount(row, line.account, name);
        // The amounts as they are; the save rounds them.
        setLineAmount(row, true, debit);
        setLineAmount(row, false, credit);
    }
}

bool VoucherEntryWindow::mayLeaveLine()
{
    if (!m_lines.isChanging())
        return true;
    const Status s
        = vouchers::checkLine(m_lines.value(u"find_dec"_s).toDouble(), m_lines.value(u"find_cre"_s).toDouble());
    report(s);
    return bool(s);
}

void VoucherEntryWindow::lineRowPicked(int row)
{
    if (row == m_lines.currentRow())
        return;
    if (!mayLeaveLine()) {
        syncGridRow();
        return;
    }
    m_lines.setCurrentRow(row);
}

void VoucherEntryWindow::syncGridRow()
{
    GridView* view = m_grid->dbGrid1();
    const int row = m_lines.currentRow();
    ++m_syncing;
    if (row < 0) {
        view->selectionModel()->clearCurrentIndex();
    } else if (view->currentIndex().row() != row) {
        const QModelIndex current = view->currentIndex();
        const QModelIndex target = m_model->index(row, current.isValid() ? current.column() : 1);
        view->selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
        // Only up and down: a window still being laid out is narrow, and
        // scrolling sideways to the account column would hide 序號.
        const int across = view->horizontalScrollBar()->value();
        view->scrollTo(target);
        view->horizontalScrollBar()->setValue(across);
    }
    --m_syncing;
}

} // namespace korvessa
