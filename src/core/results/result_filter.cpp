#include "results/result_filter.h"

#include <QStringView>

#include <algorithm>
#include <numeric>

namespace vantrel {

namespace {

// What shownRows compares a row's language index with, besides the page's own languages.
constexpr int kAnyLanguage = -2;
constexpr int kLanguageNotOnPage = -3;

}  // namespace

QString foldedForFilter(const QString& text) {
    return text.normalized(QString::NormalizationForm_KC).toCaseFolded();
}

void ResultFilter::clear() {
    *this = ResultFilter();
}

void ResultFilter::addRow(const QString& name, const QString& version, const QString& filmName,
                          const QString& language) {
    // The empty texts the remembered ones start as fold to themselves, so the first row needs
    // no case of its own.
    const std::array<const QString*, 3> texts{&name, &version, &filmName};
    for (std::size_t k = 0; k < texts.size(); ++k) {
        if (*texts[k] != lastTexts_[k]) {
            lastTexts_[k] = *texts[k];
            lastFolded_[k] = foldedForFilter(*texts[k]);
        }
        texts_ += lastFolded_[k];
        texts_ += QLatin1Char('\n');
    }
    textEnds_.push_back(static_cast<int>(texts_.size()));

    if (language != lastLanguageText_) {
        lastLanguageText_ = language;
        lastLanguage_ = languageIndex(language);
    }
    rowLanguage_.push_back(lastLanguage_);
    if (lastLanguage_ >= 0) {
        ++languages_[static_cast<std::size_t>(lastLanguage_)].rows;
    }
}

int ResultFilter::languageIndex(const QString& language) {
    const QString key = foldedForFilter(language).trimmed();
    if (key.isEmpty()) {
        return -1;
    }
    const auto found = languageByKey_.constFind(key);
    if (found != languageByKey_.constEnd()) {
        return found.value();
    }
    const int index = static_cast<int>(languages_.size());
    languages_.push_back(Language{language.trimmed(), 0});
    languageByKey_.insert(key, index);
    return index;
}

QStringList ResultFilter::languages() const {
    std::vector<std::size_t> order(languages_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) {
        return languages_[a].rows > languages_[b].rows;
    });
    QStringList texts;
    for (const std::size_t k : order) {
        texts.append(languages_[k].text);
    }
    return texts;
}

std::vector<bool> ResultFilter::shownRows(const QString& typed, const QString& language) const {
    const QStringList words =
        foldedForFilter(typed).simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QString key = foldedForFilter(language).trimmed();
    const int wanted = key.isEmpty() ? kAnyLanguage : languageByKey_.value(key, kLanguageNotOnPage);

    std::vector<bool> shown(rowLanguage_.size());
    int start = 0;
    for (std::size_t row = 0; row < shown.size(); ++row) {
        const QStringView text = QStringView(texts_).mid(start, textEnds_[row] - start);
        start = textEnds_[row];
        shown[row] = (wanted == kAnyLanguage || rowLanguage_[row] == wanted) &&
                     std::all_of(words.cbegin(), words.cend(),
                                 [text](const QString& word) { return text.contains(word); });
    }
    return shown;
}

}  // namespace vantrel
