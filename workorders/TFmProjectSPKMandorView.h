#pragma once

#include "app/TFmTemplateModule.h"

#include <QDate>

class QToolButton;
class TDMSPK;

namespace ui {
class DataGrid;
class DateEdit;
} // namespace ui

// The work-order register: the lines of the current project's work orders in a
// period (Monday to Sunday of the current week at first), grouped by foreman and
// work order. Entry, update, delete, submit and print act on the focused row.
class TFmProjectSPKMandorView : public TFmTemplateModule {
    Q_OBJECT
public:
    explicit TFmProjectSPKMandorView(QWidget* parent = nullptr);

    void DoReloadData();
    // Monday and Sunday of the week of `day`.
    static QDate weekStart(const QDate& day);
    static QDate weekEnd(const QDate& day) { return weekStart(day).addDays(6); }

    QToolButton* TbtnEntry;
    QToolButton* TbtnUpdate;
    QToolButton* TbtnDelete;
    QToolButton* TbtnSubmit;
    QToolButton* TbtnRefresh;
    QToolButton* TbtnImport;
    QToolButton* TbtnPrint;
    QToolButton* TbtnClose;
    ui::DateEdit* datPeriodStart;
    ui::DateEdit* datPeriodEnd;
    ui::DataGrid* cxGrid1;

private:
    void buildGrid();
    void openQuery();
    int focusedStatus() const;
    QString focusedCode() const;
    void openEntry(const QString& mode);
    void TbtnEntryClick();
    void TbtnUpdateClick();
    void TbtnDeleteClick();
    void TbtnSubmitClick();
    void TbtnPrintClick();

    TDMSPK* m_dm;
    bool m_entryOpen = false;
};
