#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The largest CSV file the editor reads: a table of the game is far smaller.
constexpr qint64 csvSizeLimit = 16 * 1024 * 1024;

// The most fields a row may have: a table of the game has a few dozen columns at most.
constexpr int csvFieldLimit = 10000;

// Takes one row: the line of the file it begins on (counting from 1) and its fields.
using CsvRowHandler = std::function<void(int line, const QStringList& fields)>;

// Reads the rows of a CSV file, as spreadsheets write them: UTF-8 with or without a byte-order mark, UTF-16
// with one (a mark written twice counts once), or GBK when the bytes are not valid UTF-8; fields separated by
// commas or by tabs (whichever the first row holds more of outside quotes), quoted or not, rows ended by CRLF,
// LF or CR. Blank lines are skipped but counted as lines, like the line breaks inside quoted fields; rows may
// differ in length. Hands each row to onRow as it is read and gives true, or false and a message in `error`
// for input that is no table: empty, larger than csvSizeLimit, binary (a NUL), in no known encoding, with a row
// of more than csvFieldLimit fields, or with an unclosed quote (found only at the end, after the rows before it were
// handed on).
bool readCsvRows(const QByteArray& bytes, const CsvRowHandler& onRow, QString* error);

// The rows readCsvRows reads, or none when it fails.
QList<QStringList> readCsv(const QByteArray& bytes, QString* error);

// Reads the file as readCsvRows does; a file over the size limit is refused before it is read.
bool readCsvFileRows(const QString& path, const CsvRowHandler& onRow, QString* error);
QList<QStringList> readCsvFile(const QString& path, QString* error);
