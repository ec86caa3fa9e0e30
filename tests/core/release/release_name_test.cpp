// From a file's path to the keyword to search for, over real forms of release names.
#include "release/release_name.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <string>

namespace vantrel {
namespace {

struct Row {
    const char* path;
    const char* expected;  // keyword | other title | year | source | resolution
};

std::string describe(const ReleaseName& name) {
    return QStringList{name.keyword, name.otherTitle, name.year, name.source, name.resolution}
        .join(QLatin1String(" | "))
        .toStdString();
}

// clang-format off
const Row kRows[] = {
    // Chinese title beside an English one, in either order, bracketed or glued.
    {"长安三万里.Chang.An.2023.2160p.WEB-DL.H265.DDP5.1-OurTV.mkv", "长安三万里 | Chang An | 2023 | WEB-DL | 2160p"},
    {"[釜山行].Train.to.Busan.2016.KOREAN.1080p.BluRay.x264.mkv", "釜山行 | Train to Busan | 2016 | BluRay | 1080p"},
    {"Leon.1994.这个杀手不太冷.中英字幕.BD-720P.mkv", "这个杀手不太冷 | Leon | 1994 | BluRay | 720p"},
    {"蜘蛛侠：纵横宇宙.Spider-Man.Across.the.Spider-Verse.2023.1080p.WEB-DL.mkv", "蜘蛛侠：纵横宇宙 | Spider-Man Across the Spider-Verse | 2023 | WEB-DL | 1080p"},
    {"流浪地球2.The.Wandering.Earth.2.2023.2160p.WEB-DL.H265.10bit.HDR.DDP5.1.mkv", "流浪地球2 | The Wandering Earth 2 | 2023 | WEB-DL | 2160p"},
    {"阿凡达：水之道.Avatar.The.Way.of.Water.2022.1080p.BluRay.x264.DTS-HD.MA.7.1.mkv", "阿凡达：水之道 | Avatar The Way of Water | 2022 | BluRay | 1080p"},
    {"误杀2.Caught.in.Time.2021.1080p.WEB-DL.H264.AAC-CMCT.mp4", "误杀2 | Caught in Time | 2021 | WEB-DL | 1080p"},
    {"唐人街探案3.Detective.Chinatown.3.2021.2160p.WEB-DL.HEVC.DDP5.1-FRDS.mkv", "唐人街探案3 | Detective Chinatown 3 | 2021 | WEB-DL | 2160p"},
    {"The.Wandering.Earth.流浪地球.2019.1080p.BluRay.x264-WiKi.mkv", "流浪地球 | The Wandering Earth | 2019 | BluRay | 1080p"},
    {"臥虎藏龍.Crouching.Tiger.Hidden.Dragon.2000.1080p.BluRay.x264.mkv", "臥虎藏龍 | Crouching Tiger Hidden Dragon | 2000 | BluRay | 1080p"},
    {"無間道.Infernal.Affairs.2002.粵語中字.1080p.BluRay.mkv", "無間道 | Infernal Affairs | 2002 | BluRay | 1080p"},
    {"【无间道】Infernal.Affairs.2002.BD1080P.国粤双语.中字.mkv", "无间道 | Infernal Affairs | 2002 | BluRay | 1080p"},
    {"复仇者联盟4：终局之战.Avengers.Endgame.2019.IMAX.2160p.WEB-DL.mkv", "复仇者联盟4：终局之战 | Avengers Endgame | 2019 | WEB-DL | 2160p"},
    {"哈利·波特与魔法石.Harry.Potter.and.the.Sorcerer's.Stone.2001.1080p.BluRay.mkv", "哈利·波特与魔法石 | Harry Potter and the Sorcerer's Stone | 2001 | BluRay | 1080p"},
    {"X战警：逆转未来.X-Men.Days.of.Future.Past.2014.1080p.BluRay.x264.mkv", "X战警：逆转未来 | X-Men Days of Future Past | 2014 | BluRay | 1080p"},
    {"7号房的礼物.Miracle.in.Cell.No.7.2013.1080p.BluRay.mkv", "7号房的礼物 | Miracle in Cell No 7 | 2013 | BluRay | 1080p"},
    {"失恋33天.Love.Is.Not.Blind.2011.720p.HDTV.mkv", "失恋33天 | Love Is Not Blind | 2011 | HDTV | 720p"},
    {"让子弹飞.Let.the.Bullets.Fly.2010.BluRay.720p.x264.AC3-CMCT.mkv", "让子弹飞 | Let the Bullets Fly | 2010 | BluRay | 720p"},
    {"霸王别姬.Farewell.My.Concubine.1993.REMASTERED.1080p.BluRay.x265.10bit-CMCT.mkv", "霸王别姬 | Farewell My Concubine | 1993 | BluRay | 1080p"},
    {"千と千尋の神隠し.Spirited.Away.2001.1080p.BluRay.x264.mkv", "千と千尋の神隠し | Spirited Away | 2001 | BluRay | 1080p"},
    {"Spirited.Away.千与千寻.2001.JAPANESE.1080p.BluRay.x264-WiKi.mkv", "千与千寻 | Spirited Away | 2001 | BluRay | 1080p"},
    {"英雄.Hero.2002.1080p.BluRay.x264.国语中字.mkv", "英雄 | Hero | 2002 | BluRay | 1080p"},
    {"大话西游之大圣娶亲.A.Chinese.Odyssey.Part.Two.1995.1080p.BluRay.mkv", "大话西游之大圣娶亲 | A Chinese Odyssey Part Two | 1995 | BluRay | 1080p"},
    {"盗梦空间.Inception.2010.BluRay.1080p.DTS.2Audio.x264-CHD.mkv", "盗梦空间 | Inception | 2010 | BluRay | 1080p"},
    {"寄生虫.Parasite.2019.KOREAN.1080p.BluRay.x264.DTS-FGT.mkv", "寄生虫 | Parasite | 2019 | BluRay | 1080p"},
    {"星际穿越.Interstellar.2014.IMAX.2160p.UHD.BluRay.REMUX.HDR.HEVC.Atmos.mkv", "星际穿越 | Interstellar | 2014 | BluRay | 2160p"},
    {"肖申克的救赎.The.Shawshank.Redemption.1994.中英字幕.1080p.mkv", "肖申克的救赎 | The Shawshank Redemption | 1994 |  | 1080p"},
    {"这个杀手不太冷.Leon.The.Professional.1994.Extended.1080p.BluRay.mkv", "这个杀手不太冷 | Leon The Professional | 1994 | BluRay | 1080p"},
    {"你好，李焕英.Hi.Mom.2021.1080p.WEB-DL.mp4", "你好，李焕英 | Hi Mom | 2021 | WEB-DL | 1080p"},
    {"我和我的祖国.My.People.My.Country.2019.2160p.WEB-DL.mkv", "我和我的祖国 | My People My Country | 2019 | WEB-DL | 2160p"},
    {"中国合伙人.American.Dreams.in.China.2013.720p.BluRay.mkv", "中国合伙人 | American Dreams in China | 2013 | BluRay | 720p"},
    {"英雄本色.A.Better.Tomorrow.1986.1080p.BluRay.x264.粤语中字.mkv", "英雄本色 | A Better Tomorrow | 1986 | BluRay | 1080p"},
    {"少年的你.Better.Days.2019.HD1080P.国语中字.mp4", "少年的你 | Better Days | 2019 |  | 1080p"},
    // Chinese titles alone, with sites, tags and brackets around them.
    {"[BT天堂www.bttt99.com]英雄.BD.1080p.国语中字.mp4", "英雄 |  |  | BluRay | 1080p"},
    {"[电影天堂www.dytt89.com]流浪地球-2019_HD国语中字.mp4", "流浪地球 |  | 2019 |  | "},
    {"阳光电影www.ygdy8.com.长津湖.HD.1080p.国语中字.mkv", "长津湖 |  |  |  | 1080p"},
    {"电影天堂www.dy2018.com.误杀.HD.1080p.国语中字.mkv", "误杀 |  |  |  | 1080p"},
    {"[阳光电影www.ygdy8.com].唐人街探案3.HD.1080p.国语中字.mkv", "唐人街探案3 |  |  |  | 1080p"},
    {"【高清影视之家发布 www.HDBTHD.com】满江红[60帧率版本][国语音轨+中文字幕].Full.River.Red.2023.60FPS.2160p.WEB-DL.H265.AAC-DreamHD.mkv", "满江红 | Full River Red | 2023 | WEB-DL | 2160p"},
    {"www.example.com@英雄.2002.BD1080P.mkv", "英雄 |  | 2002 | BluRay | 1080p"},
    {"[高清][英雄].2002.BD.720p.mkv", "英雄 |  | 2002 | BluRay | 720p"},
    {"《霸王别姬》1993.国语.1080p.mkv", "霸王别姬 |  | 1993 |  | 1080p"},
    {"英雄2002.mkv", "英雄 |  | 2002 |  | "},
    {"英雄.国语.mkv", "英雄 |  |  |  | "},
    {"英雄国语中字.mkv", "英雄 |  |  |  | "},
    {"甄嬛传第01集.mp4", "甄嬛传第01集 |  |  |  | "},
    {"满城尽带黄金甲（2006）.DVDRip.rmvb", "满城尽带黄金甲 |  | 2006 | DVDRip | "},
    {"功夫.Kung.Fu.Hustle.2004.BluRay.720p.x264.AC3-CMCT.srt", "功夫 | Kung Fu Hustle | 2004 | BluRay | 720p"},
    {"蝙蝠侠：黑暗骑士.The.Dark.Knight.2008.chs.srt", "蝙蝠侠：黑暗骑士 | The Dark Knight | 2008 |  | "},
    {"[CMCT]英雄.Hero.2002.BluRay.mkv", "英雄 | Hero | 2002 | BluRay | "},
    {"007：大破天幕杀机.Skyfall.2012.1080p.BluRay.mkv", "007：大破天幕杀机 | Skyfall | 2012 | BluRay | 1080p"},
    {"爸爸去哪儿大电影.2014.HD.720p.mp4", "爸爸去哪儿大电影 |  | 2014 |  | 720p"},
    {"Train.to.Busan.釜山行.2016.BD-1080P.韩语中字.mkv", "釜山行 | Train to Busan | 2016 | BluRay | 1080p"},
    // Numbers as titles, and numbers beside years.
    {"2012.2009.1080p.BluRay.x264.mkv", "2012 |  | 2009 | BluRay | 1080p"},
    {"1917.2019.1080p.BluRay.x264-SPARKS.mkv", "1917 |  | 2019 | BluRay | 1080p"},
    {"1917.1080p.BluRay.mkv", "1917 |  |  | BluRay | 1080p"},
    {"2046.2004.BD.1080p.mkv", "2046 |  | 2004 | BluRay | 1080p"},
    {"2046.mkv", "2046 |  |  |  | "},
    {"Blade.Runner.2049.2017.1080p.BluRay.x264.mkv", "Blade Runner 2049 |  | 2017 | BluRay | 1080p"},
    {"21.Jump.Street.2012.720p.BluRay.x264.mkv", "21 Jump Street |  | 2012 | BluRay | 720p"},
    {"2001.A.Space.Odyssey.1968.1080p.BluRay.x264.mkv", "2001 A Space Odyssey |  | 1968 | BluRay | 1080p"},
    {"Se7en.1995.REMASTERED.1080p.BluRay.x264.mkv", "Se7en |  | 1995 | BluRay | 1080p"},
    {"300.2006.1080p.BluRay.x264.mkv", "300 |  | 2006 | BluRay | 1080p"},
    {"Apollo.13.1995.1080p.BluRay.mkv", "Apollo 13 |  | 1995 | BluRay | 1080p"},
    {"Toy.Story.3.2010.720p.BluRay.mkv", "Toy Story 3 |  | 2010 | BluRay | 720p"},
    {"Ocean's.8.2018.1080p.WEB-DL.mkv", "Ocean's 8 |  | 2018 | WEB-DL | 1080p"},
    {"Jackass.2.5.2007.DVDRip.avi", "Jackass 2.5 |  | 2007 | DVDRip | "},
    {"Fantastic.4.Rise.of.the.Silver.Surfer.2007.720p.mkv", "Fantastic 4 Rise of the Silver Surfer |  | 2007 |  | 720p"},
    {"Die.Hard.2.1990.1080p.BluRay.mkv", "Die Hard 2 |  | 1990 | BluRay | 1080p"},
    {"Mission.Impossible.III.2006.720p.mkv", "Mission Impossible III |  | 2006 |  | 720p"},
    // Western scene and web names.
    {"The.Grand.Budapest.Hotel.2014.720p.BluRay.x264-SPARKS.mkv", "The Grand Budapest Hotel |  | 2014 | BluRay | 720p"},
    {"Movie.Name.2010.1080p.BluRay.x264-GROUP.mkv", "Movie Name |  | 2010 | BluRay | 1080p"},
    {"Movie Name (2010) [1080p].mkv", "Movie Name |  | 2010 |  | 1080p"},
    {"movie_name_2010_720p.mkv", "movie name |  | 2010 |  | 720p"},
    {"Movie.Name.2010.DVDRip.XviD-GRP.avi", "Movie Name |  | 2010 | DVDRip | "},
    {"Movie Name 2010 1080p WEB-DL DD5.1 H264-FGT.mkv", "Movie Name |  | 2010 | WEB-DL | 1080p"},
    {"Ocean's.Eleven.2001.1080p.BluRay.x264.mkv", "Ocean's Eleven |  | 2001 | BluRay | 1080p"},
    {"Fast.&.Furious.2009.720p.BluRay.mkv", "Fast & Furious |  | 2009 | BluRay | 720p"},
    {"Crazy,.Stupid,.Love.2011.1080p.BluRay.mkv", "Crazy, Stupid, Love |  | 2011 | BluRay | 1080p"},
    {"Mission.Impossible-Fallout.2018.2160p.UHD.BluRay.x265-TERMiNAL.mkv", "Mission Impossible-Fallout |  | 2018 | BluRay | 2160p"},
    {"the.matrix.1999.1080p.bluray.x264-group.mkv", "the matrix |  | 1999 | BluRay | 1080p"},
    {"The.Matrix.Reloaded.2003.1080p.BluRay.x264.mkv", "The Matrix Reloaded |  | 2003 | BluRay | 1080p"},
    {"Harry.Potter.and.the.Deathly.Hallows.Part.2.2011.1080p.BluRay.mkv", "Harry Potter and the Deathly Hallows Part 2 |  | 2011 | BluRay | 1080p"},
    {"Kill.Bill.Vol.1.2003.1080p.BluRay.mkv", "Kill Bill Vol 1 |  | 2003 | BluRay | 1080p"},
    {"Dune.Part.Two.2024.2160p.WEB-DL.DDP5.1.Atmos.DV.HDR.H.265-FLUX.mkv", "Dune Part Two |  | 2024 | WEB-DL | 2160p"},
    {"Oppenheimer.2023.IMAX.2160p.UHD.BluRay.REMUX.DV.HDR10+.TrueHD.7.1.Atmos-FGT.mkv", "Oppenheimer |  | 2023 | BluRay | 2160p"},
    {"Top.Gun.Maverick.2022.1080p.AMZN.WEB-DL.DDP5.1.H.264-CMRG.mkv", "Top Gun Maverick |  | 2022 | WEB-DL | 1080p"},
    {"The.Batman.2022.1080p.HMAX.WEBRip.DDP5.1.Atmos.x264-SMURF.mkv", "The Batman |  | 2022 | WEBRip | 1080p"},
    {"Glass.Onion.A.Knives.Out.Mystery.2022.1080p.NF.WEB-DL.DDP5.1.Atmos.H.264-SMURF.mkv", "Glass Onion A Knives Out Mystery |  | 2022 | WEB-DL | 1080p"},
    {"Soul.2020.1080p.DSNP.WEB-DL.DDP5.1.Atmos.H.264-FLUX.mkv", "Soul |  | 2020 | WEB-DL | 1080p"},
    {"Greyhound.2020.2160p.ATVP.WEB-DL.DDP5.1.Atmos.DV.H.265-FLUX.mkv", "Greyhound |  | 2020 | WEB-DL | 2160p"},
    {"Blade.Runner.1982.The.Final.Cut.REMASTERED.1080p.BluRay.mkv", "Blade Runner |  | 1982 | BluRay | 1080p"},
    {"Apocalypse.Now.1979.Directors.Cut.720p.BluRay.mkv", "Apocalypse Now |  | 1979 | BluRay | 720p"},
    {"Aliens.1986.Director's.Cut.1080p.BluRay.mkv", "Aliens |  | 1986 | BluRay | 1080p"},
    {"Amelie.2001.FRENCH.1080p.BluRay.x264.mkv", "Amelie |  | 2001 | BluRay | 1080p"},
    {"Avatar.2009.EXTENDED.1080p.BluRay.x264.mkv", "Avatar |  | 2009 | BluRay | 1080p"},
    {"Avatar.EXTENDED.1080p.BluRay.x264.mkv", "Avatar |  |  | BluRay | 1080p"},
    {"Charlotte's.Web.2006.1080p.BluRay.mkv", "Charlotte's Web |  | 2006 | BluRay | 1080p"},
    {"Uncut.Gems.2019.1080p.WEBRip.x264.mkv", "Uncut Gems |  | 2019 | WEBRip | 1080p"},
    {"Johnny.English.2003.720p.BluRay.mkv", "Johnny English |  | 2003 | BluRay | 720p"},
    {"The.English.Patient.1996.1080p.BluRay.mkv", "The English Patient |  | 1996 | BluRay | 1080p"},
    {"Step.Up.3D.2010.1080p.BluRay.Half-SBS.mkv", "Step Up 3D |  | 2010 | BluRay | 1080p"},
    {"Avatar.2009.3D.HSBS.1080p.BluRay.mkv", "Avatar |  | 2009 | BluRay | 1080p"},
    {"Heat.1995.WEB.1080p.mkv", "Heat |  | 1995 | WEB-DL | 1080p"},
    {"Some.Film.2015.PROPER.REPACK.720p.HDTV.x264.mkv", "Some Film |  | 2015 | HDTV | 720p"},
    {"Some.Film.2005.HR-HDTV.AC3.1024X576.x264.mkv", "Some Film |  | 2005 | HDTV | 576p"},
    {"Some.Film.2005.PDTV.XviD.avi", "Some Film |  | 2005 | HDTV | "},
    {"Some.Film.2005.DVD.480p.avi", "Some Film |  | 2005 | DVDRip | 480p"},
    {"Some.Film.2012.HDRip.XviD.AC3.avi", "Some Film |  | 2012 | HDRip | "},
    {"Some.Film.2012.BRRip.720p.mkv", "Some Film |  | 2012 | BluRay | 720p"},
    {"Some.Film.2012.BDRip.576p.mkv", "Some Film |  | 2012 | BluRay | 576p"},
    {"Some.Film.2012.Blu-ray.1080i.AVC.mkv", "Some Film |  | 2012 | BluRay | 1080p"},
    {"Some.Film.2012.4K.WEBDL.mkv", "Some Film |  | 2012 | WEB-DL | 2160p"},
    {"Some.Film.2012.UHD.WEB-Rip.mkv", "Some Film |  | 2012 | WEBRip | 2160p"},
    {"Some.Film.2012.60fps.HQ.1080P.WEB-DL.mkv", "Some Film |  | 2012 | WEB-DL | 1080p"},
    {"Some Film - 2012 - 1080p.mkv", "Some Film |  | 2012 |  | 1080p"},
    {"some-film-2012-720p-bluray.mkv", "some film |  | 2012 | BluRay | 720p"},
    {"Spider-Man.2002.1080p.BluRay.mkv", "Spider-Man |  | 2002 | BluRay | 1080p"},
    {"WALL-E.2008.1080p.BluRay.mkv", "WALL-E |  | 2008 | BluRay | 1080p"},
    {"[YTS.MX] Some Film (2012) [1080p] [BluRay].mp4", "Some Film |  | 2012 | BluRay | 1080p"},
    {"Some Film (2012) [BluRay] [720p] [YTS.AM].mp4", "Some Film |  | 2012 | BluRay | 720p"},
    {"Some.Film.MULTi.1080p.BluRay.x264-GROUP.mkv", "Some Film |  |  | BluRay | 1080p"},
    {"Some.Film.2012.SUBBED.CHS.ENG.720p.mkv", "Some Film |  | 2012 |  | 720p"},
    {"Some.Show.S01E01.Pilot.1080p.WEB-DL.mkv", "Some Show |  |  | WEB-DL | 1080p"},
    {"Some.Show.2019.S02.1080p.BluRay.mkv", "Some Show |  | 2019 | BluRay | 1080p"},
    {"Some.Film.2012.sample.mkv", "Some Film |  | 2012 |  | "},
    {"Some Film.mkv", "Some Film |  |  |  | "},
    {"Some.Film.2012.zh-CN.ass", "Some Film |  | 2012 |  | "},
    {"Some.Film.2012.1080p.BluRay.x264-GROUP.MKV", "Some Film |  | 2012 | BluRay | 1080p"},
    // Folders give what the file name lacks.
    {"/home/user/Videos/Blade Runner (1982)/movie.mkv", "Blade Runner |  | 1982 |  | "},
    {"/data/Movies/Blade.Runner.1982.1080p.BluRay.x264-GROUP/CD1.avi", "Blade Runner |  | 1982 | BluRay | 1080p"},
    {"/mnt/nas/Some.Film.2012.1080p.BluRay/BDMV/STREAM/00001.m2ts", "Some Film |  | 2012 | BluRay | 1080p"},
    {"/mnt/nas/英雄.Hero.2002.DVD/VIDEO_TS/VTS_01_1.VOB", "英雄 | Hero | 2002 | DVDRip | "},
    {"/srv/下载/电影/霸王别姬 (1993)/video.mp4", "霸王别姬 |  | 1993 |  | "},
    {"/srv/Downloads/Some Film (2012)/Disc1/film.mkv", "Some Film |  | 2012 |  | "},
    {"/srv/Movies/Inception (2010)/1.mp4", "Inception |  | 2010 |  | "},
    {"/srv/Movies/1917 (2019)/1917.mkv", "1917 |  | 2019 |  | "},
    {"/srv/Movies/Inception (2010) 1080p/Inception.mkv", "Inception |  | 2010 |  | 1080p"},
    {"/srv/Movies/Collection 2010/Inception.mkv", "Inception |  |  |  | "},
    {"/srv/Movies/Some.Film.2012.1080p.BluRay.x264/sample.mkv", "Some Film |  | 2012 | BluRay | 1080p"},
    {"/srv/Movies/Some.Film.2012.1080p.BluRay.x264/Subs/Some.Film.2012.chs.srt", "Some Film |  | 2012 | BluRay | 1080p"},
    {"/home/user/movie.mkv", " |  |  |  | "},
    {"/home/user/Videos/2046.mkv", "2046 |  |  |  | "},
    {"BDMV/STREAM/00001.m2ts", " |  |  |  | "},
    {"movie.mkv", " |  |  |  | "},
    {"1.mp4", " |  |  |  | "},
    {"Inception (2010)/movie.mkv", "Inception |  | 2010 |  | "},
    // Odd input.
    {"", " |  |  |  | "},
    {"/", " |  |  |  | "},
    {"....mkv", " |  |  |  | "},
    {"[]【】()（）.mkv", " |  |  |  | "},
    {"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD.Hero.2002.mkv", "Hero |  | 2002 |  | "},
    {"\xEF\xBF\xBD\xEF\xBF\xBD.2002.BD.mkv", " |  | 2002 | BluRay | "},
    {"😀Some.Film😀.2012.mkv", "Some Film |  | 2012 |  | "},
    {"1080p.BluRay.x264.mkv", " |  |  | BluRay | 1080p"},
};
// clang-format on

TEST(ReleaseName, ReadsTitleYearSourceAndResolution) {
    for (const Row& row : kRows) {
        EXPECT_EQ(describe(parseReleaseName(QString::fromUtf8(row.path))), row.expected)
            << row.path;
    }
}

TEST(ReleaseName, SurvivesHugeAndBrokenNames) {
    const QString huge = QStringLiteral("英雄.Hero.2002.").repeated(10000) + QStringLiteral(".mkv");
    EXPECT_EQ(parseReleaseName(huge).keyword, QStringLiteral("英雄"));
    QString broken;
    for (char16_t unit = 0; unit < 0x3000; unit += 7) {
        broken += QChar(unit);  // controls, lone surrogates, brackets, dots and dashes
    }
    broken += QChar(0xD800);
    for (const QString& path : {broken, broken.repeated(50), QString(100000, u'-'),
                                QString(100000, u'[') + QString(100000, u'.')}) {
        parseReleaseName(path);
    }
}

}  // namespace
}  // namespace vantrel
