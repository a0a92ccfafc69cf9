#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The largest CSV file the editor reads: a table of the game is far smaller.
constexpr qint64 csvSizeLimit = 16 * 1024 * 1024;

// Reads the rows of a CSV file, as spreadsheets write them: UTF-8 with or without a byte-order mark, UTF-16
// with one, or GBK when the bytes are not valid UTF-8; fields separated by commas or by tabs (whichever the
// first row holds more of outside quotes), quoted or not, rows ended by CRLF, LF or CR. Blank lines are
// skipped; rows may differ in length. Gives the rows, or none and a message in `error` for input that is no
// table: empty, larger than csvSizeLimit, binary (a NUL), in no known encoding, or with an unclosed quote.
QList<QStringList> readCsv(const QByteArray& bytes, QString* error);

// Reads the file and its rows as readCsv does; a file over the size limit is refused before it is read.
QList<QStringList> readCsvFile(const QString& path, QString* error);
