#include "shell/main_window.h"

#include "core/app_context.h"
#include "shell/form.h"

MainWindow::MainWindow(AppContext& context, QWidget* parent)
    : QMainWindow(parent), m_context(context)
{
    form::setName(this, u"MDIFORM1");
    setWindowTitle(QStringLiteral("Aplikasi Penjualan"));
    resize(800, 600);
}
