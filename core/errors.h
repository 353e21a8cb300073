#pragma once
// The exception classes of the system. Operations that are documented to raise throw one of
// these with the message the user or the caller sees.

#include <QString>
#include <stdexcept>

namespace ov {

// Base of every exception the system raises on purpose.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const noexcept { return m_message; }

private:
    QString m_message;
};

// A local file could not be opened, read, created or written.
class FileError : public Error {
public:
    using Error::Error;
};

// A text could not be converted (a date, a number, a hexadecimal pair).
class ConvertError : public Error {
public:
    using Error::Error;
};

}  // namespace ov
