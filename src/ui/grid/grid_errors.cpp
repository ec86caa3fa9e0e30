#include "grid/grid_errors.h"

namespace vantrel {

AppError subscriptOutOfRange() {
    return AppError(errors::SubscriptOutOfRange, QStringLiteral("下标越界"));
}

AppError invalidGridValue() {
    return AppError(errors::InvalidArgument, QStringLiteral("无效的过程调用或参数"));
}

}  // namespace vantrel
