#include "screens/counter/cashier_window.h"

#include "core/messages.h"
#include "core/numbering.h"
#include "core/text_ops.h"
#include "logic/parties.h"
#include "logic/sale_store.h"
#include "screens/counter/product_search_dialog.h"
#include "screens/masters/party_picker_dialog.h"
#include "screens/printing/receipt_printing.h"
#include "screens/printing/receipt_settings_dialog.h"
#include "ui/clock_status_bar.h"
#include "ui/font_text.h"
#include "ui/form.h"
#include "ui/images.h"
#include "ui/line_delegate.h"
#include "ui/list_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

enum StatusPart { OperatorCaption, Operator, DateCaption, Date, Time, NumLock, Help, Items };

const QString scanHelp = QStringLiteral("Scan/Ketik Kode Item Barang untuk cari barang | F10");
const QString quantityHelp =
    QStringLiteral("Isi nilai Qty (jumlah item barang) | Tekan Tab untuk pindah kolom..");
const QString discountHelp = QStringLiteral("Ubah Diskon Barang | Tekan Tab untuk pindah kolom..");
const QString unitHelp = QStringLiteral(
    "Ubah nilai harga barang.. | Tekan Enter untuk menambahkan ke daftar item transaksi");
constexpr int rowHeight = 20;
constexpr int listTop = 130;

QFont pixelFont(const QString& family, int pixels, bool bold)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void setTextKeepingCursor(QLineEdit* box, const QString& text)
{
    if (box->text() != text)
        box->setText(text);
}

} // namespace

CashierWindow::CashierWindow(AppContext& context, const KeyboardState& keyboard, Side side,
                             QWidget* parent)
    : QDialog(parent, Qt::Window), m_context(context), m_side(side), m_cart(context.db(), side)
{
    setWindowTitle(sideInfo(side).cashierTitle);
    setWindowIcon(images::icon(images::barang));
    setFont(pixelFont(QStringLiteral("Arial"), 13, false));
    m_status =
        new ClockStatusBar({40, 120, 60, 150, 70, 40, 0, 140}, context.clock(), keyboard, this);
    buildControls();
    buildMenu();

    m_status->setPart(OperatorCaption, QStringLiteral("Opr:"));
    m_status->setPart(Operator, context.user);
    m_status->partLabel(Operator)->setToolTip(QStringLiteral("Operator Admin"));
    m_status->setPart(DateCaption, QStringLiteral("Tanggal"));
    m_status->setClockParts({Date, Time, NumLock});
    // A long help text is cut rather than widening the window past a 1024 px screen.
    m_status->partLabel(Help)->setMinimumWidth(1);
    m_receiptSize->setCurrentIndex(context.receipt.defaultLayout);
    reset(); // the day counter shows "0" until the first F9
    form::setName(this, sideInfo(side).cashierForm);
    resize(1024, 700);
}

void CashierWindow::buildControls()
{
    m_body = new QWidget(this);
    m_body->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_body, 1);
    layout->addWidget(m_status);

    const QFont small = fontFromText(QStringLiteral("Arial Unicode MS,9,0"));
    m_group = new QGroupBox(QStringLiteral("Transaksi"), m_body);
    m_settings = new QPushButton(images::icon(images::gear), QString(), m_body);
    m_settings->setIconSize(QSize(32, 32));
    m_dayCount = new QLabel(QStringLiteral("0"), m_body);
    m_dayCount->setObjectName(QStringLiteral("hitungan"));
    m_dayCount->setFont(small);
    m_receiptSize = new QComboBox(m_body);
    m_receiptSize->setFont(small);
    for (int size = 1; size <= 5; ++size)
        m_receiptSize->addItem(QStringLiteral("Struk ") + QString::number(size));
    m_receiptSize->setToolTip(QStringLiteral("Pilihlah salah satu ukuran cetak transaksi.."));
    m_barcode = new QCheckBox(QStringLiteral("Barcode [F1]"), m_body);
    m_barcode->setFont(pixelFont(QStringLiteral("Arial"), 16, false));
    m_barcode->setToolTip(QStringLiteral(
        "Tekan Tombol F1 untuk mengaktifkan mode barcode, sangat disarankan bila aplikasi "
        "digunakan untuk swalayan"));
    m_words = new QLabel(m_body);
    m_words->setObjectName(QStringLiteral("terbilang"));
    m_words->setAlignment(Qt::AlignCenter);
    m_words->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    const SideInfo& side = sideInfo(m_side);
    m_words->setFont(pixelFont(side.wordsFont, 24, side.wordsBold));
    m_bigFigure = new QLabel(m_body);
    m_bigFigure->setObjectName(QStringLiteral("angka"));
    m_bigFigure->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_bigFigure->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_bigFigure->setFont(pixelFont(QStringLiteral("Arial"), 64, true));
    if (side.bigFigureBackground) {
        m_bigFigure->setAutoFillBackground(true);
        QPalette palette = m_bigFigure->palette();
        palette.setColor(QPalette::Window, QColor::fromRgb(*side.bigFigureBackground));
        palette.setColor(QPalette::WindowText, QColor::fromRgb(side.bigFigureText.value_or(0)));
        m_bigFigure->setPalette(palette);
    }
    m_dateLabel = new QLabel(QStringLiteral("Tanggal Transaksi"), m_body);
    m_dueDateLabel = new QLabel(QStringLiteral("Tanggal Jatuh Tempo"), m_body);
    m_date = new QDateEdit(m_body);
    m_dueDate = new QDateEdit(m_body);
    for (QDateEdit* picker : {m_date, m_dueDate}) {
        picker->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        picker->setCalendarPopup(true);
    }

    m_list = new ListView(m_body);
    m_list->setTableModel(&m_cart.lines());
    m_list->setItemDelegate(new LineDelegate(m_list));
    m_list->verticalHeader()->setDefaultSectionSize(rowHeight);
    connect(m_list, &ListView::clicked, this, [this](const QModelIndex& index) {
        if (m_cart.loadLine(index.row())) {
            render();
            placeEntryRow();
            focusQuantity();
        }
    });

    m_partyRows.setColumns({{QString(), 80, Qt::AlignLeft}, {QString(), 150, Qt::AlignLeft}});
    m_partyPanel = new ListView(m_body);
    m_partyPanel->setTableModel(&m_partyRows);
    m_partyPanel->horizontalHeader()->hide();
    m_partyPanel->verticalHeader()->setDefaultSectionSize(rowHeight);
    m_partyPanel->setFocusPolicy(Qt::NoFocus);
    m_partyPanel->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_partyPanel->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    const auto setUp = [this](QLineEdit* edit, const char* name, const QString& tooltip,
                              Qt::Alignment alignment) {
        edit->setObjectName(QString::fromLatin1(name));
        edit->setAlignment(alignment);
        edit->setToolTip(tooltip);
        edit->installEventFilter(this);
        return edit;
    };
    const auto box = [&](const char* name, const QString& tooltip, Qt::Alignment alignment) {
        return setUp(new QLineEdit(m_body), name, tooltip, alignment);
    };
    m_entryRow = std::make_unique<EntryRow>(m_body, Cart::Tiers);
    const auto entry = [&](int column, const char* name, const QString& tooltip,
                           Qt::Alignment alignment) {
        return setUp(m_entryRow->box(column), name, tooltip, alignment);
    };
    const QString insertTip =
        QStringLiteral("Tekan Enter untuk menyisipkan item ke daftar item barang");
    m_code =
        entry(Cart::Code, "kode", QStringLiteral("Scan / Ketik Kode Barang Disini"), Qt::AlignLeft);
    m_name = entry(Cart::Name, "nama", {}, Qt::AlignLeft);
    m_quantity =
        entry(Cart::Quantity, "qty",
              QStringLiteral("Entry quantity barang tekan enter untuk lanjut"), Qt::AlignRight);
    m_unit = entry(Cart::Unit, "satuan", {}, Qt::AlignLeft);
    m_price = entry(Cart::Price, "harga",
                    QStringLiteral("Entry harga barang tekan enter untuk lanjut"), Qt::AlignRight);
    m_discount = entry(Cart::Discount, "diskon", insertTip, Qt::AlignRight);
    m_amount = entry(Cart::Amount, "jumlah", insertTip, Qt::AlignRight);
    QWidget::setTabOrder(m_code, m_name);
    QWidget::setTabOrder(m_name, m_quantity);
    QWidget::setTabOrder(m_quantity, m_unit);
    QWidget::setTabOrder(m_unit, m_price);
    QWidget::setTabOrder(m_price, m_discount);
    QWidget::setTabOrder(m_discount, m_amount);

    const QFont boldTotals = fontFromText(QStringLiteral("Arial,10,1"));
    m_gross = box("totalBelanja", {}, Qt::AlignRight);
    m_percent = box("discountPersen", {}, Qt::AlignRight);
    m_discountAmount = box("discount", {}, Qt::AlignRight);
    m_net = box("totalBersih", {}, Qt::AlignRight);
    m_paid = box("dibayar", QStringLiteral("Tekan Enter untuk proses simpan.."), Qt::AlignRight);
    m_change = box("kembali", {}, Qt::AlignRight);
    for (QLineEdit* total : {m_gross, m_discountAmount, m_net, m_change})
        total->setReadOnly(true);
    for (QLineEdit* total : {m_gross, m_net, m_change, m_paid})
        total->setFont(boldTotals);
    for (const char* caption : {"Total Belanja", "Discount %", "Total Bersih", "Dibayar [F11]"})
        m_totalLabels.append(new QLabel(QString::fromLatin1(caption), m_body));
    m_changeCaption = new QLabel(side.shortfallCaption, m_body);
    m_changeCaption->setObjectName(QStringLiteral("kembaliLabel"));
    m_totalLabels.append(m_changeCaption);

    const auto button = [this](const QString& text, const QString& tooltip) {
        auto* push = new QPushButton(text, m_body);
        push->setToolTip(tooltip);
        push->setAutoDefault(false);
        return push;
    };
    m_new = button(QStringLiteral("Baru [F9]"), QStringLiteral("Transaksi Baru"));
    m_productList = button(QStringLiteral("Item Barang [F10]"),
                           QStringLiteral("Panggil data barang yang ada di daftar barang"));
    m_save = button(QStringLiteral("Simpan Pembayaran [Ctrl+S]/[Enter]"),
                    QStringLiteral("Simpan Pembayaran Transaksi"));
    m_print = button(QStringLiteral("Cetak [F8]"), QStringLiteral("Cetak Item Transaksi"));
    m_party = button(side.partyWord, QStringLiteral("Panggil Data Pelanggan atau Supplier"));
    m_settings->setAutoDefault(false);

    connect(m_new, &QPushButton::clicked, this, &CashierWindow::newTransaction);
    connect(m_productList, &QPushButton::clicked, this, &CashierWindow::searchProduct);
    connect(m_save, &QPushButton::clicked, this, &CashierWindow::requestSave);
    connect(m_print, &QPushButton::clicked, this, &CashierWindow::print);
    connect(m_party, &QPushButton::clicked, this, &CashierWindow::chooseParty);
    connect(m_settings, &QPushButton::clicked, this, &CashierWindow::receiptSettings);
    connect(m_barcode, &QCheckBox::clicked, this, [this] {
        m_barcode->setChecked(m_cart.barcodeMode()); // the toggle decides, not the click
        toggleBarcode();
    });
    connect(m_code, &QLineEdit::textChanged, this, &CashierWindow::codeChanged);
    connect(m_name, &QLineEdit::textChanged, this, [this](const QString& t) { m_cart.setName(t); });
    connect(m_unit, &QLineEdit::textChanged, this, [this](const QString& t) { m_cart.setUnit(t); });
    connect(m_amount, &QLineEdit::textChanged, this,
            [this](const QString& t) { m_cart.setAmount(t); });
    connect(m_quantity, &QLineEdit::textChanged, this, [this](const QString& t) {
        m_cart.setQuantity(t);
        render();
    });
    connect(m_price, &QLineEdit::textChanged, this, [this](const QString& t) {
        m_cart.setPrice(t);
        render();
    });
    connect(m_discount, &QLineEdit::textChanged, this, [this](const QString& t) {
        m_cart.setDiscount(t);
        render();
    });
    connect(m_percent, &QLineEdit::textChanged, this, [this](const QString& t) {
        m_cart.setDiscountPercent(t);
        render();
    });
    connect(m_paid, &QLineEdit::textChanged, this, [this](const QString& t) {
        m_cart.setPaid(t);
        render();
    });
    m_group->lower();
}

void CashierWindow::buildMenu()
{
    auto* bar = new QMenuBar(this);
    layout()->setMenuBar(bar);
    QMenu* menu = bar->addMenu(QStringLiteral("Toko"));
    const auto item = [&](const QString& text, QKeySequence key, auto handler) {
        QAction* action = menu->addAction(text);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    QAction* fresh =
        item(QStringLiteral("Transaksi Baru"), Qt::Key_F9, &CashierWindow::newTransaction);
    fresh->setCheckable(true);
    fresh->setChecked(true);
    item(QStringLiteral("Daftar Produk"), Qt::Key_F10, &CashierWindow::searchProduct);
    item(QStringLiteral("Pembayaran"), Qt::Key_F11, &CashierWindow::payInFull);
    item(QStringLiteral("Simpan Transaksi"), QKeySequence(Qt::CTRL | Qt::Key_S),
         &CashierWindow::requestSave);
    item(QStringLiteral("Cetak"), Qt::Key_F8, &CashierWindow::print);
    item(QStringLiteral("Pratinjau Cetak"), QKeySequence(Qt::SHIFT | Qt::Key_F8),
         &CashierWindow::preview);
    item(QStringLiteral("Barcode"), Qt::Key_F1, &CashierWindow::toggleBarcode);
}

void CashierWindow::placeControls()
{
    const int w = m_body->width();
    const int h = m_body->height();
    m_settings->setGeometry(10, 6, 44, 44);
    m_receiptSize->setGeometry(62, 6, 100, 24);
    m_dayCount->setGeometry(62, 32, 100, 18);
    m_barcode->setGeometry(172, 6, 140, 26);
    m_dateLabel->setGeometry(10, 56, 130, 22);
    m_date->setGeometry(142, 56, 110, 22);
    m_dueDateLabel->setGeometry(10, 82, 130, 22);
    m_dueDate->setGeometry(142, 82, 110, 22);
    m_bigFigure->setGeometry(330, 4, std::max(200, w - 340), 82);
    m_words->setGeometry(260, 90, std::max(200, w - 270), 30);
    m_group->setGeometry(4, listTop - 4, w - 8, h - listTop);
    // The party panel and the totals share the right-hand column, as wide as
    // the panel's two columns; the cart takes the rest.
    m_list->setGeometry(10, listTop + 12, std::max(300, w - 270), std::max(100, h - 300));
    // All seven columns in view side by side, room kept for the scroll bar.
    const int room = m_list->width() - 2 * m_list->frameWidth() -
                     m_list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_list);
    m_cart.fitColumns(room);
    m_partyPanel->setGeometry(w - 250, listTop + 12, 240, 5 * rowHeight + 4);
    m_party->setGeometry(w - 250, listTop + 20 + 5 * rowHeight, 100, 26);

    const QList<QLineEdit*> boxes = {m_gross, m_percent, m_net, m_paid, m_change};
    for (int row = 0; row < m_totalLabels.size(); ++row) {
        const int y = h - 150 + 20 * row;
        m_totalLabels.at(row)->setGeometry(w - 250, y, 115, 20);
        boxes.at(row)->setGeometry(w - 131, y, 120, 20);
    }
    m_percent->setGeometry(w - 131, h - 130, 28, 20);
    m_discountAmount->setGeometry(w - 102, h - 130, 91, 20);

    // "Item Barang [F10]" needs more room than its old place gave it.
    m_new->setGeometry(176, h - 90, 60, 26);
    m_productList->setGeometry(237, h - 90, 120, 26);
    m_save->setGeometry(358, h - 90, 288, 26);
    m_print->setGeometry(648, h - 90, 80, 26);
    placeEntryRow();
}

bool CashierWindow::cartIsFull() const
{
    const int lines = m_cart.lines().rowCount();
    return lines >= 25 || underLastLine() + rowHeight > m_list->geometry().bottom();
}

int CashierWindow::underLastLine() const
{
    const int header = m_list->horizontalHeader()->sizeHint().height();
    return m_list->y() + m_list->frameWidth() + header +
           m_list->verticalHeader()->defaultSectionSize() * m_cart.lines().rowCount();
}

void CashierWindow::placeEntryRow()
{
    // Just under the last line while the cart is short; below the list once
    // it scrolls, and while a line loaded for change is in the boxes.
    const bool below = m_cart.changingLine() || cartIsFull();
    m_entryRow->place(*m_list, below ? m_list->geometry().bottom() + 1 : underLastLine(),
                      rowHeight);
}

void CashierWindow::showScannedLine(Cart::Taken taken)
{
    // Only a line added to a full cart moves the list: its last line is
    // selected and scrolled into view, nothing more is repainted.
    if (taken == Cart::Taken::LineAdded && cartIsFull())
        m_list->selectRow(m_cart.scannedRow());
}

bool CashierWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_body && event->type() == QEvent::Resize) {
        placeControls();
        return false;
    }
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box)
        return QDialog::eventFilter(watched, event);
    const bool enter = m_enter.released(box, event);
    if (event->type() == QEvent::KeyPress) {
        // Only digits may be typed; pasted and program-set texts pass unfiltered.
        if (form::typesNonDigit(static_cast<QKeyEvent*>(event)))
            return true;
    } else if (event->type() == QEvent::KeyRelease) {
        if (keyReleased(box, enter, static_cast<QKeyEvent*>(event)->key() == Qt::Key_Tab))
            return true;
    } else if (event->type() == QEvent::FocusIn && box == m_unit) {
        setHelp(unitHelp);
    }
    return QDialog::eventFilter(watched, event);
}

// A key acts in the box that has the focus when it comes up: a Tab release
// belongs to the box the Tab has just entered. `enter` is an Enter both
// pressed and released in `box`.
bool CashierWindow::keyReleased(QObject* box, bool enter, bool tab)
{
    if (box == m_code && enter && m_cart.barcodeMode() && !m_code->text().isEmpty()) {
        // The scanner's Enter after a code that is no product: start afresh
        // rather than glue the next scan onto it.
        QApplication::beep();
        m_code->clear();
    } else if (box == m_code && enter && !m_cart.barcodeMode() && !m_name->text().isEmpty()) {
        focusQuantity();
    } else if (box == m_name && enter) {
        focusQuantity();
    } else if (box == m_quantity && enter) {
        commitEntry();
    } else if (box == m_price && enter) {
        m_discount->setFocus();
        m_discount->selectAll();
        setHelp(discountHelp);
    } else if (box == m_price && tab) {
        // Tabbing into the price box starts the discount afresh.
        m_discount->setText(QStringLiteral("0"));
        m_discount->selectAll();
        setHelp(discountHelp);
    } else if ((box == m_discount && (enter || tab)) || (box == m_amount && enter)) {
        commitEntry();
    } else if (box == m_paid && enter) {
        requestSave();
    } else {
        return false;
    }
    return true;
}

void CashierWindow::codeChanged(const QString& code)
{
    const Outcome<Cart::Taken> taken = m_cart.takeCode(code);
    if (!taken) {
        render(); // the refused scan leaves the code box empty for the next one
        m_context.messages().failed(taken);
        return;
    }
    switch (*taken) {
    case Cart::Taken::Nothing:
        return;
    case Cart::Taken::EntryFilled:
        render();
        focusQuantity();
        setHelp(quantityHelp);
        return;
    case Cart::Taken::LineAdded:
    case Cart::Taken::LineIncreased:
        render();
        placeEntryRow();
        showScannedLine(*taken);
        return;
    }
}

void CashierWindow::commitEntry()
{
    const int lines = m_cart.lines().rowCount();
    const Outcome<> committed = m_cart.commitEntry();
    if (!committed) {
        m_context.messages().failed(committed);
        return;
    }
    render();
    placeEntryRow();
    if (m_cart.lines().rowCount() > lines && cartIsFull()) // a line added to a full list
        m_list->selectRow(lines);
    setHelp(scanHelp);
    m_code->setFocus();
}

void CashierWindow::focusQuantity()
{
    m_quantity->setFocus();
    m_quantity->setSelection(0, 1);
}

void CashierWindow::render()
{
    const QSignalBlocker blockers[] = {
        QSignalBlocker(m_code),   QSignalBlocker(m_name),    QSignalBlocker(m_quantity),
        QSignalBlocker(m_unit),   QSignalBlocker(m_price),   QSignalBlocker(m_discount),
        QSignalBlocker(m_amount), QSignalBlocker(m_percent), QSignalBlocker(m_paid)};
    const Cart::Entry& entry = m_cart.entry();
    setTextKeepingCursor(m_code, entry.code);
    setTextKeepingCursor(m_name, entry.name);
    setTextKeepingCursor(m_quantity, entry.quantity);
    setTextKeepingCursor(m_unit, entry.unit);
    setTextKeepingCursor(m_price, entry.price);
    setTextKeepingCursor(m_discount, entry.discount);
    setTextKeepingCursor(m_amount, entry.amount);

    const Cart::Totals& totals = m_cart.totals();
    setTextKeepingCursor(m_gross, totals.gross);
    setTextKeepingCursor(m_percent, totals.discountPercent);
    setTextKeepingCursor(m_discountAmount, totals.discountAmount);
    setTextKeepingCursor(m_net, totals.net);
    setTextKeepingCursor(m_paid, totals.paid);
    setTextKeepingCursor(m_change, totals.change);
    m_changeCaption->setText(totals.changeCaption);
    QPalette palette = m_change->palette();
    palette.setColor(QPalette::Base, totals.paidCovers ? QColor(128, 255, 128) : QColor(196, 0, 0));
    palette.setColor(QPalette::Text, totals.paidCovers ? QColor(0, 64, 128) : QColor(255, 255, 0));
    m_change->setPalette(palette);
    m_bigFigure->setText(totals.bigFigure);
    m_words->setText(totals.words);
    m_status->setPart(Items,
                      QStringLiteral("Jumlah Items ") + QString::number(m_cart.lines().rowCount()));
}

void CashierWindow::setHelp(const QString& text)
{
    m_status->setPart(Help, text);
}

void CashierWindow::reset()
{
    m_save->setEnabled(true);
    m_storedDocument.reset();
    const QDate start = QDate::fromString(m_context.startDate, QStringLiteral("yyyy-MM-dd"));
    m_date->setDate(start);
    m_dueDate->setDate(start);
    m_cart.reset(); // the walk-in party again
    setHelp(QStringLiteral("Ready"));
    showParty();
    setHelp(scanHelp);
    render();
    for (QPushButton* button : {m_save, m_print, m_party, m_productList})
        button->setEnabled(true);
    setEntryEnabled(true);
    placeEntryRow();
    m_code->setFocus();
}

void CashierWindow::newTransaction()
{
    reset();
    m_dayCount->setText(
        numbering::countOfDay(m_context.db(), sideInfo(m_side).documentKind,
                              m_date->date().toString(QStringLiteral("yyyy-MM-dd"))));
}

void CashierWindow::showParty()
{
    const Party& party = m_cart.party();
    m_partyRows.clear();
    const QString& codeLabel = sideInfo(m_side).partyCodeCaption;
    m_partyRows.appendRows({{QStringLiteral("Nama"), party.name},
                            {QStringLiteral("Alamat"), party.address},
                            {QStringLiteral("Phone"), party.contact},
                            {QStringLiteral("Ket"), party.note},
                            {codeLabel, party.code}});
}

void CashierWindow::setEntryEnabled(bool enabled)
{
    for (QLineEdit* box : m_entryRow->boxes())
        box->setEnabled(enabled);
    for (QWidget* field : std::initializer_list<QWidget*>{m_percent, m_paid, m_date, m_dueDate})
        field->setEnabled(enabled);
}

void CashierWindow::keyPressEvent(QKeyEvent* event)
{
    // Esc would close the screen and lose the cart: the close box still does.
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void CashierWindow::toggleBarcode()
{
    const bool on = !m_cart.barcodeMode();
    m_cart.setBarcodeMode(on);
    m_barcode->setChecked(on);
    m_barcode->setStyleSheet(
        on ? QStringLiteral("QCheckBox { background: rgb(0, 255, 0); color: black; }")
           : QStringLiteral("QCheckBox { background: rgb(0, 128, 0); color: black; }"));
}

void CashierWindow::payInFull()
{
    if (m_cart.stored())
        return;
    m_cart.payInFull();
    render();
    m_paid->setFocus();
    m_paid->selectAll();
}

void CashierWindow::setProductCode(const QString& code)
{
    if (code.isEmpty())
        return; // nothing was chosen
    if (m_code->text() == code)
        codeChanged(code); // the same product again: fill the entry row anew
    else
        m_code->setText(code);
}

CashierDocument CashierWindow::document() const
{
    if (m_storedDocument)
        return *m_storedDocument; // what the receipt of a stored transaction shows
    const Cart::Totals& totals = m_cart.totals();
    return {m_side,
            m_date->date().toString(QStringLiteral("yyyy-MM-dd")),
            m_dueDate->date().toString(QStringLiteral("yyyy-MM-dd")),
            m_cart.party().code,
            m_cart.party().name,
            m_status->part(Operator),
            totals.gross,
            totals.discountAmount,
            totals.net,
            totals.paid};
}

void CashierWindow::requestSave()
{
    Messages& messages = m_context.messages();
    if (!messages.ask(this, QStringLiteral("Simpan Data"), sideInfo(m_side).saveQuestion))
        return;
    m_code->setFocus();
    if (m_cart.stored())
        return; // stored already: a second request stores nothing
    const CashierDocument stored = document();
    const Outcome<QString> number = sales::store(m_context.db(), stored, m_cart.lines());
    if (!number) {
        // Nothing stored, and why (no party, a walk-in paying too little):
        // the cashier can mend it and try again.
        messages.failed(number);
        return;
    }
    m_context.lastSavedNumber = *number;
    // The stored sale stays for printing as it was saved: nothing changes
    // the cart, the payment, the party or the dates until F9.
    m_cart.markStored();
    m_storedDocument = stored;
    m_save->setEnabled(false);
    setEntryEnabled(false);
    if (messages.ask(this, QStringLiteral("Cetak"), sideInfo(m_side).printQuestion))
        print();
    for (QPushButton* button : {m_save, m_party, m_productList})
        button->setEnabled(false);
}

ReceiptSource CashierWindow::receiptSource() const
{
    ReceiptSource source;
    for (int row = 0; row < m_cart.lines().rowCount(); ++row)
        source.rows.append(m_cart.lines().row(row).mid(0, Cart::Tiers));
    const Cart::Totals& totals = m_cart.totals();
    const CashierDocument shown = document();
    source.total = shown.gross;
    source.discount = shown.discountAmount;
    source.net = shown.net;
    source.paid = shown.paid;
    source.change = totals.change;
    source.changeLabel = totals.changeCaption;
    source.date = shown.date;
    source.dueDate = shown.dueDate;
    source.dayCount = m_dayCount->text().toInt();
    source.operatorName = m_status->part(Operator);
    source.currentDate = m_status->part(Date);
    source.currentTime = m_status->part(Time);
    source.lastSavedNumber = m_context.lastSavedNumber;
    source.shop = m_context.shop;
    source.footer = receipts::readFooter(m_context.shopFolder());
    return source;
}

void CashierWindow::print()
{
    printReceipt(m_context, receipts::sizeOf(m_receiptSize->currentText()), receiptSource(),
                 m_cart.stored());
}

void CashierWindow::preview()
{
    previewReceipt(m_context, receipts::sizeOf(m_receiptSize->currentText()), receiptSource(),
                   m_cart.stored(), this);
}

void CashierWindow::chooseParty()
{
    if (m_cart.stored())
        return; // the stored transaction keeps its party
    if (const std::optional<Party> party = PartyPickerDialog::choose(m_context, m_side, this)) {
        if (m_cart.setParty(*party))
            showParty();
        setHelp(scanHelp);
    }
    m_code->setFocus();
}

void CashierWindow::searchProduct()
{
    if (m_cart.stored())
        return; // nothing more goes into a stored transaction
    if (m_cart.party().name.isEmpty()) {
        m_context.messages().info(sideInfo(m_side).noPartyText);
        return;
    }
    ProductSearchDialog search(m_context, m_side, this);
    connect(&search, &ProductSearchDialog::taken, this, [this](const QString& code) {
        setProductCode(code);
        // In barcode mode the product went straight into the cart: back to scanning.
        if (m_cart.barcodeMode())
            m_code->setFocus();
        else
            focusQuantity();
    });
    search.exec();
}

void CashierWindow::receiptSettings()
{
    ReceiptSettingsDialog settings(m_context, m_receiptSize, this);
    settings.exec();
    m_code->setFocus();
}
