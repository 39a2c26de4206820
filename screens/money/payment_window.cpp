#include "screens/money/payment_window.h"

#include "core/messages.h"
#include "core/text_ops.h"
#include "logic/amount_words.h"
#include "screens/printing/receipt_printing.h"
#include "screens/reports/list_export.h"
#include "ui/font_text.h"
#include "ui/form.h"
#include "ui/images.h"
#include "ui/list_view.h"
#include "ui/table_model.h"
#include "ui/tool_bar.h"

#include <QFormLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QList<int> partyWidths = {100, 150, 100, 100, 100};
const QList<int> documentWidths = {150, 150, 100, 100, 100, 100};

// Shows `cells` in `row` of `model`, cell by cell.
void showCells(TableModel& model, int row, const QStringList& cells)
{
    for (int column = 0; column < cells.size(); ++column) {
        if (model.cell(row, column) != cells.at(column))
            model.setCell(row, column, cells.at(column));
    }
}

} // namespace

PaymentWindow::PaymentWindow(AppContext& context, Side side, QWidget* parent)
    : QWidget(parent), m_context(context), m_side(side), m_parties(new TableModel(this)),
      m_documents(new TableModel(this)), m_partyList(new ListView(this)),
      m_documentList(new ListView(this)), m_partyLabel(new QLabel(this)),
      m_outstanding(new QLineEdit(this)), m_paid(new QLineEdit(this)), m_words(new QLineEdit(this))
{
    const SideInfo& info = sideInfo(side);
    setWindowTitle(info.paymentTitle);
    m_parties->setTable({payments::partyColumns(side), {}}, partyWidths);
    m_documents->setTable({payments::documentColumns(side), {}}, documentWidths);
    m_partyList->setObjectName(QStringLiteral("daftarPihak"));
    m_partyList->setTableModel(m_parties);
    m_documentList->setObjectName(QStringLiteral("daftarDokumen"));
    m_documentList->setTableModel(m_documents);
    m_partyLabel->setObjectName(QStringLiteral("pihak"));
    m_partyLabel->setFont(fontFromText(QStringLiteral("Arial,12,1")));
    m_outstanding->setObjectName(QStringLiteral("totalSisa"));
    m_outstanding->setReadOnly(true);
    m_outstanding->setAlignment(Qt::AlignRight);
    m_paid->setObjectName(QStringLiteral("dibayar"));
    m_paid->setAlignment(Qt::AlignRight);
    form::acceptDigitsOnly(m_paid);
    m_paid->setMaxLength(amount::boxDigits());
    m_words->setObjectName(QStringLiteral("terbilang"));
    m_words->setReadOnly(true);
    m_words->setFocusPolicy(Qt::NoFocus);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Total ") + info.debtWord, m_outstanding);
    fields->addRow(QStringLiteral("Dibayar"), m_paid);
    fields->addRow(QString(), m_words);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(makeToolBar(
        this, {
                  {"Simpan", "Tambah Data", images::diskBlue, [this] { save(); }},
                  {"Print", "Cetak Pembayaran", images::report, [this] { print(); }},
                  {"Print List", "Cetak Daftar Piutang", images::down, [this] { printList(); }},
              }));
    layout->addWidget(m_partyList, 1);
    layout->addWidget(m_partyLabel);
    layout->addWidget(m_documentList, 1);
    layout->addLayout(fields);

    // Any way of moving to a party lists its documents: the mouse or the
    // arrow keys. A click (or Enter) goes on to the payment box; a click on
    // the party already chosen lists its documents anew after a payment.
    connect(m_partyList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { choose(current.row()); });
    connect(m_partyList, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (m_stored)
            choose(index.row());
        toPayment();
    });
    connect(m_partyList, &QAbstractItemView::activated, this, &PaymentWindow::toPayment);
    connect(m_paid, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_words->setText(amount::wordsOf(text)); });

    loadParties();
    form::setName(this, u"FORM11");
}

bool PaymentWindow::loadParties()
{
    const Outcome<Table> parties = payments::loadParties(m_context.db(), m_side);
    if (!parties) {
        m_parties->clear();
        m_context.messages().failed(parties);
        return false;
    }
    m_parties->setTable(*parties, partyWidths);
    return true;
}

void PaymentWindow::choose(int row)
{
    if (row < 0 || row >= m_parties->rowCount())
        return;
    m_partyRow = row;
    m_partyCode = m_parties->cell(row, payments::PartyCode);
    m_partyName = m_parties->cell(row, payments::PartyName);
    m_stored = false;
    const Outcome<Table> documents = payments::loadDocuments(m_context.db(), m_side, m_partyCode);
    m_listed.clear();
    if (documents) {
        m_documents->setTable(*documents, documentWidths);
        m_listed = payments::documentsOf(documents->rows);
    } else {
        m_documents->clear();
        m_context.messages().failed(documents);
    }
    m_partyLabel->setText(sideInfo(m_side).partyWord.toUpper() + QStringLiteral(" : ") +
                          m_partyName);
    const QString open = m_parties->cell(row, payments::PartyOpen);
    m_outstanding->setText(open);
    m_paid->setText(open);
    m_paid->selectAll();
}

void PaymentWindow::toPayment()
{
    if (m_partyRow < 0)
        return;
    m_paid->setFocus();
    m_paid->selectAll();
}

void PaymentWindow::save()
{
    Messages& messages = m_context.messages();
    if (m_stored) {
        messages.info(QStringLiteral("Pembayaran ini sudah disimpan. Pilih ") +
                      sideInfo(m_side).partyWord +
                      QStringLiteral(" lagi untuk pembayaran berikutnya."));
        return;
    }
    const payments::Payment payment{m_side,
                                    m_context.startDate,
                                    m_partyCode,
                                    m_partyName,
                                    m_context.user,
                                    text::textToNumber(m_outstanding->text()),
                                    m_outstanding->text(),
                                    m_paid->text(),
                                    m_listed};
    const Outcome<payments::Stored> stored = payments::store(m_context.db(), payment);
    if (!stored) {
        messages.failed(stored);
        if (m_partyCode.isEmpty())
            return;
        // Another till paid or took a return meanwhile: show what is open now. Documents
        // that cannot be read again are not said twice: the refusal has been shown.
        const Outcome<bool> current = payments::isCurrent(m_context.db(), payment);
        if (current && !*current)
            reload();
        return;
    }
    QList<QStringList> documents;
    for (int row = 0; row < m_documents->rowCount(); ++row)
        documents.append(m_documents->row(row));
    QStringList party = m_parties->row(m_partyRow);
    payments::showStored(*stored, payment, documents, party);
    for (int row = 0; row < documents.size(); ++row)
        showCells(*m_documents, row, documents.at(row));
    showCells(*m_parties, m_partyRow, party);
    m_stored = true;
    m_lastPayment = payment;
    m_lastStored = *stored;
    if (m_side == Side::Sales && stored->recorded > 0)
        openCashDrawer(m_context, Drawer::AfterStoring);
    if (messages.ask(this, QStringLiteral("Print"), QStringLiteral("Cetak Pembayaran Piutang?")))
        printVoucher(m_context, payments::voucher(payment, stored->recorded, stored->code.mid(3),
                                                  vouchers::receiverAfterSaving));
}

void PaymentWindow::reload()
{
    const QString party = m_partyCode;
    m_partyRow = -1;
    m_partyCode.clear();
    m_partyName.clear();
    m_partyLabel->clear();
    m_documents->clear();
    m_listed.clear();
    m_outstanding->clear();
    m_paid->clear();
    if (!loadParties())
        return;
    // The party again, unless it has nothing open any more.
    for (int row = 0; row < m_parties->rowCount(); ++row) {
        if (m_parties->cell(row, payments::PartyCode) == party) {
            m_partyList->setCurrentIndex(m_parties->index(row, 0));
            toPayment();
            return;
        }
    }
}

void PaymentWindow::print()
{
    // Only a payment this screen stored: a sale saved meanwhile says nothing about it.
    if (!m_lastPayment) {
        m_context.messages().info(QStringLiteral("Simpan terlebih dahulu sebelum cetak"));
        return;
    }
    printVoucher(m_context, payments::voucher(*m_lastPayment, m_lastStored.recorded,
                                              m_lastStored.code, vouchers::receiverOnReprint));
}

void PaymentWindow::printList()
{
    exporting::exportList(this, m_context, exporting::Format::WebPage,
                          QStringLiteral("Piutang Pelanggan"), *m_documents);
}
