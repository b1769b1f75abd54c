#pragma once

#include <QDialog>
#include <QSqlDatabase>

class QComboBox;
class QLineEdit;
class QToolButton;

namespace korvessa {

// "使用者登入": names the company and signs the user in. Enter only moves the
// focus (password, company, user); signing in is the "登入" button's alone.
// A successful sign-in remembers company and user in the settings and
// accepts; "離開" rejects.
class LoginDialog : public QDialog {
    Q_OBJECT

public:
    explicit LoginDialog(const QSqlDatabase& db, QWidget* parent = nullptr);

    QComboBox* companyBox() const { return m_company; }
    QComboBox* userBox() const { return m_user; }
    QLineEdit* passwordField() const { return m_password; }
    QToolButton* signInButton() const { return m_signIn; }
    QToolButton* leaveButton() const { return m_leave; }

    void signIn();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void moveFocusOn();

    QSqlDatabase m_db;
    QComboBox* m_company;
    QComboBox* m_user;
    QLineEdit* m_password;
    QToolButton* m_signIn;
    QToolButton* m_leave;
};

} // namespace korvessa
