#pragma once

#include "Report.h"

#include <QList>
#include <QString>
#include <QVariantMap>

class QWidget;

namespace report {

struct NamedDataset {
    QString name;
    db::Dataset* dataset = nullptr;
};

// The print convention: a document's template is loaded by name from the folder
// "reports" beside the program, given the document's datasets and variables,
// prepared afresh and shown in the preview, from which the user prints or
// exports. A missing or malformed template raises ReportError; the caller shows
// its message to the user.
class ReportPrinter {
public:
    static QString reportsFolder();
    static void setReportsFolder(const QString& folder); // empty: beside the program
    // "rptProjectSPKMandorPrint" -> "<folder>/rptProjectSPKMandorPrint.rpt.xml"
    static QString templatePath(const QString& baseName);

    static Report makeReport(const QString& baseName, const QList<NamedDataset>& datasets,
                             const QVariantMap& variables);
    // Returns the preview shown (deleted when it closes); modal waits for it to close.
    static QWidget* printDocument(QWidget* parent, const QString& baseName,
                                  const QList<NamedDataset>& datasets, const QVariantMap& variables,
                                  bool modal = true);
};

} // namespace report
