#pragma once

#include <QLoggingCategory>

// Traces of the main window's life (created, shown, closed), off unless QT_LOGGING_RULES switches on
// "printroll.form.info"; the tests that run Printroll as a separate program read them.
Q_DECLARE_LOGGING_CATEGORY(lcPrintrollForm)
