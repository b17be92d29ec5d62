#pragma once

#include "Expression.h"
#include "TextTemplate.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QLineF>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <memory>
#include <vector>

namespace report {

// Borders of a text cell.
enum Border {
    NoBorder = 0,
    LeftBorder = 1,
    TopBorder = 2,
    RightBorder = 4,
    BottomBorder = 8,
    AllBorders = 15
};

// One object placed in a band; coordinates in millimetres from the band's top left.
struct ReportObject {
    enum class Type { Text, Line, Rect, Image };
    Type type = Type::Text;
    QRectF rect;
    QLineF line;
    TextTemplate text;
    Expression visible; // null: always shown
    QFont font;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop;
    bool wrap = true;
    bool stretch = true; // follows the band's final height when it touches its bottom
    int borders = NoBorder;
    double borderWidth = 0.2; // mm
    QColor color = Qt::black;
    QColor fill;          // invalid: no fill
    double padding = 0.6; // mm, left and right; a third of it top and bottom
    QImage image;
    bool keepAspect = true;
    int sourceLine = 0;
};

struct Band {
    bool present = false;
    double height = 0; // mm
    bool stretch = false;
    Expression visible;
    std::vector<ReportObject> objects;
    int sourceLine = 0;
};

struct GroupSpec {
    QString name;
    Expression key;
    Expression outline; // text shown in the preview's outline; the key when null
    bool newPage = false;
    bool keepTogether = true; // a footer never starts a page alone
    bool repeatHeader = false;
    Band header;
    Band footer;
};

struct DetailSpec {
    QString dataset;
    QString key;       // field of the detail dataset
    QString masterKey; // field of the master dataset
    Band header;
    Band data;
    Band footer;
};

struct SectionSpec {
    QString dataset; // master dataset; empty: title and summary only
    Band title;
    Band pageHeader;
    Band columnHeader;
    std::vector<GroupSpec> groups; // outermost first
    Band data;
    std::vector<DetailSpec> details;
    Band summary;
    Band pageFooter;
};

struct PageSettings {
    QPageSize pageSize = QPageSize(QPageSize::A4);
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins = QMarginsF(10, 10, 10, 10); // mm
    TextTemplate watermark;

    QSizeF sizeMm() const; // oriented
    QPageLayout layout() const;
    static QPageSize folio();
};

// A report layout read from our XML template format (see docs/report-format.md).
class ReportTemplate {
public:
    static constexpr const char* Extension = ".rpt.xml";

    // Throws ReportError: "Template file not found: <path>" or "<path>:<line>: <what>".
    static ReportTemplate load(const QString& path);
    // baseDir resolves image files; fileName names the source in messages.
    static ReportTemplate parse(const QByteArray& xml, const QString& fileName,
                                const QString& baseDir);

    const QString& name() const { return m_d->name; }
    const QString& fileName() const { return m_d->fileName; }
    const PageSettings& page() const { return m_d->page; }
    void setPage(const PageSettings& page) { detach().page = page; }
    const std::vector<SectionSpec>& sections() const { return m_d->sections; }
    bool isNull() const { return m_d->sections.empty(); }

private:
    struct Data {
        QString name;
        QString fileName;
        PageSettings page;
        std::vector<SectionSpec> sections;
    };
    Data& detach();
    std::shared_ptr<Data> m_d = std::make_shared<Data>();
    friend class TemplateReader;
};

} // namespace report
