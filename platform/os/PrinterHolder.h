#pragma once

#include <QPrinter>

class QWidget;

namespace os {

// The one printer of a program: the printer set-up dialog changes it, and every print after that uses it.
class PrinterHolder
{
public:
    PrinterHolder() = default;
    PrinterHolder(const PrinterHolder&) = delete;
    PrinterHolder& operator=(const PrinterHolder&) = delete;

    QPrinter& printer() { return m_printer; }

    // The printer set-up dialog on this printer, modal to parent. True when the user accepted it.
    bool showSetupDialog(QWidget* parent);

private:
    QPrinter m_printer;
};

} // namespace os
