#pragma once

#include <QString>

namespace korvessa {

// An expected failure with the system's own texts. Rules and writes return a
// refusal instead of throwing; windows show it through the message service and
// put the focus on `field` (an object name, empty for none).
struct Refusal {
    enum class Kind {
        Rule, // a check of the program failed ("資料錯誤" and friends)
        Database, // the database refused; `text` holds the driver's own text
    };

    // How the message is shown: an error box ("資料錯誤"), or the confirmation
    // dialog with its question-mark icon and a single OK button ("Confirm").
    enum class Style {
        Error,
        Confirm,
        Warning,
    };

    QString caption;
    QString text;
    QString field;
    Kind kind = Kind::Rule;
    Style style = Style::Error;

    static Refusal rule(QString caption, QString text, QString field = {})
    {
        return { std::move(caption), std::move(text), std::move(field), Kind::Rule, Style::Error };
    }
    // The check's message in the confirmation dialog, caption "Confirm".
    static Refusal confirm(QString text)
    {
        return { QStringLiteral("Confirm"), std::move(text), {}, Kind::Rule, Style::Confirm };
    }
    static Refusal database(QString text)
    {
        return { QStringLiteral("資料庫錯誤"), std::move(text), {}, Kind::Database, Style::Error };
    }
};

} // namespace korvessa
