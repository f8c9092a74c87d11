#include "common/AboutLog.h"

Q_LOGGING_CATEGORY(lcAbout, "ringfolio.about", QtWarningMsg)
