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
constexpr int OutOfMemory = 7;
constexpr int SubscriptOutOfRange = 9;
constexpr int InternalError = 51;  // a fault of the program itself, not of the user or the site

// Download failures, one stable number per class: the signed values of the HRESULTs 0x800C0005,
// 0x800C000B, 0x800C0008 and 0x800C0002 that HTTP clients on Windows report for these causes.
constexpr int CannotConnect = -2146697211;    // no such host, refused, no secure connection
constexpr int DownloadTimeout = -2146697205;  // connect time-out, stalled or over-long download
constexpr int DownloadFailed = -2146697208;   // reset, empty reply, body too large, redirect loop
constexpr int InvalidUrl = -2146697214;       // not an http or https URL

// The user stopped the download with Escape: the signed value of 0x80004004, "operation aborted".
constexpr int DownloadCancelled = -2147467260;
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
