#include "gui/shell/logindialog.h"

#include "core/app/login.h"
#include "gui/shell/messages.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QToolButton>

namespace korvessa {

using namespace Qt::StringLiterals;

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 260;

QToolButton* makeButton(QWidget* parent, const QString& name, const QString& text, QStyle::StandardPixmap icon)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(text);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

} // namespace

LoginDialog::LoginDialog(const QSqlDatabase& db, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_db(db)
{
    setObjectName(u"Tlogin"_s);
    setWindowTitle(u"使用者登入"_s);
    setFixedSize(kWidth, kHeight);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);

    auto label = [this](const QString& text, int y) {
        auto* l = new QLabel(text, this);
        l->setGeometry(60, y, 70, 26);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        l->setStyleSheet(u"color: #1d4f91;"_s);
    };
    label(u"公司別"_s, 90);
    label(u"使用者"_s, 130);
    label(u"密碼"_s, 170);

    m_company = new QComboBox(this);
    m_company->setObjectName(u"ComboBox1"_s);
    m_company->setEditable(true);
    m_company->setInsertPolicy(QComboBox::NoInsert);
    m_company->setGeometry(135, 90, 200, 26);
    m_user = new QComboBox(this);
    m_user->setObjectName(u"ComboBox2"_s);
    m_user->setEditable(true);
    m_user->setInsertPolicy(QComboBox::NoInsert);
    m_user->setGeometry(135, 130, 200, 26);
    m_password = new QLineEdit(this);
    m_password->setObjectName(u"Edit1"_s);
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setGeometry(135, 170, 200, 26);

    m_signIn = makeButton(this, u"SpeedButton1"_s, u"登入"_s, QStyle::SP_DialogOkButton);
    m_signIn->setGeometry(135, 212, 90, 30);
    m_leave = makeButton(this, u"SpeedButton2"_s, u"離開"_s, QStyle::SP_DialogCloseButton);
    m_leave->setGeometry(245, 212, 90, 30);
    connect(m_signIn, &QToolButton::clicked, this, &LoginDialog::signIn);
    connect(m_leave, &QToolButton::clicked, this, &QDialog::reject);

    setTabOrder(m_password, m_company);
    setTabOrder(m_company, m_user);
    setTabOrder(m_user, m_signIn);
    setTabOrder(m_signIn, m_leave);
    for (QWidget* w : { static_cast<QWidget*>(m_company), static_cast<QWidget*>(m_user),
             static_cast<QWidget*>(m_password), static_cast<QWidget*>(m_signIn), static_cast<QWidget*>(m_leave) })
        w->installEventFilter(this);
    m_company->lineEdit()->installEventFilter(this);
    m_user->lineEdit()->installEventFilter(this);

    // Fill the lists; a database that cannot be read leaves them empty.
    auto lists = loginLists(m_db);
    if (lists) {
        m_user->addItems(lists->users);
        m_company->addItems(lists->companies);
    } else {
        Messages::instance().refuse(this, lists.refusal());
    }
    const RememberedLogin last = rememberedLogin();
    m_user->setEditText(last.user);
    m_company->setEditText(last.comp);
    m_password->setFocus(Qt::OtherFocusReason);
}

void LoginDialog::signIn()
{
    const Status s = checkLogin(m_db, m_company->currentText(), m_user->currentText(), m_password->text());
    if (!s) {
        Messages::instance().refuse(this, s.refusal());
        return;
    }
    rememberLogin(m_company->currentText(), m_user->currentText());
    accept();
}

void LoginDialog::moveFocusOn() { focusNextChild(); }

bool LoginDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            moveFocusOn();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void LoginDialog::keyPressEvent(QKeyEvent* event)
{
    // Enter never signs in, and Escape does not leave: only the buttons do.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        moveFocusOn();
        return;
    }
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void LoginDialog::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    QLinearGradient band(0, 0, width(), 0);
    band.setColorAt(0, QColor(166, 202, 240));
    band.setColorAt(1, QColor(230, 240, 252));
    p.fillRect(QRect(0, 0, width(), 64), band);
    QFont f = font();
    f.setPointSize(f.pointSize() + 8);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(20, 60, 120));
    p.drawText(QRect(24, 0, width() - 48, 64), Qt::AlignVCenter | Qt::AlignLeft, u"企業Korvessa"_s);
    QFont small = font();
    p.setFont(small);
    p.drawText(QRect(24, 0, width() - 48, 64), Qt::AlignVCenter | Qt::AlignRight, u"會計 · 票據 · 出納"_s);
    p.setPen(QColor(192, 220, 192));
    p.drawLine(40, 80, width() - 40, 80);
}

} // namespace korvessa
