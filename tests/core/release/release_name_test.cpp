// From a video file's path to the keyword to search for, over the forms real release names take.
#include "release/release_name.h"
#include "release/release_match.h"
#include "release/video_file.h"

#include <QFile>

#include <QStringList>

#include <gtest/gtest.h>

#include <string>

namespace vantrel {
namespace {

using namespace Qt::StringLiterals;

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
    // A Chinese title beside an English one, in either order, bracketed or not.
    {"长安三万里.Chang.An.2023.2160p.WEB-DL.H265.DDP5.1-OurTV.mkv", "长安三万里 | Chang An | 2023 | WEB-DL | 2160p"},
    {"[釜山行].Train.to.Busan.2016.KOREAN.1080p.BluRay.x264.mkv", "釜山行 | Train to Busan | 2016 | BluRay | 1080p"},
    {"Leon.1994.这个杀手不太冷.中英字幕.BD-720P.mkv", "这个杀手不太冷 | Leon | 1994 | BluRay | 720p"},
    {"蜘蛛侠：纵横宇宙.Spider-Man.Across.the.Spider-Verse.2023.1080p.WEB-DL.mkv", "蜘蛛侠：纵横宇宙 | Spider-Man Across the Spider-Verse | 2023 | WEB-DL | 1080p"},
    {"流浪地球2.The.Wandering.Earth.2.2023.2160p.WEB-DL.H265.10bit.HDR.mkv", "流浪地球2 | The Wandering Earth 2 | 2023 | WEB-DL | 2160p"},
    {"阿凡达：水之道.Avatar.The.Way.of.Water.2022.1080p.BluRay.DTS-HD.MA.7.1.mkv", "阿凡达：水之道 | Avatar The Way of Water | 2022 | BluRay | 1080p"},
    {"误杀2.Caught.in.Time.2021.1080p.WEB-DL.H264.AAC-CMCT.mp4", "误杀2 | Caught in Time | 2021 | WEB-DL | 1080p"},
    {"唐人街探案3.Detective.Chinatown.3.2021.2160p.WEB-DL.HEVC-FRDS.mkv", "唐人街探案3 | Detective Chinatown 3 | 2021 | WEB-DL | 2160p"},
    {"The.Wandering.Earth.流浪地球.2019.1080p.BluRay.x264-WiKi.mkv", "流浪地球 | The Wandering Earth | 2019 | BluRay | 1080p"},
    {"Train.to.Busan.釜山行.2016.BD-1080P.韩语中字.mkv", "釜山行 | Train to Busan | 2016 | BluRay | 1080p"},
    {"臥虎藏龍.Crouching.Tiger.Hidden.Dragon.2000.1080p.BluRay.mkv", "臥虎藏龍 | Crouching Tiger Hidden Dragon | 2000 | BluRay | 1080p"},
    {"無間道.Infernal.Affairs.2002.粵語中字.1080p.BluRay.mkv", "無間道 | Infernal Affairs | 2002 | BluRay | 1080p"},
    {"【无间道】Infernal.Affairs.2002.BD1080P.国粤双语.中字.mkv", "无间道 | Infernal Affairs | 2002 | BluRay | 1080p"},
    {"复仇者联盟4：终局之战.Avengers.Endgame.2019.IMAX.2160p.WEB-DL.mkv", "复仇者联盟4：终局之战 | Avengers Endgame | 2019 | WEB-DL | 2160p"},
    {"碟中谍7：致命清算（上）.Mission.Impossible.Dead.Reckoning.Part.One.2023.mkv", "碟中谍7：致命清算 | Mission Impossible Dead Reckoning Part One | 2023 |  | "},
    {"哈利·波特与魔法石.Harry.Potter.and.the.Sorcerer's.Stone.2001.1080p.mkv", "哈利·波特与魔法石 | Harry Potter and the Sorcerer's Stone | 2001 |  | 1080p"},
    {"X战警：逆转未来.X-Men.Days.of.Future.Past.2014.1080p.BluRay.mkv", "X战警：逆转未来 | X-Men Days of Future Past | 2014 | BluRay | 1080p"},
    {"7号房的礼物.Miracle.in.Cell.No.7.2013.1080p.BluRay.mkv", "7号房的礼物 | Miracle in Cell No 7 | 2013 | BluRay | 1080p"},
    {"007：大破天幕杀机.Skyfall.2012.1080p.BluRay.mkv", "007：大破天幕杀机 | Skyfall | 2012 | BluRay | 1080p"},
    {"失恋33天.Love.Is.Not.Blind.2011.720p.HDTV.mkv", "失恋33天 | Love Is Not Blind | 2011 | HDTV | 720p"},
    {"蜘蛛侠-英雄归来.Spider-Man.Homecoming.2017.mkv", "蜘蛛侠-英雄归来 | Spider-Man Homecoming | 2017 |  | "},
    {"你好，李焕英.Hi.Mom.2021.1080p.WEB-DL.mp4", "你好，李焕英 | Hi Mom | 2021 | WEB-DL | 1080p"},
    {"你的名字。Your.Name.2016.1080p.BluRay.mkv", "你的名字 | Your Name | 2016 | BluRay | 1080p"},
    {"霸王别姬.Farewell.My.Concubine.1993.REMASTERED.1080p.BluRay.x265.10bit-CMCT.mkv", "霸王别姬 | Farewell My Concubine | 1993 | BluRay | 1080p"},
    {"星际穿越.Interstellar.2014.IMAX.2160p.UHD.BluRay.REMUX.HDR.HEVC.Atmos.mkv", "星际穿越 | Interstellar | 2014 | BluRay | 2160p"},
    {"盗梦空间.Inception.2010.BluRay.1080p.DTS.2Audio.x264-CHD.mkv", "盗梦空间 | Inception | 2010 | BluRay | 1080p"},
    {"英雄.Hero.2002.BluRay.1080p.x265.10bit.MNHD-FRDS.mkv", "英雄 | Hero | 2002 | BluRay | 1080p"},
    {"肖申克的救赎.The.Shawshank.Redemption.1994.中英字幕.1080p.mkv", "肖申克的救赎 | The Shawshank Redemption | 1994 |  | 1080p"},
    {"少年的你.Better.Days.2019.HD1080P.国语中字.mp4", "少年的你 | Better Days | 2019 |  | 1080p"},
    {"大话西游之大圣娶亲.A.Chinese.Odyssey.Part.Two.1995.1080p.BluRay.mkv", "大话西游之大圣娶亲 | A Chinese Odyssey Part Two | 1995 | BluRay | 1080p"},
    {"1942.一九四二.2012.1080p.BluRay.mkv", "一九四二 | 1942 | 2012 | BluRay | 1080p"},
    {"[SweetSub][你的名字。][Kimi no Na wa.][BDRip][1080P][CHS].mkv", "你的名字 | Kimi no Na wa |  | BluRay | 1080p"},
    {"[CMCT]英雄.Hero.2002.BluRay.mkv", "英雄 | Hero | 2002 | BluRay | "},
    // Titles that look like tags, or tags glued to titles.
    {"我和我的祖国.My.People.My.Country.2019.2160p.WEB-DL.mkv", "我和我的祖国 | My People My Country | 2019 | WEB-DL | 2160p"},
    {"中国合伙人.2013.HD720P.国语中字.mp4", "中国合伙人 |  | 2013 |  | 720p"},
    {"英国病人.The.English.Patient.1996.1080p.BluRay.mkv", "英国病人 | The English Patient | 1996 | BluRay | 1080p"},
    {"港囧.Lost.in.Hong.Kong.2015.1080p.mkv", "港囧 | Lost in Hong Kong | 2015 |  | 1080p"},
    {"第一滴血.First.Blood.1982.1080p.BluRay.mkv", "第一滴血 | First Blood | 1982 | BluRay | 1080p"},
    {"爸爸去哪儿大电影.2014.HD.720p.mp4", "爸爸去哪儿大电影 |  | 2014 |  | 720p"},
    {"英雄国语中字.mkv", "英雄 |  |  |  | "},
    {"英雄2002国语中字.mp4", "英雄 |  | 2002 |  | "},
    {"速度与激情10国语.mkv", "速度与激情10 |  |  |  | "},
    {"[电影天堂www.dy2018.com]战狼2HD1080P国语中字.mp4", "战狼2 |  |  |  | 1080p"},
    {"[电影天堂www.dygod.net]哈利波特与魔法石BD中英双字.rmvb", "哈利波特与魔法石 |  |  | BluRay | "},
    {"英雄(国语版).mkv", "英雄 |  |  |  | "},
    {"[国语][英雄][高清].mp4", "英雄 |  |  |  | "},
    {"《霸王别姬》1993.国语.1080p.mkv", "霸王别姬 |  | 1993 |  | 1080p"},
    {"满城尽带黄金甲（2006）.DVDRip.rmvb", "满城尽带黄金甲 |  | 2006 | DVDRip | "},
    {"让子弹飞.2010.国英多音轨.特效字幕.1080p.mkv", "让子弹飞 |  | 2010 |  | 1080p"},
    {"让子弹飞【2010】【内封简繁】.mkv", "让子弹飞 |  | 2010 |  | "},
    {"甄嬛传.第01集.mp4", "甄嬛传 |  |  |  | "},
    {"Hero.2002.BluRay.1080p.x265.国粤双语.MNHD-FRDS.mkv", "Hero |  | 2002 | BluRay | 1080p"},
    {"The.Matrix.1999.1080p.BluRay.x264.中英字幕.mkv", "The Matrix |  | 1999 | BluRay | 1080p"},
    {"Full.River.Red.2023.2160p.WEB-DL.H265.AAC-高清影视之家.mkv", "Full River Red |  | 2023 | WEB-DL | 2160p"},
    {"千と千尋の神隠し.Spirited.Away.2001.1080p.BluRay.mkv", "Spirited Away |  | 2001 | BluRay | 1080p"},
    {"기생충.2019.1080p.BluRay.mkv", "기생충 |  | 2019 | BluRay | 1080p"},
    // Site names and addresses around the title.
    {"[BT天堂www.bttt99.com]英雄.BD.1080p.国语中字.mp4", "英雄 |  |  | BluRay | 1080p"},
    {"[电影天堂www.dytt89.com]流浪地球-2019_HD国语中字.mp4", "流浪地球 |  | 2019 |  | "},
    {"阳光电影www.ygdy8.com.长津湖.HD.1080p.国语中字.mkv", "长津湖 |  |  |  | 1080p"},
    {"电影天堂www.dy2018.com.误杀.HD.1080p.国语中字.mkv", "误杀 |  |  |  | 1080p"},
    {"[阳光电影www.ygdy8.com].唐人街探案3.HD.1080p.国语中字.mkv", "唐人街探案3 |  |  |  | 1080p"},
    {"【高清影视之家发布 www.HDBTHD.com】满江红[60帧率版本][国语配音+中文字幕].Full.River.Red.2023.2160p.mkv", "满江红 | Full River Red | 2023 |  | 2160p"},
    {"www.example.com@英雄.2002.BD1080P.mkv", "英雄 |  | 2002 | BluRay | 1080p"},
    {"飘花电影piaohua.com英雄.BD1080p.mkv", "英雄 |  |  | BluRay | 1080p"},
    {"bttt99.com.英雄.mkv", "英雄 |  |  |  | "},
    {"[BD影视分享bd2020.co]流浪地球2.2023.HD1080p.国语中字.mp4", "流浪地球2 |  | 2023 |  | 1080p"},
    {"【BT之家】英雄.2002.mkv", "英雄 |  | 2002 |  | "},
    {"[YTS.MX] Some Film (2012) [1080p] [BluRay].mp4", "Some Film |  | 2012 | BluRay | 1080p"},
    {"The.Net.1995.1080p.BluRay.mkv", "The Net |  | 1995 | BluRay | 1080p"},
    {"Kill.Me.Three.Times.2014.720p.mkv", "Kill Me Three Times |  | 2014 |  | 720p"},
    // Numbers as titles, beside years.
    {"2012.2009.1080p.BluRay.x264.mkv", "2012 |  | 2009 | BluRay | 1080p"},
    {"1917.2019.1080p.BluRay.x264-SPARKS.mkv", "1917 |  | 2019 | BluRay | 1080p"},
    {"1917.1080p.BluRay.mkv", "1917 |  |  | BluRay | 1080p"},
    {"2046.2004.BD1080P.国语中字.mkv", "2046 |  | 2004 | BluRay | 1080p"},
    {"2046.mkv", "2046 |  |  |  | "},
    {"Blade.Runner.2049.2017.1080p.BluRay.x264.mkv", "Blade Runner 2049 |  | 2017 | BluRay | 1080p"},
    {"21.Jump.Street.2012.720p.BluRay.x264.mkv", "21 Jump Street |  | 2012 | BluRay | 720p"},
    {"2001.A.Space.Odyssey.1968.1080p.BluRay.x264.mkv", "2001 A Space Odyssey |  | 1968 | BluRay | 1080p"},
    {"Se7en.1995.REMASTERED.1080p.BluRay.x264.mkv", "Se7en |  | 1995 | BluRay | 1080p"},
    {"300.2006.1080p.BluRay.x264.mkv", "300 |  | 2006 | BluRay | 1080p"},
    {"Toy.Story.3.2010.720p.BluRay.mkv", "Toy Story 3 |  | 2010 | BluRay | 720p"},
    {"Ocean's.8.2018.1080p.WEB-DL.mkv", "Ocean's 8 |  | 2018 | WEB-DL | 1080p"},
    {"Jackass.2.5.2007.DVDRip.avi", "Jackass 2.5 |  | 2007 | DVDRip | "},
    {"2 Fast 2 Furious (2003).mkv", "2 Fast 2 Furious |  | 2003 |  | "},
    {"2019.Joker.1080p.mkv", "Joker |  | 2019 |  | 1080p"},
    // Western scene, web and library names.
    {"The.Grand.Budapest.Hotel.2014.720p.BluRay.x264-SPARKS.mkv", "The Grand Budapest Hotel |  | 2014 | BluRay | 720p"},
    {"Movie Name (2010) [1080p].mkv", "Movie Name |  | 2010 |  | 1080p"},
    {"movie_name_2010_720p.mkv", "movie name |  | 2010 |  | 720p"},
    {"Movie.Name.2010.DVDRip.XviD-GRP.avi", "Movie Name |  | 2010 | DVDRip | "},
    {"Movie Name 2010 1080p WEB-DL DD5.1 H264-FGT.mkv", "Movie Name |  | 2010 | WEB-DL | 1080p"},
    {"Ocean's.Eleven.2001.1080p.BluRay.x264.mkv", "Ocean's Eleven |  | 2001 | BluRay | 1080p"},
    {"Fast.&.Furious.2009.720p.BluRay.mkv", "Fast & Furious |  | 2009 | BluRay | 720p"},
    {"Crazy,.Stupid,.Love.2011.1080p.BluRay.mkv", "Crazy, Stupid, Love |  | 2011 | BluRay | 1080p"},
    {"Mission.Impossible-Fallout.2018.2160p.UHD.BluRay.x265-TERMiNAL.mkv", "Mission Impossible-Fallout |  | 2018 | BluRay | 2160p"},
    {"the.matrix.1999.1080p.bluray.x264-group.mkv", "the matrix |  | 1999 | BluRay | 1080p"},
    {"Harry.Potter.and.the.Deathly.Hallows.Part.2.2011.1080p.BluRay.mkv", "Harry Potter and the Deathly Hallows Part 2 |  | 2011 | BluRay | 1080p"},
    {"Star.Wars.Episode.VII.-.The.Force.Awakens.2015.1080p.BluRay.mkv", "Star Wars Episode VII The Force Awakens |  | 2015 | BluRay | 1080p"},
    {"Léon.aka.The.Professional.1994.1080p.mkv", "Léon |  | 1994 |  | 1080p"},
    {"Dune.Part.Two.2024.2160p.WEB-DL.DDP5.1.Atmos.DV.HDR.H.265-FLUX.mkv", "Dune Part Two |  | 2024 | WEB-DL | 2160p"},
    {"Oppenheimer.2023.IMAX.2160p.UHD.BluRay.REMUX.DV.HDR10+.TrueHD.7.1.Atmos-FGT.mkv", "Oppenheimer |  | 2023 | BluRay | 2160p"},
    {"Top.Gun.Maverick.2022.1080p.AMZN.WEB-DL.DDP5.1.H.264-CMRG.mkv", "Top Gun Maverick |  | 2022 | WEB-DL | 1080p"},
    {"The.Batman.2022.1080p.HMAX.WEBRip.DDP5.1.Atmos.x264-SMURF.mkv", "The Batman |  | 2022 | WEBRip | 1080p"},
    {"Blade.Runner.1982.The.Final.Cut.REMASTERED.1080p.BluRay.mkv", "Blade Runner |  | 1982 | BluRay | 1080p"},
    {"Apocalypse.Now.1979.Directors.Cut.720p.BluRay.mkv", "Apocalypse Now |  | 1979 | BluRay | 720p"},
    {"Alien (1979) Director's Cut (1080p BluRay x265 10bit).mkv", "Alien |  | 1979 | BluRay | 1080p"},
    {"[SweetSub] Your Name (2016) [BD 1080p HEVC FLAC].mkv", "Your Name |  | 2016 | BluRay | 1080p"},
    {"Movie.Name.2010.1080p.BluRay.x264-GROUP[rarbg].mkv", "Movie Name |  | 2010 | BluRay | 1080p"},
    {"Movie Name (2010 1080p BluRay).mkv", "Movie Name |  | 2010 | BluRay | 1080p"},
    {"Movie.Name.2010.R5.LINE.XviD-Group.avi", "Movie Name |  | 2010 |  | "},
    {"The.Town.TS.XviD-GRP.avi", "The Town |  |  |  | "},
    {"Some.Show.S01E01.Pilot.1080p.WEB-DL.mkv", "Some Show |  |  | WEB-DL | 1080p"},
    {"Some Film - 2012 - 1080p.mkv", "Some Film |  | 2012 |  | 1080p"},
    {"some-film-2012-720p-bluray.mkv", "some film |  | 2012 | BluRay | 720p"},
    {"Some.Film.2012.zh-CN.ass", "Some Film |  | 2012 |  | "},
    {"Some Film.MKV", "Some Film |  |  |  | "},
    // Words that are also tags: a title before the year, a tag after it or before another tag.
    {"Charlotte's.Web.2006.1080p.BluRay.mkv", "Charlotte's Web |  | 2006 | BluRay | 1080p"},
    {"Uncut.Gems.2019.1080p.WEBRip.x264.mkv", "Uncut Gems |  | 2019 | WEBRip | 1080p"},
    {"Johnny.English.2003.720p.BluRay.mkv", "Johnny English |  | 2003 | BluRay | 720p"},
    {"Step.Up.3D.2010.1080p.BluRay.Half-SBS.mkv", "Step Up 3D |  | 2010 | BluRay | 1080p"},
    {"Ma.Rainey's.Black.Bottom.2020.1080p.NF.WEB-DL.mkv", "Ma Rainey's Black Bottom |  | 2020 | WEB-DL | 1080p"},
    {"Avatar.2009.EXTENDED.3D.HSBS.1080p.BluRay.mkv", "Avatar |  | 2009 | BluRay | 1080p"},
    {"Avatar.EXTENDED.1080p.BluRay.x264.mkv", "Avatar |  |  | BluRay | 1080p"},
    {"Heat.1995.WEB.1080p.mkv", "Heat |  | 1995 | WEB-DL | 1080p"},
    {"Some.Film.2012.MULTi.SUBBED.CHS.ENG.720p.mkv", "Some Film |  | 2012 |  | 720p"},
    // Every way of writing a source and a resolution.
    {"A.2015.PROPER.REPACK.720p.HDTV.x264.mkv", "A |  | 2015 | HDTV | 720p"},
    {"A.2005.HR-HDTV.AC3.1024X576.x264.mkv", "A |  | 2005 | HDTV | 576p"},
    {"A.2005.PDTV.XviD.avi", "A |  | 2005 | HDTV | "},
    {"A.2005.DVD.480p.avi", "A |  | 2005 | DVDRip | 480p"},
    {"A.2012.HDRip.XviD.AC3.avi", "A |  | 2012 | HDRip | "},
    {"A.2012.BRRip.720p.mkv", "A |  | 2012 | BluRay | 720p"},
    {"A.2012.BDRip.576p.mkv", "A |  | 2012 | BluRay | 576p"},
    {"A.2012.Blu-ray.1080i.AVC.mkv", "A |  | 2012 | BluRay | 1080p"},
    {"A.2012.BDRemux.1080p.mkv", "A |  | 2012 | BluRay | 1080p"},
    {"A.2012.4K.WEBDL.mkv", "A |  | 2012 | WEB-DL | 2160p"},
    {"A.2012.UHD.WEB-Rip.mkv", "A |  | 2012 | WEBRip | 2160p"},
    {"A.2012.1920x1080.WEB.H264.mkv", "A |  | 2012 | WEB-DL | 1080p"},
    {"A.2012.60fps.HQ.1080P.WEB-DL.mkv", "A |  | 2012 | WEB-DL | 1080p"},
    // Words that qualify the release at the title's end, tags before the title, groups glued to it.
    {"Brazil_Criterion_Edition_(1985).CD2.avi", "Brazil |  | 1985 |  | "},
    {"Suicide Squad EXTENDED (2016) 2160p UHD Blu-Ray x265 -DDR", "Suicide Squad |  | 2016 | BluRay | 2160p"},
    {"Alien DC (1979) [1080p]", "Alien |  | 1979 |  | 1080p"},
    {"The.Dark.Knight.IMAX.EDITION.HQ.BluRay.1080p.x264", "The Dark Knight |  |  | BluRay | 1080p"},
    {"Hardwired.STV.NFOFiX.FRENCH.DVDRiP.XviD-SURViVAL", "Hardwired |  |  | DVDRip | "},
    {"Die.Schluempfe.2.German.DL.1080p.BluRay.x264-EXQUiSiTE.mkv", "Die Schluempfe 2 |  |  | BluRay | 1080p"},
    {"Alien.Director.Cut.Ita.Eng.VP9.Opus.AlphaBot.webm", "Alien |  |  |  | "},
    {"The.Final.Cut.2004.DVDRip.avi", "The Final Cut |  | 2004 | DVDRip | "},
    {"[h265 - HEVC] Riddick Unrated Director Cut French [1080p DTS].mkv", "Riddick |  |  |  | 1080p"},
    {"ulshd-the.right.stuff.1983.multi.1080p.bluray.x264.mkv", "the right stuff |  | 1983 | BluRay | 1080p"},
    {"www.1TamilMV.ink - Leo (2023) Tamil HQ HDRip - 1080p.mkv", "Leo |  | 2023 | HDRip | 1080p"},
    {"Gravity (CamRip / 2013)", "Gravity |  | 2013 |  | "},
    {"Captain.America.Civil.War.HDR.1080p.HEVC.BT.2020-GRP", "Captain America Civil War |  |  |  | 1080p"},
    {"Das.Appartement.GERMAN.AC3D.DL.720p.BluRay.x264-TVP", "Das Appartement |  |  | BluRay | 720p"},
    {"Alexander.Revisited.The.Final.Cut.2004.1080p", "Alexander Revisited |  | 2004 |  | 1080p"},
    {"The.Convert.2023.1080p.WEB-DL.mkv", "The Convert |  | 2023 | WEB-DL | 1080p"},
    {"Name.BRRipMux.720p", "Name |  |  | BluRay | 720p"},
    {"Kill Bill - Vol. 2 (2004) 1080p", "Kill Bill Vol 2 |  | 2004 |  | 1080p"},
    // Fansub and bracketed names: group, category brackets, titles parted by slashes, episodes.
    {"[GM-Team][国漫][寻剑 第1季][Sword Quest][2002][02][AVC][GB][1080P].mp4", "寻剑 | Sword Quest | 2002 |  | 1080p"},
    {"[喵萌奶茶屋&LoliHouse] 金装的薇尔梅 / Kinsou no Vermeil - 01 [WebRip 1080p].mkv", "金装的薇尔梅 | Kinsou no Vermeil |  | WEBRip | 1080p"},
    {"[云歌字幕组][7月新番][欢迎来到实力至上主义的教室 第二季][01][1080p][简体中文].mp4", "欢迎来到实力至上主义的教室 |  |  |  | 1080p"},
    {"[DBD-Raws][龙珠Z/Dragon Ball Z/ドラゴンボールZ][001][1080P][BDRip].mkv", "龙珠Z | Dragon Ball Z |  | BluRay | 1080p"},
    {"【神帆字幕组】【名侦探柯南】【第783集-绯色的真相】【1080P】.mp4", "名侦探柯南 |  |  |  | 1080p"},
    {"[SubsPlease] Jujutsu Kaisen - 24 (1080p) [A1B2C3D4].mkv", "Jujutsu Kaisen |  |  |  | 1080p"},
    {"【BT乐园】流浪地球2.2023.HD1080P.国语中字.mp4", "流浪地球2 |  | 2023 |  | 1080p"},
    {"2012世界末日.2009.BD1080P.中英双字.mkv", "2012世界末日 |  | 2009 | BluRay | 1080p"},
    {"[诛仙][Jade Dynasty][2022][WEB-DL][2160][TV 04].mkv", "诛仙 | Jade Dynasty | 2022 | WEB-DL | "},
    {"[霸王别姬][张国荣].1993.mkv", "霸王别姬 |  | 1993 |  | "},
    {"[电影][铃芽之旅][Suzume][2022][BDRip][1080P].mkv", "铃芽之旅 | Suzume | 2022 | BluRay | 1080p"},
    {"新精武门1991 (1991).mkv", "新精武门1991 |  | 1991 |  | "},
    {"哆啦A梦：大雄的宇宙小战争 2021 (2022) - 1080p.mp4", "哆啦A梦：大雄的宇宙小战争 2021 |  | 2022 |  | 1080p"},
    // The folders give what the file name lacks.
    {"/home/user/Videos/Blade Runner (1982)/movie.mkv", "Blade Runner |  | 1982 |  | "},
    {"/data/Movies/Blade.Runner.1982.1080p.BluRay.x264-GROUP/CD1.avi", "Blade Runner |  | 1982 | BluRay | 1080p"},
    {"/mnt/nas/Some.Film.2012.1080p.BluRay/BDMV/STREAM/00001.m2ts", "Some Film |  | 2012 | BluRay | 1080p"},
    {"/mnt/nas/英雄.Hero.2002.DVD/VIDEO_TS/VTS_01_1.VOB", "英雄 | Hero | 2002 | DVDRip | "},
    {"/srv/下载/电影/霸王别姬 (1993)/video.mp4", "霸王别姬 |  | 1993 |  | "},
    {"/srv/Downloads/Some Film (2012)/Disc1/film.mkv", "Some Film |  | 2012 |  | "},
    {"/srv/Movies/Inception (2010)/1.mp4", "Inception |  | 2010 |  | "},
    {"/srv/Movies/1917 (2019)/1917.mkv", "1917 |  | 2019 |  | "},
    {"/srv/Movies/Heat (1995)/Heat.CD2.avi", "Heat |  | 1995 |  | "},
    {"/srv/Movies/Inception (2010) 1080p/inception.mkv", "inception |  | 2010 |  | 1080p"},
    {"/srv/Movies/Collection 2010/Inception.mkv", "Inception |  |  |  | "},
    {"/srv/A.Film.2012.1080p.BluRay.x264/Sample/a.film.sample.mkv", "a film |  | 2012 | BluRay | 1080p"},
    {"/srv/A.Film.2012.1080p.BluRay.x264/Subs/English.srt", "A Film |  | 2012 | BluRay | 1080p"},
    {"/srv/电影/2023/满江红/满江红.2023.2160p.mkv", "满江红 |  | 2023 |  | 2160p"},
    {"Inception (2010)/movie.mkv", "Inception |  | 2010 |  | "},
    {"/m/Somewhere.2010.DVDRip.XviD-iLG/i-smwhr.avi", "Somewhere |  | 2010 | DVDRip | "},
    {"/m/Ne Zha 2 (2025)/nz2-2160p.mkv", "Ne Zha 2 |  | 2025 |  | 2160p"},
    {"/m/How.To.Be.Single.2016.1080p.BluRay-BLOW/blow-how.to.be.single.2016.mkv", "how to be single |  | 2016 | BluRay | 1080p"},
    {"/m/La Science des Rêves (2006)/La.Science.Des.Reves.FRENCH.DVDRip.avi", "La Science Des Reves |  | 2006 | DVDRip | "},
    {"/电影/霸王别姬 (1993)/Farewell.My.Concubine.1993.1080p.mkv", "霸王别姬 | Farewell My Concubine | 1993 |  | 1080p"},
    {"/电影/满江红.Full.River.Red.2023.WEB-DL/Full.River.Red.2023.1080p.mkv", "满江红 | Full River Red | 2023 | WEB-DL | 1080p"},
    {"/下载/流浪地球2.The.Wandering.Earth.II.2023.WEB-DL/tWE2.2160p.mkv", "流浪地球2 | The Wandering Earth II | 2023 | WEB-DL | 2160p"},

    {"/home/user/movie.mkv", " |  |  |  | "},
    {"/home/user/Videos/2046.mkv", "2046 |  |  |  | "},
    {"BDMV/STREAM/00001.m2ts", " |  |  |  | "},
    {"1.mp4", " |  |  |  | "},
    // Names with nothing to read, or broken bytes.
    {"", " |  |  |  | "},
    {"/", " |  |  |  | "},
    {"....mkv", " |  |  |  | "},
    {"[]【】()（）.mkv", " |  |  |  | "},
    {"1080p.BluRay.x264.mkv", " |  |  | BluRay | 1080p"},
    {"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD.Hero.2002.mkv", "Hero |  | 2002 |  | "},
    {"\xEF\xBF\xBD\xEF\xBF\xBD.2002.BD.mkv", " |  | 2002 | BluRay | "},
    {"\xF0\x9F\x98\x80Some.Film\xF0\x9F\x98\x80.2012.mkv", "Some Film |  | 2012 |  | "},
};
// clang-format on

TEST(ReleaseName, ReadsTitleYearSourceAndResolution) {
    for (const Row& row : kRows) {
        EXPECT_EQ(describe(parseReleaseName(QString::fromUtf8(row.path))), row.expected)
            << row.path;
    }
}

TEST(ReleaseName, ReadsSeasonEpisodeAndGroup) {
    // name -> episode label | group
    const std::pair<const char*, const char*> rows[] = {
        {"Some.Show.S01E02.1080p.WEB-DL-OurTV.mkv", "S01E02 | OurTV"},
        {"Some.Show.S01.E02.mkv", "S01E02 | "},
        {"Some.Show.1x02.mkv", "S01E02 | "},
        {"繁花.EP02.2023.4K.国语中字.mp4", "E02 | "},
        {"庆余年.第二季.第3集.mp4", "S02E03 | "},
        {"庆余年第二季第3集.mp4", "S02E03 | "},
        {"一夜新娘 - S02E07 - 第 7 集.mp4", "S02E07 | "},
        {"[ANi] 我独自升级 - 01 [1080P][Baha].mp4", "E01 | ANi"},
        {"[织梦字幕组][鬼灭之刃][05集][1080P].mp4", "E05 | "},
        {"[诛仙][Jade Dynasty][2022][WEB-DL][TV 04][LeagueWEB].mkv", "E04 | "},
        {"[VCB-Studio] Violet Evergarden [01-13][Ma10p_1080p].mkv", " | VCB-Studio"},
        {"Show.S01E01E02.720p.HDTV.mkv", " | "},
        {"The Heart of Genius E13-14 2022 1080p WEB-DL H264 AAC", " | "},
        {"[1080P][DBD制作组&离谱Sub][龙珠GT][特典映像][01][HEVC-10bit].mkv",
         "E01 | DBD制作组&离谱 Sub"},
        {"fgt-the.lobster.2015.1080p.bluray.x264.mkv", " | fgt"},
        {"Some Film - 2012 - 1080p.mkv", " | "},
        {"Toy.Story.3.2010.720p.BluRay.mkv", " | "},
    };
    for (const auto& [path, expected] : rows) {
        const ReleaseName name = parseReleaseName(QString::fromUtf8(path));
        EXPECT_EQ((episodeLabel(name) + u" | "_s + name.group).toStdString(), expected) << path;
    }
}

TEST(ReleaseName, SurvivesHugeAndBrokenNames) {
    const QString huge = QStringLiteral("英雄.Hero.2002.").repeated(10000) + QStringLiteral(".mkv");
    EXPECT_EQ(parseReleaseName(huge).keyword, QStringLiteral("英雄"));
    QString broken;
    for (char16_t unit = 0; unit < 0x3000; unit += 7) {
        broken += QChar(unit);  // controls, brackets, dots, dashes, slashes
    }
    broken += QChar(0xD800);  // a lone surrogate
    for (const QString& path : {broken, broken.repeated(50), QString(100000, u'/'),
                                QString(100000, u'[') + QString(100000, u'.')}) {
        parseReleaseName(path);
    }
}

TEST(ReleaseName, VideoFilesOnTheCommandLineAndInResults) {
    const ReleaseName video = parseReleaseName(u"英雄.Hero.2002.BD.1080p.mkv"_s);
    for (const auto& [text, carries] : {std::pair{u"Hero.2002.BluRay.1080p.x264-GRP"_s, true},
                                        {u"英雄 BD-1080P 国语"_s, true},
                                        {u"Hero.2002.Blu-ray.1080p"_s, true},
                                        {u"蓝光1080p.bdrip"_s, true},
                                        {u"Hero.2002.WEB-DL.1080p"_s, false},
                                        {u"Hero.2002.BluRay.720p"_s, false},
                                        {u"Hero.2002.BluRay.10800p"_s, false}}) {
        EXPECT_EQ(carriesRelease(text, video), carries) << text.toStdString();
    }
    EXPECT_FALSE(carriesRelease(u"BluRay 1080p"_s, parseReleaseName(u"Hero.mkv"_s)));
    const ReleaseName episode = parseReleaseName(u"Show.S01E02.1080p.WEB-DL.mkv"_s);
    EXPECT_TRUE(carriesRelease(u"Show.S01E02.WEB-DL.1080p"_s, episode));
    EXPECT_FALSE(carriesRelease(u"Show.S01E03.WEB-DL.1080p"_s, episode));
    EXPECT_FALSE(carriesRelease(u"Show.S01.WEB-DL.1080p"_s, episode));
    EXPECT_EQ(keywordLine(video), u"英雄\tHero\t2002\tBluRay\t1080p\t"_s);
    EXPECT_EQ(videoPathFromArgument("file:///v/%E8%8B%B1%E9%9B%84%20x.mkv"), u"/v/英雄 x.mkv"_s);
    EXPECT_EQ(videoPathFromArgument("/v/\xB2\xE2.mkv"), QFile::decodeName("/v/\xB2\xE2.mkv"));
}

TEST(ReleaseName, RanksSubtitlesAgainstTheVideo) {
    ReleaseName video;
    video.group = u"OurTV"_s;
    video.source = u"WEB-DL"_s;
    video.resolution = u"1080p"_s;
    ReleaseName other = video;
    EXPECT_EQ(releaseFit(video, other), 7);
    other.group = u"ourtv"_s;
    other.resolution = u"720p"_s;
    EXPECT_EQ(releaseFit(video, other), 6);
    other.group.clear();
    EXPECT_EQ(releaseFit(video, other), 2);
    video.season = 1;
    video.episode = 2;
    other.episode = 2;
    EXPECT_EQ(releaseFit(video, other), 10);
    other.season = 2;
    EXPECT_EQ(releaseFit(video, other), -1);
    other.season = -1;
    other.episode = 3;
    EXPECT_EQ(releaseFit(video, other), -1);
    other.episode = -1;
    EXPECT_EQ(releaseFit(video, other), 2);
    EXPECT_FALSE(sameEpisode(video, other));
}

}  // namespace
}  // namespace vantrel
