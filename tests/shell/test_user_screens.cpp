#include "core/startup.h"
#include "core/users.h"
#include "logic/shop_database.h"
#include "shell/connection_dialog.h"
#include "shell/login_dialog.h"
#include "shell/user_admin_dialog.h"
#include "support/modal.h"
#include "support/test_shop.h"

#include <QDirIterator>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

// Login, password change, user administration and the database connection screen.
class TestUserScreens final : public QObject
{
    Q_OBJECT
private slots:
    void login();
    void userAdmin_data();
    void userAdmin();
    void connection();
};

namespace {

QLineEdit* field(QWidget& screen, int index = 0)
{
    return screen.findChildren<QLineEdit*>().value(index);
}

void press(QWidget& screen, const QString& text)
{
    QTest::mouseClick(buttonWithText<QPushButton>(&screen, text), Qt::LeftButton);
}

} // namespace

void TestUserScreens::login()
{
    TestShop shop;
    shop.context().user = u"sebelumnya"_qs;
    LoginDialog dialog(shop.context());
    dialog.show();
    QTest::keyClicks(field(dialog, 0), u"admin"_qs);
    QTest::keyClicks(field(dialog, 1), u"7306"_qs);
    press(dialog, u"Log in"_qs);
    QCOMPARE(shop.messages.shown().first().caption, u"Login User.."_qs);
    QCOMPARE(shop.messages.lastText(),
             u"Gagal Login, coba isi Username dan Password dengan benar.."_qs);
    QVERIFY(dialog.isVisible());
    QCOMPARE(shop.context().user, u"sebelumnya"_qs);
    // Only an Enter that went down in the password field acts, when it comes up.
    field(dialog, 1)->setText(u"7305"_qs);
    QTest::keyRelease(field(dialog, 1), Qt::Key_Return);
    QTest::keyPress(field(dialog, 1), Qt::Key_Return);
    QCOMPARE(shop.messages.shown().size(), 1);
    QTest::keyRelease(field(dialog, 1), Qt::Key_Return);
    QCOMPARE(shop.messages.lastText(), u"Selamat datang di Aplikasi Penjualan, admin "
                                       u"diperkenankan menjalankan aplikasi ini.."_qs);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(shop.context().user, u"admin"_qs);
}

void TestUserScreens::userAdmin_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    const QString saved = u"Data berhasil disimpan.."_qs;
    QTest::newRow("new user, photo copied") << u"Admin"_qs << saved;
    QTest::newRow("existing") << u"admin"_qs << u"Gagal menyimpan, Id/Kode Sudah Tersedia.."_qs;
    // Names that would put the photo outside image/ are saved without one.
    QTest::newRow("slash") << u"/../keluar"_qs << saved;
}

void TestUserScreens::userAdmin()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    TestShop shop;
    shop.context().user = u"admin"_qs; // the only one who opens it
    QImage blue(24, 20, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    QVERIFY(blue.save(shop.folder().filePath(u"biru.bmp"_qs)));
    UserAdminDialog dialog(shop.context());
    dialog.show();
    shop.messages.setNextFileName(shop.folder().filePath(u"biru.bmp"_qs));
    press(dialog, u"Ganti Foto"_qs);
    field(dialog)->setText(name);
    press(dialog, u"Simpan"_qs);
    QCOMPARE(shop.messages.shown().last().caption, u"Entry Data.."_qs);
    QCOMPARE(shop.messages.lastText(), message);
    auto* list = dialog.findChild<QListWidget*>();
    const bool added = message == u"Data berhasil disimpan..";
    QCOMPARE(list->item(list->count() - 1)->text(), added ? name : u"admin"_qs);
    QCOMPARE(field(dialog)->text(), added ? QString() : name);
    QDirIterator files(shop.folder().path(), {u"*.bmp"_qs}, QDir::Files | QDir::Hidden,
                       QDirIterator::Subdirectories);
    int bitmaps = 0; // the chosen photo and its copy in image/ for a new user
    for (; files.hasNext(); files.next())
        ++bitmaps;
    QCOMPARE(bitmaps, name == u"Admin" ? 2 : 1);
}

void TestUserScreens::connection()
{
    if (TestShop::onServer())
        QSKIP("database files chosen in a folder: file only");
    TestShop shop;
    QVERIFY(config::writeFileAtomically(shop.folder().filePath(u"conn.txt"_qs),
                                        "toko.db3;server1;-\n") &&
            startUp(shop.context()));
    const QString other = shop.folder().filePath(u"cabang/toko2.db3"_qs);
    QVERIFY(shop.folder().mkpath(u"cabang"_qs) && shopdb::create(other, false).ok());
    QVERIFY(users::add(shop.db(), u"lama"_qs, u"admin"_qs));
    ConnectionDialog dialog(shop.context());
    dialog.show();
    // A path conn.txt could not hold and one that does not open change nothing.
    for (const auto& [path, message] :
         {std::pair{u"a;b/toko.db3"_qs,
                    u"Path database tidak boleh memuat tanda ; (titik koma)."_qs},
          {shop.folder().path(), u"Tidak dapat membuka database: unable to open database file"_qs},
          {other, u"database berhasil dikoneksikan.."_qs}}) {
        QCOMPARE(users::names(shop.db())->size(), 2);
        QCOMPARE(config::readConnection(shop.folder()).databasePath, u"toko.db3"_qs);
        shop.messages.setNextFileName(path);
        press(dialog, u"Browse"_qs);
        press(dialog, u"Set Koneksi Db"_qs);
        QCOMPARE(shop.messages.lastText(), message);
    }
    QVERIFY(!dialog.isVisible());
    QCOMPARE(users::names(shop.db())->size(), 1);
    QVERIFY(startUp(shop.context())); // the next start opens it, extras kept
    QCOMPARE(shop.db().path(), other);
    QCOMPARE(shop.context().connection.extra1, u"server1"_qs);
}

QTEST_MAIN(TestUserScreens)
#include "test_user_screens.moc"
