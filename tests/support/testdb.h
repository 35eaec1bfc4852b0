#pragma once

#include <QString>
#include <QTemporaryDir>

namespace kesp::test {

// Database files for tests, made in a temporary folder from the project's data.
class TestFiles
{
public:
    TestFiles();
    QString dir() const { return m_dir.path(); }
    QString path(const QString &name) const;

    // The delivered file, fully upgraded. Built once per process and copied.
    QString delivered(const QString &name = QStringLiteral("KESP.ddb"));
    // The first release's structure with the delivered rows, before any upgrade.
    QString firstRelease(const QString &name = QStringLiteral("first.ddb"));

private:
    QTemporaryDir m_dir;
};

// Runs a statement on a file through a short-lived connection of its own.
void execOn(const QString &file, const QString &sql);
QVariant scalarOn(const QString &file, const QString &sql);

} // namespace kesp::test
