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
#include "ui/list_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

enum StatusPart { OperatorCaption, Operator, DateCaption, Date, Time, NumLock, Help, Items };

const QString scanHelp = QStringLiteral("Scan/Ketik Kode Item Barang untuk cari barang | F10");
const QString quantityHelp =
    QStringLiteral("Isi nilai Qty (jumlah item barang) | Tekan Tab untuk pindah kolom..");
const QString discountHelp = QStringLiteral("Ubah Diskon Barang | Tekan Tab untuk pindah kolom..");
const QString unitHelp = QStringLiteral(
    "Ubah nilai harga barang.. | Tekan Enter untuk menambahkan ke daftar item transaksi");

// The form keeps the places its cashiers know, in pixels of the window's body.
constexpr int margin = 10;    // from the body's left and right edges
constexpr int listTop = 130;  // the "Transaksi" frame's inside
constexpr int frameInset = 4; // the frame from the body's edges
constexpr int linesTop = listTop + 12;
constexpr int underLines = 158; // under the lines: their boxes, the buttons, the totals
constexpr int totalsFromBottom = 150;
constexpr int buttonsFromBottom = 90;
constexpr QRect settingsPlace{10, 6, 44, 44};
constexpr QRect receiptSizePlace{62, 6, 100, 24};
constexpr QRect dayCountPlace{62, 32, 100, 18};
constexpr QRect barcodePlace{172, 6, 140, 26};
constexpr QRect dateCaptionPlace{10, 56, 130, 22};
constexpr QRect datePlace{142, 56, 110, 22};
constexpr QRect dueDateCaptionPlace{10, 82, 130, 22};
constexpr QRect dueDatePlace{142, 82, 110, 22};
// These two reach the right margin, and are at least this wide.
constexpr QRect bigFigurePlace{330, 4, 200, 82};
constexpr QRect wordsPlace{260, 90, 200, 30};
// The buttons' row, its height counted from the body's bottom.
constexpr QRect newPlace{176, 0, 60, 26};
constexpr QRect productListPlace{237, 0, 120, 26};
constexpr QRect savePlace{358, 0, 288, 26};
constexpr QRect printPlace{648, 0, 80, 26};

QRect toRightMargin(QRect place, int bodyWidth)
{
    place.setWidth(std::max(place.width(), bodyWidth - place.left() - margin));
    return place;
}

// The big figure and the amount in words, as each side's cashier shows them.
struct SideLook {
    QString wordsFont;
    bool wordsBold = false;
    bool coloured = false; // else the big figure keeps the window's colours
    QColor bigFigureBackground;
    QColor bigFigureText;
};

const SideLook& lookOf(Side side)
{
    static const SideLook sales{QStringLiteral("Consolas"), true, false, {}, {}};
    static const SideLook purchase{QStringLiteral("Lucida Sans Typewriter"), false, true,
                                   QColor::fromRgb(0x00ffff), QColor::fromRgb(0x004080)};
    return side == Side::Sales ? sales : purchase;
}

QFont pixelFont(const QString& family, int pixels, bool bold)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
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

    buildHeader();
    buildEntryRow();
    m_totals = new TotalsPanel(sideInfo(m_side).shortfallCaption, m_body);
    for (QLineEdit* edit : m_lines->boxes() + m_totals->boxes())
        edit->installEventFilter(this);
    buildButtons();
    connectBoxes();
    m_group->lower();
}

// Above the lines: the receipt size and its settings, barcode mode, the dates,
// the big figure and the amount in words.
void CashierWindow::buildHeader()
{
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
    const SideLook& look = lookOf(m_side);
    m_words->setFont(pixelFont(look.wordsFont, 24, look.wordsBold));
    m_bigFigure = new QLabel(m_body);
    m_bigFigure->setObjectName(QStringLiteral("angka"));
    m_bigFigure->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_bigFigure->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_bigFigure->setFont(pixelFont(QStringLiteral("Arial"), 64, true));
    if (look.coloured) {
        m_bigFigure->setAutoFillBackground(true);
        QPalette palette = m_bigFigure->palette();
        palette.setColor(QPalette::Window, look.bigFigureBackground);
        palette.setColor(QPalette::WindowText, look.bigFigureText);
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
}

// The lines and the boxes, Kode … Jumlah, under them.
void CashierWindow::buildEntryRow()
{
    m_lines = new LinesPanel(m_cart, m_body);
    connect(m_lines->list(), &ListView::clicked, this, [this](const QModelIndex& index) {
        if (m_cart.loadLine(index.row())) {
            render();
            m_lines->placeEntryRow();
            focusQuantity();
        }
    });
    const auto setUp = [this](int column, const char* name, const QString& tooltip,
                              Qt::Alignment alignment) {
        QLineEdit* edit = m_lines->box(column);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setAlignment(alignment);
        edit->setToolTip(tooltip);
        return edit;
    };
    const QString insertTip =
        QStringLiteral("Tekan Enter untuk menyisipkan item ke daftar item barang");
    m_code =
        setUp(Cart::Code, "kode", QStringLiteral("Scan / Ketik Kode Barang Disini"), Qt::AlignLeft);
    m_name = setUp(Cart::Name, "nama", {}, Qt::AlignLeft);
    m_quantity =
        setUp(Cart::Quantity, "qty",
              QStringLiteral("Entry quantity barang tekan enter untuk lanjut"), Qt::AlignRight);
    m_unit = setUp(Cart::Unit, "satuan", {}, Qt::AlignLeft);
    m_price = setUp(Cart::Price, "harga",
                    QStringLiteral("Entry harga barang tekan enter untuk lanjut"), Qt::AlignRight);
    m_discount = setUp(Cart::Discount, "diskon", insertTip, Qt::AlignRight);
    m_amount = setUp(Cart::Amount, "jumlah", insertTip, Qt::AlignRight);
    QWidget::setTabOrder(m_code, m_name);
    QWidget::setTabOrder(m_name, m_quantity);
    QWidget::setTabOrder(m_quantity, m_unit);
    QWidget::setTabOrder(m_unit, m_price);
    QWidget::setTabOrder(m_price, m_discount);
    QWidget::setTabOrder(m_discount, m_amount);
}

// The buttons under the lines and the party panel, each with its action.
void CashierWindow::buildButtons()
{
    m_new = makeButton(QStringLiteral("Baru [F9]"), QStringLiteral("Transaksi Baru"));
    m_productList = makeButton(QStringLiteral("Item Barang [F10]"),
                               QStringLiteral("Panggil data barang yang ada di daftar barang"));
    m_save = makeButton(QStringLiteral("Simpan Pembayaran [Ctrl+S]/[Enter]"),
                        QStringLiteral("Simpan Pembayaran Transaksi"));
    m_print = makeButton(QStringLiteral("Cetak [F8]"), QStringLiteral("Cetak Item Transaksi"));
    m_partyPanel = new PartyPanel(sideInfo(m_side).partyWord, m_body);
    m_settings->setAutoDefault(false);

    connect(m_new, &QPushButton::clicked, this, &CashierWindow::newTransaction);
    connect(m_productList, &QPushButton::clicked, this, &CashierWindow::searchProduct);
    connect(m_save, &QPushButton::clicked, this, &CashierWindow::requestSave);
    connect(m_print, &QPushButton::clicked, this, &CashierWindow::print);
    connect(m_partyPanel->button(), &QPushButton::clicked, this, &CashierWindow::chooseParty);
    connect(m_settings, &QPushButton::clicked, this, &CashierWindow::receiptSettings);
    connect(m_barcode, &QCheckBox::clicked, this, [this] {
        m_barcode->setChecked(m_cart.barcodeMode()); // the toggle decides, not the click
        toggleBarcode();
    });
}

// What is typed into a box goes into the cart.
void CashierWindow::connectBoxes()
{
    connect(m_code, &QLineEdit::textChanged, this, &CashierWindow::codeChanged);
    connect(m_name, &QLineEdit::textChanged, this, [this](const QString& t) { m_cart.setName(t); });
    connect(m_unit, &QLineEdit::textChanged, this, [this](const QString& t) { m_cart.setUnit(t); });
    connect(m_amount, &QLineEdit::textChanged, this,
            [this](const QString& t) { m_cart.setAmount(t); });
    // A figure the totals depend on: into the cart, then the screen follows.
    const auto refigures = [this](const auto* source, auto signal,
                                  void (Cart::*set)(const QString&)) {
        connect(source, signal, this, [this, set](const QString& t) {
            (m_cart.*set)(t);
            render();
        });
    };
    refigures(m_quantity, &QLineEdit::textChanged, &Cart::setQuantity);
    refigures(m_price, &QLineEdit::textChanged, &Cart::setPrice);
    refigures(m_discount, &QLineEdit::textChanged, &Cart::setDiscount);
    refigures(m_totals, &TotalsPanel::percentEdited, &Cart::setDiscountPercent);
    refigures(m_totals, &TotalsPanel::paidEdited, &Cart::setPaid);
}

QPushButton* CashierWindow::makeButton(const QString& text, const QString& tooltip)
{
    auto* push = new QPushButton(text, m_body);
    push->setToolTip(tooltip);
    push->setAutoDefault(false);
    return push;
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
    m_settings->setGeometry(settingsPlace);
    m_receiptSize->setGeometry(receiptSizePlace);
    m_dayCount->setGeometry(dayCountPlace);
    m_barcode->setGeometry(barcodePlace);
    m_dateLabel->setGeometry(dateCaptionPlace);
    m_date->setGeometry(datePlace);
    m_dueDateLabel->setGeometry(dueDateCaptionPlace);
    m_dueDate->setGeometry(dueDatePlace);
    m_bigFigure->setGeometry(toRightMargin(bigFigurePlace, w));
    m_words->setGeometry(toRightMargin(wordsPlace, w));
    m_group->setGeometry(frameInset, listTop - frameInset, w - 2 * frameInset, h - listTop);
    // The party panel and the totals share the right-hand column; the lines take the rest.
    const int column = w - margin - PartyPanel::size.width();
    m_lines->move(margin, linesTop);
    m_lines->place(std::max(300, column - 2 * margin), std::max(100, h - linesTop - underLines));
    m_partyPanel->move(column, linesTop);
    m_totals->move(column, h - totalsFromBottom);
    // "Item Barang [F10]" needs more room than its old place gave it.
    m_new->setGeometry(newPlace.translated(0, h - buttonsFromBottom));
    m_productList->setGeometry(productListPlace.translated(0, h - buttonsFromBottom));
    m_save->setGeometry(savePlace.translated(0, h - buttonsFromBottom));
    m_print->setGeometry(printPlace.translated(0, h - buttonsFromBottom));
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
    } else if (box == m_totals->paid() && enter) {
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
        m_lines->placeEntryRow();
        if (*taken == Cart::Taken::LineAdded)
            m_lines->showAddedLine(m_cart.scannedRow());
        return;
    }
}

void CashierWindow::commitEntry()
{
    const qsizetype lines = m_cart.lines().size();
    const Outcome<bool> committed = m_cart.commitEntry();
    if (!committed) {
        m_context.messages().failed(committed);
        return;
    }
    if (!*committed)
        return; // no product in the code box
    render();
    m_lines->placeEntryRow();
    if (m_cart.lines().size() > lines)
        m_lines->showAddedLine(int(lines));
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
    m_lines->showLines();
    m_lines->showEntry(m_cart.entry());
    const Cart::Totals& totals = m_cart.totals();
    m_totals->showTotals(totals);
    m_bigFigure->setText(totals.bigFigure);
    m_words->setText(totals.words);
    m_status->setPart(Items,
                      QStringLiteral("Jumlah Items ") + QString::number(m_cart.lines().size()));
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
    for (QPushButton* button : {m_save, m_print, m_partyPanel->button(), m_productList})
        button->setEnabled(true);
    setEntryEnabled(true);
    m_lines->placeEntryRow();
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
    m_partyPanel->showParty(m_cart.party(), sideInfo(m_side).partyCodeCaption);
}

void CashierWindow::setEntryEnabled(bool enabled)
{
    for (QLineEdit* box : m_lines->boxes())
        box->setEnabled(enabled);
    for (QWidget* field :
         std::initializer_list<QWidget*>{m_totals->percent(), m_totals->paid(), m_date, m_dueDate})
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
    m_totals->paid()->setFocus();
    m_totals->paid()->selectAll();
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
            totals.paid,
            m_cart.documentLines()};
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
    const Outcome<QString> number = sales::store(m_context.db(), stored);
    if (!number) {
        // Nothing stored, and why (no party, a walk-in paying too little):
        // the cashier can mend it and try again.
        messages.failed(number);
        return;
    }
    m_storedNumber = *number;
    // The stored sale stays for printing as it was saved: nothing changes
    // the cart, the payment, the party or the dates until F9.
    m_cart.markStored();
    m_storedDocument = stored;
    m_save->setEnabled(false);
    setEntryEnabled(false);
    if (m_side == Side::Sales && stored.paid.value > 0)
        openCashDrawer(m_context, Drawer::AfterStoring);
    if (messages.ask(this, QStringLiteral("Cetak"), sideInfo(m_side).printQuestion))
        print();
    for (QPushButton* button : {m_save, m_partyPanel->button(), m_productList})
        button->setEnabled(false);
}

ReceiptSource CashierWindow::receiptSource() const
{
    ReceiptSource source;
    const CashierDocument shown = document();
    source.lines = shown.lines;
    const Cart::Totals& totals = m_cart.totals();
    source.total = shown.gross.text;
    source.discount = shown.discountAmount.text;
    source.net = shown.net.text;
    source.paid = shown.paid.text;
    source.change = totals.change;
    source.changeLabel = totals.changeCaption;
    source.date = shown.date;
    source.dueDate = shown.dueDate;
    source.dayCount = m_dayCount->text().toInt();
    source.operatorName = m_status->part(Operator);
    source.currentDate = m_status->part(Date);
    source.currentTime = m_status->part(Time);
    source.lastSavedNumber = m_storedNumber;
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
        // In barcode mode the product went straight into the cart: back to
        // scanning.
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
