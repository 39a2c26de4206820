#include "shell/login_dialog.h"

#include "core/app_context.h"
#include "core/messages.h"
#include "core/users.h"
#include "ui/font_text.h"
#include "ui/form.h"
#include "ui/images.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

LoginDialog::LoginDialog(AppContext& context, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), m_context(context),
      m_user(new QLineEdit(this)), m_password(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Login"));
    auto* heading = new QLabel(QStringLiteral("Login pengguna.."), this);
    heading->setFont(fontFromText(QStringLiteral("Arial,14,1")));
    auto* hint = new QLabel(QStringLiteral("Silahkan masukan username dan password anda!"), this);
    auto* picture = new QLabel(this);
    picture->setPixmap(images::pixmap(images::loginPeople, QSize(96, 96)));
    m_password->setEchoMode(QLineEdit::Password);
    m_password->installEventFilter(this);
    auto* login = new QPushButton(QStringLiteral("Log in"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    // Enter acts only in the password field, on its release.
    login->setAutoDefault(false);
    cancel->setAutoDefault(false);

    auto* layout = new QGridLayout(this);
    layout->addWidget(heading, 0, 0, 1, 3);
    layout->addWidget(hint, 1, 0, 1, 3);
    layout->addWidget(picture, 2, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(new QLabel(QStringLiteral("Username"), this), 2, 1);
    layout->addWidget(m_user, 2, 2);
    layout->addWidget(new QLabel(QStringLiteral("Password"), this), 3, 1);
    layout->addWidget(m_password, 3, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(login);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 4, 1, 1, 2);
    layout->setColumnMinimumWidth(2, 180);

    connect(login, &QPushButton::clicked, this, &LoginDialog::logIn);
    connect(cancel, &QPushButton::clicked, this, [this] {
        m_cancelled = true;
        reject();
    });
    layout->setSizeConstraint(QLayout::SetFixedSize);
    form::setName(this, u"FORMLOGIN");
}

bool LoginDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Not the Enter that closed a message over this box.
    if (watched == m_password && m_enter.released(watched, event)) {
        logIn();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void LoginDialog::logIn()
{
    const QString user = m_user->text();
    const QString caption = QStringLiteral("Login User..");
    const Outcome<bool> allowed = users::checkLogin(m_context.db(), user, m_password->text());
    if (!allowed)
        m_context.messages().failed(allowed);
    if (!allowed || !*allowed) {
        m_context.messages().tell(
            this, caption,
            QStringLiteral("Gagal Login, coba isi Username dan Password dengan benar.."));
        return;
    }
    m_context.user = user;
    emit loggedIn(user);
    m_context.messages().tell(this, caption,
                              QStringLiteral("Selamat datang di Aplikasi Penjualan, ") + user +
                                  QStringLiteral(" diperkenankan menjalankan aplikasi ini.."));
    accept();
}
