#pragma once

// The properties every writer must keep, checked on a file text and a save drawn from the fuzz input.

#include "gamedata/gametables.h"
#include "gamedata/patchresult.h"
#include "tests/regexpreference.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <cstddef>
#include <cstdint>
#include <functional>

// A value a writer rewrites: the text right in front of it, the position in the record in memory the new
// value comes from, and the position the reader gives it back at.
struct WrittenField
{
    QString key;
    int recordIndex;
    int readerIndex;
};

struct WriterUnderTest
{
    QString idKey;      // what stands in front of the id
    QChar idTerminator; // what stands right behind it
    bool elements;      // records are XML elements ending at "<" or "/>", else lines
    bool listValues;    // values are special attributes texts ("12,3,") running up to "\",", else digit runs
    QVector<WrittenField> fields;
    int recordSize; // entries a record in memory needs to be written
    std::function<PatchResult(const QString&, const QStringList&, const RecordTable&)> patch;
    std::function<RecordTable(const QString&)> read;
    std::function<void(const QString&, ReferenceMatches*)> referenceMatches;
    std::function<QString(const QString&)> originalPattern;
};

// Draws ids and their new values from the end of the input, takes the rest as the file text (one character
// per byte), runs the writer and aborts if a property breaks.
void fuzzWriter(const WriterUnderTest& writer, const uint8_t* data, size_t size);
