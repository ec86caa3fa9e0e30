#pragma once

// Helpers of the sample-site tests: a small catalogue written in place, and a reader that
// turns a rendered page back into its records.
#include "sample-site/catalogue.h"

#include <QString>
#include <QXmlStreamReader>

#include <map>
#include <string>
#include <vector>

namespace vantrel::site::testing {

inline std::string catalogueLine(const std::string& id, const std::string& fileName,
                                 const std::string& chName) {
    return id + "\t" + fileName + "\tSRT\t简体中文\tBluRay.1080p.x264\t1\t" + chName +
           "\t2020-01-02 03:04:05\n";
}

// 45 Avatar subtitles (a0000 ... a0044), then a few others.
inline Catalogue smallCatalogue() {
    std::string text = "# fileid\tfilename\t...\n";
    for (int i = 0; i < 45; ++i) {
        const std::string number = std::to_string(10000 + i).substr(1);
        text += catalogueLine("a" + number, "Avatar.2009.part" + number + ".srt",
                              "阿凡达 Avatar (2009)");
    }
    text += catalogueLine("hp1234", "Harry.Potter.srt", "哈利·波特与魔法石");
    text += catalogueLine("tg12345", "Top.Gun.1986.srt", "壮志凌云 Top Gun");
    text += catalogueLine("ss123", "Salt.&.Sugar.<Cut>.srt", "盐与糖 Salt & Sugar <导演剪辑版>");
    text += catalogueLine("pc100", "100%.Wolf.srt", "百分百狼 100% Wolf");
    text += catalogueLine("qq100", "Really.srt", "真的吗? Really?");
    return Catalogue::parse(text);
}

using Record = std::map<QString, QString>;

// The <subrief> records of a page, each as element name -> text. Fails the reading (returns
// false) when the page is not well-formed XML.
inline bool readRecords(const std::string& page, std::vector<Record>& records) {
    QXmlStreamReader xml(QByteArray::fromStdString(page));
    Record* current = nullptr;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("subrief")) {
            records.emplace_back();
            current = &records.back();
        } else if (xml.isStartElement() && current != nullptr) {
            (*current)[xml.name().toString()] = xml.readElementText();
        } else if (xml.isEndElement() && xml.name() == QLatin1String("subrief")) {
            current = nullptr;
        }
    }
    return !xml.hasError();
}

}  // namespace vantrel::site::testing
