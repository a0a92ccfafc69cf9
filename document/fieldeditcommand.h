#pragma once

#include "document/gamedocument.h"

#include <QUndoCommand>

// One undoable step: a set of fields of the document changed together, from their values before to their
// values after. It changes the document only; the document's signal tells the views.
class FieldEditCommand : public QUndoCommand
{
public:
    // The first redo, which runs as the command is pushed, comes from `firstOrigin`; later ones are redos.
    FieldEditCommand(GameDocument* document, QVector<FieldValue> before, QVector<FieldValue> after, const QString& text,
                     ChangeOrigin firstOrigin, QString shownArmy);

    void undo() override;
    void redo() override;

private:
    GameDocument* document;
    QVector<FieldValue> before;
    QVector<FieldValue> after;
    ChangeOrigin nextRedoOrigin;
    QString shownArmy;
};
