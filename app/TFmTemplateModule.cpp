#include "TFmTemplateModule.h"

#include "SessionContext.h"
#include "platform/ui/HeaderBand.h"

#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QVBoxLayout>

TFmTemplateModule::TFmTemplateModule(QWidget* parent) : QWidget(parent) {
    buildFrame();
    FormCreate();
}

TFmTemplateModule::TFmTemplateModule(const QString& caption, QWidget* parent) : QWidget(parent) {
    SessionContext.ModuleCaption = caption;
    buildFrame();
    FormCreate();
}

void TFmTemplateModule::buildFrame() {
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(QFont(QStringLiteral("Tahoma"), 8));

    pHeader = new ui::HeaderBand(this);
    pHeader->setObjectName(QStringLiteral("pHeader"));
    pHeader->setFixedHeight(HeaderHeight);

    pClient = new QWidget(this);
    pClient->setObjectName(QStringLiteral("pClient"));

    pFooter = new QWidget(this);
    pFooter->setObjectName(QStringLiteral("pFooter"));
    pFooter->setFixedHeight(FooterHeight);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(pHeader);
    layout->addWidget(pClient, 1);
    layout->addWidget(pFooter);
}

void TFmTemplateModule::FormCreate() {
    setWindowTitle(SessionContext.ModuleCaption);
    pHeader->setText(QStringLiteral(" [ ") + SessionContext.ModuleCaption + QStringLiteral(" ] "));
}

void TFmTemplateModule::keyPressEvent(QKeyEvent* event) {
    FormKeyPress(event);
}

void TFmTemplateModule::FormKeyPress(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        focusNextChild();
        event->accept();
        return;
    case Qt::Key_Escape:
        event->accept();
        closeScreen();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TFmTemplateModule::closeScreen() {
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->close();
    else
        close();
}
