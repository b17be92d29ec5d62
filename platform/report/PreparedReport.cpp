#include "PreparedReport.h"

#include "PageRenderer.h"
#include "ReportError.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace report {

QStringList PreparedReport::pageTexts(int index) const {
    QStringList out;
    for (const PagePrimitive& p : page(index).items)
        if (p.kind == PagePrimitive::Kind::Text)
            out << p.text;
    return out;
}

PreparedReport::Hit PreparedReport::find(const QString& text, Hit after) const {
    if (text.isEmpty())
        return {};
    int startPage = after.isValid() ? after.page : 0;
    int startItem = after.isValid() ? after.item + 1 : 0;
    for (int pass = 0; pass < 2; ++pass) { // wrap around once
        for (int pg = startPage; pg < pageCount(); ++pg) {
            const auto& items = page(pg).items;
            for (int i = (pg == startPage ? startItem : 0); i < int(items.size()); ++i) {
                const PagePrimitive& p = items[size_t(i)];
                if (p.kind == PagePrimitive::Kind::Text && p.rotation == 0 &&
                    p.text.contains(text, Qt::CaseInsensitive))
                    return {pg, i};
            }
        }
        startPage = 0;
        startItem = 0;
    }
    return {};
}

void PreparedReport::paintPage(QPainter& painter, int index, double dpi, double fontScale,
                               int highlight) const {
    PageRenderer::paint(painter, page(index), dpi, fontScale, highlight);
}

void PreparedReport::exportPdf(const QString& fileName) const {
    QPdfWriter writer(fileName);
    writer.setResolution(600);
    writer.setTitle(m_d->name);
    writer.setCreator(QCoreApplication::applicationName());
    QPageLayout layout = m_d->layout;
    layout.setMargins(QMarginsF(0, 0, 0, 0));
    layout.setMinimumMargins(QMarginsF(0, 0, 0, 0));
    writer.setPageLayout(layout);
    QPainter painter;
    if (!painter.begin(&writer))
        throw ReportError(QStringLiteral("Cannot write the PDF file %1").arg(fileName));
    for (int i = 0; i < pageCount(); ++i) {
        if (i > 0)
            writer.newPage();
        PageRenderer::paint(painter, page(i), writer.resolution());
    }
    if (!painter.end() || !QFileInfo(fileName).isFile())
        throw ReportError(QStringLiteral("Cannot write the PDF file %1").arg(fileName));
}

void PreparedReport::print(QPrinter* printer, int fromPage, int toPage) const {
    if (!printer || pageCount() == 0)
        return;
    QPageLayout layout = m_d->layout;
    layout.setMargins(QMarginsF(0, 0, 0, 0));
    printer->setFullPage(true);
    printer->setPageLayout(layout);
    const int first = qBound(1, fromPage, pageCount());
    const int last = toPage <= 0 ? pageCount() : qBound(first, toPage, pageCount());
    QPainter painter;
    if (!painter.begin(printer))
        throw ReportError(
            QStringLiteral("The printer %1 cannot be opened").arg(printer->printerName()));
    for (int i = first - 1; i < last; ++i) {
        if (i > first - 1)
            printer->newPage();
        PageRenderer::paint(painter, page(i), printer->resolution());
    }
    painter.end();
}

} // namespace report
