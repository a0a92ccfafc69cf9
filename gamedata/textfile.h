#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class QIODevice;

// Reads a whole file as text with "\r\n" turned into "\n" and a leading byte-order mark dropped: the text of
// readExactText, so that readers and writers see the same characters at the same places. A codec name other
// than UTF-8 is used instead, unless a UTF-16 or UTF-32 mark names another. Gives nothing when the file is
// missing or unreadable; an empty file gives an empty text.
std::optional<QString> readTextFile(const QString& path, const char* codecName = nullptr);

enum class WriteMode
{
    ExistingOnly, // game files: a missing file is never created
    MayCreate     // the editor's own configuration file
};

// Why a game file was not written, in terms a player can act on.
enum class WriteFailure
{
    None,
    Missing,      // the file is gone, or something else stands in its place
    Unreadable,   // the file could not be read, so it was not patched
    ReadOnly,     // the file is marked read-only
    AccessDenied, // the folder does not let the editor create the new file beside the old one
    InUse,        // another program holds the file, so the new content cannot take its place
    DiskFull,     // the bytes did not all reach the disk
    NoBackup,     // the copy of the file could not be made, so it was left alone
    Other
};

// Replaces the content of a file with the text, encoded as UTF-8 (which reads back the same, where the locale
// codec of a Windows without Chinese as its language would lose Chinese folder names), exactly as given (no
// line end is added). The write is atomic: the old content stays whole until the new one is complete.
// Read-only files and folders are refused. Returns false on any failure, and says why in `why` when given.
bool writeTextFile(const QString& path, const QString& text, WriteMode mode = WriteMode::ExistingOnly,
                   WriteFailure* why = nullptr);

// The bytes of a file, or nothing when it is missing or unreadable.
std::optional<QByteArray> readFileBytes(const QString& path);

// Replaces the content of a file with the bytes, atomically, as writeTextFile does.
bool writeFileBytes(const QString& path, const QByteArray& bytes, WriteMode mode);

// A file's content held as decoded text that encodes back to exactly its bytes, so that editing some characters
// keeps every other byte as it was. UTF-16 and UTF-32 files are known by their byte-order mark; other files are
// UTF-8 when their bytes are valid UTF-8, else GB18030 (the game's Chinese, whatever the system's code page).
// A byte-order mark stays the first character, line ends stay as they are, and a byte of a GB18030 line that
// does not decode is held as a lone surrogate, U+DC00 plus the byte, and written back as that byte.
struct ExactText
{
    QString text;
    QByteArray codecName;
};

// Reads a file for patching. Gives nothing when the file is missing, unreadable, or a UTF-16 or UTF-32 file
// whose bytes would not come back unchanged from the text (a broken surrogate, say).
std::optional<ExactText> readExactText(const QString& path);

// Writes a patched text back in the encoding it was read with, atomically, never creating the file.
bool writeTextFile(const QString& path, const ExactText& content, WriteFailure* why = nullptr);

// How the bytes of a write reach the temporary file; tests replace it to make a write fail midway or
// find the disk full. Returns the number of bytes written, or -1. An empty function restores the real one.
using ByteWriter = std::function<qint64(QIODevice& file, const QByteArray& bytes)>;
void setByteWriter(ByteWriter writer);
