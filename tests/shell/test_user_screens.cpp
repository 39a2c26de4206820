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
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

// Login, password change, user administration and the database connection screen.
class TestUserScreens final : public QObject
{
    Q_OBJECT
private slots:
    void login_data();
    void login();
    void userAdmin_data();
    void userAdmin();
    void connection_data();
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

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

void TestUserScreens::login_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<Qt::Key>("key"); // Key_unknown: the "Log in" button
    QTest::newRow("button") << u"7305"_qs << Qt::Key_unknown;
    QTest::newRow("Return") << u"7305"_qs << Qt::Key_Return;
    QTest::newRow("keypad Enter") << u"7305"_qs << Qt::Key_Enter;
    QTest::newRow("wrong") << u"7306"_qs << Qt::Key_Return;
}

void TestUserScreens::login()
{
    QFETCH(QString, password);
    QFETCH(Qt::Key, key);
    const bool ok = password == u"7305";
    TestShop shop;
    shop.context().user = u"sebelumnya"_qs;
    LoginDialog dialog(shop.context());
    dialog.show();
    QTest::keyClicks(field(dialog, 0), u"admin"_qs);
    QTest::keyClick(field(dialog, 0), Qt::Key_Return); // never logs in from the user field
    QTest::keyClicks(field(dialog, 1), password);
    if (key == Qt::Key_unknown) {
        press(dialog, u"Log in"_qs);
    } else { // only an Enter that went down in the password field acts, when it comes up
        QTest::keyRelease(field(dialog, 1), key);
        QTest::keyPress(field(dialog, 1), key);
        QCOMPARE(shop.messages.shown().size(), 0);
        QTest::keyRelease(field(dialog, 1), key);
    }
    QCOMPARE(shop.messages.shown().first().caption + u'|' + shop.messages.lastText(),
             ok ? u"Login User..|Selamat datang di Aplikasi Penjualan, admin diperkenankan "
                  u"menjalankan aplikasi ini.."_qs
                : u"Login User..|Gagal Login, coba isi Username dan Password dengan benar.."_qs);
    QCOMPARE(dialog.isVisible(), !ok);
    QCOMPARE(shop.context().user, ok ? u"admin"_qs : u"sebelumnya"_qs);
    // "Cancel" asks the program to end; the close box does not; neither logs in.
    LoginDialog again(shop.context());
    again.show();
    ok ? press(again, u"Cancel"_qs) : void(again.close());
    QCOMPARE(again.result() == QDialog::Rejected && again.cancelled(), ok);

    // A new password is stored for the user logged in; the dialog closes.
    PasswordDialog change(shop.context());
    change.show();
    QTest::keyClicks(field(change), u"baru'1"_qs);
    press(change, u"Simpan"_qs);
    QVERIFY(!change.isVisible());
    QCOMPARE(users::checkLogin(shop.db(), shop.context().user, u"baru'1"_qs), ok);
}

void TestUserScreens::userAdmin_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("copy"); // of the chosen photo, into image/
    const QString saved = u"Data berhasil disimpan.."_qs;
    QTest::newRow("new user") << u"Admin"_qs << saved << true;
    QTest::newRow("photo already there") << u"budi"_qs << saved << false;
    QTest::newRow("existing") << u"admin"_qs << u"Gagal menyimpan, Id/Kode Sudah Tersedia.."_qs
                              << false;
    QTest::newRow("empty") << QString() << u"Gagal menyimpan, kolom Kode atau Nama belum terisi.."_qs
                           << false;
    // Names that would put the photo outside image/ are saved without one.
    QTest::newRow("slash") << u"/../keluar"_qs << saved << false;
    QTest::newRow("backslash") << u"a\\b"_qs << saved << false;
    QTest::newRow("dot") << u"..keluar"_qs << saved << false;
}

void TestUserScreens::userAdmin()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    QFETCH(bool, copy);
    TestShop shop;
    const QDir folder = shop.folder();
    QImage image(24, 20, QImage::Format_RGB32);
    for (const auto& [file, colour] : {std::pair{u"biru.bmp"_qs, Qt::blue},
                                       {u"image/budi.bmp"_qs, Qt::red}}) {
        image.fill(colour);
        QVERIFY(folder.mkpath(QFileInfo(file).path()) && image.save(folder.filePath(file)));
    }
    UserAdminDialog dialog(shop.context());
    dialog.show();
    shop.messages.setNextFileName(folder.filePath(u"biru.bmp"_qs));
    press(dialog, u"Ganti Foto"_qs);
    field(dialog)->setText(name);
    press(dialog, u"Simpan"_qs);
    QCOMPARE(shop.messages.shown().last().caption + u'|' + shop.messages.lastText(),
             u"Entry Data..|"_qs + message);
    auto* list = dialog.findChild<QListWidget*>();
    const bool added = message == u"Data berhasil disimpan..";
    QCOMPARE(list->item(list->count() - 1)->text() + u'|' + field(dialog)->text(),
             added ? QString(name + u'|') : QString(u"admin|" + name));
    // No bitmap but the two there before and the copy of the chosen photo in image/.
    int bitmaps = 0;
    for (QDirIterator files(folder.path(), {u"*.bmp"_qs}, QDir::Files | QDir::Hidden,
                            QDirIterator::Subdirectories);
         files.hasNext(); files.next())
        ++bitmaps;
    QCOMPARE(bitmaps, copy ? 3 : 2);
    // Choosing a user in the list shows that user's photo (budi's is not replaced), or none.
    list->setCurrentRow(list->count() - 1);
    QColor shown;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        if (label->minimumSize() == QSize(130, 150) && !label->pixmap().isNull())
            shown = label->pixmap().toImage().pixelColor(65, 75);
    QCOMPARE(shown, name == u"budi" ? QColor(Qt::red) : copy ? QColor(Qt::blue) : QColor());
}

void TestUserScreens::connection_data()
{
    QTest::addColumn<QString>("path"); // in the shop folder, made a shop database unless "."
    QTest::addColumn<QString>("message");
    QTest::newRow("another shop") << u"cabang/toko2.db3"_qs << u"database berhasil dikoneksikan.."_qs;
    QTest::newRow("a folder") << u"."_qs
                              << u"Tidak dapat membuka database: unable to open database file"_qs;
    QTest::newRow("semicolon, conn.txt could not hold it")
        << u"a;b/toko.db3"_qs << u"Path database tidak boleh memuat tanda ; (titik koma)."_qs;
}

void TestUserScreens::connection()
{
    QFETCH(QString, path);
    QFETCH(QString, message);
    const bool ok = message == u"database berhasil dikoneksikan..";
    TestShop shop;
    const QString conn = shop.folder().filePath(u"conn.txt"_qs);
    const QByteArray before = QByteArrayLiteral("toko.db3;server1;-\n");
    QString error;
    QVERIFY(config::writeFileAtomically(conn, before) && startUp(shop.context(), error));
    const QString file = shop.folder().filePath(path);
    QVERIFY(path == u"." || (shop.folder().mkpath(QFileInfo(path).path()) &&
                             shopdb::create(file, false).isEmpty()));
    QCOMPARE(users::add(shop.db(), u"lama"_qs), users::AddResult::Added);
    ConnectionDialog dialog(shop.context());
    dialog.show();
    press(dialog, u"Browse"_qs); // cancelled: the path stays
    QCOMPARE(field(dialog)->text(), u"toko.db3"_qs);
    shop.messages.setNextFileName(file);
    press(dialog, u"Browse"_qs);
    press(dialog, u"Set Koneksi Db"_qs);
    QCOMPARE(shop.messages.lastText(), message);
    QCOMPARE(dialog.isVisible(), !ok);
    QCOMPARE(users::names(shop.db()).size(), ok ? 1 : 2);
    QCOMPARE(contents(conn), ok ? (file + u";server1;-\n"_qs).toUtf8() : before);
    QVERIFY(startUp(shop.context(), error)); // the next start opens the same database
    QCOMPARE(shop.db().path(), ok ? file : shop.databasePath());
}

QTEST_MAIN(TestUserScreens)
#include "test_user_screens.moc"
