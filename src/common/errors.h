#pragma once

#include <QString>
#include <stdexcept>

namespace kesp {

// Base of every failure that stops an operation; the window that started the
// operation catches it and shows its text to the user.
class Error : public std::runtime_error
{
public:
    explicit Error(const QString &message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// The database cannot be used at all (missing, unreadable, not ours, read-only).
class DatabaseOpenError : public Error
{
public:
    using Error::Error;
};

// A statement or a write failed.
class DatabaseError : public Error
{
public:
    using Error::Error;
};

// A value does not fit its column (too long, wrong kind).
class ValueError : public Error
{
public:
    using Error::Error;
};

} // namespace kesp
