#include "archive/archive_limits.h"

namespace vantrel {

QString archiveLimitMessage(ArchiveLimit limit, const QString& entryName) {
    using namespace archive_limits;
    const QString name = entryName.isEmpty() ? QString() : entryName + u' ';
    QString cause;
    switch (limit) {
        case ArchiveLimit::ArchiveSize:
            cause = QStringLiteral("%1大于 %2 MiB").arg(name).arg(kArchiveBytes / kMiB);
            break;
        case ArchiveLimit::Entries:
            cause = QStringLiteral("多于 %1 个文件").arg(kEntries);
            break;
        case ArchiveLimit::EntrySize:
            cause = QStringLiteral("%1大于 %2 MiB").arg(name).arg(kSubtitleBytes / kMiB);
            break;
        case ArchiveLimit::Unpacked:
            cause = QStringLiteral("解压后大于 %1 MiB").arg(kUnpackedBytes / kMiB);
            break;
        case ArchiveLimit::Ratio:
            cause = QStringLiteral("%1的压缩比大于 %2").arg(name).arg(kRatio);
            break;
        case ArchiveLimit::None:
            break;
    }
    return QStringLiteral("压缩包超过限制：") + cause;
}

}  // namespace vantrel
