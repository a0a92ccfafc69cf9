#pragma once

#include "document/gamedocument.h"

#include <QHash>
#include <QWidget>

class QGroupBox;
class QTableWidget;
class RecordTableView;

// The army tab: the statistics of every army type in the open story, and for the current army type its
// skills, with editable ranges, and its recruitment needs, which can be switched off.
class ArmyTab : public QWidget
{
    Q_OBJECT

public:
    explicit ArmyTab(GameDocument* document, QWidget* parent = nullptr);

    // Commits a cell editor that is still open in either table. False, with the refusal said, when its
    // text is refused.
    bool commitOpenEditor();
    // Gives the statistics table the keyboard focus.
    void focusTable();
    // Fills the statistics table from the document, the marks included.
    Q_INVOKABLE void drawArmyInfo();

signals:
    // A message for the status bar.
    void statusMessage(const QString& text);

private:
    // Shows the panels of the current row when it is in view, else empty panels.
    void followCurrentRow();
    // Shows the skills and needs of an army type; none for an empty id.
    void showArmy(const QString& id);
    void drawArmySkill(const QString& id);
    void drawArmyNeeds(const QString& id);
    void switchArmyNeeds(bool checked);
    void selectArmyRow(const QString& id, int column);
    void followChange(const QVector<FieldValue>& values, ChangeOrigin origin, const QString& shownArmy);
    void remark();

    GameDocument* document;
    QTableWidget* infoTable;
    QTableWidget* skillTable;
    QTableWidget* needsTable;
    QGroupBox* needsGroup;
    RecordTableView* infoView;
    RecordTableView* skillView;
    // The army type of the current row, and the one whose skills the skill table shows.
    QString currentArmyId;
    QString skillArmyId;
    // The needs each army type had when the user last switched them off, to bring back when ticked again.
    QHash<QString, QStringList> switchedOffNeeds;
};
