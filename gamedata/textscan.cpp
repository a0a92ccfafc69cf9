#include "gamedata/textscan.h"

#include <QByteArray>
#include <QList>
#include <QStringView>
#include <QVarLengthArray>

#include <algorithm>

namespace textscan {

namespace {

bool isPlaceholder(char c)
{
    return c == '#' || c == '@' || c == '$' || c == '!' || c == '*';
}

int literalLength(const char* p)
{
    int length = 0;
    while (p[length] && !isPlaceholder(p[length]))
        ++length;
    return length;
}

// Whether the literal, given as a plain character run, stands at position i.
inline bool runAt(const QChar* s, const char* literal, int length, int i)
{
    for (int k = 0; k < length; ++k) {
        if (s[i + k].unicode() != uchar(literal[k]))
            return false;
    }
    return true;
}

// Where the literal occurs first in [from, end).
int findRun(const QChar* s, const char* literal, int length, int from, int end)
{
    for (int i = from; i <= end - length; ++i) {
        if (runAt(s, literal, length, i))
            return i;
    }
    return -1;
}

// Last start of the literal, searching down from `from`.
int findRunBackward(const QChar* s, const char* literal, int length, int from)
{
    for (int i = from; i >= 0; --i) {
        if (runAt(s, literal, length, i))
            return i;
    }
    return -1;
}

enum class Fit
{
    Here,
    NotHere,
    Nowhere
};

// Matches the piece at pos, within [pos, end). Nowhere: a '*' found no end, so no later start can match.
Fit matchAt(const QChar* s, int pos, int end, const char* piece, Span* spans, int* matchEnd)
{
    int i = pos;
    int span = 0;
    const char* p = piece;
    while (*p) {
        const char c = *p;
        if (c == '#') {
            const int begin = i;
            while (i < end && isDigit(s[i]))
                ++i;
            if (i == begin)
                return Fit::NotHere;
            spans[span++] = {begin, i};
            ++p;
        } else if (c == '@' || c == '$') {
            const int begin = i;
            while (i < end && s[i] != QLatin1Char('"'))
                ++i;
            if (c == '$' && i == begin)
                return Fit::NotHere;
            spans[span++] = {begin, i};
            ++p;
        } else if (c == '!') {
            if (i >= end || isDigit(s[i]))
                return Fit::NotHere;
            ++i;
            ++p;
        } else if (c == '*') {
            ++p;
            const int length = literalLength(p);
            const int at = findRun(s, p, length, i, end);
            if (at < 0)
                return Fit::Nowhere;
            spans[span++] = {i, at};
            i = at + length;
            p += length;
        } else {
            if (i >= end || s[i].unicode() != uchar(c))
                return Fit::NotHere;
            ++i;
            ++p;
        }
    }
    *matchEnd = i;
    return Fit::Here;
}

// Last start of the piece (which holds no '*') whose match ends at or before limit, or -1.
int findPieceBackward(const QChar* s, const char* piece, int limit)
{
    const int length = literalLength(piece);
    QVarLengthArray<Span, 16> spans(spanCount(piece));
    int matchEnd = 0;
    for (int at = findRunBackward(s, piece, length, limit - length); at >= 0;
         at = findRunBackward(s, piece, length, at - 1)) {
        if (matchAt(s, at, limit, piece, spans.data(), &matchEnd) == Fit::Here)
            return at;
    }
    return -1;
}

// The last position from which the chain of pieces can still be completed (a '*' counts as any text between
// the literals around it), or -1: a search from p completes it exactly when p <= that position.
int lastChainStart(const QString& text, const std::vector<const char*>& pieces, const char* closing)
{
    QList<QByteArray> parts;
    for (const char* piece : pieces)
        parts += QByteArray(piece).split('*');
    if (closing)
        parts += QByteArray(closing);
    int limit = text.size();
    for (int k = parts.size() - 1; k >= 0; --k) {
        limit = findPieceBackward(text.constData(), parts.at(k).constData(), limit);
        if (limit < 0)
            return -1;
    }
    return limit;
}

int lineEnd(const QChar* s, int from, int n)
{
    int i = from;
    while (i < n && s[i] != QLatin1Char('\n') && s[i] != QLatin1Char('\r'))
        ++i;
    return i;
}

// An element ends at its first "/>" or at the first "<" behind its start, whichever comes first.
int elementEnd(const QChar* s, int from, int n)
{
    int i = from;
    while (i < n) {
        if (s[i] == QLatin1Char('<'))
            break;
        if (s[i] == QLatin1Char('/') && i + 1 < n && s[i + 1] == QLatin1Char('>'))
            break;
        ++i;
    }
    return i;
}

} // namespace

int digitRunEnd(const QString& text, int pos, int end)
{
    const QChar* s = text.constData();
    while (pos < end && isDigit(s[pos]))
        ++pos;
    return pos;
}

int findLiteral(const QString& text, QLatin1String literal, int from, int end)
{
    return findRun(text.constData(), literal.data(), literal.size(), from, end);
}

int spanCount(const char* piece)
{
    int count = 0;
    for (const char* p = piece; *p; ++p) {
        if (*p == '#' || *p == '@' || *p == '$' || *p == '*')
            ++count;
    }
    return count;
}

int findPiece(const QString& text, const char* piece, int from, int end, Span* spans, int* matchEnd)
{
    const QChar* s = text.constData();
    const int length = literalLength(piece);
    for (int at = findRun(s, piece, length, from, end); at >= 0; at = findRun(s, piece, length, at + 1, end)) {
        switch (matchAt(s, at, end, piece, spans, matchEnd)) {
        case Fit::Here:
            return at;
        case Fit::Nowhere:
            return -1;
        case Fit::NotHere:
            break;
        }
    }
    return -1;
}

namespace {

template <typename Pieces>
bool chainFrom(const QString& text, int from, const Pieces& pieces, Span* spans, Span* pieceSpans)
{
    int pos = from;
    for (const char* piece : pieces) {
        int matchEnd = 0;
        const int at = findPiece(text, piece, pos, text.size(), spans, &matchEnd);
        if (at < 0)
            return false;
        if (pieceSpans)
            *pieceSpans++ = {at, matchEnd};
        spans += spanCount(piece);
        pos = matchEnd;
    }
    return true;
}

// Where a file's reader takes each record from: the matches of its chain, in file order.
struct ReaderMatches
{
    struct Match
    {
        int begin;
        int end;
        Span id;
        int values; // index of the match's first value span in `spans`
        bool passedOver;
    };
    std::vector<Match> matches;
    std::vector<Span> spans;
};

ReaderMatches readerMatches(const QString& text, const RecordShape& shape, int valueCount)
{
    ReaderMatches found;
    int total = 0;
    for (const char* piece : shape.readerPieces)
        total += spanCount(piece);
    std::vector<Span> spans(size_t(total) + 1);
    std::vector<Span> pieceSpans(shape.readerPieces.size());
    int pos = 0;
    while (chainFrom(text, pos, shape.readerPieces, spans.data(), pieceSpans.data())) {
        found.matches.push_back({pieceSpans.front().begin, pieceSpans.back().end, spans.front(),
                                 int(found.spans.size()),
                                 shape.readerPassesOver && shape.readerPassesOver(text, spans.data())});
        found.spans.insert(found.spans.end(), spans.begin() + shape.readerValueSpan,
                           spans.begin() + shape.readerValueSpan + valueCount);
        pos = pieceSpans.back().end;
    }
    return found;
}

} // namespace

bool findChain(const QString& text, int from, std::initializer_list<const char*> pieces, Span* spans, Span* pieceSpans)
{
    return chainFrom(text, from, pieces, spans, pieceSpans);
}

bool findChain(const QString& text, int from, const std::vector<const char*>& pieces, Span* spans, Span* pieceSpans)
{
    return chainFrom(text, from, pieces, spans, pieceSpans);
}

bool isWritableNumber(const QString& value)
{
    if (value.isEmpty() || value.size() > 9)
        return false;
    for (QChar c : value) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

PatchResult patchRecords(const QString& text, const QStringList& ids, const RecordShape& shape,
                         const QHash<QString, QStringList>& values)
{
    PatchResult result;
    result.text = text;

    struct IdState
    {
        const QStringList* values = nullptr;
        int written = 0;
        int refused = 0;
    };
    QStringList order;
    std::vector<IdState> states;
    QHash<QStringView, int> index;
    for (const QString& id : ids) {
        if (index.contains(QStringView(id)))
            continue;
        IdState state;
        const auto value = values.constFind(id);
        if (value != values.constEnd())
            state.values = &value.value();
        index.insert(QStringView(id), int(states.size()));
        states.push_back(state);
        order += id;
    }
    const bool anyWritable =
        std::any_of(states.begin(), states.end(), [](const IdState& state) { return state.values != nullptr; });

    int spanTotal = 0;
    for (const char* piece : shape.pieces)
        spanTotal += spanCount(piece);
    std::vector<Span> spans(size_t(spanTotal) + 1);

    struct Edit
    {
        Span span;
        const QString* value;
        const IdState* state;
    };
    std::vector<Edit> edits;

    const QChar* s = text.constData();
    const int n = text.size();
    const ReaderMatches reader =
        anyWritable && !shape.readerPieces.empty() ? readerMatches(text, shape, spanTotal) : ReaderMatches();
    size_t readerAt = 0;
    // Whether the reader takes the values of the id at `key` from these spans: the reader's match that holds the
    // key is of the same id (it may start at an earlier key of that id) and found its values in the same places.
    const auto readerTakes = [&](int key, QStringView id, bool* held) {
        *held = false;
        if (shape.readerPieces.empty())
            return true;
        while (readerAt < reader.matches.size() && reader.matches[readerAt].end <= key)
            ++readerAt;
        if (readerAt == reader.matches.size() || reader.matches[readerAt].begin > key)
            return false;
        const ReaderMatches::Match& match = reader.matches[readerAt];
        if (match.passedOver)
            return false;
        *held = true;
        if (QStringView(s + match.id.begin, match.id.end - match.id.begin) != id)
            return false;
        for (int k = 0; k < spanTotal; ++k) {
            const Span& theirs = reader.spans[size_t(match.values + k)];
            if (theirs.begin != spans[size_t(k)].begin || theirs.end != spans[size_t(k)].end)
                return false;
        }
        return true;
    };
    // Computed on first need: the last start from which the whole pattern still matches somewhere.
    int chainStart = -2;
    int closingStart = -2;
    int knownLineEnd = -1;
    int pos = anyWritable ? 0 : n;
    for (int key = findLiteral(text, shape.idKey, pos, n); key >= 0; key = findLiteral(text, shape.idKey, pos, n)) {
        const int idBegin = key + shape.idKey.size();
        const int idEnd = digitRunEnd(text, idBegin, n);
        if (idEnd == idBegin || idEnd >= n || s[idEnd].unicode() != uchar(shape.idTerminator)) {
            pos = key + 1;
            continue;
        }
        const auto found = index.constFind(QStringView(s + idBegin, idEnd - idBegin));
        if (found == index.constEnd() || !states[size_t(*found)].values) {
            pos = idEnd;
            continue;
        }
        IdState& state = states[size_t(*found)];
        const int from = idEnd + 1;
        int bound;
        // The same id's key again on the line: the record goes on behind it, and is written from there.
        bool sameIdFollows = false;
        if (shape.elements) {
            bound = elementEnd(s, from, n);
        } else {
            // A record ends at its line end, or where the next record's id key starts on a joined line.
            if (from >= knownLineEnd)
                knownLineEnd = lineEnd(s, from, n);
            const int nextKey = findLiteral(text, shape.idKey, from, knownLineEnd);
            bound = nextKey >= 0 ? nextKey : knownLineEnd;
            if (nextKey >= 0) {
                const int nextBegin = nextKey + shape.idKey.size();
                const int nextEnd = digitRunEnd(text, nextBegin, n);
                // Only when nothing of the record stands before that key does a reader take all of it from there.
                QVarLengthArray<Span, 16> firstSpans(spanCount(shape.pieces.front()));
                int firstEnd = 0;
                sameIdFollows =
                    nextEnd < n && s[nextEnd].unicode() == uchar(shape.idTerminator) &&
                    QStringView(s + nextBegin, nextEnd - nextBegin) == QStringView(s + idBegin, idEnd - idBegin) &&
                    findPiece(text, shape.pieces.front(), from, bound, firstSpans.data(), &firstEnd) < 0;
            }
        }

        int at = from;
        bool fits = true;
        Span* pieceSpans = spans.data();
        for (const char* piece : shape.pieces) {
            int matchEnd = 0;
            if (findPiece(text, piece, at, bound, pieceSpans, &matchEnd) < 0) {
                fits = false;
                break;
            }
            pieceSpans += spanCount(piece);
            at = matchEnd;
        }
        if (fits && shape.closing) {
            if (closingStart == -2)
                closingStart = lastChainStart(text, {}, shape.closing);
            fits = at <= closingStart;
        }

        if (fits) {
            bool held = false;
            if (!readerTakes(key, QStringView(s + idBegin, idEnd - idBegin), &held)) {
                // A record inside another's match gives its values to that record; one outside every match is no
                // record of the reader's at all.
                if (held)
                    ++state.refused;
                pos = shape.elements ? from : bound;
                continue;
            }
        }

        if (fits && shape.quoteFreeValues) {
            const bool quoted = std::any_of(spans.begin(), spans.begin() + spanTotal, [&](const Span& span) {
                return QStringView(s + span.begin, span.end - span.begin).contains(QLatin1Char('"'));
            });
            if (quoted) {
                ++state.refused;
                pos = shape.elements ? from : bound;
                continue;
            }
        }

        if (fits) {
            for (int k = 0; k < spanTotal && k < state.values->size(); ++k) {
                const QString& value = state.values->at(k);
                if (!value.isNull())
                    edits.push_back({spans[size_t(k)], &value, &state});
            }
            ++state.written;
            pos = at;
        } else {
            // Only a record that the plain pattern would have completed from somewhere behind it is refused;
            // one it would never match is no record of this id at all.
            if (chainStart == -2)
                chainStart = lastChainStart(text, shape.pieces, shape.closing);
            if (from <= chainStart && !sameIdFollows)
                ++state.refused;
            pos = shape.elements ? from : bound;
        }
    }

    for (size_t k = 0; k < states.size(); ++k) {
        const IdState& state = states[k];
        if (!state.values || state.refused > 0)
            result.notWritten += order.at(int(k));
        else if (state.written == 0)
            result.notFound += order.at(int(k));
    }

    if (!edits.empty()) {
        QString patched;
        patched.reserve(n + 16 * int(edits.size()));
        int copied = 0;
        for (const Edit& edit : edits) {
            // An id with a record left alone keeps all its records as they are: a save writes it whole or not.
            if (edit.state->refused > 0)
                continue;
            patched.append(s + copied, edit.span.begin - copied);
            patched.append(*edit.value);
            copied = edit.span.end;
        }
        patched.append(s + copied, n - copied);
        result.text = patched;
    }
    return result;
}

} // namespace textscan
