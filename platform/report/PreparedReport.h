#pragma once

#include "Page.h"

#include <QPageLayout>
#include <QStringList>
#include <memory>
#include <vector>

class QPainter;
class QPrinter;

namespace report {

// Where a search found its text: page and primitive index.
struct SearchHit {
    int page = -1;
    int item = -1;
    bool isValid() const { return page >= 0; }
};

// The pages of one prepared document and the ways out of it: PDF, printer,
// painting for the preview. Cheap to copy (the pages are shared).
class PreparedReport {
public:
    using Hit = SearchHit;

    int pageCount() const { return int(m_d->pages.size()); }
    const Page& page(int index) const { return m_d->pages.at(size_t(index)); }
    QStringList pageTexts(int index) const; // texts of the page in drawing order
    QSizeF pageSizeMm() const { return m_d->sizeMm; }
    const QPageLayout& pageLayout() const { return m_d->layout; }
    const std::vector<OutlineEntry>& outline() const { return m_d->outline; }
    const QString& name() const { return m_d->name; }

    // Case-insensitive search for the next text after `after` (from the start when invalid).
    Hit find(const QString& text, Hit after = Hit()) const;

    void exportPdf(const QString& fileName) const; // throws ReportError
    // Pages are 1-based and inclusive; toPage 0 means the last page.
    void print(QPrinter* printer, int fromPage = 1, int toPage = 0) const;
    void paintPage(QPainter& painter, int index, double dpi, double fontScale = 1.0,
                   int highlight = -1) const;

private:
    friend class ReportLayout;
    struct Data {
        QString name;
        QSizeF sizeMm;
        QPageLayout layout;
        std::vector<Page> pages;
        std::vector<OutlineEntry> outline;
    };
    std::shared_ptr<Data> m_d = std::make_shared<Data>();
};

} // namespace report
