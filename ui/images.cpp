#include "ui/images.h"

#include <QPainter>
#include <QSvgRenderer>

// The pictures are compiled into a static library: register them before first use.
static void registerPictures()
{
    Q_INIT_RESOURCE(resources);
}

namespace images {

namespace {

QString path(const char* name)
{
    static const bool registered = (registerPictures(), true);
    Q_UNUSED(registered);
    return QString::fromLatin1(name);
}

} // namespace

QIcon icon(const char* name)
{
    return QIcon(path(name));
}

QPixmap pixmap(const char* name, QSize size)
{
    QPixmap result(size);
    result.fill(Qt::transparent);
    QSvgRenderer renderer(path(name));
    QPainter painter(&result);
    renderer.render(&painter);
    return result;
}

} // namespace images
