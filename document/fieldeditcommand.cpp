#include "document/fieldeditcommand.h"

FieldEditCommand::FieldEditCommand(GameDocument* document, QVector<FieldValue> before, QVector<FieldValue> after,
                                   const QString& text, ChangeOrigin firstOrigin, QString shownArmy)
    : QUndoCommand(text), document(document), before(std::move(before)), after(std::move(after)),
      nextRedoOrigin(firstOrigin), shownArmy(std::move(shownArmy))
{}

void FieldEditCommand::undo()
{
    document->setFieldValues(before, ChangeOrigin::UndoRedo, shownArmy);
}

void FieldEditCommand::redo()
{
    document->setFieldValues(after, nextRedoOrigin, shownArmy);
    nextRedoOrigin = ChangeOrigin::UndoRedo;
}
