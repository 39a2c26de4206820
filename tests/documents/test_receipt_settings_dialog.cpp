#include "documents/receipt_settings_dialog.h"
#include "support/modal.h"
#include "support/test_shop.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>

// "Setting Struk": what it shows, the cashier's size following it, and saving.
class TestReceiptSettingsDialog final : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void opening_data();
    void opening();
    void fontSearch_data();
    void fontSearch();
    void defaultSizeMovesTheCashier();
    void save_data();
    void save();
    void unwritableFolderKeepsEverything();

private:
    std::unique_ptr<ReceiptSettingsDialog> open();
    QString receiptFile() const { return m_shop->folder().filePath(u"setting_struk.txt"_qs); }

    std::unique_ptr<TestShop> m_shop;
    std::unique_ptr<QComboBox> m_cashierSizes;
};

namespace {

// The text box or drop-down list that the label with this text names.
template <typename Field> Field* beside(QWidget& screen, const QString& label)
{
    for (QLabel* shown : screen.findChildren<QLabel*>()) {
        if (shown->text() == label)
            return qobject_cast<Field*>(shown->buddy());
    }
    return nullptr;
}

QLineEdit* box(QWidget& screen, const QString& label)
{
    return beside<QLineEdit>(screen, label);
}

QComboBox* list(QWidget& screen, const QString& label)
{
    return beside<QComboBox>(screen, label);
}

QStringList entries(const QComboBox& combo)
{
    QStringList texts;
    for (int index = 0; index < combo.count(); ++index)
        texts.append(combo.itemText(index));
    return texts;
}

void retype(QLineEdit* field, const QString& text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString fontBox = u"Font Struk"_qs;
const QString sizeBox = u"Default Struk"_qs;

} // namespace

void TestReceiptSettingsDialog::init()
{
    m_shop = std::make_unique<TestShop>();
    QCOMPARE(m_shop->error(), QString());
    m_cashierSizes = std::make_unique<QComboBox>();
    for (int size = 1; size <= 5; ++size)
        m_cashierSizes->addItem(u"Struk "_qs + QString::number(size));
}

std::unique_ptr<ReceiptSettingsDialog> TestReceiptSettingsDialog::open()
{
    auto dialog = std::make_unique<ReceiptSettingsDialog>(m_shop->context(), m_cashierSizes.get());
    dialog->show();
    dialog->activateWindow();
    return QTest::qWaitForWindowExposed(dialog.get()) ? std::move(dialog) : nullptr;
}

void TestReceiptSettingsDialog::opening_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<QString>("selected"); // "Default Struk" entry shown, empty for none
    QTest::newRow("first") << 0 << u"Struk 1"_qs;
    QTest::newRow("last") << 4 << u"Struk 5"_qs;
    QTest::newRow("past the end") << 5 << QString();
    QTest::newRow("negative") << -1 << QString();
}

void TestReceiptSettingsDialog::opening()
{
    QFETCH(int, layout);
    QFETCH(QString, selected);
    m_shop->context().receipt.defaultLayout = layout;
    m_cashierSizes->setCurrentIndex(3);
    const auto dialog = open();
    QVERIFY(dialog);
    QCOMPARE(dialog->objectName() + u'|' + dialog->windowTitle(),
             u"FORM_TOKO_FORM23_CLASS|Setting Struk"_qs);
    QVERIFY(dialog->isModal());
    QCOMPARE(box(*dialog, u"Marjin Atas"_qs)->text(), u"15"_qs);
    QCOMPARE(box(*dialog, u"Jarak Per Baris"_qs)->text(), u"150"_qs);
    QCOMPARE(box(*dialog, u"Font Size"_qs)->text(), u"6"_qs);
    QComboBox* font = list(*dialog, fontBox);
    QComboBox* size = list(*dialog, sizeBox);
    QVERIFY(font && size && !font->isEditable() && !size->isEditable());
    QCOMPARE(entries(*font), QStringList({u"Courier New"_qs, u"Lucida Sans Typewriter"_qs,
                                          u"Lucida Console"_qs, u"Courier"_qs, u"Consolas"_qs}));
    QCOMPARE(font->currentText(), u"Courier New"_qs);
    QCOMPARE(entries(*size), entries(*m_cashierSizes));
    QCOMPARE(size->currentText(), selected);
    QCOMPARE(size->currentIndex() < 0, selected.isEmpty());
    // Opening never moves the cashier's own choice.
    QCOMPARE(m_cashierSizes->currentIndex(), 3);
    QVERIFY(buttonWithText<QPushButton>(dialog.get(), u"Tutup dan Simpan"_qs));
}

void TestReceiptSettingsDialog::fontSearch_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("index");
    QTest::newRow("exact second name wins over its prefix twin") << u"Courier"_qs << 3;
    QTest::newRow("first entry, looked at last") << u"Courier New"_qs << 0;
    QTest::newRow("other case") << u"consolas"_qs << 4;
    QTest::newRow("prefix picks the first after the top") << u"Luc"_qs << 1;
    QTest::newRow("longer prefix") << u"lucida c"_qs << 2;
    QTest::newRow("short prefix of both courier") << u"Cour"_qs << 3;
    QTest::newRow("unknown face") << u"Arial"_qs << -1;
    QTest::newRow("longer than any entry") << u"Courier New Bold"_qs << -1;
    QTest::newRow("empty") << QString() << -1;
}

void TestReceiptSettingsDialog::fontSearch()
{
    QFETCH(QString, stored);
    QFETCH(int, index);
    m_shop->context().receipt.fontName = stored;
    const auto dialog = open();
    QVERIFY(dialog);
    QCOMPARE(list(*dialog, fontBox)->currentIndex(), index);
}

void TestReceiptSettingsDialog::defaultSizeMovesTheCashier()
{
    const auto dialog = open();
    QVERIFY(dialog);
    QComboBox* size = list(*dialog, sizeBox);
    size->setFocus();
    QTest::keyClick(size, Qt::Key_Down);
    QTest::keyClick(size, Qt::Key_Down);
    QCOMPARE(size->currentIndex(), 2);
    QCOMPARE(m_cashierSizes->currentIndex(), 2);
    QTest::keyClick(size, Qt::Key_Up);
    QCOMPARE(m_cashierSizes->currentIndex(), 1);
    // Closing without saving keeps the cashier's new choice but writes nothing.
    dialog->close();
    QCOMPARE(m_cashierSizes->currentIndex(), 1);
    QCOMPARE(contents(receiptFile()), QByteArray("15;150;0;Courier New;6\n"));
}

void TestReceiptSettingsDialog::save_data()
{
    QTest::addColumn<QString>("storedFace");
    QTest::addColumn<int>("storedLayout");
    QTest::addColumn<QStringList>("typed"); // margin, spacing, size; empty keeps what is shown
    QTest::addColumn<int>("font");          // entry chosen, -1 keeps what is selected
    QTest::addColumn<int>("layout");        // entry chosen, -1 keeps what is selected
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("inMemory"); // context.receipt afterwards, as a file line
    const QString courier = u"Courier New"_qs;
    const QStringList none;
    QTest::newRow("typed") << courier << 0 << QStringList({u"20"_qs, u"140"_qs, u"8"_qs}) << 2 << 2
                           << QByteArray("20;140;2;Lucida Console;8\n")
                           << u"20;140;2;Lucida Console;8"_qs;
    QTest::newRow("unknown face saves none")
        << u"Arial"_qs << 0 << none << -1 << -1 << QByteArray("15;150;0;;6\n") << u"15;150;0;;6"_qs;
    QTest::newRow("no default size")
        << courier << 7 << none << -1 << -1 << QByteArray("15;150;-1;Courier New;6\n")
        << u"15;150;-1;Courier New;6"_qs;
    QTest::newRow("text kept as typed")
        << courier << 0 << QStringList({u"abc"_qs, u" 12.5"_qs, u"7,6"_qs}) << 4 << 4
        << QByteArray("abc; 12.5;4;Consolas;7,6\n") << u"0;12;4;Consolas;7"_qs;
    QTest::newRow("a typed ; would shift the fields: refused")
        << courier << 0 << QStringList({u"1;5"_qs, u"150"_qs, u"6;"_qs}) << -1 << -1
        << QByteArray("15;150;0;Courier New;6\n") << u"15;150;0;Courier New;6"_qs;
    QTest::newRow("rounded") << courier << 0 << QStringList({u"13.5"_qs, u"-2.6"_qs, u""_qs}) << 3
                             << 1 << QByteArray("13.5;-2.6;1;Courier;\n")
                             << u"14;-3;1;Courier;0"_qs;
}

void TestReceiptSettingsDialog::save()
{
    QFETCH(QString, storedFace);
    QFETCH(int, storedLayout);
    QFETCH(QStringList, typed);
    QFETCH(int, font);
    QFETCH(int, layout);
    QFETCH(QByteArray, file);
    QFETCH(QString, inMemory);
    AppContext& context = m_shop->context();
    context.receipt.fontName = storedFace;
    context.receipt.defaultLayout = storedLayout;
    const auto dialog = open();
    QVERIFY(dialog);
    const QStringList labels = {u"Marjin Atas"_qs, u"Jarak Per Baris"_qs, u"Font Size"_qs};
    for (qsizetype field = 0; field < typed.size(); ++field)
        retype(box(*dialog, labels.at(field)), typed.at(field));
    if (font >= 0)
        list(*dialog, fontBox)->setCurrentIndex(font);
    if (layout >= 0)
        list(*dialog, sizeBox)->setCurrentIndex(layout);

    QTest::mouseClick(buttonWithText<QPushButton>(dialog.get(), u"Tutup dan Simpan"_qs),
                      Qt::LeftButton);
    QCOMPARE(m_shop->messages.texts(), QStringList());
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), static_cast<int>(QDialog::Accepted));
    QCOMPARE(contents(receiptFile()), file);
    QCOMPARE(config::receiptSettingsLine(context.receipt), inMemory);
    // What the next start reads is what is now in memory.
    QCOMPARE(config::readReceiptSettings(m_shop->folder()), context.receipt);
}

void TestReceiptSettingsDialog::unwritableFolderKeepsEverything()
{
    const QString folder = m_shop->folder().path();
    const auto restore = qScopeGuard([&] {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDir(receiptFile()).removeRecursively();
    });
    QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                              QFile::ExeGroup | QFile::ReadOther |
                                              QFile::ExeOther));
    QFile probe(m_shop->folder().filePath(u"probe.txt"_qs));
    if (probe.open(QIODevice::WriteOnly)) {
        // Permissions do not stop this user (root): a folder in the file's place does.
        probe.close();
        probe.remove();
        QVERIFY(QFile::remove(receiptFile()));
        QVERIFY(m_shop->folder().mkdir(u"setting_struk.txt"_qs));
    }
    AppContext& context = m_shop->context();
    const ReceiptSettings before = context.receipt;
    const auto dialog = open();
    QVERIFY(dialog);
    retype(box(*dialog, u"Marjin Atas"_qs), u"30"_qs);
    list(*dialog, fontBox)->setCurrentIndex(4);

    QTest::mouseClick(buttonWithText<QPushButton>(dialog.get(), u"Tutup dan Simpan"_qs),
                      Qt::LeftButton);
    QCOMPARE(m_shop->messages.texts(),
             QStringList(u"Setting struk tidak dapat disimpan: "_qs + receiptFile()));
    QVERIFY(dialog->isVisible());
    QCOMPARE(context.receipt, before);
    QCOMPARE(box(*dialog, u"Marjin Atas"_qs)->text(), u"30"_qs);
}

QTEST_MAIN(TestReceiptSettingsDialog)
#include "test_receipt_settings_dialog.moc"
