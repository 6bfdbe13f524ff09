#pragma once
// AppError: the one exception class of the program. It carries the Chinese
// message that the command guard shows to the user; a structural fault (a
// document without its type field, a file that cannot be written, malformed
// XML) is raised as an AppError and ends the command that caused it.
#include <QString>
#include <exception>

class AppError : public std::exception {
public:
    explicit AppError(QString message) : FMessage(std::move(message)), FUtf8(FMessage.toUtf8()) {}
    const QString &message() const noexcept { return FMessage; }
    const char *what() const noexcept override { return FUtf8.constData(); }

private:
    QString FMessage;
    QByteArray FUtf8;
};
