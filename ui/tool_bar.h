#pragma once

#include <QList>

#include <functional>

class QToolBar;
class QWidget;

// One button of a screen's toolbar: a short text under a 24 by 24 image,
// with a tooltip.
struct ToolButton {
    const char* text;
    const char* tooltip;
    const char* image;
    std::function<void()> action;
};

QToolBar* makeToolBar(QWidget* parent, const QList<ToolButton>& buttons);
