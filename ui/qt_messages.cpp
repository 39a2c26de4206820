#include "ui/qt_messages.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

// "Bitmap files (*.bmp)|*.bmp|All Files (*.*)|*.*" -> "Bitmap files (*.bmp);;All Files (*.*)".
// The descriptions carry their patterns in brackets, which is what Qt filters on.
QString qtFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts.at(i);
        const QString patterns = QString(parts.at(i + 1)).replace(u';', u' ');
        entries.append(description.contains(u'(') ? description
                                                  : description + u" (" + patterns + u')');
    }
    return entries.join(QStringLiteral(";;"));
}

} // namespace

void QtMessages::info(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Info"), text, QMessageBox::Ok);
    box.exec();
}

bool QtMessages::ask(QWidget* owner, const QString& caption, const QString& text)
{
    return QMessageBox::question(owner, caption, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

void QtMessages::tell(QWidget* owner, const QString& caption, const QString& text)
{
    QMessageBox::information(owner, caption, text);
}

QString QtMessages::openFileName(QWidget* owner, const QString& title, const QString& filter,
                                 const QString& folder)
{
    return QFileDialog::getOpenFileName(owner, title, folder, qtFilter(filter));
}

QString QtMessages::saveFileName(QWidget* owner, const QString& title, const QString& filter,
                                 const QString& folder)
{
    return QFileDialog::getSaveFileName(owner, title, folder, qtFilter(filter));
}

QString QtMessages::folderName(QWidget* owner, const QString& title, const QString& folder)
{
    return QFileDialog::getExistingDirectory(owner, title, folder);
}
