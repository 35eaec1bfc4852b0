#pragma once

#include "upgradedata.h"

#include <QObject>
#include <QSqlDatabase>
#include <QVariant>

#include <functional>

namespace kesp::storage {

// The one connection to KESP.ddb and the structure upgrade run at every start.
class TdmMain : public QObject
{
    Q_OBJECT
public:
    // Opens the file (DatabaseOpenError when it cannot be used) and upgrades it.
    explicit TdmMain(const QString &path = defaultDatabasePath(), QObject *parent = nullptr);
    ~TdmMain() override;

    // KESP.ddb in the folder of the running executable.
    static QString defaultDatabasePath();

    QSqlDatabase database() const;
    QString path() const { return m_path; }

    bool DBIsExistTable(const QString &Table);
    bool DBIsExistColumn(const QString &Table, const QString &Column);
    bool DBAddTable(const QString &Table, const QString &IntegerPrimaryKey);
    bool DBAddColumn(const QString &Table, const QString &Column, const QString &FieldType);
    // Loads a carried help text into INFO_BUTONI; throws when the text or the row is missing.
    void UpdateInfoButton(int infobuttonno, const QString &resname);
    // Applies the records in order; the first failure throws, earlier ones stay done.
    void UpdatePravilaDB(const QList<TPraviloDB> &records);

    // The structure upgrade; shows its boxes through the Dialogs interface.
    void DataModuleCreate();

    // The stored structure version; null when empty or unreadable.
    QVariant databaseVersion() const;

private:
    struct StepOutcome
    {
        bool writeVersion = true;
        bool failed = false; // shows the error box
    };

    void notice();
    void failureBox();
    void errorBox();
    void writeVersion(int version);
    // True when the step was not due or wrote its version.
    bool runStep(int number, const std::function<StepOutcome()> &work);

    QString m_path;
    QString m_connection;
    bool m_noticeShown = false;
    bool m_anyFailure = false;
    bool m_lastBoxWasFailure = false;
};

// The process-wide instance (created first at start-up).
TdmMain *dmMain();

} // namespace kesp::storage
