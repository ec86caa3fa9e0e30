#pragma once

// A conforming XML parser as the reference for well-formedness, for the tests and the fuzzer
// only: the program itself never links it.
#include <libxml/parser.h>

#include <QString>
#include <QStringView>

#include <memory>

namespace vantrel::test {

// Whether the reference parser finds the text well-formed, namespaces included. Nothing is
// fetched, no DTD loaded, no entity substituted, the declared encoding ignored, no limit applied.
inline bool oracleFindsWellFormed(QStringView text) {
    const QByteArray utf8 = text.toUtf8();
    if (utf8.contains('\0')) {
        return false;  // XML forbids U+0000; the reference parser takes it for the end of the text
    }
    const std::unique_ptr<xmlParserCtxt, void (*)(xmlParserCtxtPtr)> context(xmlNewParserCtxt(),
                                                                             xmlFreeParserCtxt);
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_HUGE |
                        XML_PARSE_IGNORE_ENC;
    xmlDocPtr document = xmlCtxtReadMemory(context.get(), utf8.constData(), int(utf8.size()),
                                           nullptr, "UTF-8", options);
    const bool wellFormed = document && context->wellFormed && context->nsWellFormed;
    xmlFreeDoc(document);
    return wellFormed;
}

// A document type is where our loader and the reference may rightly differ: ours refuses internal
// subsets and references to entities it never reads, which the reference accepts when a DTD may
// declare them. There only our acceptance must imply the reference's.
inline bool hasDocumentType(QStringView text) {
    return text.contains(u"<!DOCTYPE");
}

}  // namespace vantrel::test
