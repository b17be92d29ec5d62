#include "Report.h"

#include "ReportError.h"
#include "ReportLayout.h"
#include "db/Decimal.h"

namespace report {

void Report::addDataset(const QString& name, db::Dataset* dataset) {
    m_datasets.insert(name.toLower(), dataset);
}

void Report::setVariable(const QString& name, const QVariant& value) {
    m_variables.insert(name.toLower(), value);
}

PreparedReport Report::prepare() const {
    if (m_template.isNull())
        throw ReportError(QStringLiteral("The report has no template"));
    db::Decimal::registerMetaType();
    for (auto it = m_datasets.cbegin(); it != m_datasets.cend(); ++it)
        if (!it.value())
            throw ReportError(QStringLiteral("The dataset '%1' is missing").arg(it.key()));
    ReportLayout layout(m_template, m_datasets, m_variables, m_locale,
                        m_printTime.isValid() ? m_printTime : QDateTime::currentDateTime());
    return layout.run();
}

} // namespace report
