#pragma once

#include <QDialog>
#include <QString>

namespace ui {

// A modal entry dialog that asks before discarding what was typed: its close
// button, Escape and reject() all show one confirmation (Yes/Cancel) first.
class ConfirmCloseDialog : public QDialog {
    Q_OBJECT
public:
    ConfirmCloseDialog(const QString& question, QWidget* parent = nullptr);

    void reject() override;
    // Closes without asking (nothing was loaded, so nothing can be lost).
    void rejectWithoutAsking();

private:
    QString m_question;
    bool m_confirmed = false;
};

} // namespace ui
