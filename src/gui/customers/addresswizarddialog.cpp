#include "gui/customers/addresswizarddialog.h"

#include "core/app/startup.h"
#include "core/db/database.h"
#include "gui/customers/lookupcombobox.h"
#include "gui/customers/zipcodeeditordialog.h"
#include "gui/shell/messages.h"

#include <QDir>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace korvessa {

QSqlDatabase AddressWizardDialog::zipcodeDatabase(Status* error)
{
    QSqlDatabase db = QSqlDatabase::database(QString::fromLatin1(kZipcodeConnection), false);
    if (db.isValid() && db.isOpen())
        return db;
    auto opened = openZipcodes(QDir::currentPath());
    if (!opened) {
        if (error)
            *error = opened.refusal();
        return {};
    }
    return *opened;
}

AddressWizardDialog::AddressWizardDialog(QWidget* parent)
    : QDialog(parent)
{
    Status error;
    m_db = zipcodeDatabase(&error);
    build();
    if (!error)
        Messages::instance().refuse(this, error.refusal());
}

AddressWizardDialog::AddressWizardDialog(const QSqlDatabase& zipcodes, QWidget* parent)
    : QDialog(parent)
    , m_db(zipcodes)
{
    build();
}

AddressWizardDialog::~AddressWizardDialog() = default;

void AddressWizardDialog::build()
{
    setObjectName(u"addr1"_s);
    setWindowTitle(u"地址輸入精靈V0.1"_s);
    setModal(true);
    m_wizard.setDatabase(m_db);

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    const std::array<QString, AddressWizard::BoxCount> labels
        = { u"縣(市)"_s, u"鄉鎮區(市)"_s, u"郵遞區號"_s, u"街路村里"_s, u"號碼範圍"_s };
    for (int b = 0; b < AddressWizard::BoxCount; ++b) {
        auto* combo = new LookupComboBox(this);
        combo->setObjectName(u"ComboBox"_s + QString::number(b + 1));
        combo->setMinimumWidth(220);
        const auto box = AddressWizard::Box(b);
        connect(combo, &QComboBox::editTextChanged, this, [this, box](const QString& text) { boxEdited(box, text); });
        connect(combo, &LookupComboBox::popupAboutToShow, this, [this, box] {
            if (const QString warning = m_wizard.listWarning(box); !warning.isEmpty())
                Messages::instance().inform(this, windowTitle(), warning, Messages::Icon::Information);
        });
        m_boxes[b] = combo;
        form->addRow(labels[b], combo);
    }
    m_address = new QPlainTextEdit(this);
    m_address->setObjectName(u"Memo1"_s);
    m_address->setMaximumHeight(70);
    connect(m_address, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_showing)
            m_wizard.setAddress(m_address->toPlainText());
    });
    form->addRow(u"地址"_s, m_address);
    layout->addLayout(form);

    auto* keys = new QGridLayout;
    keys->setSpacing(2);
    const QStringList& captions = AddressWizard::keyCaptions();
    constexpr int perRow = 10;
    for (qsizetype i = 0; i < captions.size(); ++i) {
        auto* key = new QPushButton(captions.at(i), this);
        key->setObjectName(u"Key"_s + QString::number(i + 1));
        key->setFocusPolicy(Qt::NoFocus);
        key->setMinimumWidth(34);
        const QString caption = captions.at(i);
        connect(key, &QPushButton::clicked, this, [this, caption] {
            m_wizard.appendKey(caption);
            showWizard();
        });
        keys->addWidget(key, int(i / perRow), int(i % perRow));
    }
    layout->addLayout(keys);

    auto* buttons = new QHBoxLayout;
    auto* back = new QPushButton(u"<--"_s, this);
    back->setObjectName(u"BackButton"_s);
    back->setFocusPolicy(Qt::NoFocus);
    connect(back, &QPushButton::clicked, this, [this] {
        m_wizard.backspace();
        showWizard();
    });
    auto* again = new QPushButton(u"重新輸入"_s, this);
    again->setObjectName(u"ResetButton"_s);
    connect(again, &QPushButton::clicked, this, &AddressWizardDialog::restart);
    auto* editor = new QPushButton(u"編修資料庫"_s, this);
    editor->setObjectName(u"EditorButton"_s);
    connect(editor, &QPushButton::clicked, this, [this] {
        ZipcodeEditorDialog dialog(m_db, this);
        dialog.exec();
    });
    auto* ok = new QPushButton(u"確定"_s, this);
    ok->setObjectName(u"OkButton"_s);
    connect(ok, &QPushButton::clicked, this, [this] {
        m_result = m_address->toPlainText();
        accept();
    });
    for (QPushButton* b : { back, again, editor })
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    layout->addLayout(buttons);

    restart();
}

int AddressWizardDialog::exec()
{
    m_result.clear();
    return QDialog::exec();
}

void AddressWizardDialog::restart()
{
    m_wizard.reset();
    showWizard();
}

void AddressWizardDialog::boxEdited(AddressWizard::Box box, const QString& text)
{
    if (m_showing)
        return;
    m_wizard.changeBox(box, text);
    showWizard();
}

void AddressWizardDialog::showWizard()
{
    m_showing = true;
    for (int b = 0; b < AddressWizard::BoxCount; ++b) {
        LookupComboBox* combo = m_boxes[b];
        const auto box = AddressWizard::Box(b);
        const QString text = m_wizard.text(box);
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i)
            shown.append(combo->itemText(i));
        if (shown != m_wizard.items(box)) {
            // The box being typed into keeps its cursor: only its list changes.
            combo->clear();
            combo->addItems(m_wizard.items(box));
        }
        if (combo->currentText() != text)
            combo->setEditText(text);
    }
    if (m_address->toPlainText() != m_wizard.address()) {
        m_address->setPlainText(m_wizard.address());
        m_address->moveCursor(QTextCursor::End);
    }
    m_showing = false;
}

} // namespace korvessa
