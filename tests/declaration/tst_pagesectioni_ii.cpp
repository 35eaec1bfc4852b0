#include "bindings.h"
#include "columncatalogue.h"
#include "database.h"
#include "dialogs.h"
#include "fmdeklaraciaedit.h"
#include "fmkidedit.h"
#include "fmpodrazdelenia.h"
#include "fmupravlavashtedit.h"
#include "identifiers.h"
#include "listmodel.h"
#include "rowdialogdriver.h"
#include "rowsource.h"
#include "tablewriter.h"
#include "tdmmain.h"
#include "tdmvalidacii.h"
#include "testdb.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <memory>
#include <set>

using namespace kesp;
using namespace kesp::declaration;
using namespace kesp::storage;

namespace {

const QColor kPink(255, 230, 242);
const QColor kRed(255, 0, 0);

const QString kDeleteSubdivisions =
    QStringLiteral("Сигурни ли сте, че желаете да маркирате \"Не\" - така щебъдат изтрити всички "
                   "въведени към момента поделения?");

// The rules of the year and of sections I and II.
const QList<int> kSectionRules = {116, 117, 1,   99,  115, 3,   4,   5,   6,   11,  144, 146, 118,
                                  197, 100, 101, 102, 9,   7,   8,   10,  12,  145, 16,  14,  15,
                                  13,  334, 17,  18,  69,  60,  61,  62,  63,  64,  65,  66,  67,
                                  68,  225, 226, 227, 228, 229, 230, 231, 307, 308, 309, 310, 311,
                                  312, 313, 314, 315, 316, 317, 318, 319, 320, 57,  58,  70};

const char *const kGroups[] = {"II_NAETI_",
                               "II_NAETI_SROCHNO_",
                               "II_NAETI_TNR_",
                               "II_NAETI_NAD55_",
                               "II_NAETI_POD25_",
                               "II_NAETI_ES_",
                               "II_NAETI_EIP_",
                               "II_NAETI_DR_DARJ_",
                               "II_NAETI_DR_LICE_"};

// A company number that passes the check: eight digits and the check digit that fits.
QString validEik()
{
    for (int d = 0; d <= 9; ++d) {
        const QString eik = QStringLiteral("83123456") + QString::number(d);
        if (CheckEIK(eik))
            return eik;
    }
    return {};
}

} // namespace

class TestPageSectionsIAndII : public QObject
{
    Q_OBJECT

    test::TestFiles m_files;
    int m_fileNo = 0;
    RecordingDialogs m_dialogs;
    std::unique_ptr<TdmMain> m_dm;
    std::unique_ptr<rules::TdmValidacii> m_engine;
    std::unique_ptr<TfmUpravlavashtEdit> m_managers;
    std::unique_ptr<TfmKidEdit> m_activities;
    std::unique_ptr<TfmPodrazdelenia> m_subdivisions;
    std::unique_ptr<TfmDeklaraciaEdit> m_form;

    TfmDeklaraciaEdit &form() { return *m_form; }
    QSqlDatabase db() const { return m_dm->database(); }
    RowSource *rows() { return m_form->qryDataEdit(); }

    template<typename T = QWidget> T *w(const QString &name)
    {
        T *found = m_form->findChild<T *>(name);
        if (!found)
            qWarning("no control %s", qPrintable(name));
        return found;
    }

    QVariant stored(const QString &column, int code)
    {
        return scalar(
            db(),
            QStringLiteral("select %1 from DEKLARACIA where DEKLARACIA_CODE = ?").arg(column),
            {code});
    }
    int count(const QString &table, int code)
    {
        return scalar(
                   db(),
                   QStringLiteral("select count(*) from %1 where DEKLARACIA_CODE = ?").arg(table),
                   {code})
            .toInt();
    }
    void insertDeclaration(int code, const QVariantMap &values = {})
    {
        QVariantMap v1 = values;
        v1.insert(QStringLiteral("DEKLARACIA_CODE"), code);
        v1.insert(QStringLiteral("DOCUMENT_TYPE"), 1);
        v1.insert(QStringLiteral("GODINA"), 2010);
        insertRow(db(), QStringLiteral("DEKLARACIA"), v1);
        insertRow(db(), QStringLiteral("DEKLARACIA2"), {{QStringLiteral("DEKLARACIA_CODE"), code}});
    }
    void insertSubdivision(int code, const QString &name)
    {
        insertRow(db(),
                  QStringLiteral("II_PODRAZDELENIEA"),
                  {{QStringLiteral("DEKLARACIA_CODE"), code},
                   {QStringLiteral("NAIMENOVANIE"), name},
                   {QStringLiteral("OBLAST_CODE"), 2}});
    }
    // The registered names of a region's municipalities, or of a municipality's places.
    QStringList names(const QString &sql, const QVariantList &params)
    {
        QSqlQuery q = exec(db(), sql, params);
        QStringList out;
        while (q.next())
            out << q.value(0).toString();
        return out;
    }
    static QStringList entries(const QComboBox *combo)
    {
        QStringList out;
        for (int i = 0; i < combo->count(); ++i)
            out << combo->itemText(i);
        return out;
    }

    // The editor shows modally: the script runs once it is up; a window the script left
    // open is closed after it.
    void whenShown(QWidget *window, std::function<void()> script)
    {
        QTimer::singleShot(0, this, [this, window, script] { poll(window, script, 0); });
    }
    void poll(QWidget *window, const std::function<void()> &script, int attempt)
    {
        if (!window->isVisible()) {
            if (attempt < 400)
                QTimer::singleShot(5, this, [this, window, script, attempt] {
                    poll(window, script, attempt + 1);
                });
            return;
        }
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        script();
        if (window->isVisible()) {
            if (auto *d = qobject_cast<QDialog *>(window); d && window != m_form.get())
                d->reject();
            else
                window->hide();
        }
    }

    void focusOn(QWidget *widget)
    {
        widget->setFocus(Qt::MouseFocusReason);
        QCOMPARE(QApplication::focusWidget(), widget);
    }
    static void type(QWidget *widget, const QString &text)
    {
        for (const QChar ch : text) {
            const Qt::Key key =
                ch.isDigit() ? Qt::Key(Qt::Key_0 + ch.digitValue()) : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Click, widget, key, QString(ch), Qt::NoModifier);
        }
    }
    // Types into a control and leaves it with Tab, as a person fills a field.
    void fill(const QString &name, const QString &text)
    {
        QWidget *widget = w(name);
        QVERIFY(widget);
        focusOn(widget);
        if (auto *e = qobject_cast<QLineEdit *>(widget))
            e->selectAll();
        type(widget, text);
        QTest::keyClick(widget, Qt::Key_Tab);
    }
    void erase(const QString &name)
    {
        auto *edit = w<QLineEdit>(name);
        focusOn(edit);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Tab);
    }
    // Chooses a register entry from the list's pop-up, then leaves the list.
    void choose(const QString &name, const QString &entry)
    {
        auto *combo = w<QComboBox>(name);
        QVERIFY(combo);
        const int row = combo->findText(entry);
        QVERIFY2(row >= 0, qPrintable(entry));
        focusOn(combo);
        combo->showPopup();
        QAbstractItemView *view = combo->view();
        QVERIFY(view->isVisible());
        const QModelIndex index = view->model()->index(row, combo->modelColumn());
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
        QVERIFY(!view->isVisible());
        QCOMPARE(combo->currentText(), entry);
        m_form->activateWindow();
        focusOn(combo);
        QTest::keyClick(combo, Qt::Key_Tab);
    }
    // After a row dialog the editor is the active window again.
    void backToEditor()
    {
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }
    void click(const QString &name)
    {
        auto *b = w<QAbstractButton>(name);
        QVERIFY(b);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
    }
    void showPage(int page)
    {
        form().pcRazdeli()->setCurrentIndex(page);
        QApplication::processEvents();
    }

    // How a control shows that its field is marked.
    static bool markedOnScreen(const QWidget *control)
    {
        if (qobject_cast<const QCheckBox *>(control))
            return control->palette().color(QPalette::WindowText) == kRed;
        if (qobject_cast<const QGroupBox *>(control))
            return control->autoFillBackground() &&
                   control->palette().color(QPalette::Window) == kPink;
        return control->palette().color(QPalette::Base) == kPink;
    }
    // The controls of pages I and II that carry a field and show its mark.
    QList<QWidget *> markableControls()
    {
        QList<QWidget *> out;
        for (int page : {0, 1})
            for (QWidget *c : form().pageContent(page)->findChildren<QWidget *>())
                if (c->property("fieldCode").toInt() > 0 && !qobject_cast<QPushButton *>(c))
                    out << c;
        return out;
    }

    QStringList ruleTexts(const QList<int> &codes)
    {
        QStringList out;
        for (int c : codes)
            out << m_engine->pravilo(c).InfoText;
        return out;
    }

    // The manager dialog filled in as a person does: a manager and representative who signs.
    void addManagerByDialog(const QString &name)
    {
        TfmUpravlavashtEdit *d = m_managers.get();
        whenShown(d, [d, name] {
            test::typeInto(*d, "edtImena", name);
            test::typeInto(*d, "edtDlajnost", QStringLiteral("Управител"));
            test::typeInto(*d, "edtTelefon", QStringLiteral("02 123 456"));
            test::clickBox(d->findChild<QAbstractButton *>(
                QStringLiteral("rbUpravliavashtIPredstavliavasht")));
            test::clickBox(d->findChild<QAbstractButton *>(QStringLiteral("chkIsPodavasht")));
            test::clickOK(*d);
        });
        click(QStringLiteral("btnAddUpravliavasht"));
        backToEditor();
    }
    void addActivityByDialog(const QString &kod)
    {
        TfmKidEdit *d = m_activities.get();
        whenShown(d, [d, kod] {
            QVERIFY(test::pick(test::combo(*d, "lcbKod"), kod, kod));
            test::clickOK(*d);
        });
        click(QStringLiteral("btnAddKID"));
        backToEditor();
    }

private slots:
    void initTestCase()
    {
        // Fusion honours palettes, which the marking relies on.
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    }

    void init()
    {
        m_dialogs = RecordingDialogs();
        setDialogs(&m_dialogs);
        m_dm = std::make_unique<TdmMain>(
            m_files.delivered(QStringLiteral("KESP%1.ddb").arg(++m_fileNo)));
        m_engine = std::make_unique<rules::TdmValidacii>(db());
        m_engine->UpdatePravila();
        m_engine->UpdatePoletaPravila();
        m_managers = std::make_unique<TfmUpravlavashtEdit>();
        m_activities = std::make_unique<TfmKidEdit>();
        m_subdivisions = std::make_unique<TfmPodrazdelenia>();
        m_form = std::make_unique<TfmDeklaraciaEdit>();
    }

    void cleanup()
    {
        m_form.reset();
        m_subdivisions.reset();
        m_activities.reset();
        m_managers.reset();
        m_engine.reset();
        m_dm.reset();
        setDialogs(nullptr);
    }

    // Every field of sections I and II that the catalogue knows has its control on its
    // page, with the catalogue's field code.
    void everyFieldHasItsControl()
    {
        QHash<QString, Binding *> bound;
        for (Binding *b : form().bindings().all())
            if (b->rows() == rows())
                bound.insert(b->column(), b);
        for (const ColumnDef *c : ColumnCatalogue::columns(QStringLiteral("DEKLARACIA"))) {
            const QString column = c->columnName();
            const bool sectionI = column.startsWith(QLatin1String("I_"));
            const bool sectionII = column.startsWith(QLatin1String("II_"));
            if (c->fieldCode == 0 || !(sectionI || sectionII))
                continue;
            Binding *b = bound.value(column);
            QVERIFY2(b, qPrintable(column));
            QCOMPARE(b->fieldCode(), c->fieldCode);
            QCOMPARE(b->control()->property("fieldCode").toInt(), c->fieldCode);
            QVERIFY2(form().pageContent(sectionI ? 0 : 1)->isAncestorOf(b->control()),
                     qPrintable(column));
        }
        // The foreigner's box takes the field of the employer's own hiring.
        QCOMPARE(w(QStringLiteral("chkIS_CHUJDENEC"))->property("fieldCode").toInt(), 138);
        QCOMPARE(w(QStringLiteral("edtGodina"))->property("fieldCode").toInt(), 165);
        QCOMPARE(w(QStringLiteral("cbIIPoddelenia"))->property("fieldCode").toInt(), 0);
        QCOMPARE(w(QStringLiteral("grdUpravliavashti"))->property("fieldCode").toInt(), 166);
        QCOMPARE(w(QStringLiteral("grdIIKID"))->property("fieldCode").toInt(), 35);
        QCOMPARE(w(QStringLiteral("btnAddKID"))->property("fieldCode").toInt(), 35);
        QCOMPARE(w(QStringLiteral("grdIIPoddelenia"))->property("fieldCode").toInt(), 78);
        // Totals are computed: read only and out of the Tab order.
        for (const char *g : kGroups) {
            auto *total = w<QLineEdit>(QStringLiteral("edt%1O").arg(QLatin1String(g)));
            QVERIFY(total->isReadOnly());
            QVERIFY(!(total->focusPolicy() & Qt::TabFocus));
        }
        QVERIFY(w<QLineEdit>(QStringLiteral("edtIIObshtoNaeti"))->isReadOnly());
    }

    void infoButtonsOpenTheirTexts_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QList<int>>("codes");
        QTest::newRow("Раздел І") << 0 << QList<int>{1, 2, 3, 37, 5};
        QTest::newRow("Раздел ІІ") << 1 << QList<int>{8, 6, 7, 9, 10, 39};
    }
    void infoButtonsOpenTheirTexts()
    {
        QFETCH(int, page);
        QFETCH(QList<int>, codes);
        QList<int> opened;
        form().infoHook = [&](int code) { opened << code; };
        const auto buttons = form().pageContent(page)->findChildren<QToolButton *>();
        for (QToolButton *b : buttons)
            QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(opened, codes);
    }

    // A declaration made, filled and checked as a person does it.
    void endToEnd()
    {
        const QString eik = validEik();
        QVERIFY(!eik.isEmpty());
        QString greshki;
        QString lice;
        form().violationsHook =
            [&](const QString &g, const QString &, const QString &person, const QString &) {
                greshki = g;
                lice = person;
            };
        int code = 0;
        whenShown(m_form.get(), [&] {
            QCOMPARE(QApplication::focusWidget(), w(QStringLiteral("edtIImeUL")));
            QCOMPARE(w<QLineEdit>(QStringLiteral("edtGodina"))->text(), QStringLiteral("2010"));
            // A new declaration has no places until a region is chosen.
            QCOMPARE(w<QComboBox>(QStringLiteral("lcb_I_OBSHTINA"))->count(), 0);

            click(QStringLiteral("ChkISamostoiatelnoNaemane"));
            fill(QStringLiteral("edtIImeUL"), QStringLiteral("Строител ООД"));
            fill(QStringLiteral("edtI_EIK"), eik);
            choose(QStringLiteral("cbIOblast"), QStringLiteral("Бургас"));
            choose(QStringLiteral("lcb_I_OBSHTINA"), QStringLiteral("Бургас"));
            choose(QStringLiteral("cbIGrad"), QStringLiteral("Бургас"));
            addManagerByDialog(QStringLiteral("Иван Петров"));
            auto *managers = w<QTableView>(QStringLiteral("grdUpravliavashti"));
            QCOMPARE(managers->model()->rowCount(), 1);
            QCOMPARE(managers->model()->index(0, 4).data().toString(),
                     QStringLiteral("Упр. и предст."));
            QCOMPARE(managers->model()->index(0, 5).data().toString(), QStringLiteral("X"));

            showPage(1);
            // Section II took the employer's name and seat.
            QCOMPARE(w<QLineEdit>(QStringLiteral("edtIINaimenovanie"))->text(),
                     QStringLiteral("Строител ООД"));
            QCOMPARE(w<QComboBox>(QStringLiteral("cbIIOblast"))->currentText(),
                     QStringLiteral("Бургас"));
            QCOMPARE(w<QComboBox>(QStringLiteral("lcb_II_OBSHTINA"))->currentText(),
                     QStringLiteral("Бургас"));
            QCOMPARE(w<QComboBox>(QStringLiteral("cbIIGrad"))->currentText(),
                     QStringLiteral("Бургас"));
            addActivityByDialog(QStringLiteral("62.01"));
            QCOMPARE(w<QTableView>(QStringLiteral("grdIIKID"))->model()->rowCount(), 1);
            fill(QStringLiteral("edtII_NAETI_M"), QStringLiteral("30"));
            fill(QStringLiteral("edtII_NAETI_J"), QStringLiteral("25"));
            QCOMPARE(w<QLineEdit>(QStringLiteral("edtII_NAETI_O"))->text(), QStringLiteral("55"));
            QCOMPARE(w<QLineEdit>(QStringLiteral("edtIIObshtoNaeti"))->text(),
                     QStringLiteral("55"));
            QVERIFY(w(QStringLiteral("edtII_MESTA_ZA_TRUDUOST"))->isEnabled());

            QTest::mouseClick(form().btnValidate(), Qt::LeftButton);

            // The report holds exactly what the full check finds ...
            QString expected;
            QVERIFY(!m_engine->CheckValidations(false, expected));
            QCOMPARE(greshki, expected);
            QCOMPARE(lice, QStringLiteral("Строител ООД"));
            // ... and of sections I and II only what is still missing.
            const QList<int> missing = {11, 144, 146, 100, 101, 102, 12, 145, 16, 14, 15, 17};
            QList<int> violated;
            for (int r : kSectionRules)
                if (!m_engine->ValidateRule(r, false))
                    violated << r;
            QCOMPARE(violated, missing);
            for (const QString &t : ruleTexts(missing))
                QVERIFY2(greshki.contains(QStringLiteral(" - ") + t), qPrintable(t));

            // Each broken rule marks its controls; the satisfied ones are clear.
            for (int r : kSectionRules) {
                const bool broken = missing.contains(r);
                for (int field : m_engine->fieldsMarkedBy(r))
                    QVERIFY2(m_engine->fieldMarks().isMarkedBy(field, r) == broken,
                             qPrintable(QStringLiteral("rule %1 field %2").arg(r).arg(field)));
            }
            for (QWidget *c : markableControls()) {
                const int field = c->property("fieldCode").toInt();
                QVERIFY2(markedOnScreen(c) == m_engine->fieldMarks().isMarked(field),
                         qPrintable(c->objectName()));
            }
            for (const char *name : {"edtISedalishtePK",
                                     "edtIJK",
                                     "edtIStreet",
                                     "edtILKIme",
                                     "edtIIPK",
                                     "edtIILKIme",
                                     "grII_PERSONAL_BROI"})
                QVERIFY2(markedOnScreen(w(QLatin1String(name))), name);
            for (const char *name : {"edtIImeUL",
                                     "edtIImenaFL",
                                     "edtI_EIK",
                                     "cbIOblast",
                                     "lcb_I_OBSHTINA",
                                     "cbIGrad",
                                     "grdUpravliavashti",
                                     "edtIINaimenovanie",
                                     "cbIIOblast",
                                     "lcb_II_OBSHTINA",
                                     "cbIIGrad",
                                     "grdIIKID",
                                     "edtIIObshtoNaeti",
                                     "edtII_NAETI_O",
                                     "ChkISamostoiatelnoNaemane",
                                     "chkIZaemaniRab"})
                QVERIFY2(!markedOnScreen(w(QLatin1String(name))), name);

            QTest::mouseClick(form().btnOK(), Qt::LeftButton);
            QVERIFY(!form().isVisible());
        });
        form().AddItem(code);

        QVERIFY(code > 0);
        QCOMPARE(stored(QStringLiteral("I_NAIMENOVANIE_UL"), code).toString(),
                 QStringLiteral("Строител ООД"));
        QCOMPARE(stored(QStringLiteral("I_EIK"), code).toString(), eik);
        QCOMPARE(stored(QStringLiteral("I_SAMOSTO_NAEMAT_RAB"), code).toInt(), 1);
        QCOMPARE(stored(QStringLiteral("I_OBLAST_CODE"), code).toInt(), 2);
        QCOMPARE(stored(QStringLiteral("I_OBSHTINA_CODE"), code).toInt(), 204);
        QCOMPARE(stored(QStringLiteral("I_GRAD_CODE"), code).toInt(), 7079);
        QCOMPARE(stored(QStringLiteral("II_GRAD_CODE"), code).toInt(), 7079);
        QCOMPARE(stored(QStringLiteral("II_NAIMENOVANIE"), code).toString(),
                 QStringLiteral("Строител ООД"));
        QCOMPARE(stored(QStringLiteral("II_NAETI_O"), code).toInt(), 55);
        QCOMPARE(stored(QStringLiteral("II_NAETI_LICA"), code).toInt(), 55);
        QCOMPARE(scalar(db(),
                        QStringLiteral("select IMENA || '/' || TIP_DLAJNOST || '/' || "
                                       "IS_PODAVASHT from I_UPRAVLIAVASHTI where "
                                       "DEKLARACIA_CODE = ?"),
                        {code})
                     .toString(),
                 QStringLiteral("Иван Петров/3/1"));
        QCOMPARE(scalar(db(),
                        QStringLiteral("select KID_KOD from II_KID where DEKLARACIA_CODE = ?"),
                        {code})
                     .toString(),
                 QStringLiteral("62.01"));
        QCOMPARE(count(QStringLiteral("DEKLARACIA2"), code), 1);
    }

    void regionCascade_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("region");
        QTest::addColumn<QString>("municipality");
        QTest::addColumn<QString>("place");
        QTest::newRow("seat") << 0 << QStringLiteral("I") << QStringLiteral("cbIOblast")
                              << QStringLiteral("lcb_I_OBSHTINA") << QStringLiteral("cbIGrad");
        QTest::newRow("enterprise")
            << 1 << QStringLiteral("II") << QStringLiteral("cbIIOblast")
            << QStringLiteral("lcb_II_OBSHTINA") << QStringLiteral("cbIIGrad");
    }
    void regionCascade()
    {
        QFETCH(int, page);
        QFETCH(QString, prefix);
        QFETCH(QString, region);
        QFETCH(QString, municipality);
        QFETCH(QString, place);
        const QString p = prefix + QLatin1Char('_');
        // Stored in Бургас, and the register remembered its codes.
        insertDeclaration(30,
                          {{p + QStringLiteral("OBLAST_CODE"), 2},
                           {p + QStringLiteral("OBSHTINA_CODE"), 204},
                           {p + QStringLiteral("GRAD_CODE"), 7079}});
        (page == 0 ? form().viIOblast : form().viIIOblast) = 2;
        (page == 0 ? form().viIObshtina : form().viIIObshtina) = 204;
        const QString municipalitiesSql = QStringLiteral(
            "select NAIMENOVANIE from OBSHTINI where OBLAST_CODE = ? order by NAIMENOVANIE");
        const QString placesSql =
            QStringLiteral("select NAIMENOVANIE from GRADOVE where OBLAST_CODE = ? and "
                           "OBSHTINA_CODE = ? order by NAIMENOVANIE");
        whenShown(m_form.get(), [&] {
            showPage(page);
            auto *r = w<QComboBox>(region);
            auto *m = w<QComboBox>(municipality);
            auto *t = w<QComboBox>(place);
            QCOMPARE(r->currentText(), QStringLiteral("Бургас"));
            QCOMPARE(m->currentText(), QStringLiteral("Бургас"));
            QCOMPARE(t->currentText(), QStringLiteral("Бургас"));
            QCOMPARE(entries(m), names(municipalitiesSql, {2}));

            choose(region, QStringLiteral("Варна"));
            QCOMPARE(rows()->value(p + QStringLiteral("OBLAST_CODE")).toInt(), 3);
            QVERIFY(rows()->value(p + QStringLiteral("OBSHTINA_CODE")).isNull());
            QVERIFY(rows()->value(p + QStringLiteral("GRAD_CODE")).isNull());
            QCOMPARE(m->currentIndex(), -1);
            QCOMPARE(t->currentIndex(), -1);
            // Only the new region's municipalities; no places before a municipality.
            QCOMPARE(entries(m), names(municipalitiesSql, {3}));
            QCOMPARE(t->count(), 0);
            // The emptied fields show at once that they are missing.
            QVERIFY(markedOnScreen(m));
            QVERIFY(markedOnScreen(t));

            choose(municipality, QStringLiteral("Варна"));
            QCOMPARE(rows()->value(p + QStringLiteral("OBSHTINA_CODE")).toInt(), 306);
            QCOMPARE(entries(t), names(placesSql, {3, 306}));
            choose(place, QStringLiteral("Варна"));
            const int varna = rows()->value(p + QStringLiteral("GRAD_CODE")).toInt();
            QVERIFY(varna > 0);

            // Another municipality takes the place back.
            choose(municipality, QStringLiteral("Аврен"));
            QVERIFY(rows()->value(p + QStringLiteral("GRAD_CODE")).isNull());
            QCOMPARE(entries(t), names(placesSql, {3, rows()->value(p + "OBSHTINA_CODE")}));

            // Delete empties a region; the seat's place list keeps its value on Delete.
            choose(place, entries(t).first());
            const QVariant kept = rows()->value(p + QStringLiteral("GRAD_CODE"));
            focusOn(t);
            QTest::keyClick(t, Qt::Key_Delete);
            if (page == 0)
                QCOMPARE(rows()->value(p + QStringLiteral("GRAD_CODE")), kept);
            else
                QVERIFY(rows()->value(p + QStringLiteral("GRAD_CODE")).isNull());
            focusOn(r);
            QTest::keyClick(r, Qt::Key_Delete);
            QVERIFY(rows()->value(p + QStringLiteral("OBLAST_CODE")).isNull());
            QVERIFY(rows()->value(p + QStringLiteral("OBSHTINA_CODE")).isNull());
            QCOMPARE(m->count(), 0);

            m_dialogs.answers = {Dialogs::Yes};
            QTest::mouseClick(form().btnCancel(), Qt::LeftButton);
        });
        QVERIFY(!form().EditItem(30));
        QCOMPARE(stored(p + QStringLiteral("OBLAST_CODE"), 30).toInt(), 2);
    }

    // Leaving a part of the seat fills the empty matching part of the enterprise.
    void seatFillsTheEnterpriseAddress_data()
    {
        QTest::addColumn<QVariantMap>("before");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QVariant>("expected");
        const QVariant none;
        QTest::newRow("region into an empty one") << QVariantMap{} << "cbIOblast"
                                                  << "Бургас"
                                                  << "II_OBLAST_CODE" << QVariant(2);
        QTest::newRow("region never overwrites")
            << QVariantMap{{"II_OBLAST_CODE", 3}} << "cbIOblast"
            << "Бургас"
            << "II_OBLAST_CODE" << QVariant(3);
        QTest::newRow("municipality within the same region")
            << QVariantMap{{"I_OBLAST_CODE", 2}, {"II_OBLAST_CODE", 2}} << "lcb_I_OBSHTINA"
            << "Бургас"
            << "II_OBSHTINA_CODE" << QVariant(204);
        QTest::newRow("municipality not across regions")
            << QVariantMap{{"I_OBLAST_CODE", 2}, {"II_OBLAST_CODE", 3}} << "lcb_I_OBSHTINA"
            << "Бургас"
            << "II_OBSHTINA_CODE" << none;
        QTest::newRow("place within the same municipality")
            << QVariantMap{{"I_OBLAST_CODE", 2},
                           {"I_OBSHTINA_CODE", 204},
                           {"II_OBLAST_CODE", 2},
                           {"II_OBSHTINA_CODE", 204}}
            << "cbIGrad"
            << "Бургас"
            << "II_GRAD_CODE" << QVariant(7079);
        QTest::newRow("place not across municipalities") << QVariantMap{{"I_OBLAST_CODE", 2},
                                                                        {"I_OBSHTINA_CODE", 204},
                                                                        {"II_OBLAST_CODE", 2},
                                                                        {"II_OBSHTINA_CODE", 201}}
                                                         << "cbIGrad"
                                                         << "Бургас"
                                                         << "II_GRAD_CODE" << none;
        QTest::newRow("postal code") << QVariantMap{} << "edtISedalishtePK"
                                     << "8000"
                                     << "II_POSHTENSKI_KOD" << QVariant(8000);
        QTest::newRow("empty postal code stays empty") << QVariantMap{} << "edtISedalishtePK"
                                                       << ""
                                                       << "II_POSHTENSKI_KOD" << none;
        QTest::newRow("street") << QVariantMap{} << "edtIStreet"
                                << "Александровска"
                                << "II_ULICA" << QVariant("Александровска");
        QTest::newRow("street never overwrites")
            << QVariantMap{{"II_ULICA", "Приморска"}} << "edtIStreet"
            << "Александровска"
            << "II_ULICA" << QVariant("Приморска");
        QTest::newRow("entrance") << QVariantMap{} << "edtIVhod"
                                  << "Б"
                                  << "II_BLOK_VHOD" << QVariant("Б");
        QTest::newRow("street number has no counterpart") << QVariantMap{} << "edtIUlicaNo"
                                                          << "12"
                                                          << "II_BLOK_NO" << none;
        // The enterprise's e-mail is shorter than the employer's: a longer one is not cut.
        QTest::newRow("e-mail too long for the enterprise")
            << QVariantMap{} << "edtIEMail" << QString(60, QLatin1Char('a')) + "@x.bg"
            << "II_EMAIL" << none;
        QTest::newRow("e-mail") << QVariantMap{} << "edtIEMail"
                                << "office@x.bg"
                                << "II_EMAIL" << QVariant("office@x.bg");
    }
    void seatFillsTheEnterpriseAddress()
    {
        QFETCH(QVariantMap, before);
        QFETCH(QString, control);
        QFETCH(QString, typed);
        QFETCH(QString, target);
        QFETCH(QVariant, expected);
        insertDeclaration(31, before);
        form().viIOblast = before.value(QStringLiteral("I_OBLAST_CODE"), -1).toInt();
        form().viIObshtina = before.value(QStringLiteral("I_OBSHTINA_CODE"), -1).toInt();
        form().viIIOblast = before.value(QStringLiteral("II_OBLAST_CODE"), -1).toInt();
        form().viIIObshtina = before.value(QStringLiteral("II_OBSHTINA_CODE"), -1).toInt();
        whenShown(m_form.get(), [&] {
            if (qobject_cast<QComboBox *>(w(control)))
                choose(control, typed);
            else
                fill(control, typed);
            const QVariant now = rows()->value(target);
            if (expected.isNull())
                QVERIFY2(now.isNull(), qPrintable(now.toString()));
            else
                QCOMPARE(now.toString(), expected.toString());
            QTest::mouseClick(form().btnOK(), Qt::LeftButton);
        });
        QVERIFY(form().EditItem(31));
        // Nothing half-written: what the window showed is what was saved.
        const QVariant saved = stored(target, 31);
        if (expected.isNull())
            QVERIFY(saved.isNull());
        else
            QCOMPARE(saved.toString(), expected.toString());
    }

    void oneNameOrTheOther()
    {
        insertDeclaration(32);
        whenShown(m_form.get(), [&] {
            auto *ul = w<QLineEdit>(QStringLiteral("edtIImeUL"));
            auto *fl = w<QLineEdit>(QStringLiteral("edtIImenaFL"));
            auto *foreigner = w<QCheckBox>(QStringLiteral("chkIS_CHUJDENEC"));
            QVERIFY(ul->isEnabled() && fl->isEnabled());
            QVERIFY(!foreigner->isEnabled());

            // One character of the entity's name closes the person's name; erasing opens it.
            focusOn(ul);
            type(ul, QStringLiteral("А"));
            QVERIFY(!fl->isEnabled());
            QTest::keyClick(ul, Qt::Key_Backspace);
            QVERIFY(fl->isEnabled());

            fill(QStringLiteral("edtIImenaFL"), QStringLiteral("Джон Смит"));
            QVERIFY(!ul->isEnabled());
            QVERIFY(foreigner->isEnabled());
            // The enterprise takes the person's name, once.
            QCOMPARE(rows()->value(QStringLiteral("II_NAIMENOVANIE")).toString(),
                     QStringLiteral("Джон Смит"));
            click(QStringLiteral("chkIS_CHUJDENEC"));
            QVERIFY(rows()->value(QStringLiteral("IS_CHUJDENEC")).toBool());
            fill(QStringLiteral("edtIImenaFL"), QStringLiteral("Джон Смит-Браун"));
            QCOMPARE(rows()->value(QStringLiteral("II_NAIMENOVANIE")).toString(),
                     QStringLiteral("Джон Смит"));

            // Erasing the person's name clears and closes "Чужденец".
            focusOn(fl);
            fl->selectAll();
            QTest::keyClick(fl, Qt::Key_Backspace);
            QVERIFY(!foreigner->isEnabled());
            QVERIFY(!foreigner->isChecked());
            QVERIFY(!rows()->value(QStringLiteral("IS_CHUJDENEC")).toBool());
            QVERIFY(ul->isEnabled());
            QTest::mouseClick(form().btnOK(), Qt::LeftButton);
        });
        QVERIFY(form().EditItem(32));
        QCOMPARE(stored(QStringLiteral("IS_CHUJDENEC"), 32).toInt(), 0);
        QVERIFY(stored(QStringLiteral("I_IMENA_FL"), 32).isNull());
        QCOMPARE(stored(QStringLiteral("II_NAIMENOVANIE"), 32).toString(),
                 QStringLiteral("Джон Смит"));
    }

    // Ticking "Чужденец" changes which identifier fits; the marks follow at once.
    void foreignerRechecksTheIdentifier()
    {
        const QString eik = validEik();
        insertDeclaration(33,
                          {{QStringLiteral("I_IMENA_FL"), QStringLiteral("Джон Смит")},
                           {QStringLiteral("I_EIK"), eik}});
        whenShown(m_form.get(), [&] {
            auto *id = w(QStringLiteral("edtI_EIK"));
            QVERIFY(!markedOnScreen(id));
            click(QStringLiteral("chkIS_CHUJDENEC"));
            QVERIFY(markedOnScreen(id));
            click(QStringLiteral("chkIS_CHUJDENEC"));
            QVERIFY(!markedOnScreen(id));
            QTest::mouseClick(form().btnCancel(), Qt::LeftButton);
        });
        form().EditItem(33);
    }

    // A declaration that holds both names (carried over or imported) can still be corrected.
    void bothNamesStayOpenToBeCorrected()
    {
        insertDeclaration(34,
                          {{QStringLiteral("I_NAIMENOVANIE_UL"), QStringLiteral("Бор ООД")},
                           {QStringLiteral("I_IMENA_FL"), QStringLiteral("Иван Иванов")},
                           {QStringLiteral("I_EIK"), validEik()}});
        whenShown(m_form.get(), [&] {
            QVERIFY(markedOnScreen(w(QStringLiteral("edtIImeUL"))));
            erase(QStringLiteral("edtIImenaFL"));
            QVERIFY(!w(QStringLiteral("edtIImenaFL"))->isEnabled());
            QVERIFY(!markedOnScreen(w(QStringLiteral("edtIImeUL"))));
            QTest::mouseClick(form().btnOK(), Qt::LeftButton);
        });
        QVERIFY(form().EditItem(34));
        QVERIFY(stored(QStringLiteral("I_IMENA_FL"), 34).isNull());
    }

    void noWithSubdivisionsAsks_data()
    {
        QTest::addColumn<int>("subdivisions");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<int>("left");
        QTest::newRow("No keeps them")
            << 2 << int(Dialogs::No) << QStringList{kDeleteSubdivisions} << 2;
        QTest::newRow("Yes deletes them")
            << 2 << int(Dialogs::Yes) << QStringList{kDeleteSubdivisions} << 0;
        QTest::newRow("none: no question") << 0 << int(Dialogs::Yes) << QStringList{} << 0;
    }
    void noWithSubdivisionsAsks()
    {
        QFETCH(int, subdivisions);
        QFETCH(int, answer);
        QFETCH(QStringList, asked);
        QFETCH(int, left);
        insertDeclaration(35, {{QStringLiteral("II_IS_PODRAZDELENIA"), 1}});
        for (int i = 0; i < subdivisions; ++i)
            insertSubdivision(35, QStringLiteral("Клон %1").arg(i + 1));
        whenShown(m_form.get(), [&] {
            showPage(1);
            auto *grid = w<QTableView>(QStringLiteral("grdIIPoddelenia"));
            auto *group = w(QStringLiteral("pnlIIPoddelenia"));
            QVERIFY(w<QRadioButton>(QStringLiteral("cbIIPoddelenia_1"))->isChecked());
            QVERIFY(group->isEnabled());
            QCOMPARE(grid->model()->rowCount(), subdivisions);

            m_dialogs.answers = {Dialogs::Button(answer)};
            click(QStringLiteral("cbIIPoddelenia_2"));
            QCOMPARE(m_dialogs.texts(), asked);
            if (!asked.isEmpty())
                QCOMPARE(m_dialogs.shown.first().buttons, int(Dialogs::Yes | Dialogs::No));
            QCOMPARE(grid->model()->rowCount(), left);
            QCOMPARE(count(QStringLiteral("II_PODRAZDELENIEA"), 35), left);
            const bool kept = left > 0;
            QCOMPARE(w<QRadioButton>(QStringLiteral("cbIIPoddelenia_1"))->isChecked(), kept);
            QCOMPARE(w<QRadioButton>(QStringLiteral("cbIIPoddelenia_2"))->isChecked(), !kept);

            // The answer reaches the column when the group is left.
            focusOn(w(QStringLiteral("grII_PERSONAL_BROI_1")));
            QCOMPARE(rows()->value(QStringLiteral("II_IS_PODRAZDELENIA")).toInt(), kept ? 1 : 2);
            QCOMPARE(group->isEnabled(), kept);
            // Отказ does not bring deleted rows back.
            m_dialogs.answers = {Dialogs::Yes};
            QTest::mouseClick(form().btnCancel(), Qt::LeftButton);
        });
        form().EditItem(35);
        QCOMPARE(count(QStringLiteral("II_PODRAZDELENIEA"), 35), left);
    }

    void countTotals_data()
    {
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("men");
        QTest::addColumn<QString>("women");
        QTest::addColumn<QString>("total");
        QTest::newRow("fixed term") << "II_NAETI_SROCHNO_"
                                    << "3"
                                    << "4"
                                    << "7";
        QTest::newRow("women emptied") << "II_NAETI_SROCHNO_"
                                       << "3"
                                       << ""
                                       << "3";
        QTest::newRow("letters and signs are not typed") << "II_NAETI_ES_"
                                                         << "1a-2"
                                                         << "0"
                                                         << "12";
        QTest::newRow("other states") << "II_NAETI_DR_DARJ_"
                                      << "0"
                                      << "9"
                                      << "9";
        QTest::newRow("largest total") << "II_NAETI_TNR_"
                                       << "2147483640"
                                       << "7"
                                       << "2147483647";
    }
    void countTotals()
    {
        QFETCH(QString, group);
        QFETCH(QString, men);
        QFETCH(QString, women);
        QFETCH(QString, total);
        insertDeclaration(36);
        whenShown(m_form.get(), [&] {
            showPage(1);
            fill(QStringLiteral("edt%1M").arg(group), men);
            fill(QStringLiteral("edt%1J").arg(group), QStringLiteral("4"));
            if (women.isEmpty())
                erase(QStringLiteral("edt%1J").arg(group));
            else
                fill(QStringLiteral("edt%1J").arg(group), women);
            QCOMPARE(w<QLineEdit>(QStringLiteral("edt%1O").arg(group))->text(), total);
            QCOMPARE(rows()->value(group + QLatin1Char('O')).toLongLong(), total.toLongLong());
            QVERIFY(m_dialogs.shown.isEmpty());
            QTest::mouseClick(form().btnOK(), Qt::LeftButton);
        });
        QVERIFY(form().EditItem(36));
        QCOMPARE(stored(group + QLatin1Char('O'), 36).toLongLong(), total.toLongLong());
    }

    // A total that would not fit a count is refused with a message; the typed count goes.
    void totalBeyondACountIsRefused_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("value");
        QTest::newRow("men and women") << "edtII_NAETI_POD25_M"
                                       << "edtII_NAETI_POD25_J"
                                       << "2147483647";
        QTest::newRow("10.1 and 10.2") << "edtII_NAETI_M"
                                       << "edtII_NAETI_DR_LICE_J"
                                       << "2147483647";
    }
    void totalBeyondACountIsRefused()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, value);
        insertDeclaration(37);
        whenShown(m_form.get(), [&] {
            showPage(1);
            fill(first, value);
            QVERIFY(m_dialogs.shown.isEmpty());
            fill(second, QStringLiteral("5"));
            QCOMPARE(m_dialogs.shown.size(), 1);
            QCOMPARE(m_dialogs.shown.first().icon, Dialogs::Icon::Error);
            QVERIFY(m_dialogs.shown.first().text.contains(QStringLiteral("2147483647")));
            // The count keeps what it had before.
            const QString column = second.mid(3);
            QVERIFY(rows()->value(column).isNull());
            QVERIFY(w<QLineEdit>(second)->text().isEmpty());
            QCOMPARE(rows()->value(QStringLiteral("II_NAETI_LICA")).toLongLong() <=
                         std::numeric_limits<int>::max(),
                     true);
            QTest::mouseClick(form().btnOK(), Qt::LeftButton);
        });
        QVERIFY(form().EditItem(37));
        QVERIFY(stored(second.mid(3), 37).isNull());
        QCOMPARE(stored(first.mid(3), 37).toString(), value);
    }

    void grandTotalAndItem11()
    {
        insertDeclaration(38);
        whenShown(m_form.get(), [&] {
            showPage(1);
            auto *lica = w<QLineEdit>(QStringLiteral("edtIIObshtoNaeti"));
            auto *places = w<QLineEdit>(QStringLiteral("edtII_MESTA_ZA_TRUDUOST"));
            QVERIFY(!places->isEnabled());
            fill(QStringLiteral("edtII_NAETI_M"), QStringLiteral("6"));
            fill(QStringLiteral("edtII_NAETI_J"), QStringLiteral("4"));
            fill(QStringLiteral("edtII_NAETI_DR_LICE_M"), QStringLiteral("5"));
            QCOMPARE(lica->text(), QStringLiteral("15"));
            QCOMPARE(rows()->value(QStringLiteral("II_NAETI_LICA")).toInt(), 15);
            QVERIFY(!markedOnScreen(lica));
            QVERIFY(!places->isEnabled());

            // 30 + 20 = 50 opens item 11.
            fill(QStringLiteral("edtII_NAETI_M"), QStringLiteral("30"));
            fill(QStringLiteral("edtII_NAETI_J"), QStringLiteral("20"));
            QCOMPARE(rows()->value(QStringLiteral("II_NAETI_O")).toInt(), 50);
            QCOMPARE(lica->text(), QStringLiteral("55"));
            QVERIFY(places->isEnabled());
            const char *item11[] = {"II_MESTA_ZA_TRUDUOST",
                                    "II_ZAETI_TRUDOUST",
                                    "II_MESTA_S_TU",
                                    "II_TRUDOUST_BREMENNI"};
            for (const char *c : item11)
                fill(QStringLiteral("edt") + QLatin1String(c), QStringLiteral("2"));
            QTest::mouseClick(form().btnSave(), Qt::LeftButton);
            QCOMPARE(stored(QStringLiteral("II_TRUDOUST_BREMENNI"), 38).toInt(), 2);

            // 29 + 20 empties and closes it.
            fill(QStringLiteral("edtII_NAETI_M"), QStringLiteral("29"));
            QVERIFY(!places->isEnabled());
            for (const char *c : item11) {
                QVERIFY(rows()->value(QLatin1String(c)).isNull());
                QVERIFY(w<QLineEdit>(QStringLiteral("edt") + QLatin1String(c))->text().isEmpty());
            }
            QTest::mouseClick(form().btnOK(), Qt::LeftButton);
        });
        QVERIFY(form().EditItem(38));
        QCOMPARE(stored(QStringLiteral("II_NAETI_LICA"), 38).toInt(), 54);
        QVERIFY(stored(QStringLiteral("II_MESTA_ZA_TRUDUOST"), 38).isNull());
    }

    // Opening a stored declaration sets every enabled state from its answers and changes
    // nothing, even where the answers disagree with each other.
    void openingSetsStatesAndClearsNothing_data()
    {
        QTest::addColumn<QVariantMap>("values");
        QTest::addColumn<QStringList>("enabled");
        QTest::addColumn<QStringList>("disabled");
        QTest::newRow("legal entity, large, with subdivisions")
            << QVariantMap{{"I_NAIMENOVANIE_UL", "Бор ООД"},
                           {"II_IS_PODRAZDELENIA", 1},
                           {"II_NAETI_M", 40},
                           {"II_NAETI_J", 20},
                           {"II_NAETI_O", 60},
                           {"II_MESTA_ZA_TRUDUOST", 3}}
            << QStringList{"edtIImeUL", "pnlIIPoddelenia", "edtII_MESTA_ZA_TRUDUOST"}
            << QStringList{"edtIImenaFL", "chkIS_CHUJDENEC"};
        QTest::newRow("foreigner, small, no subdivisions")
            << QVariantMap{{"I_IMENA_FL", "Джон Смит"},
                           {"IS_CHUJDENEC", 1},
                           {"II_IS_PODRAZDELENIA", 2},
                           {"II_NAETI_O", 12},
                           // Left over from an earlier state: shown, not erased.
                           {"II_MESTA_ZA_TRUDUOST", 3}}
            << QStringList{"edtIImenaFL", "chkIS_CHUJDENEC"}
            << QStringList{"edtIImeUL", "pnlIIPoddelenia", "edtII_MESTA_ZA_TRUDUOST"};
    }
    void openingSetsStatesAndClearsNothing()
    {
        QFETCH(QVariantMap, values);
        QFETCH(QStringList, enabled);
        QFETCH(QStringList, disabled);
        insertDeclaration(39, values);
        insertSubdivision(39, QStringLiteral("Клон"));
        whenShown(m_form.get(), [&] {
            for (const QString &name : enabled)
                QVERIFY2(w(name)->isEnabled(), qPrintable(name));
            for (const QString &name : disabled)
                QVERIFY2(!w(name)->isEnabled(), qPrintable(name));
            QVERIFY(!rows()->isModified());
            QCOMPARE(w<QLineEdit>(QStringLiteral("edtII_MESTA_ZA_TRUDUOST"))->text(),
                     QStringLiteral("3"));
            QCOMPARE(w<QTableView>(QStringLiteral("grdIIPoddelenia"))->model()->rowCount(), 1);
            // Nothing to lose: Отказ asks nothing.
            QTest::mouseClick(form().btnCancel(), Qt::LeftButton);
            QVERIFY(!form().isVisible());
        });
        QVERIFY(!form().EditItem(39));
        QVERIFY(m_dialogs.shown.isEmpty());
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            QCOMPARE(stored(it.key(), 39).toString(), it.value().toString());
        QCOMPARE(count(QStringLiteral("II_PODRAZDELENIEA"), 39), 1);
    }

    void managersGridShowsKinds_data()
    {
        QTest::addColumn<QVariant>("tip");
        QTest::addColumn<QVariant>("signs");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("signMark");
        QTest::newRow("manager") << QVariant(1) << QVariant(0) << "Управляващ"
                                 << "";
        QTest::newRow("representative who signs") << QVariant(2) << QVariant(1) << "Представляващ"
                                                  << "X";
        QTest::newRow("both") << QVariant(3) << QVariant(1) << "Упр. и предст."
                              << "X";
        QTest::newRow("unknown kind") << QVariant(7) << QVariant(0) << ""
                                      << "";
        QTest::newRow("no kind") << QVariant() << QVariant() << ""
                                 << "";
    }
    void managersGridShowsKinds()
    {
        QFETCH(QVariant, tip);
        QFETCH(QVariant, signs);
        QFETCH(QString, kind);
        QFETCH(QString, signMark);
        insertDeclaration(41);
        insertRow(db(),
                  QStringLiteral("I_UPRAVLIAVASHTI"),
                  {{QStringLiteral("DEKLARACIA_CODE"), 41},
                   {QStringLiteral("IMENA"), QStringLiteral("Мария Иванова")},
                   {QStringLiteral("TIP_DLAJNOST"), tip},
                   {QStringLiteral("IS_PODAVASHT"), signs}});
        whenShown(m_form.get(), [&] {
            const QAbstractItemModel *m =
                w<QTableView>(QStringLiteral("grdUpravliavashti"))->model();
            QStringList titles;
            for (int c = 0; c < m->columnCount(); ++c)
                titles << m->headerData(c, Qt::Horizontal).toString();
            QCOMPARE(titles,
                     QStringList({"Име, презиме, фамилия",
                                  "Длъжност",
                                  "Тел./факс",
                                  "E-mail",
                                  "Управл. / Предст.",
                                  "Под."}));
            QCOMPARE(m->index(0, 0).data().toString(), QStringLiteral("Мария Иванова"));
            QCOMPARE(m->index(0, 4).data().toString(), kind);
            QCOMPARE(m->index(0, 5).data().toString(), signMark);
            QTest::mouseClick(form().btnCancel(), Qt::LeftButton);
        });
        form().EditItem(41);
    }

    // The stored places show even when the register remembered other codes.
    void storedPlacesShowWhateverTheRegisterRemembered()
    {
        insertDeclaration(42,
                          {{QStringLiteral("I_OBLAST_CODE"), 3},
                           {QStringLiteral("I_OBSHTINA_CODE"), 306},
                           {QStringLiteral("II_OBLAST_CODE"), 2},
                           {QStringLiteral("II_OBSHTINA_CODE"), 204},
                           {QStringLiteral("II_GRAD_CODE"), 7079}});
        form().viIOblast = -1;
        form().viIObshtina = -1;
        form().viIIOblast = 3;
        form().viIIObshtina = 306;
        whenShown(m_form.get(), [&] {
            QCOMPARE(w<QComboBox>(QStringLiteral("lcb_I_OBSHTINA"))->currentText(),
                     QStringLiteral("Варна"));
            QCOMPARE(w<QComboBox>(QStringLiteral("cbIIGrad"))->currentText(),
                     QStringLiteral("Бургас"));
            QVERIFY(!rows()->isModified());
            QTest::mouseClick(form().btnCancel(), Qt::LeftButton);
        });
        form().EditItem(42);
        QVERIFY(m_dialogs.shown.isEmpty());
    }

    // Typing into a place list finds the entry whatever the letter case.
    void placeListsSearchByTyping_data()
    {
        QTest::addColumn<QString>("region");
        QTest::addColumn<QString>("municipality");
        QTest::newRow("seat") << "cbIOblast"
                              << "lcb_I_OBSHTINA";
        QTest::newRow("enterprise") << "cbIIOblast"
                                    << "lcb_II_OBSHTINA";
    }
    void placeListsSearchByTyping()
    {
        QFETCH(QString, region);
        QFETCH(QString, municipality);
        insertDeclaration(43);
        whenShown(m_form.get(), [&] {
            showPage(region == QLatin1String("cbIOblast") ? 0 : 1);
            focusOn(w(region));
            type(w(region), QStringLiteral("вАр"));
            QCOMPARE(w<QComboBox>(region)->currentText(), QStringLiteral("Варна"));
            focusOn(w(municipality));
            type(w(municipality), QStringLiteral("авр"));
            QCOMPARE(w<QComboBox>(municipality)->currentText(), QStringLiteral("Аврен"));
            QCOMPARE(rows()
                         ->value(region == QLatin1String("cbIOblast")
                                     ? QStringLiteral("I_OBLAST_CODE")
                                     : QStringLiteral("II_OBLAST_CODE"))
                         .toInt(),
                     3);
            QTest::mouseClick(form().btnOK(), Qt::LeftButton);
        });
        QVERIFY(form().EditItem(43));
    }

    // Tab walks the controls of section I in the form's order, skipping what is off.
    void tabOrderOfSectionI()
    {
        insertDeclaration(44, {{QStringLiteral("I_NAIMENOVANIE_UL"), QStringLiteral("Бор ООД")}});
        const QStringList expected = {"chkIZaemaniRab",    "edtIImeUL",
                                      "edtI_EIK",          "cbIOblast",
                                      "lcb_I_OBSHTINA",    "cbIGrad",
                                      "edtISedalishtePK",  "edtIJK",
                                      "edtIStreet",        "edtIUlicaNo",
                                      "edtIBlok",          "edtIVhod",
                                      "edtIEtaj",          "edtIApartament",
                                      "edtITelefon",       "edtIEMail",
                                      "grdUpravliavashti", "btnAddUpravliavasht",
                                      "edtILKIme",         "edtILKDlajnost",
                                      "edtILKTelefon",     "edtILKEMail"};
        whenShown(m_form.get(), [&] {
            focusOn(w(QStringLiteral("ChkISamostoiatelnoNaemane")));
            QStringList walked;
            for (int i = 0; i < expected.size(); ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                walked << QApplication::focusWidget()->objectName();
            }
            QCOMPARE(walked, expected);
            QTest::mouseClick(form().btnCancel(), Qt::LeftButton);
        });
        form().EditItem(44);
    }

    // The pages fit the window's width (they scroll only vertically) and no two controls
    // overlap. The grabs are for looking at.
    void pagesFitTheWindow_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("file");
        QTest::newRow("Раздел І") << 0 << QStringLiteral("/tmp/page-i");
        QTest::newRow("Раздел ІІ") << 1 << QStringLiteral("/tmp/page-ii");
    }
    void pagesFitTheWindow()
    {
        QFETCH(int, page);
        QFETCH(QString, file);
        insertDeclaration(40,
                          {{QStringLiteral("I_NAIMENOVANIE_UL"),
                            QStringLiteral("Строително-монтажна компания „Черноморец“ ЕООД")},
                           {QStringLiteral("I_EIK"), validEik()},
                           {QStringLiteral("I_OBLAST_CODE"), 2},
                           {QStringLiteral("I_OBSHTINA_CODE"), 204},
                           {QStringLiteral("I_GRAD_CODE"), 7079},
                           {QStringLiteral("II_NAIMENOVANIE"), QStringLiteral("Черноморец")},
                           {QStringLiteral("II_OBLAST_CODE"), 3},
                           {QStringLiteral("II_OBSHTINA_CODE"), 306},
                           {QStringLiteral("II_IS_PODRAZDELENIA"), 1},
                           {QStringLiteral("II_NAETI_M"), 40},
                           {QStringLiteral("II_NAETI_J"), 25},
                           {QStringLiteral("II_NAETI_O"), 65},
                           {QStringLiteral("II_NAETI_LICA"), 65}});
        insertSubdivision(40, QStringLiteral("Клон Варна"));
        insertRow(db(),
                  QStringLiteral("I_UPRAVLIAVASHTI"),
                  {{QStringLiteral("DEKLARACIA_CODE"), 40},
                   {QStringLiteral("IMENA"), QStringLiteral("Иван Петров Иванов")},
                   {QStringLiteral("DLAJNOST"), QStringLiteral("Управител")},
                   {QStringLiteral("TELEFON"), QStringLiteral("056 123 456")},
                   {QStringLiteral("TIP_DLAJNOST"), 3},
                   {QStringLiteral("IS_PODAVASHT"), 1}});
        insertRow(db(),
                  QStringLiteral("II_KID"),
                  {{QStringLiteral("DEKLARACIA_CODE"), 40},
                   {QStringLiteral("KID_TEKST"),
                    QStringLiteral("Строителство на жилищни и нежилищни сгради")},
                   {QStringLiteral("KID_KOD"), QStringLiteral("41.20")}});
        form().viIOblast = 2;
        form().viIObshtina = 204;
        form().viIIOblast = 3;
        form().viIIObshtina = 306;
        whenShown(m_form.get(), [&] {
            showPage(page);
            QWidget *content = form().pageContent(page);
            const int width = form().pageArea(page)->viewport()->width();
            QVERIFY(content->width() <= width);
            QList<QWidget *> placed;
            for (QWidget *c : content->findChildren<QWidget *>()) {
                if (!c->isVisibleTo(content) || c->parentWidget() == nullptr)
                    continue;
                const QRect r(c->mapTo(content, QPoint(0, 0)), c->size());
                QVERIFY2(r.right() < width, qPrintable(c->objectName()));
                if (c->property("fieldCode").isValid())
                    placed << c;
            }
            for (int i = 0; i < placed.size(); ++i)
                for (int j = i + 1; j < placed.size(); ++j) {
                    if (placed[i]->isAncestorOf(placed[j]) || placed[j]->isAncestorOf(placed[i]))
                        continue;
                    const QRect a(placed[i]->mapTo(content, QPoint()), placed[i]->size());
                    const QRect b(placed[j]->mapTo(content, QPoint()), placed[j]->size());
                    QVERIFY2(!a.intersects(b),
                             qPrintable(placed[i]->objectName() + " / " + placed[j]->objectName()));
                }
            QVERIFY(form().grab().save(file + QStringLiteral(".png")));
            QVERIFY(content->grab().save(file + QStringLiteral("-full.png")));
            QTest::mouseClick(form().btnCancel(), Qt::LeftButton);
        });
        form().EditItem(40);
    }
};

QTEST_MAIN(TestPageSectionsIAndII)
#include "tst_pagesectioni_ii.moc"
