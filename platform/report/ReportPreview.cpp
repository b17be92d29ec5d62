#include "ReportPreview.h"

#include "PreviewCanvas.h"
#include "ReportError.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace report {

namespace {
const double kZoomSteps[] = {0.5, 0.75, 1.0, 1.5, 2.0, 4.0};
}

ReportPreview::ReportPreview(const Report& report, const PreparedReport& prepared, QWidget* parent)
    : QDialog(parent), m_report(report), m_prepared(prepared) {
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(tr("Preview - %1").arg(prepared.name()));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    resize(1000, 760);

    m_canvas = new PreviewCanvas;
    m_scroll = new QScrollArea;
    m_scroll->setObjectName(QStringLiteral("scrPages"));
    m_scroll->setWidget(m_canvas);
    m_scroll->setAlignment(Qt::AlignHCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);

    m_tree = new QTreeWidget;
    m_tree->setObjectName(QStringLiteral("treeOutline"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);

    auto* splitter = new QSplitter;
    splitter->addWidget(m_tree);
    splitter->addWidget(m_scroll);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({200, 800});

    m_lblStatus = new QLabel;
    m_lblStatus->setObjectName(QStringLiteral("lblStatus"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(makeToolbar());
    layout->addWidget(splitter, 1);
    layout->addWidget(m_lblStatus);

    connect(m_scroll->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &ReportPreview::scrolled);
    connect(m_tree, &QTreeWidget::itemActivated, this, &ReportPreview::outlineActivated);
    connect(m_tree, &QTreeWidget::itemClicked, this, &ReportPreview::outlineActivated);

    m_canvas->setReport(m_prepared);
    fillOutline();
    m_tree->setVisible(m_tree->topLevelItemCount() > 0);
    m_cboZoom->setCurrentIndex(0); // fit width
    zoomChosen(0);
    updatePageControls();
}

QWidget* ReportPreview::makeToolbar() {
    auto* bar = new QWidget;
    auto* h = new QHBoxLayout(bar);
    h->setContentsMargins(0, 0, 0, 0);
    const auto button = [&](const char* name, const QString& text, auto slot) {
        auto* b = new QPushButton(text);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        h->addWidget(b);
        return b;
    };
    button("btnFirst", QStringLiteral("|<"), [this] { setCurrentPage(0); });
    button("btnPrior", QStringLiteral("<"), [this] { setCurrentPage(m_current - 1); });
    m_spnPage = new QSpinBox;
    m_spnPage->setObjectName(QStringLiteral("spnPage"));
    m_spnPage->setKeyboardTracking(false);
    h->addWidget(m_spnPage);
    m_lblPages = new QLabel;
    m_lblPages->setObjectName(QStringLiteral("lblPages"));
    h->addWidget(m_lblPages);
    connect(m_spnPage, &QSpinBox::valueChanged, this, [this](int v) { setCurrentPage(v - 1); });
    button("btnNext", QStringLiteral(">"), [this] { setCurrentPage(m_current + 1); });
    button("btnLast", QStringLiteral(">|"), [this] { setCurrentPage(m_prepared.pageCount() - 1); });

    m_cboZoom = new QComboBox;
    m_cboZoom->setObjectName(QStringLiteral("cboZoom"));
    m_cboZoom->addItem(tr("Fit width"));
    m_cboZoom->addItem(tr("Fit page"));
    for (double z : kZoomSteps)
        m_cboZoom->addItem(QStringLiteral("%1%").arg(qRound(z * 100)), z);
    connect(m_cboZoom, &QComboBox::activated, this, &ReportPreview::zoomChosen);
    connect(m_cboZoom, &QComboBox::currentIndexChanged, this, &ReportPreview::zoomChosen);
    h->addWidget(m_cboZoom);

    m_txtSearch = new QLineEdit;
    m_txtSearch->setObjectName(QStringLiteral("txtSearch"));
    m_txtSearch->setPlaceholderText(tr("Find text"));
    connect(m_txtSearch, &QLineEdit::returnPressed, this, &ReportPreview::searchClicked);
    connect(m_txtSearch, &QLineEdit::textChanged, this, [this] { m_hit = {}; });
    h->addWidget(m_txtSearch);
    button("btnSearch", tr("Find next"), &ReportPreview::searchClicked);
    h->addStretch();
    button("btnPageSetup", tr("Page setup"), &ReportPreview::pageSetupClicked);
    button("btnPrint", tr("Print"), &ReportPreview::printClicked);
    button("btnExportPdf", tr("Export PDF"), &ReportPreview::exportClicked);
    button("btnClose", tr("Close"), &ReportPreview::close);
    return bar;
}

void ReportPreview::fillOutline() {
    m_tree->clear();
    std::vector<QTreeWidgetItem*> parents;
    for (const OutlineEntry& e : m_prepared.outline()) {
        parents.resize(size_t(qMax(0, e.level)));
        auto* item = new QTreeWidgetItem(QStringList(e.text));
        item->setData(0, Qt::UserRole, e.page);
        if (parents.empty() || !parents.back())
            m_tree->addTopLevelItem(item);
        else
            parents.back()->addChild(item);
        parents.push_back(item);
    }
}

void ReportPreview::updatePageControls() {
    const int count = m_prepared.pageCount();
    const QSignalBlocker block(m_spnPage);
    m_spnPage->setRange(count > 0 ? 1 : 0, count);
    m_spnPage->setValue(m_current + 1);
    m_lblPages->setText(tr("of %1").arg(count));
}

void ReportPreview::setCurrentPage(int index) {
    if (m_prepared.pageCount() == 0)
        return;
    m_current = qBound(0, index, m_prepared.pageCount() - 1);
    const QSignalBlocker block(m_scroll->verticalScrollBar());
    m_scroll->verticalScrollBar()->setValue(m_canvas->pageRect(m_current).top() - 6);
    updatePageControls();
}

void ReportPreview::scrolled() {
    const int y = m_scroll->verticalScrollBar()->value() + m_scroll->viewport()->height() / 3;
    m_current = qMax(0, m_canvas->pageAt(y));
    updatePageControls();
}

double ReportPreview::zoomFactor() const {
    return m_canvas->zoom();
}

void ReportPreview::setZoomFactor(double zoom) {
    const int page = m_current;
    m_canvas->setZoom(qBound(0.5, zoom, 4.0));
    setCurrentPage(page);
}

void ReportPreview::zoomChosen(int index) {
    if (index < 0)
        return;
    const QSize unit = m_canvas->pageSizePx(1.0);
    const QSize view = m_scroll->viewport()->size() - QSize(30, 30);
    if (index == 0 && unit.width() > 0)
        setZoomFactor(double(view.width()) / unit.width());
    else if (index == 1 && unit.height() > 0)
        setZoomFactor(
            qMin(double(view.width()) / unit.width(), double(view.height()) / unit.height()));
    else
        setZoomFactor(m_cboZoom->itemData(index).toDouble());
}

bool ReportPreview::search(const QString& text) {
    m_hit = m_prepared.find(text, m_hit);
    m_canvas->setHighlight(m_hit);
    if (!m_hit.isValid()) {
        m_lblStatus->setText(tr("\"%1\" not found").arg(text));
        return false;
    }
    m_lblStatus->setText(tr("Found on page %1").arg(m_hit.page + 1));
    setCurrentPage(m_hit.page);
    const QRectF r = m_prepared.page(m_hit.page).items[size_t(m_hit.item)].rect;
    const double k = m_canvas->logicalDpiY() * m_canvas->zoom() / 25.4;
    const QRect page = m_canvas->pageRect(m_hit.page);
    m_scroll->ensureVisible(page.left() + int(r.center().x() * k),
                            page.top() + int(r.center().y() * k), 50, 80);
    return true;
}

void ReportPreview::searchClicked() {
    search(m_txtSearch->text());
}

void ReportPreview::outlineActivated(QTreeWidgetItem* item) {
    if (item)
        setCurrentPage(item->data(0, Qt::UserRole).toInt());
}

void ReportPreview::applyPageLayout(const QPageLayout& layout) {
    PageSettings page = m_report.reportTemplate().page();
    page.pageSize = layout.pageSize();
    page.orientation = layout.orientation();
    page.margins = layout.margins(QPageLayout::Millimeter);
    Report changed = m_report;
    changed.setPageSettings(page);
    try {
        m_prepared = changed.prepare();
        m_report = changed;
    } catch (const ReportError& e) {
        showError(e.message());
        return;
    }
    m_hit = {};
    m_canvas->setReport(m_prepared);
    fillOutline();
    zoomChosen(m_cboZoom->currentIndex());
    setCurrentPage(0);
}

void ReportPreview::pageSetupClicked() {
    QPrinter printer;
    printer.setPageLayout(m_prepared.pageLayout());
    QPageSetupDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        applyPageLayout(printer.pageLayout());
}

void ReportPreview::printClicked() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(m_prepared.pageLayout());
    printer.setDocName(m_prepared.name());
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, m_prepared.pageCount());
    if (dialog.exec() != QDialog::Accepted)
        return;
    int from = 1, to = m_prepared.pageCount();
    if (printer.printRange() == QPrinter::PageRange) {
        from = printer.fromPage();
        to = printer.toPage();
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        from = to = m_current + 1;
    }
    try {
        m_prepared.print(&printer, from, to);
    } catch (const ReportError& e) {
        showError(e.message());
    }
}

void ReportPreview::exportPdfTo(const QString& fileName) const {
    m_prepared.exportPdf(fileName);
}

void ReportPreview::exportClicked() {
    const QString file = QFileDialog::getSaveFileName(this, tr("Export PDF"),
                                                      m_prepared.name() + QStringLiteral(".pdf"),
                                                      tr("PDF files (*.pdf)"));
    if (file.isEmpty())
        return;
    try {
        exportPdfTo(file);
        m_lblStatus->setText(tr("Saved %1").arg(file));
    } catch (const ReportError& e) {
        showError(e.message());
    }
}

void ReportPreview::showError(const QString& text) {
    m_lblStatus->setText(text);
    QMessageBox::warning(this, windowTitle(), text);
}

} // namespace report
