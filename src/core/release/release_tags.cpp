#include "release/release_tags.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace vantrel {
namespace {

using Strength = ReleaseTag::Strength;

struct TagGroup {
    Strength strength;
    const char* source;
    const char* resolution;
    const char* words;  // lower case, separated by blanks
};

// clang-format off
const TagGroup kTagGroups[] = {
    {Strength::Strong, "BluRay", "",
     "bluray blu-ray bd bdrip brrip bd-rip br-rip bdremux remux bd25 bd50 bd66 bdmux brmux "
     "bdripmux brripmux"},
    {Strength::Strong, "WEB-DL", "", "web-dl webdl web-dlrip"},
    {Strength::Weak, "WEB-DL", "", "web"},
    {Strength::Strong, "WEBRip", "", "webrip web-rip"},
    {Strength::Strong, "HDTV", "", "hdtv hr-hdtv pdtv hdtvrip"},
    {Strength::Strong, "DVDRip", "", "dvdrip dvd-rip dvd dvdr dvd5 dvd9 dvdscr dvdivx dvdmux"},
    {Strength::Strong, "HDRip", "", "hdrip"},
    {Strength::Strong, "", "",
     "hdcam hdts hdtc telesync telecine r5 r6 tvrip vodrip satrip ppv workprint camrip hdcamrip "
     "tsrip vhsrip screener dvdscreener"},
    // Scene and dubbing marks that no title holds.
    {Strength::Strong, "", "",
     "stv nfofix readnfo prooffix dirfix syncfix doku docu truefrench vff vfq vfi vf2 "
     "vostfr vost subforced swissgerman dl hfr ac3d dd-ex ddex dts-es dtses"},
    {Strength::Strong, "", "2160p", "4k uhd"},
    {Strength::Strong, "", "",
     "x264 x265 h264 h265 hevc avc av1 xvid divx vp9 mpeg2 8bit 10bit 12bit hi10p hdr hdr10 hdr10+ "
     "hdr10plus dovi sdr hlg aac ac3 eac3 dts dts-hd dtshd dts-hdma dts-x truehd atmos dd ddp dd+ "
     "ddp+ flac lpcm pcm mp3 opus dolby half-sbs hsbs h-sbs sbs half-ou hou h-ou 8k sample "
     "nf amzn dsnp hmax atvp itunes hulu pcok bt2020 bt709"},
    // Also ordinary words: "Charlotte's Web", "Uncut Gems", "Step Up 3D", "Johnny English".
    {Strength::Weak, "", "",
     "ma dv hd hq 3d cam ts tc scr hc imax criterion remastered unrated proper repack rerip "
     "extended uncut limited theatrical internal complete hybrid multi multisub subbed dubbed "
     "chs cht eng english french german spanish italian russian korean japanese chinese "
     "cantonese mandarin hindi thai ita rus ger fre spa esp jpn jap kor hin vo vf dual dub "
     "multisubs latino castellano tamil telugu swedish danish dutch polish portuguese persian "
     "turkish gb big5 jpsc jptc docu festival colorized upscaled convert"},
};

// Language, subtitle, audio and edition morphemes of Chinese release names, simplified and
// traditional. A run of them is a tag (国语中字, 簡繁英字幕, 国英多音轨, 导演剪辑版).
const char16_t kCjkMorphemes[] =
    u"国|國|粤|粵|英|日|韩|韓|中|法|德|俄|泰|台|港|双|雙|多|简|簡|繁|简体|簡體|繁体|繁體|语|語|字|幕|中文|日文|英文|"
    u"普通话|普通話|音轨|音軌|音频|音頻|声道|聲道|配音|国配|國配|原声|原聲|原版|原盘|原盤|内封|內封|"
    u"内嵌|內嵌|外挂|外掛|特效|版|高清|超清|蓝光|藍光|修复|修復|未删减|未刪減|无删减|無刪減|加长|加長|"
    u"导演剪辑|導演剪輯|剪辑|剪輯|完整|官方|精校|无水印|無水印|硬|软|軟|杜比|视界|視界|全景声|全景聲|"
    u"帧率|幀率|帧|幀|版本|高码|高碼|码率|碼率|收藏|典藏|珍藏|纪念|紀念|重制|重製|抢先|搶先|[0-9]+";
// clang-format on

const QRegularExpression& cjkTagRun() {
    static const QRegularExpression re(QStringLiteral("(?:%1)+$").arg(QStringView(kCjkMorphemes)));
    return re;
}

// Country and language letters and numbers alone name no tag: 中国, 英国, 港台 can be titles.
// The characters a run of morphemes can start with: most titles start with none of them, and
// need no regular expression to tell.
bool mayStartTag(QChar c) {
    static const QString starts = [] {
        QString first;
        for (const QStringView morpheme : QStringView(kCjkMorphemes).split(u'|')) {
            if (!first.contains(morpheme.front())) {
                first += morpheme.front();
            }
        }
        return first;
    }();
    return c.isDigit() || starts.contains(c);
}

bool isCjkTag(QStringView text) {
    static const QRegularExpression countriesOnly(
        QStringLiteral("^[国國粤粵英日韩韓中法德俄泰台港双雙多硬软軟0-9]+$"));
    return !text.isEmpty() && mayStartTag(text.front()) &&
           cjkTagRun()
               .match(text, 0, QRegularExpression::NormalMatch,
                      QRegularExpression::AnchorAtOffsetMatchOption)
               .hasMatch() &&
           !countriesOnly.match(text).hasMatch();
}

const QHash<QString, ReleaseTag>& wordTags() {
    static const QHash<QString, ReleaseTag> kWords = [] {
        QHash<QString, ReleaseTag> words;
        for (const TagGroup& group : kTagGroups) {
            const ReleaseTag tag{group.strength, QString::fromLatin1(group.source),
                                 QString::fromLatin1(group.resolution)};
            const QStringList list =
                QString::fromLatin1(group.words).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            for (const QString& word : list) {
                words.insert(word, tag);
            }
        }
        return words;
    }();
    return kWords;
}

ReleaseTag patternTag(const QString& lower) {
    // 1080p, 1080i, 1920x1080, glued to a source in Chinese names (BD1080P, HD720P, TC1080P): the
    // lines tell the resolution when they are a common one.
    static const QRegularExpression frame(QStringLiteral(
        "^(bd|hd|fhd|web|dvd|tc|ts|hdtc|hdts|hdcam)?(?:(\\d{3,4})[pi]|\\d{3,4}x(\\d{3,4}))$"));
    // Episodes (S01E02, E05, 1x02), channel layouts (5.1, DDP5.1), audio track counts, frame rates,
    // discs (CD1).
    static const QRegularExpression other(QStringLiteral(
        "^(?:s\\d{1,2}(?:e\\d{1,4})*(?:-s?\\d{1,2})?(?:-e?\\d{1,4})?|ep?\\d{1,4}(?:-e?p?\\d{1,4})?|"
        "\\d{1,2}x\\d{2,3}|"
        "(?:ddp?|dd\\+|e?ac3|aac|dts(?:-hd)?|truehd|atmos|flac|lpcm|opus|ma)?[1-9]\\.[0-2]|"
        "[2-9]audios?|\\d{1,2}ch|\\d{2,3}fps|(?:cd|dis[ck])\\d{1,2})$"));
    static const QStringList kCommon{QStringLiteral("2160"), QStringLiteral("1080"),
                                     QStringLiteral("720"), QStringLiteral("576"),
                                     QStringLiteral("480")};
    ReleaseTag tag;
    if (const QRegularExpressionMatch m = frame.match(lower); m.hasMatch()) {
        tag.strength = Strength::Strong;
        tag.source = wordTags().value(m.captured(1)).source;
        const QString lines = m.captured(2).isEmpty() ? m.captured(3) : m.captured(2);
        if (kCommon.contains(lines)) {
            tag.resolution = lines + QLatin1Char('p');
        }
    } else if (other.match(lower).hasMatch()) {
        tag.strength = Strength::Strong;
    }
    return tag;
}

}  // namespace

ReleaseTag latinReleaseTag(const QString& token) {
    const QHash<QString, ReleaseTag>& kWords = wordTags();
    const QString lower = token.toLower();
    if (const auto found = kWords.constFind(lower); found != kWords.constEnd()) {
        return *found;
    }
    const bool hasDigit =
        std::any_of(lower.cbegin(), lower.cend(), [](QChar c) { return c.isDigit(); });
    return hasDigit ? patternTag(lower) : ReleaseTag{};
}

CjkRole cjkRole(const QString& token) {
    static const QRegularExpression episode(
        QStringLiteral("^(?:第[0-9一二三四五六七八九十百零〇两]+[季集部话話期]|[0-9]+[集话話]|全[0-"
                       "9]+[集话話])$"));
    // Sites, groups and generic words. 电影 and 天堂 end site names (阳光电影, 电影天堂) but also
    // long titles (爸爸去哪儿大电影), so only short names ending in them count.
    static const QRegularExpression junk(QStringLiteral(
        "(?:字幕组|字幕組|字幕社|发布|發佈|發布|出品|压制|壓制|论坛|論壇|电影网|電影網|影视网|下载|"
        "下載|小组|小組|首发|首發|资源|資源|之家)$|^.{0,2}(?:电影|電影|天堂|影视|影視|影院|视频|"
        "視頻)$|"
        "^(?:年|合集|全集|系列)$|"
        // Release categories of fansub names: 国漫, 新番, ★04月新番★, 2022年7月番.
        "^(?:[0-9一二三四五六七八九十]+年)?[0-9一二三四五六七八九十]*月?(?:新番|番)$|"
        "^(?:[0-9一二三四五六七八九十]+月|国漫|國漫|日漫|动漫|動漫|番剧|番劇|完结|完結|剧场版)$|"
        "(?:发布|發佈|制作|製作|压制|壓制|汉化|漢化|翻译|翻譯)[组組]$|工作室$|^招募|^兼容$"));
    if (episode.match(token).hasMatch() || isCjkTag(token)) {
        return CjkRole::Tag;
    }
    return junk.match(token).hasMatch() ? CjkRole::Junk : CjkRole::Title;
}

qsizetype cjkTagSuffix(const QString& token) {
    // Glued tags are short; looking at the end alone keeps a long token cheap.
    const qsizetype from = std::max<qsizetype>(0, token.size() - 12);
    qsizetype start = cjkTagRun().match(token, from).capturedStart();
    while (start > 0 && start < token.size() && token[start].isDigit()) {
        ++start;  // 速度与激情10国语
    }
    if (start <= 0 || token.size() - start < 2 || !isCjkTag(QStringView(token).mid(start))) {
        return -1;
    }
    return start;
}

qsizetype cjkEpisodeMark(const QString& token, qsizetype& length) {
    static const QRegularExpression mark(
        QStringLiteral("第[0-9一二三四五六七八九十百零〇两]+[季集话話期]"));
    if (!token.contains(u'第')) {
        return -1;
    }
    const QRegularExpressionMatch m = mark.match(token);
    length = m.capturedLength();
    return m.capturedStart();
}

}  // namespace vantrel
