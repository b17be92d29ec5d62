#include "TemplateReader.h"

#include "ReportError.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace report {

TemplateReader::TemplateReader(const QByteArray& xml, const QString& fileName,
                               const QString& baseDir)
    : m_xml(xml), m_fileName(fileName), m_baseDir(baseDir) {
    m_defaultFont = QFont(QStringLiteral("DejaVu Sans"));
    m_defaultFont.setPointSizeF(9);
    m_defaultFont.setHintingPreference(QFont::PreferNoHinting);
}

void TemplateReader::fail(const QString& what) const {
    fail(int(m_xml.lineNumber()), what);
}

void TemplateReader::fail(int line, const QString& what) const {
    throw ReportError(QStringLiteral("%1:%2: %3").arg(m_fileName).arg(line).arg(what));
}

QString TemplateReader::attr(const char* name, const QString& fallback) {
    const QString key = QString::fromLatin1(name);
    m_used.insert(key);
    const auto attrs = m_xml.attributes();
    return attrs.hasAttribute(key) ? attrs.value(key).toString() : fallback;
}

double TemplateReader::number(const char* name, double fallback) {
    const QString text = attr(name);
    if (text.isEmpty())
        return fallback;
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || v < -10000 || v > 10000)
        fail(QStringLiteral("attribute %1=\"%2\" is not a number of millimetres or points")
                 .arg(QString::fromLatin1(name), text));
    return v;
}

bool TemplateReader::flag(const char* name, bool fallback) {
    const QString text = attr(name).trimmed().toLower();
    if (text.isEmpty())
        return fallback;
    if (text == u"true" || text == u"yes" || text == u"1")
        return true;
    if (text == u"false" || text == u"no" || text == u"0")
        return false;
    fail(QStringLiteral("attribute %1=\"%2\" must be true or false")
             .arg(QString::fromLatin1(name), text));
}

Expression TemplateReader::expression(const char* name) {
    const QString text = attr(name);
    if (text.trimmed().isEmpty())
        return {};
    try {
        return Expression::parse(text);
    } catch (const ReportError& e) {
        fail(e.message());
    }
}

void TemplateReader::checkAttributes() {
    for (const auto& a : m_xml.attributes()) {
        if (!m_used.contains(a.name().toString()))
            fail(QStringLiteral("unknown attribute '%1' on <%2>")
                     .arg(a.name().toString(), m_xml.name().toString()));
    }
    m_used.clear();
}

void TemplateReader::skipToEnd() {
    while (m_xml.readNextStartElement())
        fail(QStringLiteral("unexpected element <%1>").arg(m_xml.name().toString()));
    if (m_xml.hasError())
        fail(m_xml.errorString());
}

ReportTemplate TemplateReader::read() {
    if (!m_xml.readNextStartElement()) {
        fail(m_xml.hasError() ? m_xml.errorString() : QStringLiteral("the file is empty"));
    }
    if (m_xml.name() != u"report")
        fail(QStringLiteral("the root element must be <report>, not <%1>")
                 .arg(m_xml.name().toString()));
    readReport();
    if (m_xml.hasError())
        fail(m_xml.errorString());
    if (m_result.m_d->sections.empty())
        fail(QStringLiteral("the report has no <section>"));
    return m_result;
}

void TemplateReader::readReport() {
    auto& d = *m_result.m_d;
    d.fileName = m_fileName;
    d.name = attr("name", QFileInfo(m_fileName).fileName().section(u'.', 0, 0));
    checkAttributes();
    while (m_xml.readNextStartElement()) {
        const auto name = m_xml.name();
        if (name == u"page") {
            readPage(d.page);
        } else if (name == u"font") {
            readFont(m_defaultFont);
            skipToEnd();
        } else if (name == u"section") {
            d.sections.emplace_back();
            readSection(d.sections.back());
        } else {
            fail(QStringLiteral("unknown element <%1> in <report>").arg(name.toString()));
        }
    }
}

void TemplateReader::readPage(PageSettings& page) {
    const QString size = attr("size", QStringLiteral("A4")).trimmed();
    if (size.compare(u"a4", Qt::CaseInsensitive) == 0)
        page.pageSize = QPageSize(QPageSize::A4);
    else if (size.compare(u"folio", Qt::CaseInsensitive) == 0)
        page.pageSize = PageSettings::folio();
    else
        fail(QStringLiteral("page size \"%1\" is not A4 or Folio").arg(size));
    const QString orientation = attr("orientation", QStringLiteral("portrait")).toLower();
    if (orientation == u"portrait")
        page.orientation = QPageLayout::Portrait;
    else if (orientation == u"landscape")
        page.orientation = QPageLayout::Landscape;
    else
        fail(QStringLiteral("orientation \"%1\" is not portrait or landscape").arg(orientation));
    const double all = number("margin", 10);
    page.margins = QMarginsF(number("left", all), number("top", all), number("right", all),
                             number("bottom", all));
    const QString watermark = attr("watermark");
    if (!watermark.isEmpty()) {
        try {
            page.watermark = TextTemplate::parse(watermark);
        } catch (const ReportError& e) {
            fail(e.message());
        }
    }
    checkAttributes();
    skipToEnd();
}

void TemplateReader::readFont(QFont& font) {
    const QString family = attr("family");
    if (!family.isEmpty())
        font.setFamily(family);
    const double size = number("size", font.pointSizeF());
    if (size <= 0 || size > 400)
        fail(QStringLiteral("font size %1 is out of range").arg(size));
    font.setPointSizeF(size);
    font.setBold(flag("bold", font.bold()));
    font.setItalic(flag("italic", font.italic()));
    font.setUnderline(flag("underline", font.underline()));
    checkAttributes();
}

void TemplateReader::readSection(SectionSpec& section) {
    section.dataset = attr("dataset");
    checkAttributes();
    while (m_xml.readNextStartElement()) {
        const auto name = m_xml.name();
        if (name == u"title")
            readBand(section.title, m_defaultFont);
        else if (name == u"pageHeader")
            readBand(section.pageHeader, m_defaultFont);
        else if (name == u"columnHeader")
            readBand(section.columnHeader, m_defaultFont);
        else if (name == u"group")
            readGroup(section);
        else if (name == u"data")
            readBand(section.data, m_defaultFont);
        else if (name == u"detail") {
            section.details.emplace_back();
            readDetail(section.details.back());
        } else if (name == u"summary")
            readBand(section.summary, m_defaultFont);
        else if (name == u"pageFooter")
            readBand(section.pageFooter, m_defaultFont);
        else
            fail(QStringLiteral("unknown element <%1> in <section>").arg(name.toString()));
    }
    if (section.dataset.isEmpty() && (section.data.present || !section.groups.empty()))
        fail(QStringLiteral("a section with <data> or <group> needs a dataset attribute"));
}

void TemplateReader::readGroup(SectionSpec& section) {
    const size_t index = section.groups.size();
    section.groups.emplace_back();
    {
        GroupSpec& g = section.groups.back();
        g.name = attr("name", QStringLiteral("Group%1").arg(index + 1));
        g.key = expression("by");
        if (g.key.isNull())
            fail(QStringLiteral("<group> needs a by=\"[dataset.Field]\" attribute"));
        g.outline = expression("outline");
        g.newPage = flag("newPage", false);
        g.keepTogether = flag("keepTogether", true);
        g.repeatHeader = flag("repeatHeader", false);
        checkAttributes();
    }
    bool inner = false;
    while (m_xml.readNextStartElement()) {
        const auto name = m_xml.name();
        if (name == u"header") {
            readBand(section.groups[index].header, m_defaultFont);
        } else if (name == u"footer") {
            readBand(section.groups[index].footer, m_defaultFont);
        } else if (name == u"group") {
            if (inner)
                fail(QStringLiteral("a group holds one inner group"));
            inner = true;
            readGroup(section);
        } else if (name == u"data") {
            readBand(section.data, m_defaultFont);
        } else if (name == u"detail") {
            section.details.emplace_back();
            readDetail(section.details.back());
        } else {
            fail(QStringLiteral("unknown element <%1> in <group>").arg(name.toString()));
        }
    }
}

void TemplateReader::readDetail(DetailSpec& detail) {
    detail.dataset = attr("dataset");
    detail.key = attr("key");
    detail.masterKey = attr("masterKey", detail.key);
    if (detail.dataset.isEmpty() || detail.key.isEmpty())
        fail(QStringLiteral("<detail> needs dataset and key attributes"));
    checkAttributes();
    while (m_xml.readNextStartElement()) {
        const auto name = m_xml.name();
        if (name == u"header")
            readBand(detail.header, m_defaultFont);
        else if (name == u"data")
            readBand(detail.data, m_defaultFont);
        else if (name == u"footer")
            readBand(detail.footer, m_defaultFont);
        else
            fail(QStringLiteral("unknown element <%1> in <detail>").arg(name.toString()));
    }
}

void TemplateReader::readBand(Band& band, const QFont& font) {
    if (band.present)
        fail(QStringLiteral("<%1> appears twice").arg(m_xml.name().toString()));
    band.present = true;
    band.sourceLine = int(m_xml.lineNumber());
    band.height = number("height", 5);
    if (band.height < 0)
        fail(QStringLiteral("a band height cannot be negative"));
    band.stretch = flag("stretch", false);
    band.visible = expression("visible");
    checkAttributes();
    while (m_xml.readNextStartElement())
        readObject(band, font);
}

QFont TemplateReader::objectFont(const QFont& base) {
    QFont f = base;
    const QString family = attr("family");
    if (!family.isEmpty())
        f.setFamily(family);
    const double size = number("size", f.pointSizeF());
    if (size <= 0 || size > 400)
        fail(QStringLiteral("font size %1 is out of range").arg(size));
    f.setPointSizeF(size);
    f.setBold(flag("bold", f.bold()));
    f.setItalic(flag("italic", f.italic()));
    f.setUnderline(flag("underline", f.underline()));
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

static QColor parseColor(const QString& text, bool* ok) {
    const QColor c = QColor::fromString(text.trimmed());
    *ok = c.isValid();
    return c;
}

void TemplateReader::readObject(Band& band, const QFont& font) {
    ReportObject o;
    o.sourceLine = int(m_xml.lineNumber());
    const auto name = m_xml.name();
    o.visible = expression("visible");
    const auto readColor = [&](const char* key, QColor fallback) {
        const QString text = attr(key);
        if (text.isEmpty())
            return fallback;
        bool ok = false;
        const QColor c = parseColor(text, &ok);
        if (!ok)
            fail(QStringLiteral("%1=\"%2\" is not a colour").arg(QString::fromLatin1(key), text));
        return c;
    };
    o.color = readColor("color", Qt::black);
    if (name == u"line") {
        o.type = ReportObject::Type::Line;
        o.line = QLineF(number("x1", 0), number("y1", 0), number("x2", 0), number("y2", 0));
        o.borderWidth = number("width", 0.2);
        checkAttributes();
        skipToEnd();
        band.objects.push_back(std::move(o));
        return;
    }
    o.rect = QRectF(number("x", 0), number("y", 0), number("width", 10), number("height", 5));
    if (o.rect.width() < 0 || o.rect.height() < 0)
        fail(QStringLiteral("width and height cannot be negative"));
    o.stretch = flag("stretch", true);
    if (name == u"rect") {
        o.type = ReportObject::Type::Rect;
        o.borderWidth = number("borderWidth", 0.2);
        o.fill = readColor("fill", QColor());
        o.borders = AllBorders;
        checkAttributes();
        skipToEnd();
    } else if (name == u"image") {
        o.type = ReportObject::Type::Image;
        o.keepAspect = flag("keepAspect", true);
        const QString file = attr("file");
        checkAttributes();
        const QString path = QDir(m_baseDir).filePath(file);
        if (file.isEmpty() || !o.image.load(path))
            fail(QStringLiteral("image file not found or unreadable: %1").arg(path));
        skipToEnd();
    } else if (name == u"text") {
        o.type = ReportObject::Type::Text;
        o.font = objectFont(font);
        o.wrap = flag("wrap", true);
        o.padding = number("padding", 0.6);
        o.borderWidth = number("borderWidth", 0.2);
        o.fill = readColor("fill", QColor());
        const QString align = attr("align", QStringLiteral("left")).toLower();
        const QString valign = attr("valign", QStringLiteral("top")).toLower();
        Qt::Alignment h = align == u"center"  ? Qt::AlignHCenter
                          : align == u"right" ? Qt::AlignRight
                          : align == u"left"  ? Qt::AlignLeft
                                              : Qt::Alignment();
        Qt::Alignment v = valign == u"middle"   ? Qt::AlignVCenter
                          : valign == u"bottom" ? Qt::AlignBottom
                          : valign == u"top"    ? Qt::AlignTop
                                                : Qt::Alignment();
        if (!h)
            fail(QStringLiteral("align=\"%1\" is not left, center or right").arg(align));
        if (!v)
            fail(QStringLiteral("valign=\"%1\" is not top, middle or bottom").arg(valign));
        o.align = h | v;
        const QString border = attr("border").toLower();
        for (const QString& part :
             border.split(QRegularExpression(QStringLiteral("[ ,]+")), Qt::SkipEmptyParts)) {
            if (part == u"all")
                o.borders |= AllBorders;
            else if (part == u"left")
                o.borders |= LeftBorder;
            else if (part == u"top")
                o.borders |= TopBorder;
            else if (part == u"right")
                o.borders |= RightBorder;
            else if (part == u"bottom")
                o.borders |= BottomBorder;
            else if (part != u"none")
                fail(QStringLiteral("border \"%1\" is not all, none, left, top, right or bottom")
                         .arg(part));
        }
        checkAttributes();
        const int line = int(m_xml.lineNumber());
        const QString text = m_xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
        if (m_xml.hasError())
            fail(m_xml.errorString());
        try {
            o.text = TextTemplate::parse(text);
        } catch (const ReportError& e) {
            fail(line, e.message());
        }
    } else {
        fail(QStringLiteral("unknown element <%1> in a band").arg(name.toString()));
    }
    band.objects.push_back(std::move(o));
}

} // namespace report
