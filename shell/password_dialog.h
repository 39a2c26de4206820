#pragma once

#include <QDialog>

class AppContext;
class QLineEdit;

// "Ubah Password": a new password for the logged-in user.
class PasswordDialog final : public QDialog
{
    Q_OBJECT
public:
    explicit PasswordDialog(AppContext& context, QWidget* parent = nullptr);

private:
    AppContext& m_context;
    QLineEdit* m_password;
};
