#pragma once

#include <QPrinter>

namespace os {

// The one printer of a program: the printer set-up dialog (PrinterSetupDialog) changes it, and every print after
// that uses it.
class PrinterHolder
{
public:
    PrinterHolder() = default;
    PrinterHolder(const PrinterHolder&) = delete;
    PrinterHolder& operator=(const PrinterHolder&) = delete;

    QPrinter& printer() { return m_printer; }

private:
    QPrinter m_printer;
};

} // namespace os
