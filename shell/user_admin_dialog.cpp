#include "shell/user_admin_dialog.h"

#include "core/app_context.h"
#include "core/messages.h"
#include "core/users.h"
#include "ui/font_text.h"
#include "ui/form.h"

#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

const QSize photoSize(130, 150);

} // namespace

UserAdminDialog::UserAdminDialog(AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context), m_users(new QListWidget(this)),
      m_picture(new QLabel(this)), m_name(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("User Admin"));
    auto* heading = new QLabel(QStringLiteral("User Admin"), this);
    heading->setFont(fontFromText(QStringLiteral("Arial,14,1")));
    m_picture->setFixedSize(photoSize);
    m_picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* changePhoto = new QPushButton(QStringLiteral("Ganti Foto"), this);
    auto* saveButton = new QPushButton(QStringLiteral("Simpan"), this);
    changePhoto->setAutoDefault(false);

    auto* layout = new QGridLayout(this);
    layout->addWidget(heading, 0, 0, 1, 3);
    layout->addWidget(new QLabel(QStringLiteral("Mengolah data user administrator.."), this), 1, 0,
                      1, 3);
    layout->addWidget(m_users, 2, 0, 3, 1);
    layout->addWidget(m_picture, 2, 1, 1, 2, Qt::AlignLeft);
    layout->addWidget(changePhoto, 3, 1, 1, 2, Qt::AlignLeft);
    layout->addWidget(new QLabel(QStringLiteral("Nama User"), this), 4, 1);
    layout->addWidget(m_name, 4, 2);
    layout->addWidget(saveButton, 5, 2, Qt::AlignRight);

    const Outcome<QStringList> names = users::names(m_context.db());
    if (names)
        m_users->addItems(*names);
    else
        m_context.messages().failed(names);
    connect(m_users, &QListWidget::currentTextChanged, this, [this](const QString& user) {
        m_name->setText(user);
        m_chosenPhoto.clear(); // a photo chosen earlier is no longer on screen
        showPhoto(photoPath(m_context, user));
    });
    connect(changePhoto, &QPushButton::clicked, this, &UserAdminDialog::choosePhoto);
    connect(saveButton, &QPushButton::clicked, this, &UserAdminDialog::save);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // The name field first: the list would select its first user on getting the focus.
    setTabOrder(m_name, saveButton);
    m_name->setFocus();
    form::setName(this, u"FORMADMIN");
}

QString UserAdminDialog::photoPath(const AppContext& context, const QString& user)
{
    if (user.isEmpty() || user.contains(u'/') || user.contains(u'\\') || user.startsWith(u'.'))
        return {};
    return QDir::toNativeSeparators(
        context.shopFolder().filePath(QStringLiteral("image/") + user + QStringLiteral(".bmp")));
}

void UserAdminDialog::showPhoto(const QString& path)
{
    const QPixmap photo(path);
    m_picture->setPixmap(
        photo.isNull() ? QPixmap()
                       : photo.scaled(photoSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

void UserAdminDialog::choosePhoto()
{
    const QString path = m_context.messages().openFileName(
        this, QStringLiteral("Select Bitmap File"),
        QStringLiteral("Bitmap files (*.bmp)|*.bmp|All Files (*.*)|*.*"),
        m_context.shopFolder().path());
    if (path.isEmpty())
        return;
    m_chosenPhoto = path;
    showPhoto(path);
}

void UserAdminDialog::save()
{
    const QString name = m_name->text();
    const QString caption = QStringLiteral("Entry Data..");
    Messages& messages = m_context.messages();
    const Outcome<> added = users::add(m_context.db(), name, m_context.user);
    if (!added) {
        messages.failed(this, caption, added);
        return;
    }
    m_users->addItem(name);
    // The photo never replaces one already there; a failed copy is not worth a message.
    const QString photo = photoPath(m_context, name);
    if (!m_chosenPhoto.isEmpty() && !photo.isEmpty()) {
        m_context.shopFolder().mkpath(QStringLiteral("image"));
        QFile::copy(m_chosenPhoto, photo);
    }
    m_chosenPhoto.clear();
    m_name->clear();
    messages.tell(this, caption, QStringLiteral("Data berhasil disimpan.."));
}
