#pragma once

#include "core/outcome.h"

#include <QString>

class QWidget;

// Everything the program says to the user in a box, and the file dialogs.
// Screens and logic talk to this interface; the program installs the Qt
// implementation, tests install a scripted one so nothing waits on a box.
class Messages
{
public:
    virtual ~Messages() = default;

    // The shared information box: caption "Info", OK, no icon, no owner.
    virtual void info(const QString& text) = 0;

    // A screen's own question with Yes and No and the question icon; true on Yes.
    virtual bool ask(QWidget* owner, const QString& caption, const QString& text) = 0;

    // A screen's own result with the information icon and OK.
    virtual void tell(QWidget* owner, const QString& caption, const QString& text) = 0;

    // Open-file dialog: `filter` alternates descriptions and patterns with "|"
    // ("Bitmap files (*.bmp)|*.bmp|All Files (*.*)|*.*"). Empty when cancelled.
    virtual QString openFileName(QWidget* owner, const QString& title, const QString& filter,
                                 const QString& folder) = 0;

    // Save-file dialog, same conventions. Empty when cancelled.
    virtual QString saveFileName(QWidget* owner, const QString& title, const QString& filter,
                                 const QString& folder) = 0;

    // Folder dialog: an existing folder, empty when cancelled.
    virtual QString folderName(QWidget* owner, const QString& title, const QString& folder) = 0;

    // Says why a logic call failed, in the shared box.
    template <typename T> void failed(const Outcome<T>& outcome) { info(outcome.reason()); }
    // Says why a logic call failed: the database's own message in the shared
    // box, as every database failure is shown, any other reason in the
    // screen's own box.
    template <typename T>
    void failed(QWidget* owner, const QString& caption, const Outcome<T>& outcome)
    {
        if (outcome.fromDatabase())
            info(outcome.reason());
        else
            tell(owner, caption, outcome.reason());
    }
};
