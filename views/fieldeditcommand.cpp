#include "views/fieldeditcommand.h"

FieldEditCommand::FieldEditCommand(QVector<FieldValue> before, QVector<FieldValue> after, const QString& text,
                                   Apply apply, ApplyMode firstMode)
    : QUndoCommand(text), before(std::move(before)), after(std::move(after)), apply(std::move(apply)),
      nextRedoMode(firstMode)
{}

void FieldEditCommand::undo()
{
    apply(before, ApplyMode::Reveal);
}

void FieldEditCommand::redo()
{
    apply(after, nextRedoMode);
    nextRedoMode = ApplyMode::Reveal;
}
