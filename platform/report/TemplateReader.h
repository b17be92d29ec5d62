#pragma once

#include "ReportTemplate.h"

#include <QSet>
#include <QXmlStreamReader>

namespace report {

// Reads the XML template format into a ReportTemplate. Every fault is reported
// with the file name and line; unknown elements and attributes are faults too,
// so a typing error in a hand-edited template does not pass unnoticed.
class TemplateReader {
public:
    TemplateReader(const QByteArray& xml, const QString& fileName, const QString& baseDir);
    ReportTemplate read();

private:
    [[noreturn]] void fail(const QString& what) const;
    [[noreturn]] void fail(int line, const QString& what) const;
    QString attr(const char* name, const QString& fallback = {});
    double number(const char* name, double fallback);
    bool flag(const char* name, bool fallback);
    Expression expression(const char* name);
    void checkAttributes();
    void skipToEnd();

    void readReport();
    void readPage(PageSettings& page);
    void readFont(QFont& font);
    void readSection(SectionSpec& section);
    void readGroup(SectionSpec& section);
    void readDetail(DetailSpec& detail);
    void readBand(Band& band, const QFont& font);
    void readObject(Band& band, const QFont& font);
    QFont objectFont(const QFont& base);

    QXmlStreamReader m_xml;
    QString m_fileName;
    QString m_baseDir;
    QSet<QString> m_used;
    QFont m_defaultFont;
    ReportTemplate m_result;
};

} // namespace report
