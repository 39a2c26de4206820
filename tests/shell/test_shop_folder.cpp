#include "core/command_line.h"
#include "core/config_files.h"
#include "core/shop_folder.h"
#include "shell/shop_folder_dialog.h"
#include "support/modal.h"
#include "support/scripted_messages.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

// Which folder toko starts in, and the "Folder Toko" screen that opens or makes one.
class TestShopFolder final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void commandLine_data();
    void commandLine();
    void folderForStart_data();
    void folderForStart();
    void openingAndMakingAShop();

private:
    QString path(const QString& name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestShopFolder::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    // A shop, a folder that is none, and a shop whose database has gone.
    for (const char* folder : {"shop", "plain", "gone"})
        QDir(m_dir->path()).mkdir(QString::fromLatin1(folder));
    QVERIFY(config::writeFileAtomically(path(u"shop/conn.txt"_qs), "toko.db3;-;-\n"));
    QVERIFY(config::writeFileAtomically(path(u"shop/toko.db3"_qs), {}));
    QVERIFY(config::writeFileAtomically(path(u"gone/conn.txt"_qs), "toko.db3;-;-\n"));
}

void TestShopFolder::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("help");
    QTest::addColumn<bool>("version");
    QTest::addColumn<QString>("shop");
    QTest::addColumn<QString>("error");
    QTest::newRow("none") << QStringList() << false << false << QString() << QString();
    QTest::newRow("help, version")
        << QStringList{u"--version"_qs, u"-h"_qs} << true << true << QString() << QString();
    QTest::newRow("shop, two ways") << QStringList{u"--shop"_qs, u"/a b"_qs, u"--shop=/c"_qs}
                                    << false << false << u"/c"_qs << QString();
    QTest::newRow("Qt's own left alone") << QStringList{u"-platform"_qs, u"offscreen"_qs} << false
                                         << false << QString() << QString();
    QTest::newRow("shop without folder") << QStringList{u"--shop"_qs} << false << false << QString()
                                         << u"--shop memerlukan nama folder toko."_qs;
    QTest::newRow("unknown") << QStringList{u"--shop=x"_qs, u"--kasir"_qs} << false << false
                             << u"x"_qs << u"Pilihan tidak dikenal: --kasir"_qs;
}

void TestShopFolder::commandLine()
{
    QFETCH(QStringList, arguments);
    const CommandLine line = commandline::parse(arguments);
    QTEST(line.help, "help");
    QTEST(line.version, "version");
    QTEST(line.shop, "shop");
    QTEST(line.error, "error");
}

void TestShopFolder::folderForStart_data()
{
    QTest::addColumn<QString>("given");  // requested, current, remembered; "-" for none
    QTest::addColumn<QString>("folder"); // "" asks the user
    QTest::addColumn<QString>("said");   // the refusal, or why the remembered one is not used
    const QString gone = u"Database yang disebut conn.txt tidak ditemukan: "_qs;
    QTest::newRow("requested wins") << u"shop gone plain"_qs << u"shop"_qs << QString();
    QTest::newRow("requested, no folder")
        << u"nowhere shop -"_qs << QString() << u"Folder tidak ditemukan: "_qs;
    QTest::newRow("requested, not a shop")
        << u"plain shop -"_qs << QString()
        << u"Folder ini bukan folder toko (tidak ada conn.txt): "_qs;
    QTest::newRow("requested, database gone") << u"gone shop -"_qs << QString() << gone;
    QTest::newRow("current with conn.txt, as always")
        << u"- gone shop"_qs << u"gone"_qs << QString();
    QTest::newRow("remembered") << u"- plain shop"_qs << u"shop"_qs << QString();
    QTest::newRow("remembered, database gone") << u"- plain gone"_qs << QString() << gone;
    QTest::newRow("first start") << u"- plain -"_qs << QString() << QString();
}

void TestShopFolder::folderForStart()
{
    QFETCH(QString, given);
    QFETCH(QString, folder);
    QFETCH(QString, said);
    const QStringList names = given.split(u' ');
    const auto full = [this](const QString& name) {
        return name.isEmpty() || name == u"-" ? QString() : path(name);
    };
    const Outcome<shopfolder::StartFolder> start =
        shopfolder::forStart(full(names.at(0)), QDir(full(names.at(1))), full(names.at(2)));
    const QString told = start ? start->problem : start.reason();
    QCOMPARE(start ? start->folder : QString(), full(folder));
    QVERIFY2(said.isEmpty() ? told.isEmpty() : told.startsWith(said), qPrintable(told));
}

void TestShopFolder::openingAndMakingAShop()
{
    ScriptedMessages messages;
    ShopFolderDialog dialog(messages, path(u"plain"_qs), {});
    const QList<QLineEdit*> fields =
        dialog.findChildren<QLineEdit*>(); // folder, name, address, phone
    const auto press = [&](const QString& folder, const QString& button) {
        messages.clear();
        dialog.setResult(QDialog::Rejected);
        fields.at(0)->setText(folder);
        buttonWithText<QPushButton>(&dialog, button)->click();
        return dialog.result() == QDialog::Accepted;
    };
    // Opening wants a shop; an existing shop is never made over.
    QVERIFY(!press(path(u"plain"_qs), u"Buka Toko"_qs));
    QVERIFY(messages.lastText().startsWith(u"Folder ini bukan folder toko"_qs));
    fields.at(1)->setText(u"Toko Maju"_qs);
    QVERIFY(!press(path(u"shop"_qs), u"Buat toko baru"_qs));
    QVERIFY(messages.lastText().startsWith(u"Folder ini sudah berisi toko"_qs));
    QCOMPARE(QFileInfo(path(u"shop/toko.db3"_qs)).size(), 0);
    fields.at(2)->setText(u"Jl. Kenari; 5"_qs);
    QVERIFY(!press(path(u"baru"_qs), u"Buat toko baru"_qs));
    QVERIFY(!QDir(path(u"baru"_qs)).exists());

    // A new shop in a folder made for it, with an own toko.txt kept.
    fields.at(2)->setText(u"Jl. Kenari 5"_qs);
    fields.at(3)->setText(u"0274-1"_qs);
    QVERIFY(press(path(u"baru/toko"_qs), u"Buat toko baru"_qs));
    QCOMPARE(dialog.folder(), path(u"baru/toko"_qs));
    QVERIFY(shopfolder::openProblem(QDir(dialog.folder())).isEmpty());
    QFile shopFile(path(u"baru/toko/toko.txt"_qs));
    QVERIFY(shopFile.open(QIODevice::ReadOnly));
    QCOMPARE(shopFile.readAll(), QByteArray("Toko Maju;Jl. Kenari 5;0274-1\n"));
    QVERIFY(config::writeFileAtomically(path(u"plain/toko.txt"_qs), "Toko Lama;;\n"));
    QVERIFY(press(path(u"plain"_qs), u"Buat toko baru"_qs));
    QVERIFY(press(path(u"plain"_qs), u"Buka Toko"_qs));
    QCOMPARE(config::lastLine(path(u"plain/toko.txt"_qs)), u"Toko Lama;;"_qs);
}

QTEST_MAIN(TestShopFolder)
#include "test_shop_folder.moc"
