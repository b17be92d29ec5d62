#include "platform/ui/MessageService.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace ui {

namespace {

MessageService::Handler& handlerSlot() {
    static MessageService::Handler handler;
    return handler;
}

QMessageBox::Icon iconFor(MsgKind kind) {
    switch (kind) {
    case MsgKind::Warning:
        return QMessageBox::Warning;
    case MsgKind::Information:
        return QMessageBox::Information;
    case MsgKind::Confirmation:
        return QMessageBox::Question;
    case MsgKind::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MessageService::Handler MessageService::setHandler(Handler handler) {
    Handler previous = std::move(handlerSlot());
    handlerSlot() = std::move(handler);
    return previous;
}

bool MessageService::hasHandler() {
    return static_cast<bool>(handlerSlot());
}

MsgAnswer MessageService::negativeAnswer(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
        return MsgAnswer::Ok;
    case MsgButtons::YesNo:
        return MsgAnswer::No;
    case MsgButtons::YesCancel:
        return MsgAnswer::Cancel;
    }
    return MsgAnswer::Cancel;
}

MsgAnswer MessageService::ask(MsgKind kind, const QString& text, MsgButtons buttons) {
    if (Handler& h = handlerSlot())
        return h(kind, text, buttons);
    return showBox(kind, text, buttons);
}

MsgAnswer MessageService::showBox(MsgKind kind, const QString& text, MsgButtons buttons) {
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    QPointer<QMessageBox> box = new QMessageBox(
        iconFor(kind), QApplication::applicationDisplayName(), text, QMessageBox::NoButton, parent);
    box->setAttribute(Qt::WA_DeleteOnClose, false);
    switch (buttons) {
    case MsgButtons::Ok:
        box->setStandardButtons(QMessageBox::Ok);
        box->setDefaultButton(QMessageBox::Ok);
        box->setEscapeButton(QMessageBox::Ok);
        break;
    case MsgButtons::YesNo:
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
        box->setEscapeButton(QMessageBox::No);
        break;
    case MsgButtons::YesCancel:
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::Cancel);
        box->setDefaultButton(QMessageBox::Yes);
        box->setEscapeButton(QMessageBox::Cancel);
        break;
    }
    const int result = box->exec();
    if (box)
        delete box.data();
    switch (result) {
    case QMessageBox::Ok:
        return MsgAnswer::Ok;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    default:
        return negativeAnswer(buttons);
    }
}

void MessageService::warning(const QString& text) {
    ask(MsgKind::Warning, text, MsgButtons::Ok);
}

void MessageService::information(const QString& text) {
    ask(MsgKind::Information, text, MsgButtons::Ok);
}

bool MessageService::confirmYesNo(const QString& text) {
    return ask(MsgKind::Confirmation, text, MsgButtons::YesNo) == MsgAnswer::Yes;
}

bool MessageService::confirmYesCancel(const QString& text) {
    return ask(MsgKind::Confirmation, text, MsgButtons::YesCancel) == MsgAnswer::Yes;
}

void MessageService::error(const QString& text) {
    ask(MsgKind::Error, text, MsgButtons::Ok);
}

QString toString(MsgKind kind) {
    switch (kind) {
    case MsgKind::Warning:
        return QStringLiteral("Warning");
    case MsgKind::Information:
        return QStringLiteral("Information");
    case MsgKind::Confirmation:
        return QStringLiteral("Confirmation");
    case MsgKind::Error:
        return QStringLiteral("Error");
    }
    return QStringLiteral("?");
}

QString toString(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
        return QStringLiteral("Ok");
    case MsgButtons::YesNo:
        return QStringLiteral("YesNo");
    case MsgButtons::YesCancel:
        return QStringLiteral("YesCancel");
    }
    return QStringLiteral("?");
}

QString toString(MsgAnswer answer) {
    switch (answer) {
    case MsgAnswer::Ok:
        return QStringLiteral("Ok");
    case MsgAnswer::Yes:
        return QStringLiteral("Yes");
    case MsgAnswer::No:
        return QStringLiteral("No");
    case MsgAnswer::Cancel:
        return QStringLiteral("Cancel");
    }
    return QStringLiteral("?");
}

} // namespace ui
