#pragma once

#include <QString>
#include <QStringList>

// What a writer made of a file's text: the new text, and the ids it did not write.
struct PatchResult
{
    QString text;
    // Ids with no record in the text at all.
    QStringList notFound;
    // Ids whose record was found but left alone: its match would reach into another record,
    // or the value to write is not a run of digits, or the id has no record in memory.
    QStringList notWritten;

    QStringList unwritten() const { return notFound + notWritten; }
};
