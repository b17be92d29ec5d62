#include "ReportPrinter.h"

#include "ReportError.h"
#include "ReportPreview.h"

#include <QCoreApplication>
#include <QDir>
#include <QPointer>

namespace report {

namespace {
QString& folderOverride() {
    static QString folder;
    return folder;
}
} // namespace

QString ReportPrinter::reportsFolder() {
    if (!folderOverride().isEmpty())
        return folderOverride();
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("reports"));
}

void ReportPrinter::setReportsFolder(const QString& folder) {
    folderOverride() = folder;
}

QString ReportPrinter::templatePath(const QString& baseName) {
    QString name = baseName;
    name.replace(u'\\', u'/');
    if (!name.endsWith(QLatin1String(ReportTemplate::Extension), Qt::CaseInsensitive))
        name += QLatin1String(ReportTemplate::Extension);
    return QDir(reportsFolder()).filePath(name);
}

Report ReportPrinter::makeReport(const QString& baseName, const QList<NamedDataset>& datasets,
                                 const QVariantMap& variables) {
    Report report(ReportTemplate::load(templatePath(baseName)));
    for (const NamedDataset& d : datasets)
        report.addDataset(d.name, d.dataset);
    for (auto it = variables.cbegin(); it != variables.cend(); ++it)
        report.setVariable(it.key(), it.value());
    return report;
}

QWidget* ReportPrinter::printDocument(QWidget* parent, const QString& baseName,
                                      const QList<NamedDataset>& datasets,
                                      const QVariantMap& variables, bool modal) {
    const Report report = makeReport(baseName, datasets, variables);
    const PreparedReport prepared = report.prepare();
    auto* preview = new ReportPreview(report, prepared, parent);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    if (modal) {
        preview->exec();
        return nullptr;
    }
    preview->show();
    return preview;
}

} // namespace report
