#include "subtitles/subtitle_language.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace vantrel {
namespace {

// Common characters each script writes its own way (这/這, 们/們 ...); characters both scripts
// use (里, 后, 只) are left out.
constexpr char16_t kSimplifiedOnly[] =
    u"这们个来时说为会过对还没现么国发开关门问间听见车长马东边头话进乐书买卖钱员无与给让经样觉"
    u"点儿欢认识谁该飞爱亲热岁业应从两难虽单变实宝将专当办师写运动记请谢吗饭脸报杀战争枪种岛"
    u"级帮灯烧鸡龙鱼鸟";
constexpr char16_t kTraditionalOnly[] =
    u"這們個來時說為會過對還沒現麼國發開關門問間聽見車長馬東邊頭話進樂書買賣錢員無與給讓經樣覺"
    u"點兒歡認識誰該飛愛親熱歲業應從兩難雖單變實寶將專當辦師寫運動記請謝嗎飯臉報殺戰爭槍種島"
    u"級幫燈燒雞龍魚鳥";

constexpr char16_t kCjkFirst = 0x4E00;
constexpr char16_t kCjkLast = 0x9FFF;
enum Script : quint8 { Both = 0, SimplifiedScript = 1, TraditionalScript = 2 };

// The script of every character of the main CJK block, looked up once per character.
std::vector<quint8> scriptTable() {
    std::vector<quint8> table(kCjkLast - kCjkFirst + 1, Both);
    for (const char16_t* unit = kSimplifiedOnly; *unit != 0; ++unit) {
        table[*unit - kCjkFirst] = SimplifiedScript;
    }
    for (const char16_t* unit = kTraditionalOnly; *unit != 0; ++unit) {
        table[*unit - kCjkFirst] = TraditionalScript;
    }
    return table;
}

void readToken(const QString& token, LanguageTags& tags) {
    static const QStringList kSimplified = {
        QStringLiteral("chs"),       QStringLiteral("sc"),   QStringLiteral("gb"),
        QStringLiteral("zh-cn"),     QStringLiteral("zhcn"), QStringLiteral("zh-hans"),
        QStringLiteral("hans"),      QStringLiteral("chn"),  QStringLiteral("gb2312"),
        QStringLiteral("gbk"),       QStringLiteral("简体"), QStringLiteral("簡體"),
        QStringLiteral("简中"),      QStringLiteral("簡中"), QStringLiteral("简"),
        QStringLiteral("simplified")};
    static const QStringList kTraditional = {
        QStringLiteral("cht"),   QStringLiteral("tc"),    QStringLiteral("big5"),
        QStringLiteral("zh-tw"), QStringLiteral("zh-hk"), QStringLiteral("zh-hant"),
        QStringLiteral("hant"),  QStringLiteral("繁体"),  QStringLiteral("繁體"),
        QStringLiteral("繁中"),  QStringLiteral("繁"),    QStringLiteral("traditional")};
    static const QStringList kChinese = {QStringLiteral("chi"),  QStringLiteral("zh"),
                                         QStringLiteral("zho"),  QStringLiteral("chinese"),
                                         QStringLiteral("中文"), QStringLiteral("中字"),
                                         QStringLiteral("国语"), QStringLiteral("中")};
    static const QStringList kEnglish = {QStringLiteral("eng"),     QStringLiteral("en"),
                                         QStringLiteral("english"), QStringLiteral("英文"),
                                         QStringLiteral("英语"),    QStringLiteral("英語"),
                                         QStringLiteral("英")};
    static const QStringList kBoth = {QStringLiteral("双语"), QStringLiteral("雙語"),
                                      QStringLiteral("中英"), QStringLiteral("bilingual")};
    tags.simplified = tags.simplified || kSimplified.contains(token);
    tags.traditional = tags.traditional || kTraditional.contains(token);
    tags.chinese = tags.chinese || kChinese.contains(token) || kBoth.contains(token);
    tags.english = tags.english || kEnglish.contains(token) || kBoth.contains(token);
}

// Tags stand between dots, blanks, brackets and the like; a CJK run may glue several ("简英双语",
// "简体中英"), so it is also read two characters at a time.
LanguageTags tagsOf(const QString& name) {
    LanguageTags tags;
    static const QRegularExpression kSeparators(QStringLiteral("[^\\p{L}\\p{N}-]+"));
    for (const QString& token : name.toLower().split(kSeparators, Qt::SkipEmptyParts)) {
        readToken(token, tags);
        if (token.contains(u'-')) {
            for (const QString& part : token.split(u'-', Qt::SkipEmptyParts)) {
                readToken(part, tags);  // chs-eng, zh-cn
            }
        }
        if (token.size() < 2 || token[0].unicode() < 0x3000) {
            continue;
        }
        for (qsizetype i = 0; i + 1 < token.size(); ++i) {
            const QString pair = token.mid(i, 2);
            if (pair == u"简英" || pair == u"簡英") {
                tags.simplified = tags.english = true;
            } else if (pair == u"繁英") {
                tags.traditional = tags.english = true;
            } else if (pair.size() == 2 && pair != token) {
                readToken(pair, tags);
            }
        }
        if (token == u"简英" || token == u"簡英") {
            tags.simplified = tags.english = true;
        } else if (token == u"繁英") {
            tags.traditional = tags.english = true;
        }
    }
    return tags;
}

bool any(const LanguageTags& tags) {
    return tags.simplified || tags.traditional || tags.chinese || tags.english;
}

bool isLatinLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

}  // namespace

LanguageTags languageTagsOfName(const QString& entryPath) {
    QStringList parts = entryPath.split(u'/', Qt::SkipEmptyParts);
    while (!parts.isEmpty()) {
        QString part = parts.takeLast();
        const qsizetype dot = part.lastIndexOf(u'.');
        if (dot > 0) {
            part.truncate(dot);  // the extension (.srt, .zip) is no tag
        }
        const LanguageTags tags = tagsOf(part);
        if (any(tags)) {
            return tags;
        }
    }
    return {};
}

LanguageTags languageTagsOfIdx(QByteArrayView idxText) {
    LanguageTags tags;
    static const QRegularExpression kId(QStringLiteral("^id:\\s*([A-Za-z-]+)"),
                                        QRegularExpression::MultilineOption);
    const QString text = QString::fromLatin1(idxText);
    for (auto it = kId.globalMatch(text); it.hasNext();) {
        const QString id = it.next().captured(1).toLower();
        tags.chinese = tags.chinese || id == u"zh" || id == u"chi" || id == u"zho";
        tags.english = tags.english || id == u"en" || id == u"eng";
    }
    return tags;
}

TextLanguage languageOfText(QStringView dialogue) {
    static const std::vector<quint8> scripts = scriptTable();
    static const QRegularExpression kEnglishWord(
        QStringLiteral("\\b(the|you|and|to|is|it|that|what|of|in|me|my|this|don't|I'm|I)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    int lines = 0;
    int chineseLines = 0;
    int englishLines = 0;
    qint64 cjk = 0;
    qint64 kanaOrHangul = 0;
    qint64 simplified = 0;
    qint64 traditional = 0;
    for (const QStringView line : dialogue.split(u'\n', Qt::SkipEmptyParts)) {
        bool lineCjk = false;
        int letters = 0;
        int longestWord = 0;
        for (const QChar c : line) {
            const char16_t unit = c.unicode();
            letters = isLatinLetter(c) ? letters + 1 : 0;
            longestWord = std::max(longestWord, letters);
            if (unit >= kCjkFirst && unit <= kCjkLast) {
                lineCjk = true;
                ++cjk;
                const quint8 script = scripts[unit - kCjkFirst];
                simplified += script == SimplifiedScript ? 1 : 0;
                traditional += script == TraditionalScript ? 1 : 0;
            } else if (unit >= 0x3400 && unit <= 0x4DBF) {
                lineCjk = true;
                ++cjk;
            } else if ((unit >= 0x3040 && unit <= 0x30FF) || (unit >= 0xAC00 && unit <= 0xD7AF)) {
                ++kanaOrHangul;
            }
        }
        ++lines;
        chineseLines += lineCjk ? 1 : 0;
        englishLines += longestWord >= 2 && kEnglishWord.match(line).hasMatch() ? 1 : 0;
    }
    TextLanguage language;
    // Japanese writes kanji too, among its kana; Korean writes Hangul.
    language.chinese = lines > 0 && chineseLines * 10 >= lines && kanaOrHangul * 10 < cjk;
    language.traditional = language.chinese && traditional > simplified;
    language.english = lines > 0 && englishLines * 10 >= lines * 3;
    return language;
}

SubtitleLanguage subtitleLanguage(const LanguageTags& tags,
                                  const std::optional<TextLanguage>& text) {
    const bool textChinese = text && text->chinese;
    const bool chinese = tags.simplified || tags.traditional || tags.chinese || textChinese;
    const bool english = tags.english || (text && text->english && !tags.settled());
    if (!chinese) {
        return english ? SubtitleLanguage::English : SubtitleLanguage::Other;
    }
    const bool traditional =
        tags.traditional ? !tags.simplified : !tags.simplified && textChinese && text->traditional;
    if (traditional) {
        return english ? SubtitleLanguage::TraditionalEnglish : SubtitleLanguage::Traditional;
    }
    return english ? SubtitleLanguage::SimplifiedEnglish : SubtitleLanguage::Simplified;
}

}  // namespace vantrel
