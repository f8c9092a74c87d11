#pragma once

#include <QStringView>

#include <optional>

// A stored employee name (last name, comma, blank, first name) as the two values an export writes. Both are views
// into the stored name, valid as long as it is.
struct ExportName
{
    QStringView lastName;
    QStringView firstName;

    // The last name is the text before the first comma. The first name starts two characters after that comma,
    // the one character after it (the blank of the stored form) being dropped whatever it is, and holds at most
    // 35 characters; further commas stay in it. A name without a comma gives nothing.
    static std::optional<ExportName> split(QStringView name);
};
