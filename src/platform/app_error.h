#pragma once

#include <QString>

#include <exception>
#include <string>

namespace vantrel {

// Error numbers shown to the user. The low ones are the classic run-time numbers; the download
// layer adds its own, one per class of failure.
namespace errors {
constexpr int InvalidArgument = 5;
constexpr int Overflow = 6;
constexpr int SubscriptOutOfRange = 9;
}  // namespace errors

// An error raised by a procedure of the window. It travels up to the window's one error path,
// which shows its number and description and keeps the window open.
class AppError : public std::exception {
public:
    AppError(int number, QString description);

    int number() const { return number_; }
    const QString& description() const { return description_; }
    const char* what() const noexcept override { return what_.c_str(); }

private:
    int number_;
    QString description_;
    std::string what_;
};

AppError overflowError();

}  // namespace vantrel
