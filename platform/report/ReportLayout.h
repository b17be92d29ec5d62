#pragma once

#include "ExpressionContext.h"
#include "PreparedReport.h"
#include "ReportTemplate.h"
#include "TextMeasurer.h"
#include "ValueFormatter.h"

#include <QHash>
#include <map>
#include <unordered_map>

namespace db {
class Dataset;
}

namespace report {

// One pagination pass over a template and its data: bands are evaluated,
// measured and placed on pages as display-list primitives. Page totals are
// patched into the pages at the end.
class ReportLayout : public ExpressionContext {
public:
    ReportLayout(const ReportTemplate& tpl, const QHash<QString, db::Dataset*>& datasets,
                 const QHash<QString, QVariant>& variables, const QLocale& locale,
                 const QDateTime& printTime);
    PreparedReport run();

    QVariant fieldValue(const ExprNode& field) override;
    QVariant variable(const QString& name) override;
    QVariant aggregate(const ExprNode& call) override;
    QVariant pageNumber() override { return int(m_pages.size()); }
    QVariant pageCount() override;
    QDateTime printTime() override { return m_printTime; }
    const ValueFormatter& formatter() override { return m_formatter; }

private:
    struct Scope {
        const db::Dataset* dataset = nullptr;
        const std::vector<int>* rows = nullptr;
        int begin = 0;
        int end = 0;
        QString name;
    };
    struct Binding {
        const db::Dataset* dataset = nullptr;
        int field = -1;
        int* row = nullptr;
    };
    struct Built {
        std::vector<PagePrimitive> items;
        double height = 0;
    };

    [[noreturn]] void fail(int line, const QString& what) const;
    db::Dataset* dataset(const QString& name, int line) const;
    int& rowSlot(const db::Dataset* ds);
    bool visible(const Expression& condition, int line);
    Built build(const Band& band);
    void placeAt(Built&& built, double top);
    void placeFixed(const Band& band); // page header, column header: no page break
    void placeBody(const Band& band, double keepWith = 0);
    void placeFooterKept(const Band& band);
    void startPage();
    void finishPage();
    void newPage();
    void runSection(const SectionSpec& section);
    void printMasterRow(const SectionSpec& section, int row);

    const ReportTemplate& m_tpl;
    const QHash<QString, db::Dataset*>& m_datasets;
    const QHash<QString, QVariant>& m_variables;
    ValueFormatter m_formatter;
    QDateTime m_printTime;
    TextMeasurer m_measure;

    QSizeF m_pageSize;
    double m_contentWidth = 0;
    const SectionSpec* m_section = nullptr;
    std::vector<Page> m_pages;
    std::vector<OutlineEntry> m_outline;
    double m_cursor = 0;
    double m_limit = 0;
    bool m_bodyStarted = false;
    bool m_columnHeaderOn = false;
    int m_keepStart = -1; // first item of the last data band on this page
    double m_keepTop = 0;

    std::vector<Scope> m_scopes;
    std::vector<std::pair<const GroupSpec*, Scope>> m_openGroups;
    std::unordered_map<const db::Dataset*, int> m_rows;
    QHash<const ExprNode*, Binding> m_bindings;
    std::map<std::tuple<const void*, const void*, int, int>, QVariant> m_aggregates;
    std::vector<int> m_allRows;
    QHash<const DetailSpec*, QHash<QString, std::vector<int>>> m_detailIndex;
    int m_currentLine = 0;
};

} // namespace report
