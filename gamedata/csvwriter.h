#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

// Rows of fields as the bytes of a CSV file that spreadsheets open with Chinese text intact: UTF-8 with a
// byte-order mark, fields separated by commas, every row ended by CRLF. A field is put in double quotes, its
// quotes doubled, when it holds a comma, a quote, a tab, CR or LF, or begins or ends with a blank; a row of
// one empty field is written as "" so that it does not read back as a blank line. A field that a spreadsheet
// would run as a formula, one that begins with '=', '+', '-' or '@' (behind any apostrophes), gets an
// apostrophe in front: the numbers of the game's tables never begin so, only texts such as names do.
QByteArray writeCsv(const QList<QStringList>& rows);

// The field as it was before writeCsv guarded it against being run as a formula.
QString withoutFormulaGuard(const QString& field);

// Writes the rows as writeCsv does into the file, creating or replacing it atomically: an old file stays
// whole until the new one is complete. Returns false on any failure.
bool writeCsvFile(const QString& path, const QList<QStringList>& rows);
