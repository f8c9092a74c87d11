#include "listprint/PrintrollLog.h"

Q_LOGGING_CATEGORY(lcPrintrollForm, "printroll.form", QtWarningMsg)
