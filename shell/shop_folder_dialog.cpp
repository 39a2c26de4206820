#include "shell/shop_folder_dialog.h"

#include "core/messages.h"
#include "core/shop_folder.h"
#include "logic/shop_database.h"
#include "shell/server_dialog.h"
#include "ui/form.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

ShopFolderDialog::ShopFolderDialog(Messages& messages, const QString& suggested,
                                   const QString& problem, QWidget* parent)
    : QDialog(parent), m_messages(messages), m_folder(new QLineEdit(suggested, this)),
      m_name(new QLineEdit(this)), m_address(new QLineEdit(this)), m_phone(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Folder Toko"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(
        QStringLiteral("Pilih folder toko yang sudah ada (berisi conn.txt), lalu \"Buka Toko\".\n"
                       "Untuk toko baru: pilih folder kosong, isi nama toko, lalu \"Buat toko "
                       "baru\".\nKasir tambahan dari toko di server: pilih folder kosong, isi "
                       "nama toko, lalu \"Hubungkan ke server\".\nPilihan ini diingat untuk "
                       "berikutnya."),
        this);
    layout->addWidget(intro);
    if (!problem.isEmpty()) {
        auto* why = new QLabel(problem, this);
        why->setWordWrap(true);
        why->setStyleSheet(QStringLiteral("color: #b00020"));
        layout->addWidget(why);
    }

    auto* fields = new QFormLayout;
    auto* folderRow = new QHBoxLayout;
    auto* browseButton = new QPushButton(QStringLiteral("Pilih..."), this);
    browseButton->setAutoDefault(false);
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(browseButton);
    fields->addRow(QStringLiteral("Folder"), folderRow);
    fields->addRow(QStringLiteral("Nama toko"), m_name);
    fields->addRow(QStringLiteral("Alamat"), m_address);
    fields->addRow(QStringLiteral("Telepon"), m_phone);
    layout->addLayout(fields);
    m_folder->setMinimumWidth(360);

    auto* buttons = new QDialogButtonBox(this);
    auto* openButton =
        buttons->addButton(QStringLiteral("Buka Toko"), QDialogButtonBox::AcceptRole);
    auto* createButton =
        buttons->addButton(QStringLiteral("Buat toko baru"), QDialogButtonBox::ActionRole);
    auto* serverButton =
        buttons->addButton(QStringLiteral("Hubungkan ke server"), QDialogButtonBox::ActionRole);
    buttons->addButton(QStringLiteral("Keluar"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    openButton->setDefault(true);

    connect(browseButton, &QPushButton::clicked, this, &ShopFolderDialog::browse);
    connect(openButton, &QPushButton::clicked, this, &ShopFolderDialog::openShop);
    connect(createButton, &QPushButton::clicked, this, [this] { createShop({}); });
    connect(serverButton, &QPushButton::clicked, this, [this] {
        ServerDialog server(this);
        if (folderGiven() && server.exec() == QDialog::Accepted)
            createShop(server.address());
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    form::setName(this, u"FORMTOKO");
}

QString ShopFolderDialog::folder() const
{
    return QDir(m_folder->text().trimmed()).absolutePath();
}

void ShopFolderDialog::browse()
{
    const QString chosen =
        m_messages.folderName(this, QStringLiteral("Pilih Folder Toko"), m_folder->text());
    if (!chosen.isEmpty())
        m_folder->setText(QDir::toNativeSeparators(chosen));
}

bool ShopFolderDialog::folderGiven()
{
    if (!m_folder->text().trimmed().isEmpty())
        return true;
    m_messages.info(QStringLiteral("Folder toko belum diisi."));
    return false;
}

void ShopFolderDialog::openShop()
{
    if (!folderGiven())
        return;
    const QDir shop(folder());
    QString problem = shopfolder::openProblem(shop);
    if (problem.isEmpty())
        problem = shopfolder::writeProblem(shop);
    if (!problem.isEmpty()) {
        m_messages.info(problem);
        return;
    }
    accept();
}

void ShopFolderDialog::createShop(const QString& server)
{
    if (!folderGiven())
        return;
    const Outcome<> made = shopdb::createShop(
        QDir(folder()),
        {m_name->text().trimmed(), m_address->text().trimmed(), m_phone->text().trimmed()}, server);
    if (!made) {
        m_messages.info(made.reason());
        return;
    }
    if (!server.isEmpty()) {
        m_messages.info(QStringLiteral("Kasir ini memakai data toko di server ") + server +
                        QStringLiteral("."));
        accept();
        return;
    }
    m_messages.info(QStringLiteral("Toko baru dibuat di ") + QDir::toNativeSeparators(folder()) +
                    QStringLiteral(".\nMasuk dengan user \"admin\", password ") +
                    QString::fromLatin1(shopdb::firstAdminPassword) +
                    QStringLiteral(", lalu segera ganti password."));
    accept();
}
