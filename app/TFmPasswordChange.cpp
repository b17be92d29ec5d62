#include "TFmPasswordChange.h"

#include "SessionContext.h"
#include "TDMMain.h"
#include "db/DbError.h"
#include "platform/ui/HeaderBand.h"
#include "platform/ui/MessageService.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFmPasswordChange::TFmPasswordChange(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FmPasswordChange"));
    setWindowTitle(QStringLiteral("FmPasswordChange"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    auto* header = new ui::HeaderBand;
    header->setText(QStringLiteral(" [ User - Ubah Password ]"));
    header->setTextColor(Qt::yellow);
    header->setObjectName(QStringLiteral("pHeader"));

    TbtnSelect = new QPushButton(QStringLiteral("     Simpan     "));
    TbtnSelect->setObjectName(QStringLiteral("TbtnSelect"));
    TbtnClose = new QPushButton(QStringLiteral("Tutup"));
    TbtnClose->setObjectName(QStringLiteral("TbtnClose"));
    auto* toolBar = new QWidget;
    toolBar->setObjectName(QStringLiteral("dxBarDockControl1"));
    auto* toolLayout = new QHBoxLayout(toolBar);
    toolLayout->setContentsMargins(4, 2, 4, 2);
    for (QPushButton* b : {TbtnSelect, TbtnClose}) {
        b->setAutoDefault(false);
        b->setDefault(false);
        b->setFlat(true);
        toolLayout->addWidget(b);
    }
    toolLayout->addStretch();
    connect(TbtnSelect, &QPushButton::clicked, this, &TFmPasswordChange::TbtnSelectClick);
    connect(TbtnClose, &QPushButton::clicked, this, &TFmPasswordChange::TbtnCloseClick);

    auto makeField = [](const char* name) {
        auto* edit = new QLineEdit;
        edit->setObjectName(QString::fromLatin1(name));
        edit->setEchoMode(QLineEdit::Password);
        edit->setMinimumWidth(180);
        return edit;
    };
    txtPass = makeField("txtPass");
    txtPassNew = makeField("txtPassNew");
    txtPassConfirm = makeField("txtPassConfirm");

    auto* group = new QGroupBox(QStringLiteral("[ Ubah Password  ]"));
    group->setObjectName(QStringLiteral("GroupBox1"));
    auto* grid = new QGridLayout(group);
    const std::pair<const char*, QLineEdit*> rows[] = {
        {"Password saat ini", txtPass},
        {"Password baru", txtPassNew},
        {"Password baru (ulangi)", txtPassConfirm},
    };
    int r = 0;
    for (const auto& [caption, edit] : rows) {
        grid->addWidget(new QLabel(QString::fromLatin1(caption)), r, 0);
        grid->addWidget(new QLabel(QStringLiteral(":")), r, 1);
        grid->addWidget(edit, r, 2);
        ++r;
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->setSpacing(4);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(header);
    layout->addWidget(toolBar);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(8, 0, 8, 0);
    body->addWidget(group);
    layout->addLayout(body);

    FormCreate();
}

void TFmPasswordChange::FormCreate() {
    txtPass->clear();
}

bool TFmPasswordChange::DoValidateOK() {
    if (txtPass->text().isEmpty()) {
        ui::MessageService::warning(QStringLiteral("Password belum diisi."));
        txtPass->setFocus();
        return false;
    }
    if (txtPassNew->text().isEmpty()) {
        ui::MessageService::warning(QStringLiteral("Data password baru anda belum diisi."));
        txtPassNew->setFocus();
        return false;
    }
    if (txtPassConfirm->text().isEmpty()) {
        ui::MessageService::warning(QStringLiteral("Data password konfirmasi anda belum diisi."));
        txtPassConfirm->setFocus();
        return false;
    }
    if (txtPassNew->text() != txtPassConfirm->text()) {
        ui::MessageService::warning(QStringLiteral("Password anda tidak sesuai."));
        return false;
    }
    return true;
}

bool TFmPasswordChange::DoSaveOK() {
    if (!DoValidateOK())
        return false;
    db::StoredProc& sp = TDMMain::instance()->adospCP;
    db::Hasil hasil;
    try {
        sp.clearValues();
        sp.setParam(QStringLiteral("EntryFrom"), SessionContext.WorkstationName);
        sp.setParam(QStringLiteral("EntryBy"), SessionContext.UserName);
        sp.setParam(QStringLiteral("UserCode"), SessionContext.UserCode);
        sp.setParam(QStringLiteral("UserPassword"), TDMMain::scramblePassword(txtPass->text()));
        sp.setParam(QStringLiteral("UserpasswordNew"),
                    TDMMain::scramblePassword(txtPassNew->text()));
        sp.execute();
        hasil = sp.hasil();
    } catch (const db::DbError& e) {
        ui::MessageService::error(e.text());
        return false;
    }
    ui::MessageService::information(hasil.message());
    if (!hasil.ok())
        return false;
    accept();
    return true;
}

void TFmPasswordChange::TbtnSelectClick() {
    if (DoSaveOK())
        accept();
}

void TFmPasswordChange::TbtnCloseClick() {
    reject();
}
