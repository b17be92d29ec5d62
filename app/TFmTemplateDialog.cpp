#include "TFmTemplateDialog.h"

#include "SessionContext.h"
#include "platform/ui/ErrorGuard.h"
#include "platform/ui/HeaderBand.h"
#include "platform/ui/MessageService.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

TFmTemplateDialog::TFmTemplateDialog(QWidget* parent) : QDialog(parent) {
    buildFrame();
}

TFmTemplateDialog::TFmTemplateDialog(const QString& caption, QWidget* parent) : QDialog(parent) {
    SessionContext.DialogCaption = caption;
    buildFrame();
}

QString TFmTemplateDialog::applicationTitle() {
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    if (name.isEmpty())
        return name;
    return name.left(1) + name.mid(1).toLower();
}

void TFmTemplateDialog::buildFrame() {
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    setWindowTitle(applicationTitle());

    pHeader = new ui::HeaderBand(this);
    pHeader->setText(QStringLiteral(" [ ") + SessionContext.DialogCaption + QStringLiteral(" ] "));
    pHeader->setObjectName(QStringLiteral("pHeader"));

    pClient = new QWidget(this);
    pClient->setObjectName(QStringLiteral("pClient"));

    pMenu = new QWidget(this);
    pMenu->setObjectName(QStringLiteral("pMenu"));
    pMenu->setFixedHeight(MenuHeight);
    btnOK = new QPushButton(QStringLiteral("OK"), pMenu);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnClose = new QPushButton(QStringLiteral("Tutup"), pMenu);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    for (QPushButton* b : {btnOK, btnClose}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    auto* menuLayout = new QHBoxLayout(pMenu);
    menuLayout->setContentsMargins(4, 2, 4, 2);
    menuLayout->addStretch();
    menuLayout->addWidget(btnOK);
    menuLayout->addWidget(btnClose);
    connect(btnOK, &QPushButton::clicked, this, &TFmTemplateDialog::btnOKClick);
    connect(btnClose, &QPushButton::clicked, this, &TFmTemplateDialog::btnCloseClick);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(pHeader);
    layout->addWidget(pClient, 1);
    layout->addWidget(pMenu);
}

void TFmTemplateDialog::FormCreate() {
    if (m_created)
        return;
    m_created = true;
    DoOpenDataset();
}

void TFmTemplateDialog::showEvent(QShowEvent* event) {
    if (!m_created)
        ui::guarded([this] { FormCreate(); });
    QDialog::showEvent(event);
}

void TFmTemplateDialog::btnOKClick() {
    ui::guarded([this] {
        if (!ui::MessageService::confirmYesNo(
                QStringLiteral("Apakah data yang ditulis sudah benar, dan akan diproses?")))
            return;
        if (!DoValidateOK())
            return;
        if (DoSaveOK()) {
            DoSetButtons();
            if (SessionContext.ShowSaveMessage == 1)
                ui::MessageService::information(QStringLiteral("Data telah berhasil diproses"));
            if (SessionContext.CloseAfterSave == 1)
                accept();
        } else {
            ui::MessageService::warning(
                QStringLiteral("Data gagal diproses, hubungi sistem administrator."));
        }
    });
}

void TFmTemplateDialog::btnCloseClick() {
    reject();
}

// Every key reaches the dialog first and Enter and Escape do nothing special.
void TFmTemplateDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}
