#pragma once

#include "db/Dataset.h"
#include "db/StoredProc.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <functional>

namespace db {
class Connection;
}
namespace report {
class PreparedReport;
}

// The work-order data module: work orders, their lines, the budget labour items
// they draw from, the register rows, the printout and the writing procedures.
class TDMSPK : public QObject {
    Q_OBJECT
public:
    explicit TDMSPK(db::Connection* connection, QObject* parent = nullptr);
    ~TDMSPK() override;
    static TDMSPK* instance() { return s_instance; }

    db::Connection* connection() const { return m_connection; }

    // Units of measurement.
    db::Dataset adodsMeasurement;
    // Budget labour items of a project (ProjectID) with their committed volume.
    db::Dataset adodsProjectRAPUpah;
    // One budget item (RAP2ID) with the committed volume the line dialog checks.
    db::Dataset adodsProjectRAPUpahDetail;
    // The lines of one work order (SPKCode), edited in memory by the entry dialog.
    db::Dataset adodsSPKDetail;
    // Register rows: one per work-order line (ProjectID, PeriodBegin, PeriodEnd).
    db::Dataset adospProjectSPKMandorView;
    // The rows of one work order's printout (SPKCode); templates see it as frxSPKPrint.
    db::Dataset adodsSPKPrint;

    db::StoredProc adospProjectSPKMandorEntry;
    db::StoredProc adospProjectSPKMandorDetailEntry;
    db::StoredProc adospProjectSPKMandorSubmit;
    db::StoredProc adospProjectSPKMandorDelete;

    // Re-opens a dataset with the given parameters.
    static void reopenWith(db::Dataset& ds, const db::ParamList& params);
    void openProjectRAPUpah(int projectID);
    void openProjectRAPUpahDetail(int rap2ID);
    void openMeasurement();
    void openSPKDetail(const QString& spkCode);
    void openProjectSPKMandorView(int projectID, const QDate& begin, const QDate& end);

    // Template base names of the work-order printout.
    static QString finalTemplateName() { return QStringLiteral("rptProjectSPKMandorPrint"); }
    static QString draftTemplateName() { return QStringLiteral("rptProjectSPKMandorPrintDraft"); }
    static QString templateNameForStatus(int statusID);

    // Prints a work order: opens adodsSPKPrint for it, loads the final template for
    // status 2 and the draft otherwise, sets "Petugas" and shows the preview. A
    // missing or broken template is reported to the user; returns false then.
    bool DoPrintSPKMandor(const QString& spkCode, int statusID);
    // Template base name of the last print (empty before the first).
    const QString& lastTemplateName() const { return m_lastTemplate; }

    // Folder of the templates; <program folder>/reports unless set.
    static QString reportsDir();
    static void setReportsDir(const QString& dir);
    // Shows a prepared report; the default opens the preview window.
    using PreviewFn =
        std::function<void(const report::PreparedReport&, const QString& templateName)>;
    static void setPreviewHandler(PreviewFn fn);

private:
    db::Connection* m_connection;
    QString m_lastTemplate;
    static TDMSPK* s_instance;
};
