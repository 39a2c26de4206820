#include "shell/background_screen.h"

#include "ui/form.h"
#include "ui/images.h"

#include <QPainter>

BackgroundScreen::BackgroundScreen(QWidget* parent)
    : QWidget(parent), m_tile(images::pixmap(images::backBatik, QSize(96, 96)))
{
    form::setName(this, u"FORM21");
    setWindowTitle(QStringLiteral("Toko"));
}

void BackgroundScreen::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawTiledPixmap(rect(), m_tile);
}
