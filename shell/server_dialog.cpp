#include "shell/server_dialog.h"

#include "ui/form.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QUrl>

ServerDialog::ServerDialog(QWidget* parent)
    : QDialog(parent), m_server(new QLineEdit(this)),
      m_port(new QLineEdit(QStringLiteral("5432"), this)),
      m_database(new QLineEdit(QStringLiteral("toko"), this)),
      m_login(new QLineEdit(QStringLiteral("kasir"), this))
{
    setWindowTitle(QStringLiteral("Hubungkan ke server"));
    m_server->setPlaceholderText(QStringLiteral("192.168.1.10"));
    m_server->setMinimumWidth(240);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Server"), m_server);
    layout->addRow(QStringLiteral("Port"), m_port);
    layout->addRow(QStringLiteral("Database"), m_database);
    layout->addRow(QStringLiteral("User"), m_login);
    auto* note =
        new QLabel(QStringLiteral("Password dibaca dari file ~/.pgpass komputer ini."), this);
    layout->addRow(note);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    form::setName(this, u"FORMSERVER");
}

QString ServerDialog::address() const
{
    return address(m_server->text(), m_port->text(), m_database->text(), m_login->text());
}

QString ServerDialog::address(const QString& server, const QString& port, const QString& database,
                              const QString& login)
{
    QUrl url;
    url.setScheme(QStringLiteral("postgresql"));
    url.setHost(server.trimmed());
    url.setUserName(login.trimmed());
    if (const int number = port.trimmed().toInt(); number > 0 && number != 5432)
        url.setPort(number);
    url.setPath(u'/' + database.trimmed());
    return url.toString(QUrl::FullyEncoded);
}
