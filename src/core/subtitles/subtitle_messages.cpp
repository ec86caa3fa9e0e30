#include "subtitles/subtitle_messages.h"

#include <cerrno>

namespace vantrel {

QString subtitleMessage(SubtitleFailure failure, const QString& detail) {
    const char16_t* text = u"";
    switch (failure) {
        case SubtitleFailure::None:
            return {};
        case SubtitleFailure::NotSubtitle:
            text = u"不是字幕压缩包或字幕文件：%1";
            break;
        case SubtitleFailure::Unreadable:
            text = u"无法读取文件：%1";
            break;
        case SubtitleFailure::NoSubtitle:
            text = u"压缩包里没有字幕：%1";
            break;
        case SubtitleFailure::AllEncrypted:
            text = u"压缩包里的字幕都已加密：%1";
            break;
        case SubtitleFailure::OverLimit:
            return detail;  // archiveLimitMessage() says it whole
        case SubtitleFailure::EntryNotFound:
            text = u"压缩包里没有这个字幕：%1";
            break;
        case SubtitleFailure::Tie:
            text = u"有几个字幕同样合适，请选一个：%1";
            break;
        case SubtitleFailure::CannotDecode:
            text = u"字幕的文字编码无法识别：%1";
            break;
        case SubtitleFailure::VideoGone:
            text = u"视频文件不在了：%1";
            break;
        case SubtitleFailure::FolderNotWritable:
            text = u"视频所在的文件夹不能写入：%1";
            break;
        case SubtitleFailure::TargetExists:
            text = u"视频旁已有同名字幕：%1";
            break;
        case SubtitleFailure::WriteFailed:
            text = u"字幕写入失败：%1";
            break;
    }
    return QString::fromUtf16(text).arg(detail);
}

SubtitleFailure scanFailure(const SubtitleScan& scan, const QString& fileName, QString& message) {
    SubtitleFailure failure = SubtitleFailure::None;
    QString detail = fileName;
    switch (scan.failure) {
        case ScanFailure::None:
            return SubtitleFailure::None;
        case ScanFailure::Unreadable:
            failure = SubtitleFailure::Unreadable;
            break;
        case ScanFailure::NotSubtitle:
            failure = SubtitleFailure::NotSubtitle;
            break;
        case ScanFailure::Damaged:
            message = QStringLiteral("压缩包已损坏，无法读取：") + fileName;
            return SubtitleFailure::Unreadable;
        case ScanFailure::HeadersEncrypted:
            message = QStringLiteral("压缩包已加密：") + fileName;
            return SubtitleFailure::AllEncrypted;
        case ScanFailure::OverLimit:
            failure = SubtitleFailure::OverLimit;
            detail = archiveLimitMessage(scan.limit, scan.limitEntry);
            break;
    }
    message = subtitleMessage(failure, detail);
    return failure;
}

QString writeCause(int errorNumber) {
    switch (errorNumber) {
        case ENOSPC:
            return QStringLiteral("磁盘空间不足");
        case EDQUOT:
            return QStringLiteral("超出磁盘配额");
        case EROFS:
            return QStringLiteral("文件系统只读");
        case EACCES:
        case EPERM:
            return QStringLiteral("没有写入权限");
        case ENOENT:
            return QStringLiteral("文件夹不在了");
        default:
            return QStringLiteral("系统错误 %1").arg(errorNumber);
    }
}

}  // namespace vantrel
