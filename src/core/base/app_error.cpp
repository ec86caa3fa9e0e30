#include "base/app_error.h"

#include <utility>

namespace vantrel {

AppError::AppError(int number, QString description)
    : number_(number),
      description_(std::move(description)),
      what_(QStringLiteral("%1: %2").arg(number_).arg(description_).toStdString()) {}

AppError overflowError() {
    return AppError(errors::Overflow, QStringLiteral("溢出"));
}

}  // namespace vantrel
