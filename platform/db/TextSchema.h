#pragma once

#include "platform/db/TableDef.h"

#include <QString>

namespace db {

// The layout of a text table, read from its schema file (the text file's base name with extension ".SCH").
//
//   [ascii]                      section name: ignored, one section per file
//   filetype=delimited           or "fixed"
//   separator=,                  delimited only; one character, or "tab"
//   delimiter="                  delimited only; the quote character, or empty for none
//   charset=utf-8                or "windows-1252" / "latin1" / "ascii"; bytes invalid in it make the line a problem
//   field1=Department,alpha,35   delimited: name, type (alpha | short | memo), size
//   field1=Department,alpha,35,0 fixed: name, type, size, offset (0-based column where it starts)
//
// Fields are numbered 1, 2, 3... without gaps. The size of an alpha field is its length in characters (1-255); a
// short or memo field has no stored size, so there the number is only the column width of a fixed layout (and is
// ignored in a delimited one). A fixed field spans `size` characters from its offset; fields may not overlap.
// Keys and type names compare without regard to case. Blank lines and lines starting with ';' or '#' are
// comments. Anything else that does not fit is an EngineError naming the schema file and the line.
struct TextSchema
{
    enum class Layout
    {
        Delimited,
        Fixed,
    };
    enum class Charset
    {
        Utf8,
        Latin1,
        Ascii,
        Windows1252, // Western European text of older Windows programs

    };

    Layout layout = Layout::Delimited;
    QChar separator = u',';
    QChar quote = u'"'; // null QChar: no quoting
    Charset charset = Charset::Utf8;
    TableDef definition; // fields in order; no keys
    QList<int> offsets; // fixed layout: start column of each field
    QList<int> widths; // fixed layout: column width of each field

    static TextSchema load(const QString& schemaPath);
    static QString schemaPathFor(const QString& textPath); // same folder and base name, ".SCH"
};

} // namespace db
