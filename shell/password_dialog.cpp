#include "shell/password_dialog.h"

#include "core/app_context.h"
#include "core/messages.h"
#include "core/users.h"
#include "ui/form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

PasswordDialog::PasswordDialog(AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context), m_password(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Ubah Password"));
    m_password->setEchoMode(QLineEdit::Password);
    auto* save = new QPushButton(QStringLiteral("Simpan"), this);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Password Baru"), this));
    layout->addWidget(m_password, 1);
    layout->addWidget(save);
    // An empty field changes nothing; the dialog closes either way.
    connect(save, &QPushButton::clicked, this, [this] {
        m_context.messages().failed(
            users::changePassword(m_context.db(), m_context.user, m_password->text()));
        accept();
    });
    layout->setSizeConstraint(QLayout::SetFixedSize);
    form::setName(this, u"PASSWORD");
}
