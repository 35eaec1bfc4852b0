#pragma once

#include "fieldmarks.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QSqlDatabase>
#include <QString>

#include <array>
#include <optional>

namespace kesp::storage {
class RowSource;
}

namespace kesp::rules {

struct RuleRow;

// One rule of the catalogue as loaded at start.
struct TPravilo
{
    QString InfoText;
    bool Active = false;
};

// What the editor's information strip lists for one field: the violated rules first
// (in red), then the satisfied ones, each in the order of the field's links.
struct FieldRuleList
{
    struct Entry
    {
        int rule;
        QString text;
        bool operator==(const Entry &) const = default;
    };
    QList<Entry> violated;
    QList<Entry> satisfied;

    bool isEmpty() const { return violated.isEmpty() && satisfied.isEmpty(); }
};

// The rules engine: the rule catalogue and the rule-field links held in memory, the
// evaluation of the rules over the declaration open in the editor, and the field marks.
class TdmValidacii : public QObject
{
    Q_OBJECT
public:
    static constexpr int RuleCount = 334;
    static constexpr int FieldCount = 376;
    static constexpr int MaxRulesPerField = 80;

    // Uses the connection of dmMain() when no database is given.
    explicit TdmValidacii(QObject *parent = nullptr);
    explicit TdmValidacii(const QSqlDatabase &db, QObject *parent = nullptr);
    ~TdmValidacii() override;

    // Catalogue loads, once at start (the main window's creation): texts, then links.
    void UpdatePravila();
    void UpdatePoletaPravila();

    // The declaration to evaluate: the editor's two open rows, DEKLARACIA then
    // DEKLARACIA2. The rules read them as they are, unsaved edits included; the detail
    // lists are read from the database by the first row's document code.
    void setDeclaration(const storage::RowSource *deklaracia,
                        const storage::RowSource *deklaracia2);

    // One rule; true when satisfied. With Svetvai the rule's fields are marked or
    // unmarked; without it no marking state changes.
    bool ValidateRule(int ValidaciaNomer, bool Svetvai);
    // Rules 1..334 in order; true when none is violated. Greshki receives the texts of
    // the violated rules (" - " each, an empty line between), empty when none.
    bool CheckValidations(bool Svetvai, QString &Greshki);

    // Re-evaluates the rules linked to a field, in link order. With Svetvai the marks are
    // updated and nothing is returned (the list on screen stays as it is); without it
    // nothing is marked and the list to show is returned. Codes outside 1..376, tag 0
    // among them, have no rules: an empty list, or nothing evaluated.
    std::optional<FieldRuleList> RecheckFieldRules(int PoleCode, bool Svetvai);

    // False for the retired rule codes, true for every other code.
    static bool PrviloActive(int PraviloCode);
    // True for a rule that is evaluated at all (not retired, not without condition).
    static bool hasCondition(int PraviloCode);

    // The loaded catalogue.
    TPravilo pravilo(int PraviloCode) const;
    QString fieldName(int PoleCode) const;
    // Row PoleCode of the link table: at most 80 rule codes, in the order read.
    QList<int> rulesOfField(int PoleCode) const;
    // The fields a rule marks: its own list where its row names one, else its links.
    QList<int> fieldsMarkedBy(int PraviloCode) const;

    // The marking state; the editor listens to its markedChanged signal.
    FieldMarks &fieldMarks() { return *m_marks; }
    const FieldMarks &fieldMarks() const { return *m_marks; }

private:
    QSqlDatabase database() const;

    QSqlDatabase m_db;
    bool m_useMainDatabase = false;
    QPointer<const storage::RowSource> m_deklaracia;
    QPointer<const storage::RowSource> m_deklaracia2;
    FieldMarks *m_marks;

    std::array<TPravilo, RuleCount + 1> m_pravila;
    std::array<QString, FieldCount + 1> m_poleta;
    std::array<QList<int>, FieldCount + 1> m_polePravila;
    std::array<QList<int>, RuleCount + 1> m_ruleFields;
};

// The process-wide engine (created once at start-up).
TdmValidacii *dmValidacii();

} // namespace kesp::rules
