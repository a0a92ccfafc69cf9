#pragma once

#include "gamedata/patchresult.h"

#include <QHash>
#include <QLatin1String>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <vector>

// Hand scanners for the record shapes of the game files. The files are searched, never parsed: a record
// is a chain of fixed pieces with any text between them, and a piece is found at its first occurrence
// behind the previous one. Every search moves forward only, so reading and patching stay linear in the
// size of the text, also on files where most records are broken.
//
// A piece is written as a pattern of literal characters in which
//   '#' stands for a run of one or more digits,
//   '@' for a run of characters other than '"', possibly empty, and '$' for such a run of at least one,
//   '!' for one character that is not a digit,
//   '*' for the shortest run of any characters up to the literal that follows it.
// '#', '@', '$' and '*' each give a span (in that order within the piece); '!' gives none. A piece
// starts with a literal, and '*' is always followed by one.
namespace textscan {

struct Span
{
    int begin = 0;
    int end = 0;
};

// A decimal digit of any script, as the game's own pattern matcher counts them.
inline bool isDigit(QChar c)
{
    const ushort u = c.unicode();
    return u < 0x80 ? ushort(u - '0') < 10 : c.isDigit();
}

inline QString spanText(const QString& text, Span span)
{
    return text.mid(span.begin, span.end - span.begin);
}

// End of the digit run starting at pos (pos itself when text[pos] is no digit), at most end.
int digitRunEnd(const QString& text, int pos, int end);

// First position >= from where the literal lies wholly before end, or -1.
int findLiteral(const QString& text, QLatin1String literal, int from, int end);

// Number of spans a piece gives.
int spanCount(const char* piece);

// First occurrence of the piece that starts at or after from and ends at or before end; fills spans
// and matchEnd. Returns its start, or -1.
int findPiece(const QString& text, const char* piece, int from, int end, Span* spans, int* matchEnd);

// Leftmost shortest match of the pieces joined by "any text", searched from `from`: each piece at its
// first occurrence behind the previous one. Fills spans (those of all pieces, in order) and, when given,
// one span per piece. When the chain cannot be completed from the first occurrence of the first piece,
// no later start completes it either.
bool findChain(const QString& text, int from, std::initializer_list<const char*> pieces, Span* spans,
               Span* pieceSpans = nullptr);
bool findChain(const QString& text, int from, const std::vector<const char*>& pieces, Span* spans,
               Span* pieceSpans = nullptr);

// The one-line (or one-element) records a writer rewrites in place.
struct RecordShape
{
    // What stands in front of the id ("\"Type\":") and right behind it (',').
    QLatin1String idKey;
    char idTerminator;
    // The pieces searched in turn behind the id; their spans are the places a writer may change.
    std::vector<const char*> pieces;
    // Records are lines (false) or XML elements (true). A line that holds several records ends each at the
    // next id key. An element ends at its first "/>" or "<", and its match must also find `closing`
    // somewhere behind the pieces.
    bool elements = false;
    const char* closing = nullptr;
    // A record whose value to replace holds a '"' is left alone: the value ran past its own closing quote
    // (a quote shared with a neighbouring field), so it is not the value a reader takes.
    bool quoteFreeValues = false;
    // The pieces the file's reader chains, from the id's piece on (its first span is the id), and where the spans of
    // `pieces` stand among the reader's spans. A record is written only where the reader takes the values of that
    // id from exactly those spans: a record whose values a reader gives to an earlier record that swallowed it is
    // refused, and so is one whose reader finds other values than the writer would write.
    std::vector<const char*> readerPieces = {};
    int readerValueSpan = 0;
    // Whether the reader passes over the record of a match (given the spans of readerPieces): such a record is
    // no record of its id, for the reader and so for the writer.
    bool (*readerPassesOver)(const QString& text, const Span* spans) = nullptr;
};

// Rewrites the records of the ids in place. `values` gives, per id that may be written, one text per span
// of the shape's pieces: the new value, or a null string to keep the file's text. Each record whose id is
// listed and whose pieces all lie within the record has its values replaced; every other character stays.
// Ids whose pattern has no match at all go to notFound; ids with a record that holds the pieces only beyond
// its end, whose values the reader takes from elsewhere (see readerPieces), or without an entry in `values`, go
// to notWritten, and then none of their records changes.
PatchResult patchRecords(const QString& text, const QStringList& ids, const RecordShape& shape,
                         const QHash<QString, QStringList>& values);

// A value the number fields of the game files can hold: 1 to 9 ASCII digits.
bool isWritableNumber(const QString& value);

} // namespace textscan
