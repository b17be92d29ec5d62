#pragma once

#include "PreparedReport.h"
#include "Report.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QScrollArea;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace report {

class PreviewCanvas;

// The print preview window: pages through the prepared report, zooms, searches,
// shows the outline of its groups, sets up the page (preparing afresh), prints
// through the print dialog and exports PDF. Controls carry object names
// (btnFirst, btnPrior, btnNext, btnLast, spnPage, cboZoom, txtSearch, btnSearch,
// treeOutline, btnPageSetup, btnPrint, btnExportPdf, btnClose).
class ReportPreview : public QDialog {
    Q_OBJECT
public:
    ReportPreview(const Report& report, const PreparedReport& prepared, QWidget* parent = nullptr);

    const PreparedReport& prepared() const { return m_prepared; }
    int currentPage() const { return m_current; } // 0-based
    void setCurrentPage(int index);
    double zoomFactor() const;
    void setZoomFactor(double zoom);
    // Next occurrence after the current hit; false when the text is nowhere.
    bool search(const QString& text);
    SearchHit currentHit() const { return m_hit; }
    // Prepares the report again for a new page size, orientation or margins.
    void applyPageLayout(const QPageLayout& layout);
    void exportPdfTo(const QString& fileName) const; // throws ReportError
    PreviewCanvas* canvas() const { return m_canvas; }

private slots:
    void zoomChosen(int index);
    void searchClicked();
    void outlineActivated(QTreeWidgetItem* item);
    void pageSetupClicked();
    void printClicked();
    void exportClicked();
    void scrolled();

private:
    void fillOutline();
    void updatePageControls();
    void showError(const QString& text);
    QWidget* makeToolbar();

    Report m_report;
    PreparedReport m_prepared;
    PreviewCanvas* m_canvas = nullptr;
    QScrollArea* m_scroll = nullptr;
    QSpinBox* m_spnPage = nullptr;
    QLabel* m_lblPages = nullptr;
    QLabel* m_lblStatus = nullptr;
    QComboBox* m_cboZoom = nullptr;
    QLineEdit* m_txtSearch = nullptr;
    QTreeWidget* m_tree = nullptr;
    int m_current = 0;
    SearchHit m_hit;
    bool m_fitWidth = false;
    bool m_fitPage = false;
};

} // namespace report
