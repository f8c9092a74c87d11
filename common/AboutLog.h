#pragma once

#include <QLoggingCategory>

// Traces of the About window and the single-instance guard (window shown, a second copy ending), off unless
// QT_LOGGING_RULES switches on "ringfolio.about.info"; the tests that run the programs as separate processes
// read them.
Q_DECLARE_LOGGING_CATEGORY(lcAbout)
