#pragma once

#include "ui/form.h"

#include <QDialog>

class AppContext;
class QLineEdit;

// "Login": asks for a user name and password. A good login sets the
// logged-in user; the close box leaves it as it was; "Cancel" asks the
// program to end (see cancelled()).
class LoginDialog final : public QDialog
{
    Q_OBJECT
public:
    explicit LoginDialog(AppContext& context, QWidget* parent = nullptr);

    bool cancelled() const { return m_cancelled; }

signals:
    void loggedIn(const QString& user);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void logIn();

    AppContext& m_context;
    QLineEdit* m_user;
    QLineEdit* m_password;
    bool m_cancelled = false;
    form::EnterKeys m_enter;
};
