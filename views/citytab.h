#pragma once

#include "document/gamedocument.h"

#include <QWidget>

class QGroupBox;
class QTableWidget;
class RecordTableView;

// The city tab: the cities, the specialties the clicked city holds and the ones it could take; a right click
// moves a specialty between the two.
class CityTab : public QWidget
{
    Q_OBJECT

public:
    explicit CityTab(GameDocument* document, QWidget* parent = nullptr);

signals:
    // A message for the status bar.
    void statusMessage(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fillCityList();
    // Shows the specialties of the current city when it is in view, else empty panels.
    void followCurrentRow();
    // Shows the specialties a city holds and the ones it could take; none for an empty id.
    void showCity(const QString& id);
    QStringList optionalSpecialties(const QStringList& heldIds) const;
    void fillSpecialtyTable(QTableWidget* table, const QStringList& ids);
    void removeCitySpecialty(const QPoint& pos);
    void addCitySpecialty(const QPoint& pos);
    void followChange(const QVector<FieldValue>& values, ChangeOrigin origin);

    GameDocument* document;
    QTableWidget* cityTable;
    QTableWidget* citySpecialtyTable;
    QTableWidget* optionalSpecialtyTable;
    QGroupBox* citySpecialtyGroup;
    QGroupBox* optionalSpecialtyGroup;
    RecordTableView* cityView;
    QString currentCityId;
};
