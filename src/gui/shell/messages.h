#pragma once

#include "core/common/refusal.h"

#include <QList>
#include <QString>

class QWidget;

namespace korvessa {

// The one way the program shows a message or asks a question. The desktop
// uses message boxes; tests install a scripted double, so that no test waits
// on a real modal dialog.
class Messages {
public:
    enum class Icon { Error, Warning, Question, Information };

    virtual ~Messages() = default;

    // A message with a single OK button.
    virtual void inform(QWidget* parent, const QString& caption, const QString& text, Icon icon) = 0;
    // A Yes/No question with No preselected; true for Yes.
    virtual bool ask(QWidget* parent, const QString& caption, const QString& text, Icon icon) = 0;

    // Shows a refusal in its style and puts the focus on its field, looked up
    // by object name below `parent`.
    void refuse(QWidget* parent, const Refusal& refusal);

    // "確定要離開嗎?" with caption "離開確認": the question every closing asks.
    bool confirmExit(QWidget* parent);
    // "確定要刪除嗎?" with caption "刪除確認".
    bool confirmDelete(QWidget* parent);

    // The service in force; message boxes unless a test installed another.
    static Messages& instance();
    static void install(Messages* messages); // not owned; nullptr restores the boxes
};

// Message boxes.
class DialogMessages final : public Messages {
public:
    void inform(QWidget* parent, const QString& caption, const QString& text, Icon icon) override;
    bool ask(QWidget* parent, const QString& caption, const QString& text, Icon icon) override;
};

// A double that records every message and answers questions from a script
// (Yes when the script is empty, unless `defaultAnswer` says otherwise).
class ScriptedMessages final : public Messages {
public:
    struct Shown {
        QString caption;
        QString text;
        Icon icon;
        bool question;
    };

    ScriptedMessages();
    ~ScriptedMessages() override;

    void inform(QWidget* parent, const QString& caption, const QString& text, Icon icon) override;
    bool ask(QWidget* parent, const QString& caption, const QString& text, Icon icon) override;

    QList<Shown> shown;
    QList<bool> answers;
    bool defaultAnswer = true;

    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }
    void clear() { shown.clear(); }
};

} // namespace korvessa
