#include "screens/reports/dashboard_window.h"

#include "core/app_context.h"
#include "core/messages.h"
#include "core/shop_settings.h"
#include "screens/printing/page_printer.h"
#include "ui/form.h"

#include <QBoxLayout>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

using namespace Qt::StringLiterals;

// The board scaled to the widget, keeping its proportions.
class BoardView final : public QWidget
{
public:
    BoardView(const charts::Board& board, QWidget* parent) : QWidget(parent), m_board(board)
    {
        setMinimumSize((charts::boardSize * 0.6).toSize());
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        const QSizeF board = charts::boardSize;
        const double scale = std::min(width() / board.width(), height() / board.height());
        painter.translate((width() - board.width() * scale) / 2,
                          (height() - board.height() * scale) / 2);
        painter.scale(scale, scale);
        charts::drawBoard(painter, m_board);
    }

private:
    const charts::Board& m_board;
};

namespace {

QString caption()
{
    return u"Ringkasan Toko"_s;
}

} // namespace

DashboardWindow::DashboardWindow(AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context), m_view(new BoardView(m_board, this))
{
    setWindowTitle(caption());
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    const auto addButton = [&](const QString& text, auto action) {
        buttons->addWidget(form::button(this, text, action));
    };
    addButton(u"F5 - Muat Ulang"_s, &DashboardWindow::refresh);
    addButton(u"Simpan Gambar"_s, &DashboardWindow::savePicture);
    addButton(u"Cetak"_s, &DashboardWindow::print);
    addButton(u"Esc - Tutup"_s, &QDialog::reject);
    layout->addLayout(buttons);
    // The whole board at its own size where the screen has room; smaller on
    // a small screen (1366 x 768), so the buttons stay in sight.
    const QRect room = screen()->availableGeometry();
    resize(std::min(1220, room.width() - 40), std::min(880, room.height() - 60));
    form::setName(this, u"RINGKASAN");
    refresh();
}

void DashboardWindow::refresh()
{
    ++m_generation;
    const QDate today = m_context.clock().today();
    const QString below = ShopSettings::read(m_context.shopFolder()).text(setting::lowStockBelow);
    Outcome<dashboard::Summary> found = dashboard::read(m_context.db(), today, below);
    m_board = {today, found ? *found : dashboard::Summary{}, false, {}, {}, 12};
    m_view->update();
    if (!found) {
        m_context.messages().failed(found);
        return;
    }
    // The best sellers and the months before this one come after the screen
    // shows; this month's figures are the ones just read.
    QTimer::singleShot(0, this, [this, generation = m_generation] { fillNext(generation); });
}

void DashboardWindow::fillNext(int generation)
{
    if (generation != m_generation || filled())
        return;
    const Outcome<> step = m_board.bestSellersRead ? readMonth() : readBestSellers();
    if (!step) {
        m_context.messages().failed(step);
        return;
    }
    m_view->update();
    QTimer::singleShot(0, this, [this, generation] { fillNext(generation); });
}

Outcome<> DashboardWindow::readBestSellers()
{
    const Outcome<QList<dashboard::Product>> best =
        dashboard::bestSellers(m_context.db(), m_board.today);
    if (!best)
        return best.failure();
    m_board.bestSellers = *best;
    m_board.bestSellersRead = true;
    return {};
}

Outcome<> DashboardWindow::readMonth()
{
    const QDate first =
        dashboard::firstOfTwelveMonths(m_board.today).addMonths(int(m_board.months.size()));
    if (first.year() == m_board.today.year() && first.month() == m_board.today.month()) {
        m_board.months.append(dashboard::pointsOf({m_board.summary.month}));
        return {};
    }
    const Outcome<QList<reports::MonthFigures>> found =
        reports::monthFigures(m_context.db(), first, first.addMonths(1).addDays(-1));
    if (!found)
        return found.failure();
    m_board.months.append(dashboard::pointsOf(*found));
    return {};
}

QImage DashboardWindow::picture(double scale) const
{
    QImage image((charts::boardSize * scale).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    charts::drawBoard(painter, m_board);
    return image;
}

void DashboardWindow::savePicture()
{
    QString file =
        m_context.messages().saveFileName(this, u"Simpan Gambar"_s, u"Gambar PNG (*.png)|*.png"_s,
                                          m_context.shopFolder().absolutePath());
    if (file.isEmpty())
        return;
    if (!file.endsWith(u".png"_s, Qt::CaseInsensitive))
        file += u".png"_s;
    if (!picture(2).save(file, "PNG")) {
        m_context.messages().tell(
            this, caption(), u"Gambar tidak dapat disimpan di "_s + QDir::toNativeSeparators(file));
        return;
    }
    m_context.messages().tell(this, caption(),
                              u"Gambar disimpan di:\n"_s + QDir::toNativeSeparators(file));
}

void DashboardWindow::print()
{
    PagePrinter printer(m_context.shopFolder());
    const Outcome<QString> printed =
        printer.printPicture(caption(), charts::boardSize,
                             [this](QPainter& painter) { charts::drawBoard(painter, m_board); });
    if (!printed)
        m_context.messages().tell(this, caption(),
                                  u"Ringkasan tidak dapat dicetak: "_s + printed.reason());
    else if (!printed->isEmpty())
        m_context.messages().tell(this, caption(),
                                  u"Tidak ada printer. Ringkasan disimpan sebagai PDF di "_s +
                                      QDir::toNativeSeparators(*printed));
}

void DashboardWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F5) {
        refresh();
        return;
    }
    QDialog::keyPressEvent(event);
}
