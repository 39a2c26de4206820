#include "shell/connection_dialog.h"

#include "core/app_context.h"
#include "core/messages.h"
#include "core/startup.h"
#include "shell/server_dialog.h"
#include "ui/form.h"
#include "ui/work_progress.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

ConnectionDialog::ConnectionDialog(AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context),
      m_path(new QLineEdit(context.connection.databasePath, this))
{
    setWindowTitle(QStringLiteral("Koneksi Database"));
    auto* browseButton = new QPushButton(QStringLiteral("Browse"), this);
    auto* connectButton = new QPushButton(QStringLiteral("Set Koneksi Db"), this);
    auto* serverButton = new QPushButton(QStringLiteral("Hubungkan ke server"), this);
    browseButton->setAutoDefault(false);
    serverButton->setAutoDefault(false);
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Sumber"), this), 0, 0);
    layout->addWidget(m_path, 0, 1);
    layout->addWidget(browseButton, 0, 2);
    layout->addWidget(serverButton, 1, 1, Qt::AlignLeft);
    layout->addWidget(connectButton, 1, 1, 1, 2, Qt::AlignRight);
    layout->setColumnMinimumWidth(1, 320);
    connect(browseButton, &QPushButton::clicked, this, &ConnectionDialog::browse);
    connect(connectButton, &QPushButton::clicked, this, &ConnectionDialog::connectToDatabase);
    connect(serverButton, &QPushButton::clicked, this, &ConnectionDialog::chooseServer);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    form::setName(this, u"FORM20");
}

void ConnectionDialog::browse()
{
    const QString path = m_context.messages().openFileName(
        this, QStringLiteral("Cari dan Pilih File Database"),
        QStringLiteral("Database files (*.db3)|*.db3|All Files (*.*)|*.*"),
        m_context.shopFolder().path());
    if (!path.isEmpty())
        m_path->setText(path);
}

void ConnectionDialog::chooseServer()
{
    ServerDialog server(this);
    if (server.exec() != QDialog::Accepted)
        return;
    // Saved only once the server answers: a till is never left pointing at
    // a server it cannot reach.
    m_path->setText(server.address());
    connectToDatabase();
}

void ConnectionDialog::connectToDatabase()
{
    const Outcome<QString> connected = [&] {
        WorkProgress progress(this, preparingNotice());
        return connectDatabase(m_context, m_path->text(), progress.callback());
    }();
    if (!connected) {
        m_context.messages().failed(connected);
        return;
    }
    m_context.messages().info(QStringLiteral("database berhasil dikoneksikan.."));
    if (!connected->isEmpty())
        m_context.messages().info(*connected);
    accept();
}
