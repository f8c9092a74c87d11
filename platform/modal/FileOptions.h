#pragma once

#include <QString>

namespace modal {

// What a program says of an open-file or save-file dialog.
struct FileOptions
{
    QString caption;
    QString folder; // the starting folder; a folder that does not exist leaves the dialog's own choice
    // Qt's form, "Text file (*.txt);;Any file (*.*)", shown as written; the pattern *.* matches every name, one
    // without a dot too, as on the desktop these dialogs stand for.
    QString filter;
    QString defaultSuffix; // added to a name typed without one, e.g. "txt"
    QString acceptLabel; // replaces the accept button's caption, e.g. "&Export"
    bool confirmOverwrite = true; // a save dialog asks before it names an existing file
};

} // namespace modal
