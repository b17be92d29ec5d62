#pragma once

#include "PreparedReport.h"
#include "ReportTemplate.h"

#include <QDateTime>
#include <QHash>
#include <QLocale>
#include <QVariant>

namespace db {
class Dataset;
}

namespace report {

// One document: a template, its named datasets and variables. prepare() lays
// the pages out afresh each time it is called.
class Report {
public:
    Report() = default;
    explicit Report(const ReportTemplate& tpl) : m_template(tpl) {}

    void setTemplate(const ReportTemplate& tpl) { m_template = tpl; }
    const ReportTemplate& reportTemplate() const { return m_template; }
    // Page size, orientation and margins for the next prepare (page setup).
    void setPageSettings(const PageSettings& page) { m_template.setPage(page); }

    // Names are case-insensitive; the dataset is not owned and must outlive prepare().
    void addDataset(const QString& name, db::Dataset* dataset);
    void setVariable(const QString& name, const QVariant& value);
    QVariant variable(const QString& name) const { return m_variables.value(name.toLower()); }

    // Separators of number masks; QLocale() unless set.
    void setLocale(const QLocale& locale) { m_locale = locale; }
    // The time shown by DATE and TIME; the moment of prepare() unless set.
    void setPrintTime(const QDateTime& time) { m_printTime = time; }

    PreparedReport prepare() const; // throws ReportError

private:
    ReportTemplate m_template;
    QHash<QString, db::Dataset*> m_datasets;
    QHash<QString, QVariant> m_variables;
    QLocale m_locale;
    QDateTime m_printTime;
};

} // namespace report
