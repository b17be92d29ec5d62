#include "ReportTemplate.h"

#include "ReportError.h"
#include "TemplateReader.h"

#include <QFile>
#include <QFileInfo>

namespace report {

QSizeF PageSettings::sizeMm() const {
    const QSizeF s = pageSize.size(QPageSize::Millimeter);
    return orientation == QPageLayout::Landscape ? s.transposed() : s;
}

QPageLayout PageSettings::layout() const {
    return QPageLayout(pageSize, orientation, margins, QPageLayout::Millimeter);
}

QPageSize PageSettings::folio() {
    return QPageSize(QSizeF(215.9, 330.2), QPageSize::Millimeter, QStringLiteral("Folio"),
                     QPageSize::ExactMatch);
}

ReportTemplate::Data& ReportTemplate::detach() {
    if (m_d.use_count() > 1)
        m_d = std::make_shared<Data>(*m_d);
    return *m_d;
}

ReportTemplate ReportTemplate::load(const QString& path) {
    QFile file(path);
    if (!QFileInfo::exists(path))
        throw ReportError(QStringLiteral("Template file not found: %1").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        throw ReportError(
            QStringLiteral("Template file cannot be read: %1 (%2)").arg(path, file.errorString()));
    return parse(file.readAll(), path, QFileInfo(path).absolutePath());
}

ReportTemplate ReportTemplate::parse(const QByteArray& xml, const QString& fileName,
                                     const QString& baseDir) {
    TemplateReader reader(xml, fileName, baseDir);
    return reader.read();
}

} // namespace report
