#pragma once
#include <QString>
#include <stdexcept>

// Errors that end an event handler in the general error box. Each carries the
// text shown to the user.
class AppError : public std::runtime_error {
public:
    explicit AppError(const QString &text)
        : std::runtime_error(text.toStdString()), text_(text) {}
    const QString &text() const { return text_; }

private:
    QString text_;
};

// The database refused something: a statement, opening a file, a write.
class DatabaseError : public AppError {
public:
    using AppError::AppError;
};

// A text that is no whole number, or arithmetic that overflows.
class ConversionError : public AppError {
public:
    using AppError::AppError;
};

// A file or folder that cannot be read or written.
class FileError : public AppError {
public:
    using AppError::AppError;
};
