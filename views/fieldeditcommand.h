#pragma once

#include "gamedata/editjournal.h"

#include <QUndoCommand>

#include <functional>

// How the views follow a change of field values.
enum class ApplyMode
{
    ViewsCurrent, // the views show the new values already (the user typed them): only the marks change
    Refresh,      // the views show the values where they are on screen
    Reveal        // as Refresh, and the changed place is brought into view and selected (undo and redo)
};

// One undoable step: a set of fields changed together, from their values before to their values after.
class FieldEditCommand : public QUndoCommand
{
public:
    using Apply = std::function<void(const QVector<FieldValue>& values, ApplyMode mode)>;

    // The first redo, which runs as the command is pushed, applies `after` in firstMode; later ones reveal.
    FieldEditCommand(QVector<FieldValue> before, QVector<FieldValue> after, const QString& text, Apply apply,
                     ApplyMode firstMode);

    void undo() override;
    void redo() override;

private:
    QVector<FieldValue> before;
    QVector<FieldValue> after;
    Apply apply;
    ApplyMode nextRedoMode;
};
