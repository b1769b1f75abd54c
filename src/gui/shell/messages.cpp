#include "gui/shell/messages.h"

#include <QMessageBox>
#include <QWidget>

namespace korvessa {

using namespace Qt::StringLiterals;

namespace {

Messages* g_installed = nullptr;

QMessageBox::Icon boxIcon(Messages::Icon icon)
{
    switch (icon) {
    case Messages::Icon::Error:
        return QMessageBox::Critical;
    case Messages::Icon::Warning:
        return QMessageBox::Warning;
    case Messages::Icon::Question:
        return QMessageBox::Question;
    case Messages::Icon::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void Messages::refuse(QWidget* parent, const Refusal& refusal)
{
    Icon icon = Icon::Error;
    if (refusal.style == Refusal::Style::Confirm)
        icon = Icon::Question;
    else if (refusal.style == Refusal::Style::Warning)
        icon = Icon::Warning;
    inform(parent, refusal.caption, refusal.text, icon);
    if (parent && !refusal.field.isEmpty()) {
        if (auto* target = parent->findChild<QWidget*>(refusal.field))
            target->setFocus(Qt::OtherFocusReason);
    }
}

bool Messages::confirmExit(QWidget* parent)
{
    return ask(parent, u"離開確認"_s, u"確定要離開嗎?"_s, Icon::Warning);
}

bool Messages::confirmDelete(QWidget* parent)
{
    return ask(parent, u"刪除確認"_s, u"確定要刪除嗎?"_s, Icon::Question);
}

Messages& Messages::instance()
{
    static DialogMessages dialogs;
    return g_installed ? *g_installed : dialogs;
}

void Messages::install(Messages* messages) { g_installed = messages; }

void DialogMessages::inform(QWidget* parent, const QString& caption, const QString& text, Icon icon)
{
    QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Ok, parent);
    box.exec();
}

bool DialogMessages::ask(QWidget* parent, const QString& caption, const QString& text, Icon icon)
{
    QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

ScriptedMessages::ScriptedMessages() { Messages::install(this); }

ScriptedMessages::~ScriptedMessages()
{
    if (&Messages::instance() == this)
        Messages::install(nullptr);
}

void ScriptedMessages::inform(QWidget*, const QString& caption, const QString& text, Icon icon)
{
    shown.append({ caption, text, icon, false });
}

bool ScriptedMessages::ask(QWidget*, const QString& caption, const QString& text, Icon icon)
{
    shown.append({ caption, text, icon, true });
    return answers.isEmpty() ? defaultAnswer : answers.takeFirst();
}

} // namespace korvessa
