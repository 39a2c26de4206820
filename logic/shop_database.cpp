#include "logic/shop_database.h"

#include "core/database.h"
#include "core/password.h"
#include "core/shop_folder.h"
#include "core/shop_upgrade.h"
#include "logic/schema_sql.h"

#include <QFile>
#include <QFileInfo>

namespace shopdb {

namespace {

// Ten tiers as the price-tier dialog writes them: threshold;price, first match wins.
QString tiers(const QString& used)
{
    QStringList pieces = used.split(u'|');
    const QString last = pieces.last();
    while (pieces.size() < 10)
        pieces.append(last);
    return pieces.join(u'|');
}

bool addDemo(Database& db)
{
    struct Product {
        const char* kode;
        const char* nama;
        const char* kategori;
        int stock;
        const char* satuan;
        int hpp;
        int harga;
        int diskon;
        QString functSql;
    };
    const QList<Product> products = {
        {"1001", "Beras Pandan Wangi 5 kg", "Sembako", 40, "karung", 62000, 68500, 0, {}},
        {"1002", "Minyak Goreng 2 L", "Sembako", 60, "pouch", 31000, 34000, 0,
         tiers(QStringLiteral("24;32500|12;33000|0;34000"))},
        {"1003", "Gula Pasir 1 kg", "Sembako", 80, "bungkus", 14500, 16000, 0,
         tiers(QStringLiteral("20;15200|10;15500|0;16000"))},
        {"1004", "Telur Ayam 1 kg", "Sembako", 30, "kg", 25000, 28000, 0, {}},
        {"1005", "Tepung Terigu 1 kg", "Sembako", 50, "bungkus", 10500, 12000, 500, {}},
        {"2001", "Mi Instan Goreng", "Makanan", 200, "bungkus", 2700, 3200, 0,
         tiers(QStringLiteral("100;2800|40;2900|10;3000|0;3200"))},
        {"2002", "Kecap Manis 520 ml", "Makanan", 35, "botol", 19000, 22500, 0, {}},
        {"2003", "Biskuit Kelapa", "Makanan", 45, "bungkus", 7000, 8500, 0, {}},
        {"3001", "Air Mineral 600 ml", "Minuman", 120, "botol", 2500, 3500, 0,
         tiers(QStringLiteral("48;2900|24;3000|0;3500"))},
        {"3002", "Teh Celup isi 25", "Minuman", 40, "kotak", 5500, 7000, 0, {}},
        {"3003", "Kopi Bubuk 165 g", "Minuman", 30, "bungkus", 12500, 15000, 0, {}},
        {"4001", "Sabun Mandi Batang", "Kebersihan", 70, "pcs", 3200, 4000, 0, {}},
        {"4002", "Sabun Cuci Piring 800 ml", "Kebersihan", 25, "pouch", 13000, 15500, 1000, {}},
    };
    for (const Product& p : products) {
        if (!db.exec(QStringLiteral("insert into barang (kode, jenis, nama, kategori, stock, "
                                    "satuan, hpp, hargajual, diskon, barcode, FunctSQL) "
                                    "values (?, 'barang', ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                     {QString::fromUtf8(p.kode), QString::fromUtf8(p.nama),
                      QString::fromUtf8(p.kategori), p.stock, QString::fromUtf8(p.satuan), p.hpp,
                      p.harga, p.diskon, QString::fromUtf8(p.kode), p.functSql}))
            return false;
    }
    struct Party {
        const char* kode;
        const char* nama;
        const char* alamat;
        const char* kontak;
        const char* catatan;
    };
    const QList<Party> customers = {
        {"PL-00001", "Bu Siti Aminah", "Jl. Melati 12", "081234567801", "Langganan"},
        {"PL-00002", "Pak Budi Santoso", "Jl. Kenanga 3", "081234567802", ""},
        {"PL-00003", "Warung Bu Yati", "Gg. Mawar 7", "081234567803", "Boleh tempo 14 hari"},
    };
    const QList<Party> suppliers = {
        {"SP-001", "CV Sumber Rejeki", "Jl. Pasar Baru 21", "0274-512345", "Sembako"},
        {"SP-002", "UD Makmur Jaya", "Jl. Gudang 5", "0274-556677", "Makanan dan minuman"},
        {"SP-003", "PT Bersih Selalu", "Kawasan Industri Blok C", "021-7788990", ""},
    };
    const auto addParties = [&](const QString& table, const QList<Party>& parties) {
        for (const Party& p : parties) {
            if (!db.exec(QStringLiteral("insert into ") + table +
                             QStringLiteral(" (kode, nama, alamat, kontak, catatan) "
                                            "values (?, ?, ?, ?, ?)"),
                         {QString::fromUtf8(p.kode), QString::fromUtf8(p.nama),
                          QString::fromUtf8(p.alamat), QString::fromUtf8(p.kontak),
                          QString::fromUtf8(p.catatan)}))
                return false;
        }
        return true;
    };
    return addParties(QStringLiteral("pelanggan"), customers) &&
           addParties(QStringLiteral("supplier"), suppliers);
}

// Whether the server at `address` answers and holds a shop.
Outcome<> holdsShop(const QString& address)
{
    if (!ServerConnection::isAddress(address))
        return Failure{QStringLiteral("Alamat server harus diawali postgresql://")};
    Database db;
    if (!db.open(address))
        return Failure{QStringLiteral("Tidak dapat terhubung ke server: ") + db.errorMessage()};
    if (!db.value(QStringLiteral("select count(*) from useradmin")))
        return Failure{QStringLiteral("Server belum berisi data toko (buat dengan toko-initdb): ") +
                       db.path()};
    return {};
}

enum class Contents { Tables, FirstUser, Demo };

Outcome<> make(const QString& path, Contents contents)
{
    if (path.isEmpty())
        return Failure{QStringLiteral("Nama file database belum diisi.")};
    const bool server = ServerConnection::isAddress(path);
    if (!server && QFileInfo::exists(path))
        return Failure{QStringLiteral("File sudah ada, tidak ditimpa: ") + path};

    const QString adminHash = password::hash(QString::fromLatin1(firstAdminPassword));
    if (adminHash.isEmpty())
        return Failure{QStringLiteral("Tidak dapat membuat hash password.")};
    Database db;
    if (!db.open(path))
        return Failure{QStringLiteral("Tidak dapat membuat database: ") + db.errorMessage()};
    if (server) {
        const Outcome<QString> tables =
            db.value(QStringLiteral("select count(*) from information_schema.tables "
                                    "where table_schema = current_schema()"));
        if (!tables)
            return Failure{QStringLiteral("Tidak dapat membuat database: ") + db.errorMessage()};
        if (*tables != u"0")
            return Failure{QStringLiteral("Database di server sudah berisi tabel, tidak diubah: ") +
                           db.path()};
    }

    bool ok = false;
    {
        Database::Transaction transaction(db);
        ok = transaction.active() &&
             db.execScript(QString::fromUtf8(server ? serverSchemaSql : shopSchemaSql)) &&
             (contents == Contents::Tables ||
              db.exec(
                  QStringLiteral("insert into useradmin (\"User\", Password) values ('admin', ?)"),
                  {adminHash})) &&
             (contents != Contents::Demo || addDemo(db)) && transaction.commit();
    }
    if (!ok) {
        const QString error = db.errorMessage();
        db.close();
        if (!server)
            QFile::remove(path);
        return Failure{QStringLiteral("Tidak dapat membuat database: ") + error};
    }
    return {};
}

} // namespace

Outcome<> create(const QString& path, bool demo)
{
    return make(path, demo ? Contents::Demo : Contents::FirstUser);
}

Outcome<> createTables(const QString& path)
{
    return make(path, Contents::Tables);
}

Outcome<> createShop(const QDir& folder, const ShopIdentity& identity, const QString& server)
{
    const QString where = QDir::toNativeSeparators(folder.absolutePath());
    for (const QString& field : {identity.name, identity.address, identity.phone}) {
        if (field.contains(u';') || field.contains(u'\n') || field.contains(u'\r'))
            return Failure{
                QStringLiteral("Nama, alamat dan telepon toko tidak boleh memuat tanda ; "
                               "(titik koma) atau baris baru.")};
    }
    if (identity.name.trimmed().isEmpty())
        return Failure{QStringLiteral("Nama toko belum diisi.")};
    const QString database = QString::fromLatin1(newShopDatabase);
    const QString connection = folder.filePath(QString::fromLatin1(config::connectionFile));
    if (QFileInfo::exists(connection) || QFileInfo::exists(folder.filePath(database)))
        return Failure{QStringLiteral("Folder ini sudah berisi toko, tidak ada yang ditimpa: ") +
                       where};
    if (!folder.exists() && !QDir().mkpath(folder.absolutePath()))
        return Failure{QStringLiteral("Folder tidak dapat dibuat: ") + where};
    if (const QString problem = shopfolder::writeProblem(folder); !problem.isEmpty())
        return Failure{problem};

    if (!server.isEmpty()) {
        if (Outcome<> reached = holdsShop(server); !reached)
            return reached;
    } else if (Outcome<> made = create(folder.filePath(database), false); !made) {
        return made;
    }
    // toko.txt first: conn.txt is what makes the folder a shop.
    const QString shopFile = folder.filePath(QString::fromLatin1(config::shopFile));
    const bool ownShopFile = !QFileInfo::exists(shopFile);
    const QString shopLine =
        identity.name + u';' + identity.address + u';' + identity.phone + u'\n';
    if ((ownShopFile && !config::writeFileAtomically(shopFile, shopLine.toUtf8())) ||
        !config::writeConnection(folder, {server.isEmpty() ? database : server, {}, {}})) {
        if (server.isEmpty())
            QFile::remove(folder.filePath(database));
        if (ownShopFile)
            QFile::remove(shopFile);
        return Failure{QStringLiteral("conn.txt atau toko.txt tidak dapat ditulis di folder: ") +
                       where};
    }
    return {};
}

Outcome<HelpersChanged> setPlain(const QString& path, bool plain)
{
    // Opening creates a file that is missing.
    if (!QFileInfo(path).isFile())
        return Failure{QStringLiteral("File tidak ada: ") + path};
    HelpersChanged changed;
    changed.sizeBefore = QFileInfo(path).size();
    Database db;
    if (!db.open(path))
        return Failure{QStringLiteral("Tidak dapat membuka database: ") + db.errorMessage()};
    if (db.isReadOnly())
        return Failure{QStringLiteral("File hanya dapat dibaca, tidak diubah: ") + path};
    const Outcome<QStringList> done = plain ? shopfile::makePlain(db) : shopfile::allowHelpers(db);
    if (!done)
        return done.failure();
    // Closed, the file holds everything again, its log written into it.
    db.close();
    changed.names = *done;
    changed.sizeAfter = QFileInfo(path).size();
    return changed;
}

} // namespace shopdb
