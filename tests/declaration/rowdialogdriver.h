#pragma once

// Drives the detail-row dialogs the way a person does: typing, picking from the
// search pop-up, clicking buttons, while the dialog runs modally.

#include "database.h"
#include "dialogs.h"
#include "registercombo.h"
#include "detailrowdialog.h"
#include "tablewriter.h"
#include "tdmmain.h"
#include "testdb.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <QTimer>

namespace kesp::test {

class RowDialogFixture
{
public:
    RowDialogFixture()
    {
        setDialogs(&dialogs);
        dm = std::make_unique<storage::TdmMain>(files.delivered());
        dialogs.clear();
    }
    ~RowDialogFixture()
    {
        dm.reset();
        setDialogs(nullptr);
    }

    QSqlDatabase db() const { return dm->database(); }

    // A declaration to hang rows on; appendix 1 marked or not in its second row.
    void addDeclaration(int code, bool appendix1 = false)
    {
        storage::exec(db(),
                      QStringLiteral("insert into DEKLARACIA (DEKLARACIA_CODE, GODINA, DOCUMENT_TYPE) "
                                     "values (?, 2010, 1)"),
                      {code});
        storage::exec(db(),
                      QStringLiteral("insert into DEKLARACIA2 (DEKLARACIA_CODE, P1_PRIL_E_POPULNENO) "
                                     "values (?, ?)"),
                      {code, appendix1 ? 1 : 0});
    }

    QList<QVariantMap> rows(const QString &table) const
    {
        QSqlQuery q = storage::exec(db(),
                                    QStringLiteral("select * from %1 order by 1").arg(table));
        QList<QVariantMap> out;
        while (q.next()) {
            QVariantMap row;
            const QSqlRecord rec = q.record();
            for (int i = 0; i < rec.count(); ++i)
                row.insert(rec.fieldName(i), storage::fromStored(table, rec.fieldName(i), q.value(i)));
            out << row;
        }
        return out;
    }

    TestFiles files;
    RecordingDialogs dialogs;
    std::unique_ptr<storage::TdmMain> dm;
};

// Runs the actions once the dialog is up; the dialog never outlives them, so a failed
// check inside cannot leave the test waiting on a modal window.
template<class Actions>
void whileShown(QDialog &dialog, Actions actions)
{
    QTimer::singleShot(0, &dialog, [&dialog, actions] {
        actions();
        if (dialog.isVisible())
            dialog.reject();
    });
}

inline QLineEdit *edit(QWidget &dialog, const char *name)
{
    auto *e = dialog.findChild<QLineEdit *>(QLatin1String(name));
    if (!e)
        qFatal("no edit %s", name);
    return e;
}

inline declaration::RegisterCombo *combo(QWidget &dialog, const char *name)
{
    auto *c = dialog.findChild<declaration::RegisterCombo *>(QLatin1String(name));
    if (!c)
        qFatal("no list %s", name);
    return c;
}

// Key presses of a text as a Bulgarian keyboard gives them (Qt Test's own helper
// knows only ASCII).
inline void typeText(QWidget *w, const QString &text)
{
    for (const QChar ch : text) {
        if (ch.unicode() < 128) {
            QTest::keyClick(w, ch.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::Press, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        }
    }
}

// Replaces the text of an edit as typed from the keyboard.
inline void typeInto(QLineEdit *e, const QString &text)
{
    QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(e, Qt::Key_Backspace);
    typeText(e, text);
}

inline void typeInto(QWidget &dialog, const char *name, const QString &text)
{
    typeInto(edit(dialog, name), text);
}

// Types into a register list and clicks the pop-up's entry of that text; false when
// the pop-up does not offer it.
inline bool pick(declaration::RegisterCombo *c, const QString &typed, const QString &entry)
{
    typeInto(c->lineEdit(), typed);
    QAbstractItemView *popup = c->completer()->popup();
    if (!popup->isVisible())
        return false;
    const QAbstractItemModel *m = popup->model();
    for (int r = 0; r < m->rowCount(); ++r) {
        const QModelIndex i = m->index(r, 0);
        if (i.data().toString() != entry)
            continue;
        popup->scrollTo(i);
        QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(i).center());
        return true;
    }
    return false;
}

// The entries the search pop-up offers for a typed text.
inline QStringList offered(declaration::RegisterCombo *c, const QString &typed)
{
    typeInto(c->lineEdit(), typed);
    QStringList out;
    QAbstractItemView *popup = c->completer()->popup();
    if (!popup->isVisible())
        return out;
    for (int r = 0; r < popup->model()->rowCount(); ++r)
        out << popup->model()->index(r, 0).data().toString();
    popup->hide();
    return out;
}

// Clicks a check box or radio button on its mark, where a person clicks.
inline void clickBox(QAbstractButton *b)
{
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(8, b->height() / 2));
}

inline void clickOK(declaration::DetailRowDialog &d)
{
    QTest::mouseClick(d.btnOK(), Qt::LeftButton);
}

inline void clickCancel(declaration::DetailRowDialog &d)
{
    QTest::mouseClick(d.btnCancel(), Qt::LeftButton);
}

} // namespace kesp::test
