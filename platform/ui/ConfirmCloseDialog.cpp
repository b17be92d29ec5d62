#include "ConfirmCloseDialog.h"

#include "MessageService.h"

namespace ui {

ConfirmCloseDialog::ConfirmCloseDialog(const QString& question, QWidget* parent)
    : QDialog(parent), m_question(question) {}

void ConfirmCloseDialog::reject() {
    if (!m_confirmed && !MessageService::confirmYesCancel(m_question))
        return;
    m_confirmed = true;
    QDialog::reject();
}

void ConfirmCloseDialog::rejectWithoutAsking() {
    m_confirmed = true;
    QDialog::reject();
}

} // namespace ui
