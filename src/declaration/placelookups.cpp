#include "placelookups.h"

#include "datasetroutines.h"
#include "fmdeklaraciaedit.h"
#include "listmodel.h"
#include "rowsource.h"

namespace kesp::declaration {

using storage::ListModel;
using storage::RowSource;

namespace {

const QString kRegionsName = QStringLiteral("qryOblasti");
const QString kRegionsSql =
    QStringLiteral("select OBLAST_CODE, NAIMENOVANIE from OBLASTI order by NAIMENOVANIE");
const QString kMunicipalitiesSql =
    QStringLiteral("select OBSHTINA_CODE, NAIMENOVANIE from OBSHTINI where OBLAST_CODE = "
                   ":OBLAST_CODE order by NAIMENOVANIE");
const QString kPlacesSql =
    QStringLiteral("select GRAD_CODE, NAIMENOVANIE from GRADOVE where OBLAST_CODE = :OBLAST_CODE "
                   "and OBSHTINA_CODE = :OBSHTINA_CODE order by NAIMENOVANIE");
const QString kOblastParam = QStringLiteral("OBLAST_CODE");
const QString kObshtinaParam = QStringLiteral("OBSHTINA_CODE");

bool editing(const RowSource *rows)
{
    return rows &&
           (rows->state() == RowSource::State::Edit || rows->state() == RowSource::State::Insert);
}

ListModel *makeList(TfmDeklaraciaEdit &editor, const QString &name, const QString &sql)
{
    auto *list = new ListModel(editor.qryDataEdit()->database(), &editor);
    list->setObjectName(name);
    list->setSql(sql);
    list->setColumns({{QStringLiteral("NAIMENOVANIE"), QString()}});
    return list;
}

// Parameters compare by value; an empty code is null.
bool sameParam(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return a.toLongLong() == b.toLongLong();
}

} // namespace

ListModel *PlaceLookups::regions(TfmDeklaraciaEdit &editor)
{
    if (auto *existing = editor.findChild<ListModel *>(kRegionsName, Qt::FindDirectChildrenOnly))
        return existing;
    ListModel *list = makeList(editor, kRegionsName, kRegionsSql);
    editor.registerDataSet(kRegionsName, list);
    editor.onBeforeRowsOpened(editor.qryDataEdit(), [list] {
        if (!list->isOpen())
            list->open();
    });
    return list;
}

PlaceLookups::PlaceLookups(TfmDeklaraciaEdit &editor, const Setup &setup)
    : QObject(&editor)
    , m_editor(editor)
    , m_setup(setup)
{
    setObjectName(setup.prefix + QStringLiteral("Places"));
    regions(editor);
    m_municipalities = makeList(editor, setup.municipalitiesName, kMunicipalitiesSql);
    m_places = makeList(editor, setup.placesName, kPlacesSql);
    editor.registerDataSet(setup.municipalitiesName, m_municipalities);
    editor.registerDataSet(setup.placesName, m_places);

    RowSource *rows = editor.qryDataEdit();
    // Read before the row, with the register's codes, so that the stored names show at once.
    editor.onBeforeRowsOpened(rows, [this] {
        rereadMunicipalities();
        rereadPlaces();
    });
    // Once the row is read its own codes count (the register's may not match them).
    editor.onRowsLoaded(rows, [this] {
        if (!m_municipalities->isOpen() ||
            !sameParam(m_municipalities->property("oblast"), regionParam()))
            rereadMunicipalities();
        if (!m_places->isOpen() || !sameParam(m_places->property("oblast"), regionParam()) ||
            !sameParam(m_places->property("obshtina"), municipalityParam()))
            rereadPlaces();
    });
    editor.onColumnChanged(regionColumn(),
                           [this](const QVariant &, const QVariant &) { regionChanged(); });
    editor.onColumnChanged(municipalityColumn(),
                           [this](const QVariant &, const QVariant &) { municipalityChanged(); });
}

QVariant PlaceLookups::regionParam() const
{
    const RowSource *rows = m_editor.qryDataEdit();
    if (rows->isOpen())
        return rows->isEmpty() ? QVariant() : rows->value(regionColumn());
    return m_editor.*m_setup.viOblast;
}

QVariant PlaceLookups::municipalityParam() const
{
    const RowSource *rows = m_editor.qryDataEdit();
    if (rows->isOpen())
        return rows->isEmpty() ? QVariant() : rows->value(municipalityColumn());
    return m_editor.*m_setup.viObshtina;
}

void PlaceLookups::rereadMunicipalities()
{
    const QVariant oblast = regionParam();
    m_municipalities->setProperty("oblast", oblast);
    storage::SetParamValue(*m_municipalities, kOblastParam, oblast);
    storage::RefreshQuery(*m_municipalities);
}

void PlaceLookups::rereadPlaces()
{
    const QVariant oblast = regionParam();
    const QVariant obshtina = municipalityParam();
    m_places->setProperty("oblast", oblast);
    m_places->setProperty("obshtina", obshtina);
    storage::SetParamValue(*m_places, kOblastParam, oblast);
    storage::SetParamValue(*m_places, kObshtinaParam, obshtina);
    storage::RefreshQuery(*m_places);
}

void PlaceLookups::clearColumn(const QString &column, int fieldCode)
{
    RowSource *rows = m_editor.qryDataEdit();
    if (!editing(rows) || rows->value(column).isNull())
        return;
    rows->setValue(column, QVariant());
    // The emptied field may now break its rules; its mark should say so at once.
    if (fieldCode > 0)
        m_editor.RecheckFieldRules(fieldCode, true);
}

void PlaceLookups::regionChanged()
{
    clearColumn(municipalityColumn(), m_setup.municipalityFieldCode);
    clearColumn(placeColumn(), m_setup.placeFieldCode);
    rereadMunicipalities();
    rereadPlaces();
}

void PlaceLookups::municipalityChanged()
{
    clearColumn(placeColumn(), m_setup.placeFieldCode);
    rereadPlaces();
}

} // namespace kesp::declaration
