#include "results/result_row_text.h"

namespace vantrel {

bool hasFileId(const QString& fileId) {
    return !fileId.trimmed().isEmpty();
}

QString resultRowLine(const QStringList& fields) {
    QStringList cleaned;
    cleaned.reserve(fields.size());
    for (QString field : fields) {
        for (QChar& c : field) {
            if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r')) {
                c = QLatin1Char(' ');
            }
        }
        cleaned.append(field);
    }
    return cleaned.join(QLatin1Char('\t'));
}

}  // namespace vantrel
