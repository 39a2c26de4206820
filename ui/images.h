#pragma once

#include <QIcon>
#include <QPixmap>

// The program's own pictures, under the names the screens know them by.
namespace images {

inline constexpr auto barang = ":/images/box.svg";
inline constexpr auto dollar = ":/images/dollar.svg";
inline constexpr auto down = ":/images/down.svg";
inline constexpr auto money = ":/images/money.svg";
inline constexpr auto customers = ":/images/customers.svg";
inline constexpr auto properties = ":/images/properties.svg";
inline constexpr auto report = ":/images/report.svg";
inline constexpr auto exitClose = ":/images/exit.svg";
inline constexpr auto loginPeople = ":/images/login.svg";
inline constexpr auto gear = ":/images/gear.svg";
inline constexpr auto backBatik = ":/images/batik.svg";
inline constexpr auto dataAdd = ":/images/add.svg";
inline constexpr auto diskBlue = ":/images/disk.svg";
inline constexpr auto dataDelete = ":/images/delete.svg";
inline constexpr auto closeButton = ":/images/close.svg";

QIcon icon(const char* name);
QPixmap pixmap(const char* name, QSize size);

} // namespace images
