#include "pagesectionii.h"

#include "columncatalogue.h"
#include "database.h"
#include "dialogs.h"
#include "fmdeklaraciaedit.h"
#include "fmkidedit.h"
#include "fmpodrazdelenia.h"
#include "listmodel.h"
#include "pagebuilder.h"
#include "pagehelpers.h"
#include "placelookups.h"
#include "rowsource.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include <limits>

namespace kesp::declaration {

using storage::RowSource;
using namespace pages;

namespace {

constexpr int kCaptionWidth = 230;
constexpr int kNameWidth = 520;
// The caption column of the count table and of the counts of items 11 and 12.
constexpr int kRowCaptionWidth = 470;
constexpr int kCountWidth = 80;
constexpr qint64 kMaxCount = std::numeric_limits<int>::max();

const QString kPodrazdelenia = QStringLiteral("II_IS_PODRAZDELENIA");
const QString kPodrazdeleniaList = QStringLiteral("qryPodrazdelenia");
const QString kNaetiO = QStringLiteral("II_NAETI_O");
const QString kDrLiceO = QStringLiteral("II_NAETI_DR_LICE_O");
const QString kNaetiLica = QStringLiteral("II_NAETI_LICA");
const QString kDeleteQuestion =
    QStringLiteral("Сигурни ли сте, че желаете да маркирате \"Не\" - така щебъдат изтрити всички "
                   "въведени към момента поделения?");
const QString kTooMany =
    QStringLiteral("Общият брой не може да надхвърля 2147483647. Въведената стойност не е приета.");

// The groups of item 10 in screen order; the sub-groups of 10.1 are indented.
struct Group
{
    const char *prefix;
    const char *caption;
    bool subgroup;
};
const Group kGroups[] = {
    {"II_NAETI_", "10.1.Работници и служители наети по трудово/ служебно правоотношение ", false},
    {"II_NAETI_SROCHNO_", "в т. ч. по срочно правоотношение", true},
    {"II_NAETI_TNR_", "в т. ч. лица с трайно намалена работоспособност", true},
    {"II_NAETI_NAD55_", "в т.ч. лица над 55 г.", true},
    {"II_NAETI_POD25_", "в т. ч. лица на възраст под 25 години", true},
    {"II_NAETI_ES_", "в т. ч. граждани на държави-членки на ЕС", true},
    {"II_NAETI_EIP_",
     "в т. ч. граждани на държави – страни по споразумението за Европейското икономическо "
     "пространство или на Конфедерация Швейцария",
     true},
    {"II_NAETI_DR_DARJ_", "в.т.ч. граждани на други държави", true},
    {"II_NAETI_DR_LICE_", "10.2.Работници/служители на друго физическо или юридическо лице", false},
};

// Counts of items 11 and 12: column and caption.
struct Count
{
    const char *column;
    const char *caption;
};
const Count kTrudoustroyavane[] = {
    {"II_MESTA_ZA_TRUDUOST", "11.1.Общ брой на определените места за трудоустрояване "},
    {"II_ZAETI_TRUDOUST", "от тях заети от трудоустроени лица"},
    {"II_MESTA_S_TU", "в.т.ч. заети от хора трудоустроени с трайни увреждания"},
    {"II_TRUDOUST_BREMENNI",
     "11.2.Работни места, заети от трудоустроени бременни или кърмачки през годината"},
};
const Count kRights[] = {
    {"II_NORMALEN_RAB_DEN", "- намален работен ден по чл.137, ал.1, т.1 от КТ "},
    {"II_DOP_OTPUSK", "- допълнителен отпуск по чл.156, ал.1, т.1 от КТ"},
    {"II_BEZPLATNA_HRANA", "- безплатна храна по чл. 285, ал. 2 от КТ"},
};

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

QLabel *rowCaption(PageBuilder &b, const QString &caption, bool indented)
{
    QLabel *label = b.note(caption);
    label->setWordWrap(true);
    label->setFixedWidth(kRowCaptionWidth);
    if (indented)
        label->setIndent(18);
    return label;
}

// One line per count: its caption, then the count's box.
template<std::size_t N> void countLines(PageBuilder &b, const Count (&counts)[N])
{
    for (const Count &c : counts) {
        const QString column = QLatin1String(c.column);
        b.beginRow();
        rowCaption(b, text(c.caption), false);
        b.count(QStringLiteral("edt") + column, column, QString(), kCountWidth);
        b.endRow();
    }
}

} // namespace

void buildSectionIIPage(TfmDeklaraciaEdit &editor)
{
    new PageSectionII(editor);
}

PageSectionII::PageSectionII(TfmDeklaraciaEdit &editor)
    : QObject(&editor)
    , m_editor(editor)
{
    setObjectName(QStringLiteral("pageSectionII"));
    m_places = new PlaceLookups(editor,
                                {QStringLiteral("II_"),
                                 QStringLiteral("ADOQuery1"),
                                 QStringLiteral("qryGradove2"),
                                 &TfmDeklaraciaEdit::viIIOblast,
                                 &TfmDeklaraciaEdit::viIIObshtina,
                                 8,
                                 10});
    build();
    connectSubdivisions();
    connectCounts();
    editor.setRowDialog(QStringLiteral("qryKID"), rowDialogOf<fmKidEdit>());
    editor.setRowDialog(kPodrazdeleniaList, rowDialogOf<fmPodrazdelenia>());
}

void PageSectionII::build()
{
    const QString n = QStringLiteral("NAIMENOVANIE");
    PageBuilder b(m_editor, Page);
    b.setCaptionWidth(kCaptionWidth);
    b.heading(QStringLiteral("Раздел ІІ. Данни за предприятието"), 8);

    b.beginItem(QStringLiteral("grpII5"), QStringLiteral("5. Предприятие"), 6);
    b.edit(QStringLiteral("edtIINaimenovanie"),
           QStringLiteral("II_NAIMENOVANIE"),
           QStringLiteral("Наименование на предприятието"),
           kNameWidth);
    b.beginRow();
    b.lookup(QStringLiteral("cbIIOblast"),
             QStringLiteral("II_OBLAST_CODE"),
             QStringLiteral("Област"),
             PlaceLookups::regions(m_editor),
             QStringLiteral("OBLAST_CODE"),
             n,
             true,
             200);
    b.lookup(QStringLiteral("lcb_II_OBSHTINA"),
             QStringLiteral("II_OBSHTINA_CODE"),
             QStringLiteral("Община"),
             m_places->municipalities(),
             QStringLiteral("OBSHTINA_CODE"),
             n,
             true,
             200);
    b.lookup(QStringLiteral("cbIIGrad"),
             QStringLiteral("II_GRAD_CODE"),
             QStringLiteral("Град/Село"),
             m_places->places(),
             QStringLiteral("GRAD_CODE"),
             n,
             true,
             200);
    b.endRow();
    pages::addressLines(b,
                        {{{"edtIIPK", "II_POSHTENSKI_KOD", "Пощ. код", 60, true},
                          {"edtIIJK", "II_JILISHTEN_KOMPLEKS", "Ж.К.", 180},
                          {"edtIIUlica", "II_ULICA", "Улица", 260}},
                         {{"edtIIBlok", "II_BLOK_NO", "Блок", 70},
                          {"edtIIVhod", "II_BLOK_VHOD", "Вход", 40},
                          {"edtIIEtaj", "II_BLOK_ETAJ", "Етаж", 50},
                          {"edtIIApartamentNo", "II_BLOK_APARTAMENT", "Апарт.", 70}},
                         {{"edtIITelefon", "II_TELEFON", "Тел. / Факс", 220},
                          {"edtIIEMail", "II_EMAIL", "E-mail", 300}}});
    b.end();

    b.beginItem(QStringLiteral("grpII6"), QStringLiteral("6. Ръководител на предприятието"));
    b.edit(QStringLiteral("edtIILKIme"),
           QStringLiteral("II_RAKOVODITEL_IMENA"),
           QStringLiteral("Име, презиме, фамилия"),
           kNameWidth);
    b.edit(QStringLiteral("edtIILKdlajnost"),
           QStringLiteral("II_RAKOVODITEL_DLAJNOST"),
           QStringLiteral("Длъжност"),
           300);
    b.edit(QStringLiteral("edtIILKTelefon"),
           QStringLiteral("II_RAKOVODITEL_TELEFON"),
           QStringLiteral("Тел. / Факс"),
           220);
    b.edit(QStringLiteral("edtIILKEMail"),
           QStringLiteral("II_RAKOVODITEL_EMAIL"),
           QStringLiteral("E-mail"),
           300);
    b.end();

    b.beginItem(QStringLiteral("grpII7"),
                QStringLiteral("7. Основна и спомагателна дейност, съгласно Класификатора на "
                               "икономическите дейности (КИД 2008)"),
                7);
    QTableView *activities = b.list(QStringLiteral("qryKID"),
                                    QStringLiteral("grdIIKID"),
                                    35,
                                    {{QStringLiteral("KID_TEKST"), QStringLiteral("Наименование")},
                                     {QStringLiteral("KID_KOD"), QStringLiteral("КИД")}},
                                    QStringLiteral("btnAddKID"),
                                    QStringLiteral("btnEditKID"),
                                    QStringLiteral("btnDeleteKID"));
    tidyGrid(activities, 0);
    // The list's buttons belong to its field: entering them lists the field's rules.
    for (const char *name : {"btnAddKID", "btnEditKID", "btnDeleteKID"})
        m_editor.registerFieldControl(
            m_editor.control(QLatin1String(name)), 35, rules::MarkKind::Other);
    b.end();

    b.beginItem(QStringLiteral("grpII8"),
                QStringLiteral("8. Поделения на предприятието извън адреса по т.5"));
    b.yesNo(QStringLiteral("cbIIPoddelenia"), kPodrazdelenia, 0);
    m_poddelenia = m_editor.binding<RadioBinding>(QStringLiteral("cbIIPoddelenia"));
    QTableView *subdivisions = b.list(
        kPodrazdeleniaList,
        QStringLiteral("grdIIPoddelenia"),
        78,
        {{QStringLiteral("NAIMENOVANIE"), QStringLiteral("Наименование")},
         {QStringLiteral("BROI_NAETI_LICA"),
          QStringLiteral("Бр. лица"),
          Qt::AlignRight | Qt::AlignVCenter},
         {QStringLiteral("_OBLAST_NAIMENOVANIE"), QStringLiteral("Област")},
         {QStringLiteral("ADRES"), QStringLiteral("Адрес")},
         {QStringLiteral("DEINOST_KID"), QStringLiteral("КИД")},
         {QStringLiteral("RAKOVODITEL"), QStringLiteral("Ръководител (имена, тел., e-mail)")}},
        QStringLiteral("btnAddPodrazdelenie"),
        QStringLiteral("btnEditPodrazdelenie"),
        QStringLiteral("btnDeletePodrazdelenie"),
        QStringLiteral("pnlIIPoddelenia"));
    tidyGrid(subdivisions, 0);
    b.end();

    b.beginItem(QStringLiteral("grpII9"),
                QStringLiteral("9. Големина на предприятието според средносписъчния брой на "
                               "персонала"),
                9);
    b.radio(QStringLiteral("grII_PERSONAL_BROI"),
            QStringLiteral("II_PERSONAL_BROI"),
            QString(),
            {{1, QStringLiteral("1-9")},
             {2, QStringLiteral("10-49")},
             {3, QStringLiteral("50-249")},
             {4, QStringLiteral("250 и над 250")}},
            4);
    b.end();

    buildCounts(b);
}

void PageSectionII::buildCounts(PageBuilder &b)
{
    b.beginItem(QStringLiteral("grpII10"),
                QStringLiteral("10. Наети лица към датата на подаване на декларацията"),
                10);
    b.beginRow();
    b.readOnly(QStringLiteral("edtIIObshtoNaeti"),
               kNaetiLica,
               QStringLiteral("Общ брой наети лица"),
               kCountWidth);
    b.note(QStringLiteral("(изчислява се автоматично като сума от т. 10.1 и т. 10.2)"));
    b.endRow();

    // The headings, with the note under the computed column.
    b.beginRow();
    rowCaption(b, QString(), false);
    for (const char *heading : {"Брой общо", "Мъже", "Жени"}) {
        QLabel *label = b.note(text(heading));
        label->setFixedWidth(kCountWidth);
        label->setAlignment(Qt::AlignCenter);
    }
    b.endRow();
    b.beginRow();
    rowCaption(b, QString(), false);
    QLabel *computed = b.note(QStringLiteral("(изчислява се автом.)"));
    computed->setWordWrap(true);
    computed->setFixedWidth(kCountWidth);
    computed->setAlignment(Qt::AlignCenter);
    b.endRow();

    for (const Group &g : kGroups) {
        const QString prefix = QLatin1String(g.prefix);
        b.beginRow();
        rowCaption(b, text(g.caption), g.subgroup);
        for (const char *suffix : {"O", "M", "J"}) {
            const QString column = prefix + QLatin1String(suffix);
            const QString name = QStringLiteral("edt") + column;
            if (*suffix == 'O')
                b.readOnly(name, column, QString(), kCountWidth);
            else
                b.count(name, column, QString(), kCountWidth);
        }
        b.endRow();
    }
    b.end();

    b.beginItem(
        QStringLiteral("grpII11"), QStringLiteral("11. Работни места за трудоустрояване"), 39);
    b.note(QStringLiteral("(Попълва се само ако общата численост на персонала е над 50 души) "));
    m_trudoustroyavane = b.beginPanel(QStringLiteral("pnlII11"));
    countLines(b, kTrudoustroyavane);
    b.end();
    b.end();

    b.beginItem(QStringLiteral("grpII12"),
                QStringLiteral("12. Работници и служители, ползващи правото на:"));
    countLines(b, kRights);
    b.end();
}

// --- Item 8 ------------------------------------------------------------------------------

void PageSectionII::connectSubdivisions()
{
    m_editor.onColumnChanged(kPodrazdelenia, [this](const QVariant &, const QVariant &now) {
        DetailList *list = m_editor.list(kPodrazdeleniaList);
        if (list && list->group())
            m_editor.EnableGroup(
                list->group(), !now.isNull() && now.toInt() == 1, m_editor.qryDataEdit());
    });

    // "НЕ" with subdivisions entered asks before they all go.
    m_poddelenia->onChange([this](const QVariant &shown) {
        if (shown.isNull() || shown.toInt() != 2)
            return;
        RowSource *rows = m_editor.qryDataEdit();
        DetailList *list = m_editor.list(kPodrazdeleniaList);
        if (!editing(rows) || !list || !list->model()->isOpen() || list->model()->isEmpty())
            return;
        if (!dialogs().confirm(kDeleteQuestion)) {
            m_poddelenia->setShownValue(1);
            return;
        }
        const QVariant code = rows->value(QStringLiteral("DEKLARACIA_CODE"));
        storage::exec(rows->database(),
                      QStringLiteral("delete from II_PODRAZDELENIEA where DEKLARACIA_CODE = ?"),
                      {code});
        m_editor.refreshList(kPodrazdeleniaList);
    });
}

// --- Items 10 and 11 -------------------------------------------------------------------------

void PageSectionII::connectCounts()
{
    for (const Group &g : kGroups) {
        const QString prefix = QLatin1String(g.prefix);
        for (const char *suffix : {"M", "J"}) {
            const QString column = prefix + QLatin1String(suffix);
            m_editor.onColumnChanged(
                column, [this, prefix, column](const QVariant &oldValue, const QVariant &newValue) {
                    countChanged(prefix, column, oldValue, newValue);
                });
        }
        const QString total = prefix + QLatin1Char('O');
        if (total == kNaetiO) {
            m_editor.onColumnChanged(total, [this](const QVariant &, const QVariant &) {
                UpdateNaetiLica();
                enableTrudoustroyavane();
            });
        } else if (total == kDrLiceO) {
            m_editor.onColumnChanged(total, [this](const QVariant &, const QVariant &) {
                UpdateNaetiLica();
                m_editor.RecheckFieldRules(PageBuilder::codeOf(kDrLiceO), true);
            });
        } else {
            m_editor.onColumnChanged(total, [this, total](const QVariant &, const QVariant &) {
                m_editor.RecheckFieldRules(PageBuilder::codeOf(total), true);
            });
        }
    }
    // Leaving a count of 10.1 or 10.2 re-checks the totals built from it.
    for (const char *column :
         {"II_NAETI_M", "II_NAETI_J", "II_NAETI_DR_LICE_M", "II_NAETI_DR_LICE_J"}) {
        m_editor.onControlExit(QStringLiteral("edt") + QLatin1String(column), [this] {
            m_editor.RecheckFieldRules(PageBuilder::codeOf(kNaetiO), true);
            m_editor.RecheckFieldRules(PageBuilder::codeOf(kNaetiLica), true);
        });
    }
    m_editor.onRowsLoaded(m_editor.qryDataEdit(), [this] { enableTrudoustroyavane(); });
}

void PageSectionII::countChanged(const QString &prefix,
                                 const QString &column,
                                 const QVariant &oldValue,
                                 const QVariant &newValue)
{
    RowSource *rows = m_editor.qryDataEdit();
    if (m_reverting || !editing(rows))
        return;
    if (!newValue.isNull() && newValue.toLongLong() < 0) {
        rows->setValue(column, 0); // runs this again with 0
        return;
    }
    if (UpdateNaetiTotal(prefix))
        return;
    // The total would not fit: the count goes back to what it was.
    m_reverting = true;
    try {
        rows->setValue(column, oldValue);
    } catch (...) {
        m_reverting = false;
        throw;
    }
    m_reverting = false;
    dialogs().error(kTooMany);
}

bool PageSectionII::UpdateNaetiTotal(const QString &prefix)
{
    RowSource *rows = m_editor.qryDataEdit();
    const qint64 total =
        countOf(rows, prefix + QLatin1Char('M')) + countOf(rows, prefix + QLatin1Char('J'));
    if (total > kMaxCount)
        return false;
    // The grand total of item 10 must fit as well.
    const QString totalColumn = prefix + QLatin1Char('O');
    if (totalColumn == kNaetiO && total + countOf(rows, kDrLiceO) > kMaxCount)
        return false;
    if (totalColumn == kDrLiceO && total + countOf(rows, kNaetiO) > kMaxCount)
        return false;
    rows->setValue(totalColumn, total);
    return true;
}

void PageSectionII::UpdateNaetiLica()
{
    RowSource *rows = m_editor.qryDataEdit();
    if (!editing(rows))
        return;
    const qint64 sum = countOf(rows, kNaetiO) + countOf(rows, kDrLiceO);
    if (sum > kMaxCount) {
        dialogs().error(kTooMany);
        return;
    }
    rows->setValue(kNaetiLica, sum);
}

void PageSectionII::enableTrudoustroyavane()
{
    RowSource *rows = m_editor.qryDataEdit();
    const bool on =
        rows->isOpen() && !rows->isEmpty() && countOf(rows, kNaetiO) >= TrudoustroyavaneFrom;
    if (!on && editing(rows) && m_trudoustroyavane->testAttribute(Qt::WA_Disabled)) {
        // Already off: nothing to empty unless a value got in by other means.
        bool filled = false;
        for (const Count &c : kTrudoustroyavane)
            filled = filled || !rows->value(QLatin1String(c.column)).isNull();
        if (!filled)
            return;
    }
    // Turned off while editing, the group empties its four counts and re-checks their rules.
    m_editor.EnableGroup(m_trudoustroyavane, on, rows);
}

} // namespace kesp::declaration
