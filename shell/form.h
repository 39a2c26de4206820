#pragma once

#include <QString>
#include <QStringView>

class QWidget;

// What every screen shares: its name, by which tests and other screens find it.
namespace form {

// "FORM_TOKO_" + name + "_CLASS", the window class name of a screen.
QString className(QStringView name);

// Names the screen after its window class and makes Tab leave every
// multi-line field instead of typing a tab into it.
void setName(QWidget* form, QStringView name);

} // namespace form
