#include "pagesectioni.h"

#include "columncatalogue.h"
#include "fmdeklaraciaedit.h"
#include "fmupravlavashtedit.h"
#include "listmodel.h"
#include "pagebuilder.h"
#include "pagehelpers.h"
#include "placelookups.h"
#include "rowsource.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

namespace kesp::declaration {

using storage::RowSource;
using namespace pages;

namespace {

// Width of the captions in front of the long edits, and of those edits.
constexpr int kCaptionWidth = 200;
constexpr int kNameWidth = 520;

const QString kChujdenec = QStringLiteral("IS_CHUJDENEC");
const QString kNaimenovanieII = QStringLiteral("II_NAIMENOVANIE");

// The person's kind of post in the managers list.
QString tipDlajnost(const QVariant &v)
{
    if (v.isNull())
        return {};
    switch (v.toInt()) {
    case 1:
        return QStringLiteral("Управляващ");
    case 2:
        return QStringLiteral("Представляващ");
    case 3:
        return QStringLiteral("Упр. и предст.");
    default:
        return {};
    }
}

// A value fits a column of the declaration when it is no longer than the column allows.
bool fits(const QString &column, const QVariant &value)
{
    const storage::ColumnDef *c =
        storage::ColumnCatalogue::find(QStringLiteral("DEKLARACIA"), column);
    return !c || c->length <= 0 || value.toString().size() <= c->length;
}

} // namespace

void buildSectionIPage(TfmDeklaraciaEdit &editor)
{
    new PageSectionI(editor);
}

PageSectionI::PageSectionI(TfmDeklaraciaEdit &editor)
    : QObject(&editor)
    , m_editor(editor)
{
    setObjectName(QStringLiteral("pageSectionI"));
    m_places = new PlaceLookups(editor,
                                {QStringLiteral("I_"),
                                 QStringLiteral("qryObshtina"),
                                 QStringLiteral("qryGradove"),
                                 &TfmDeklaraciaEdit::viIOblast,
                                 &TfmDeklaraciaEdit::viIObshtina,
                                 5,
                                 6});
    build();
    connectNames();
    connectSeatCopy();
    editor.setRowDialog(QStringLiteral("qryUpravliavashti"), rowDialogOf<fmUpravlavashtEdit>());
}

void PageSectionI::build()
{
    const QString n = QStringLiteral("NAIMENOVANIE");
    PageBuilder b(m_editor, Page);
    b.setCaptionWidth(kCaptionWidth);
    b.heading(QStringLiteral("Раздел І. Данни за работодателя"), 1);

    b.beginRow();
    b.readOnly(
        QStringLiteral("edtGodina"), QStringLiteral("GODINA"), QStringLiteral("Година:"), 60);
    b.note(QStringLiteral("(задава се автоматично)"));
    b.endRow();

    b.beginItem(QStringLiteral("grpI1"),
                QStringLiteral("1. Наименование / име на юридическото и физическото лице, което:"),
                2);
    b.check(QStringLiteral("ChkISamostoiatelnoNaemane"),
            QStringLiteral("I_SAMOSTO_NAEMAT_RAB"),
            QStringLiteral("Самостоятелно наема работещи"));
    b.check(QStringLiteral("chkIZaemaniRab"),
            QStringLiteral("I_ZAEMANI_RABOTNICI"),
            QStringLiteral("Ползва или е ползвало работещи, предоставени от предприятие, което "
                           "осигурява временна заетост"));
    m_imeUL = b.edit(QStringLiteral("edtIImeUL"),
                     QStringLiteral("I_NAIMENOVANIE_UL"),
                     QStringLiteral("Пълно наименование на ЮЛ"),
                     kNameWidth);
    b.beginRow();
    b.note(QStringLiteral("Име, презиме и фамилия на ФЛ"))->setFixedWidth(kCaptionWidth);
    m_imenaFL =
        b.edit(QStringLiteral("edtIImenaFL"), QStringLiteral("I_IMENA_FL"), QString(), kNameWidth);
    // The form gives the box the field of "Самостоятелно наема работещи".
    m_chujdenec =
        b.check(QStringLiteral("chkIS_CHUJDENEC"), kChujdenec, 138, QStringLiteral("Чужденец"));
    b.endRow();
    b.end();

    b.beginItem(QStringLiteral("grpI2"), QStringLiteral("2. Седалище и адрес на управление"), 3);
    b.edit(QStringLiteral("edtI_EIK"), QStringLiteral("I_EIK"), QStringLiteral("ЕИК / ЕГН"), 140);
    b.beginRow();
    b.lookup(QStringLiteral("cbIOblast"),
             QStringLiteral("I_OBLAST_CODE"),
             QStringLiteral("Област"),
             PlaceLookups::regions(m_editor),
             QStringLiteral("OBLAST_CODE"),
             n,
             true,
             200);
    b.lookup(QStringLiteral("lcb_I_OBSHTINA"),
             QStringLiteral("I_OBSHTINA_CODE"),
             QStringLiteral("Община"),
             m_places->municipalities(),
             QStringLiteral("OBSHTINA_CODE"),
             n,
             true,
             200);
    b.lookup(QStringLiteral("cbIGrad"),
             QStringLiteral("I_GRAD_CODE"),
             QStringLiteral("Град/Село"),
             m_places->places(),
             QStringLiteral("GRAD_CODE"),
             n,
             false,
             200);
    b.endRow();
    pages::addressLines(b,
                        {{{"edtISedalishtePK", "I_POSHTENSKI_KOD", "Пощ. код", 60, true},
                          {"edtIJK", "I_JILISHTEN_KOMPLEKS", "Ж.К.", 180},
                          {"edtIStreet", "I_ULICA", "Улица", 260},
                          {"edtIUlicaNo", "I_ULICA_NOMER", "№", 70}},
                         {{"edtIBlok", "I_BLOK_NO", "Блок", 70},
                          {"edtIVhod", "I_BLOK_VHOD", "Вход", 40},
                          {"edtIEtaj", "I_BLOK_ETAJ", "Етаж", 50},
                          {"edtIApartament", "I_BLOK_APARTAMENT", "Апарт.", 70}},
                         {{"edtITelefon", "I_TELEFON", "Тел. / Факс", 220},
                          {"edtIEMail", "I_EMAIL", "E-mail", 300}}});
    b.end();

    b.beginItem(
        QStringLiteral("grpI3"),
        QStringLiteral("3. Управляващ и представляващ дружеството, организацията, търговеца"),
        37);
    QTableView *managers =
        b.list(QStringLiteral("qryUpravliavashti"),
               QStringLiteral("grdUpravliavashti"),
               166,
               {{QStringLiteral("IMENA"), QStringLiteral("Име, презиме, фамилия")},
                {QStringLiteral("DLAJNOST"), QStringLiteral("Длъжност")},
                {QStringLiteral("TELEFON"), QStringLiteral("Тел./факс")},
                {QStringLiteral("EMAIL"), QStringLiteral("E-mail")},
                {QStringLiteral("TIP_DLAJNOST"),
                 QStringLiteral("Управл. / Предст."),
                 Qt::AlignLeft | Qt::AlignVCenter,
                 tipDlajnost},
                {QStringLiteral("IS_PODAVASHT"),
                 QStringLiteral("Под."),
                 Qt::AlignCenter,
                 [](const QVariant &v) {
                     return !v.isNull() && v.toBool() ? QStringLiteral("X") : QString();
                 }}},
               QStringLiteral("btnAddUpravliavasht"),
               QStringLiteral("btnEditUpravliavasht"),
               QStringLiteral("btnDeleteUpravliavasht"));
    tidyGrid(managers, 0);
    b.end();

    b.beginItem(QStringLiteral("grpI4"), QStringLiteral("4. Лице за контакти"), 5);
    b.edit(QStringLiteral("edtILKIme"),
           QStringLiteral("I_LK_IMENA"),
           QStringLiteral("Име, презиме, фамилия"),
           kNameWidth);
    b.edit(QStringLiteral("edtILKDlajnost"),
           QStringLiteral("I_LK_DLAJNOST"),
           QStringLiteral("Длъжност"),
           300);
    b.edit(QStringLiteral("edtILKTelefon"),
           QStringLiteral("I_LK_TEL_FAKS"),
           QStringLiteral("Тел. / Факс"),
           220);
    b.edit(
        QStringLiteral("edtILKEMail"), QStringLiteral("I_LK_EMAIL"), QStringLiteral("E-mail"), 300);
    b.end();
}

void PageSectionI::connectNames()
{
    connect(m_imeUL, &QLineEdit::textChanged, this, &PageSectionI::updateNameStates);
    connect(m_imenaFL, &QLineEdit::textChanged, this, &PageSectionI::updateNameStates);
    // Erasing the natural person's name takes back "Чужденец".
    connect(m_imenaFL, &QLineEdit::textEdited, this, [this](const QString &text) {
        RowSource *rows = m_editor.qryDataEdit();
        if (!text.isEmpty() || !editing(rows) || !rows->value(kChujdenec).toBool())
            return;
        m_editor.runUserAction([rows] { rows->setValue(kChujdenec, false); });
    });
    updateNameStates();

    // The employer's name is the enterprise's until the enterprise has a name of its own.
    for (const char *column : {"I_NAIMENOVANIE_UL", "I_IMENA_FL"}) {
        m_editor.onColumnChanged(
            QLatin1String(column), [this](const QVariant &, const QVariant &now) {
                RowSource *rows = m_editor.qryDataEdit();
                if (!editing(rows))
                    return;
                const QVariant current = rows->value(kNaimenovanieII);
                if (!current.isNull() && !current.toString().trimmed().isEmpty())
                    return;
                if (sameValue(current, now) || !fits(kNaimenovanieII, now))
                    return;
                rows->setValue(kNaimenovanieII, now);
                m_editor.RecheckFieldRules(9, true);
            });
    }
    // Whether the person is a foreigner decides which identifier fits.
    m_editor.onColumnChanged(kChujdenec, [this](const QVariant &, const QVariant &) {
        m_editor.RecheckFieldRules(3, true);
    });
}

void PageSectionI::updateNameStates()
{
    if (!m_imeUL || !m_imenaFL || !m_chujdenec)
        return;
    const bool ul = !m_imeUL->text().isEmpty();
    const bool fl = !m_imenaFL->text().isEmpty();
    // One name or the other. A declaration that holds both (carried over or imported)
    // keeps both open, so that the wrong one can be erased.
    m_imeUL->setEnabled(!fl || ul);
    m_imenaFL->setEnabled(!ul || fl);
    m_chujdenec->setEnabled(fl);
}

void PageSectionI::copyToSectionII(const QString &from,
                                   const QString &to,
                                   int fieldCode,
                                   const QString &sameColumnI,
                                   const QString &sameColumnII)
{
    RowSource *rows = m_editor.qryDataEdit();
    if (!editing(rows) || !isEmptyValue(rows->value(to)))
        return;
    // Municipality and place only follow within the same region and municipality.
    if (!sameColumnI.isEmpty() && countOf(rows, sameColumnI) != countOf(rows, sameColumnII))
        return;
    const QVariant value = rows->value(from);
    // A value longer than the enterprise's column allows is left for the user to shorten.
    if (!isEmptyValue(value) && fits(to, value))
        rows->setValue(to, value);
    if (fieldCode > 0)
        m_editor.RecheckFieldRules(fieldCode, true);
}

void PageSectionI::connectSeatCopy()
{
    struct Copy
    {
        const char *control;
        const char *from;
        const char *to;
        int fieldCode;
        const char *sameI;
        const char *sameII;
    };
    static const Copy copies[] = {
        {"cbIOblast", "I_OBLAST_CODE", "II_OBLAST_CODE", 7, nullptr, nullptr},
        {"lcb_I_OBSHTINA",
         "I_OBSHTINA_CODE",
         "II_OBSHTINA_CODE",
         8,
         "I_OBLAST_CODE",
         "II_OBLAST_CODE"},
        {"cbIGrad", "I_GRAD_CODE", "II_GRAD_CODE", 10, "I_OBSHTINA_CODE", "II_OBSHTINA_CODE"},
        {"edtISedalishtePK", "I_POSHTENSKI_KOD", "II_POSHTENSKI_KOD", 12, nullptr, nullptr},
        {"edtIJK", "I_JILISHTEN_KOMPLEKS", "II_JILISHTEN_KOMPLEKS", 192, nullptr, nullptr},
        {"edtIStreet", "I_ULICA", "II_ULICA", 193, nullptr, nullptr},
        {"edtIBlok", "I_BLOK_NO", "II_BLOK_NO", 0, nullptr, nullptr},
        {"edtIVhod", "I_BLOK_VHOD", "II_BLOK_VHOD", 0, nullptr, nullptr},
        {"edtIEtaj", "I_BLOK_ETAJ", "II_BLOK_ETAJ", 0, nullptr, nullptr},
        {"edtIApartament", "I_BLOK_APARTAMENT", "II_BLOK_APARTAMENT", 0, nullptr, nullptr},
        {"edtITelefon", "I_TELEFON", "II_TELEFON", 0, nullptr, nullptr},
        {"edtIEMail", "I_EMAIL", "II_EMAIL", 0, nullptr, nullptr},
    };
    for (const Copy &c : copies) {
        m_editor.onControlExit(QLatin1String(c.control), [this, c] {
            copyToSectionII(QLatin1String(c.from),
                            QLatin1String(c.to),
                            c.fieldCode,
                            c.sameI ? QLatin1String(c.sameI) : QString(),
                            c.sameII ? QLatin1String(c.sameII) : QString());
        });
    }
}

} // namespace kesp::declaration
