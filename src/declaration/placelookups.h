#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

namespace kesp::storage {
class ListModel;
}

namespace kesp::declaration {

class TfmDeklaraciaEdit;

// The region → municipality → place look-ups of one address of the declaration: the
// employer's seat (section I, columns I_…) or the enterprise (section II, II_…).
//
// The municipality and place lists are narrowed by the row's region and municipality.
// Until the first row is open they use the codes the register remembered for the editor,
// so that the stored names show as soon as the row is read. Choosing another region
// empties municipality and place; another municipality empties the place.
class PlaceLookups : public QObject
{
    Q_OBJECT
public:
    struct Setup
    {
        QString prefix;             // "I_" or "II_"
        QString municipalitiesName; // the look-up's name: qryObshtina or ADOQuery1
        QString placesName;         // qryGradove or qryGradove2
        int TfmDeklaraciaEdit::*viOblast;
        int TfmDeklaraciaEdit::*viObshtina;
        int municipalityFieldCode; // re-checked when a cascade empties the column
        int placeFieldCode;
    };

    PlaceLookups(TfmDeklaraciaEdit &editor, const Setup &setup);

    // The regions, one list for both addresses (qryOblasti).
    static storage::ListModel *regions(TfmDeklaraciaEdit &editor);
    storage::ListModel *municipalities() const { return m_municipalities; }
    storage::ListModel *places() const { return m_places; }

    QString regionColumn() const { return m_setup.prefix + QStringLiteral("OBLAST_CODE"); }
    QString municipalityColumn() const { return m_setup.prefix + QStringLiteral("OBSHTINA_CODE"); }
    QString placeColumn() const { return m_setup.prefix + QStringLiteral("GRAD_CODE"); }

    // Read again with the current parameters (the row's codes, or the register's).
    void rereadMunicipalities();
    void rereadPlaces();

private:
    QVariant regionParam() const;
    QVariant municipalityParam() const;
    void regionChanged();
    void municipalityChanged();
    void clearColumn(const QString &column, int fieldCode);

    TfmDeklaraciaEdit &m_editor;
    Setup m_setup;
    storage::ListModel *m_municipalities;
    storage::ListModel *m_places;
};

} // namespace kesp::declaration
