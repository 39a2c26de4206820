#include "core/startup.h"
#include "core/users.h"
#include "shell/connection_dialog.h"
#include "shell/login_dialog.h"
#include "shell/password_dialog.h"
#include "shell/user_admin_dialog.h"
#include "support/modal.h"
#include "support/test_shop.h"
#include "tools/shop_database.h"

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>

// Login, password change, user administration and the database connection screen.
class TestUserScreens final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void login_data();
    void login();
    void loginCancelAndCloseBox();
    void passwordChange_data();
    void passwordChange();
    void userAdminSaves_data();
    void userAdminSaves();
    void userAdminPhotos();
    void connection_data();
    void connection();

private:
    template <typename Dialog> std::unique_ptr<Dialog> open();
    QString inShop(const QString& name) const { return m_shop->folder().filePath(name); }
    QString boxes() const; // every box shown, "kind|caption|text" one a line

    std::unique_ptr<TestShop> m_shop;
};

namespace {

QLineEdit* field(QWidget& screen, int index = 0)
{
    return screen.findChildren<QLineEdit*>().value(index);
}

bool press(QWidget& screen, const QString& text)
{
    auto* button = buttonWithText<QPushButton>(&screen, text);
    if (button)
        QTest::mouseClick(button, Qt::LeftButton);
    return button;
}

// "open" while shown, else how it ended.
QString state(const QDialog& dialog)
{
    if (dialog.isVisible())
        return u"open"_qs;
    return dialog.result() == QDialog::Accepted ? u"accepted"_qs : u"rejected"_qs;
}

// The colour in the middle of the 130x150 photo frame; invalid when it is
// empty or the photo does not fill it.
QColor photoColour(QWidget& screen)
{
    for (QLabel* label : screen.findChildren<QLabel*>()) {
        if (label->size() == QSize(130, 150) && label->minimumSize() == label->maximumSize()) {
            const QImage shown = label->pixmap().toImage();
            return shown.size() == label->size() ? shown.pixelColor(65, 75) : QColor();
        }
    }
    return {};
}

bool writeBmp(const QString& path, Qt::GlobalColor colour)
{
    QImage image(24, 20, QImage::Format_RGB32);
    image.fill(colour);
    return QDir().mkpath(QFileInfo(path).path()) && image.save(path, "BMP");
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList listed(QWidget& screen)
{
    auto* list = screen.findChild<QListWidget*>();
    QStringList names;
    for (int row = 0; row < list->count(); ++row)
        names.append(list->item(row)->text());
    return names;
}

} // namespace

void TestUserScreens::init()
{
    m_shop = std::make_unique<TestShop>();
    QCOMPARE(m_shop->error(), QString());
}

QString TestUserScreens::boxes() const
{
    QStringList all;
    for (const ScriptedMessages::Shown& box : m_shop->messages.shown())
        all.append(box.kind + u'|' + box.caption + u'|' + box.text);
    return all.join(u'\n');
}

template <typename Dialog> std::unique_ptr<Dialog> TestUserScreens::open()
{
    auto dialog = std::make_unique<Dialog>(m_shop->context());
    dialog->show();
    dialog->activateWindow();
    return QTest::qWaitForWindowActive(dialog.get()) ? std::move(dialog) : nullptr;
}

void TestUserScreens::login_data()
{
    QTest::addColumn<QString>("stored"); // admin's password, set first when not empty
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<Qt::Key>("key"); // Key_unknown: the "Log in" button
    QTest::addColumn<bool>("ok");
    const QString a = u"admin"_qs, pin = u"7305"_qs, quoted = u"it's 'x"_qs, none;
    QTest::newRow("button") << none << a << pin << Qt::Key_unknown << true;
    QTest::newRow("Return") << none << a << pin << Qt::Key_Return << true;
    QTest::newRow("keypad Enter") << none << a << pin << Qt::Key_Enter << true;
    QTest::newRow("quotes") << quoted << a << quoted << Qt::Key_Return << true;
    QTest::newRow("old password") << quoted << a << pin << Qt::Key_Return << false;
    QTest::newRow("wrong") << none << a << u"7306"_qs << Qt::Key_unknown << false;
    QTest::newRow("other case") << none << u"Admin"_qs << pin << Qt::Key_Return << false;
    QTest::newRow("unknown") << none << u"kasir"_qs << pin << Qt::Key_unknown << false;
    QTest::newRow("nothing typed") << none << none << none << Qt::Key_unknown << false;
}

void TestUserScreens::login()
{
    QFETCH(QString, stored);
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(Qt::Key, key);
    QFETCH(bool, ok);
    AppContext& context = m_shop->context();
    if (!stored.isEmpty())
        QVERIFY(users::changePassword(context.db(), u"admin"_qs, stored));
    context.user = u"sebelumnya"_qs;
    const auto dialog = open<LoginDialog>();
    QVERIFY(dialog);
    QCOMPARE(dialog->objectName() + u'|' + dialog->windowTitle(),
             u"FORM_TOKO_FORMLOGIN_CLASS|Login"_qs);
    QVERIFY(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QSignalSpy loggedIn(dialog.get(), &LoginDialog::loggedIn);
    QTest::keyClicks(field(*dialog, 0), user);
    field(*dialog, 1)->setFocus();
    QTest::keyClicks(field(*dialog, 1), password);
    // Enter in the user field never logs in; in the password field it does on release.
    field(*dialog, 0)->setFocus();
    QTest::keyClick(field(*dialog, 0), Qt::Key_Return);
    field(*dialog, 1)->setFocus();
    if (key == Qt::Key_unknown) {
        QVERIFY(press(*dialog, u"Log in"_qs));
    } else {
        QTest::keyPress(field(*dialog, 1), key);
        QCOMPARE(boxes(), QString());
        QTest::keyRelease(field(*dialog, 1), key);
    }

    QCOMPARE(boxes(), u"tell|Login User..|"_qs +
                          (ok ? u"Selamat datang di Aplikasi Penjualan, "_qs + user +
                                    u" diperkenankan menjalankan aplikasi ini.."_qs
                              : u"Gagal Login, coba isi Username dan Password dengan benar.."_qs));
    QCOMPARE(state(*dialog), ok ? u"accepted"_qs : u"open"_qs);
    QCOMPARE(context.user, ok ? user : u"sebelumnya"_qs);
    QCOMPARE(loggedIn.size(), ok ? 1 : 0);
    QVERIFY(!ok || loggedIn.first().first().toString() == user);
    QCOMPARE(field(*dialog, 0)->text() + u'|' + field(*dialog, 1)->text(), user + u'|' + password);
}

void TestUserScreens::loginCancelAndCloseBox()
{
    m_shop->context().user = u"kasir"_qs;
    for (const bool cancel : {true, false}) {
        const auto dialog = open<LoginDialog>();
        QVERIFY(dialog);
        field(*dialog, 0)->setText(u"admin"_qs);
        field(*dialog, 1)->setText(u"7305"_qs);
        QVERIFY(cancel ? press(*dialog, u"Cancel"_qs) : dialog->close());
        QCOMPARE(state(*dialog), u"rejected"_qs);
        // Only "Cancel" asks the program to end.
        QCOMPARE(dialog->cancelled(), cancel);
        QCOMPARE(m_shop->context().user, u"kasir"_qs);
    }
    QCOMPARE(boxes(), QString());
}

void TestUserScreens::passwordChange_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("typed");
    QTest::newRow("admin") << u"admin"_qs << u"baru'1 \"x\""_qs;
    QTest::newRow("another user") << u"kasir"_qs << u"gudang1"_qs;
    QTest::newRow("empty field") << u"admin"_qs << QString();
}

void TestUserScreens::passwordChange()
{
    QFETCH(QString, user);
    QFETCH(QString, typed);
    Database& db = m_shop->db();
    QCOMPARE(users::add(db, u"kasir"_qs), users::AddResult::Added);
    m_shop->context().user = user;
    const auto dialog = open<PasswordDialog>();
    QVERIFY(dialog);
    QCOMPARE(dialog->objectName() + u'|' + dialog->windowTitle(),
             u"FORM_TOKO_PASSWORD_CLASS|Ubah Password"_qs);
    QTest::keyClicks(field(*dialog), typed);
    QVERIFY(press(*dialog, u"Simpan"_qs));

    QCOMPARE(state(*dialog), u"accepted"_qs);
    QCOMPARE(boxes(), QString());
    const QString stored = db.scalar(u"select Password from useradmin where User=?"_qs, {user});
    QVERIFY(!stored.isEmpty() && stored != typed);
    QCOMPARE(users::checkLogin(db, user, u"7305"_qs), typed.isEmpty());
    QVERIFY(typed.isEmpty() || users::checkLogin(db, user, typed));
    QVERIFY(users::checkLogin(db, user == u"admin" ? u"kasir"_qs : u"admin"_qs, u"7305"_qs));
}

void TestUserScreens::userAdminSaves_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("photo"); // the chosen photo's copy in the shop folder, if any
    const QString saved = u"Data berhasil disimpan.."_qs;
    QTest::newRow("new user") << u"kasir"_qs << saved << u"image/kasir.bmp"_qs;
    QTest::newRow("admin in another case") << u"Admin"_qs << saved << u"image/Admin.bmp"_qs;
    QTest::newRow("existing") << u"admin"_qs << u"Gagal menyimpan, Id/Kode Sudah Tersedia.."_qs
                              << QString();
    QTest::newRow("empty") << QString()
                           << u"Gagal menyimpan, kolom Kode atau Nama belum terisi.."_qs
                           << QString();
    // Names that would put the photo outside image/ are saved without one.
    QTest::newRow("parent folder") << u"../keluar"_qs << saved << QString();
    QTest::newRow("two levels up") << u"../../keluar"_qs << saved << QString();
    QTest::newRow("backslash") << u"a\\b"_qs << saved << QString();
    QTest::newRow("hidden") << u".tersembunyi"_qs << saved << QString();
}

void TestUserScreens::userAdminSaves()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    QFETCH(QString, photo);
    const bool added = message.startsWith(u"Data");
    const QString source = inShop(u"biru.bmp"_qs);
    QVERIFY(writeBmp(source, Qt::blue));
    const auto dialog = open<UserAdminDialog>();
    QVERIFY(dialog);
    m_shop->messages.setNextFileName(source);
    QVERIFY(press(*dialog, u"Ganti Foto"_qs));
    m_shop->messages.clear();
    field(*dialog)->clear(); // the list takes the focus and shows its first user there
    QTest::keyClicks(field(*dialog), name);
    QVERIFY(press(*dialog, u"Simpan"_qs));

    QCOMPARE(boxes(), u"tell|Entry Data..|"_qs + message);
    QCOMPARE(state(*dialog), u"open"_qs);
    const QStringList expected = added ? QStringList{u"admin"_qs, name} : QStringList{u"admin"_qs};
    QCOMPARE(listed(*dialog), expected);
    QCOMPARE(users::names(m_shop->db()).size(), expected.size());
    QVERIFY(!added || users::checkLogin(m_shop->db(), name, u"7305"_qs));
    QCOMPARE(field(*dialog)->text(), added ? QString() : name);

    if (added)
        QCOMPARE(UserAdminDialog::photoPath(m_shop->context(), name),
                 photo.isEmpty() ? QString() : inShop(photo));
    QVERIFY(!photo.isEmpty() ||
            !QFile::exists(QDir::cleanPath(inShop(u"image/"_qs + name + u".bmp"_qs))));
    QStringList written{u"biru.bmp"_qs, photo};
    written.removeAll(QString());
    QDirIterator files(m_shop->folder().path(), {u"*.bmp"_qs}, QDir::Files | QDir::Hidden,
                       QDirIterator::Subdirectories);
    while (files.hasNext())
        QVERIFY(written.removeOne(m_shop->folder().relativeFilePath(files.next())));
    QCOMPARE(written, QStringList());
    QVERIFY(photo.isEmpty() || contents(inShop(photo)) == contents(source));
}

void TestUserScreens::userAdminPhotos()
{
    const QString blue = inShop(u"foto/biru.bmp"_qs);
    const QString red = inShop(u"image/budi.bmp"_qs);
    QVERIFY(writeBmp(blue, Qt::blue) && writeBmp(red, Qt::red));
    const QByteArray old = contents(red);
    QCOMPARE(users::add(m_shop->db(), u"Admin"_qs), users::AddResult::Added);
    QCOMPARE(users::add(m_shop->db(), u"citra"_qs), users::AddResult::Added);
    const auto dialog = open<UserAdminDialog>();
    QVERIFY(dialog);
    QCOMPARE(dialog->objectName() + u'|' + dialog->windowTitle(),
             u"FORM_TOKO_FORMADMIN_CLASS|User Admin"_qs);
    QCOMPARE(listed(*dialog), (QStringList{u"Admin"_qs, u"admin"_qs, u"citra"_qs}));

    // A chosen photo shows; a cancelled choice leaves it.
    m_shop->messages.setNextFileName(blue);
    QVERIFY(press(*dialog, u"Ganti Foto"_qs));
    QCOMPARE(photoColour(*dialog), QColor(Qt::blue));
    QVERIFY(press(*dialog, u"Ganti Foto"_qs));
    QCOMPARE(photoColour(*dialog), QColor(Qt::blue));
    QCOMPARE(boxes(), u"open|Select Bitmap File|\nopen|Select Bitmap File|"_qs);

    // budi is no user yet, but a photo of that name is there: it stays, and shows.
    field(*dialog)->setText(u"budi"_qs);
    QVERIFY(press(*dialog, u"Simpan"_qs));
    QCOMPARE(m_shop->messages.lastText(), u"Data berhasil disimpan.."_qs);
    QCOMPARE(contents(red), old);
    auto* list = dialog->findChild<QListWidget*>();
    list->setCurrentRow(3);
    QCOMPARE(field(*dialog)->text(), u"budi"_qs);
    QCOMPARE(photoColour(*dialog), QColor(Qt::red));

    // A user without a photo empties the picture; a new user saved now does
    // not get the photo chosen before.
    m_shop->messages.setNextFileName(blue);
    QVERIFY(press(*dialog, u"Ganti Foto"_qs));
    list->setCurrentRow(2);
    QCOMPARE(field(*dialog)->text(), u"citra"_qs);
    QCOMPARE(photoColour(*dialog), QColor());
    field(*dialog)->setText(u"dedi"_qs);
    QVERIFY(press(*dialog, u"Simpan"_qs));
    QCOMPARE(m_shop->messages.lastText(), u"Data berhasil disimpan.."_qs);
    QVERIFY2(!QFile::exists(inShop(u"image/dedi.bmp"_qs)), "dedi got a photo nobody saw");
}

void TestUserScreens::connection_data()
{
    QTest::addColumn<QString>("path"); // in the shop folder
    QTest::addColumn<bool>("absolute");
    QTest::addColumn<bool>("shop"); // a shop database is there, else no file
    QTest::addColumn<QString>("message");
    const QString done = u"database berhasil dikoneksikan.."_qs;
    QTest::newRow("another shop") << u"cabang/toko2.db3"_qs << true << true << done;
    QTest::newRow("no file yet") << u"baru.db3"_qs << false << false << done;
    QTest::newRow("a folder") << u"."_qs << true << false
                              << u"Tidak dapat membuka database: unable to open database file"_qs;
    // conn.txt could not hold it: refused before anything changes.
    QTest::newRow("semicolon in the folder")
        << u"a;b/toko.db3"_qs << true << true
        << u"Path database tidak boleh memuat tanda ; (titik koma)."_qs;
}

void TestUserScreens::connection()
{
    QFETCH(QString, path);
    QFETCH(bool, absolute);
    QFETCH(bool, shop);
    QFETCH(QString, message);
    const bool ok = message == u"database berhasil dikoneksikan..";
    AppContext& context = m_shop->context();
    Database& db = m_shop->db();
    const QString conn = inShop(u"conn.txt"_qs);
    const QByteArray before = QByteArrayLiteral("toko.db3;server1;-\n");
    QString error;
    QVERIFY(config::writeFileAtomically(conn, before) && startUp(context, error));
    QCOMPARE(users::add(db, u"lama"_qs), users::AddResult::Added);
    const QString file = inShop(path);
    QVERIFY(m_shop->folder().mkpath(QFileInfo(path).path()));
    QVERIFY(!shop || shopdb::create(file, false).isEmpty());
    const QString typed = absolute ? file : path;

    const auto dialog = open<ConnectionDialog>();
    QVERIFY(dialog);
    QCOMPARE(dialog->objectName() + u'|' + dialog->windowTitle() + u'|' + field(*dialog)->text(),
             u"FORM_TOKO_FORM20_CLASS|Koneksi Database|toko.db3"_qs);
    // A cancelled Browse keeps the path, a chosen file replaces it.
    QVERIFY(press(*dialog, u"Browse"_qs));
    QCOMPARE(field(*dialog)->text(), u"toko.db3"_qs);
    m_shop->messages.setNextFileName(typed);
    QVERIFY(press(*dialog, u"Browse"_qs));
    QCOMPARE(field(*dialog)->text(), typed);
    QVERIFY(press(*dialog, u"Set Koneksi Db"_qs));

    const QString browsed = u"open|Cari dan Pilih File Database|\n"_qs;
    QCOMPARE(boxes(), browsed + browsed + u"info|Info|"_qs + message);
    QCOMPARE(state(*dialog), ok ? u"accepted"_qs : u"open"_qs);
    const QString names =
        u"select group_concat(User) from (select User from useradmin order by 1)"_qs;
    const QString expectedUsers = ok ? (shop ? u"admin"_qs : QString()) : u"admin,lama"_qs;
    QCOMPARE(db.scalar(names, {}, Database::OnError::Silent), expectedUsers);
    QCOMPARE(db.path(), ok ? file : m_shop->databasePath());
    QCOMPARE(contents(conn), ok ? (typed + u";server1;-\n"_qs).toUtf8() : before);

    // The next start opens the same database with the same extras.
    QVERIFY(startUp(context, error));
    QCOMPARE(db.path(), ok ? file : m_shop->databasePath());
    QCOMPARE(context.connection.extra1 + u'|' + context.connection.extra2, u"server1|"_qs);
}

QTEST_MAIN(TestUserScreens)
#include "test_user_screens.moc"
