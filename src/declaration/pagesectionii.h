#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

class QWidget;

namespace kesp::declaration {

class PlaceLookups;
class RadioBinding;
class TfmDeklaraciaEdit;

// Page "Раздел ІІ" of the declaration editor: the enterprise and its address, its head,
// its economic activities and subdivisions, its size, the persons employed by group with
// their totals, the places for re-assigned workers and the persons using certain rights.
class PageSectionII : public QObject
{
    Q_OBJECT
public:
    static constexpr int Page = 1;
    // Item 11 applies from this many persons employed under 10.1.
    static constexpr int TrudoustroyavaneFrom = 50;

    explicit PageSectionII(TfmDeklaraciaEdit &editor);

    PlaceLookups *places() const { return m_places; }

    // The group's total is men + women; false (and nothing changed) when it would not
    // fit a count.
    bool UpdateNaetiTotal(const QString &prefix);
    // "Общ брой наети лица" = 10.1 + 10.2.
    void UpdateNaetiLica();

private:
    void build();
    void buildCounts(class PageBuilder &b);
    void connectSubdivisions();
    void connectCounts();
    void countChanged(const QString &prefix,
                      const QString &column,
                      const QVariant &oldValue,
                      const QVariant &newValue);
    void enableTrudoustroyavane();

    TfmDeklaraciaEdit &m_editor;
    PlaceLookups *m_places = nullptr;
    RadioBinding *m_poddelenia = nullptr;
    QPointer<QWidget> m_trudoustroyavane;
    bool m_reverting = false;
};

void buildSectionIIPage(TfmDeklaraciaEdit &editor);

} // namespace kesp::declaration
