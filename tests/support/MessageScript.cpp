#include "MessageScript.h"

#include <gtest/gtest.h>

namespace skmtest {

namespace {

bool answerFitsButtons(MsgAnswer answer, MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
        return answer == MsgAnswer::Ok;
    case MsgButtons::YesNo:
        return answer == MsgAnswer::Yes || answer == MsgAnswer::No;
    case MsgButtons::YesCancel:
        return answer == MsgAnswer::Yes || answer == MsgAnswer::Cancel;
    }
    return false;
}

std::string describeBox(MsgKind kind, const QString& text, MsgButtons buttons) {
    return QStringLiteral("%1 box (%2) \"%3\"")
        .arg(ui::toString(kind), ui::toString(buttons), text)
        .toStdString();
}

} // namespace

QString MessageScript::Expectation::describe() const {
    QString what;
    if (text)
        what = QStringLiteral("\"%1\"").arg(*text);
    else if (pattern)
        what = QStringLiteral("matching /%1/").arg(pattern->pattern());
    else
        what = QStringLiteral("with any text");
    return QStringLiteral("%1 box %2").arg(ui::toString(kind), what);
}

bool MessageScript::Expectation::matches(MsgKind k, const QString& t) const {
    if (k != kind)
        return false;
    if (text)
        return *text == t;
    if (pattern)
        return pattern->match(t).hasMatch();
    return true;
}

MessageScript::MessageScript() {
    m_previous = ui::MessageService::setHandler(
        [this](MsgKind kind, const QString& text, MsgButtons buttons) {
            return handle(kind, text, buttons);
        });
}

MessageScript::~MessageScript() {
    verify();
    ui::MessageService::setHandler(std::move(m_previous));
}

MessageScript& MessageScript::expect(MsgKind kind, const QString& text,
                                     std::optional<MsgAnswer> answer) {
    m_expected.append(Expectation{kind, text, std::nullopt, answer});
    return *this;
}

MessageScript& MessageScript::expectMatching(MsgKind kind, const QRegularExpression& pattern,
                                             std::optional<MsgAnswer> answer) {
    EXPECT_TRUE(pattern.isValid()) << "invalid pattern " << pattern.pattern().toStdString();
    m_expected.append(Expectation{kind, std::nullopt, pattern, answer});
    return *this;
}

MessageScript& MessageScript::expectAny(MsgKind kind, std::optional<MsgAnswer> answer) {
    m_expected.append(Expectation{kind, std::nullopt, std::nullopt, answer});
    return *this;
}

MessageScript& MessageScript::allowUnexpected(bool allow) {
    m_allowUnexpected = allow;
    return *this;
}

QStringList MessageScript::seenTexts() const {
    QStringList texts;
    for (const Box& b : m_seen)
        texts << b.text;
    return texts;
}

void MessageScript::verify() {
    for (const Expectation& e : m_expected)
        ADD_FAILURE() << "expected message box never shown: " << e.describe().toStdString();
    m_expected.clear();
}

MsgAnswer MessageScript::handle(MsgKind kind, const QString& text, MsgButtons buttons) {
    const MsgAnswer negative = ui::MessageService::negativeAnswer(buttons);
    if (m_expected.isEmpty() || !m_expected.first().matches(kind, text)) {
        if (!m_allowUnexpected) {
            ADD_FAILURE() << "unexpected " << describeBox(kind, text, buttons)
                          << (m_expected.isEmpty()
                                  ? std::string(", no more boxes expected")
                                  : ", expected " + m_expected.first().describe().toStdString());
        }
        m_seen.append(Box{kind, text, buttons, negative});
        return negative;
    }
    const Expectation e = m_expected.takeFirst();
    MsgAnswer answer = negative;
    if (e.answer) {
        if (answerFitsButtons(*e.answer, buttons))
            answer = *e.answer;
        else
            ADD_FAILURE() << "scripted answer " << ui::toString(*e.answer).toStdString()
                          << " is not offered by " << describeBox(kind, text, buttons);
    } else if (buttons != MsgButtons::Ok) {
        ADD_FAILURE() << "no answer scripted for " << describeBox(kind, text, buttons);
    }
    m_seen.append(Box{kind, text, buttons, answer});
    return answer;
}

void installFailingMessageHandler() {
    ui::MessageService::setHandler([](MsgKind kind, const QString& text, MsgButtons buttons) {
        ADD_FAILURE() << "message box shown without a MessageScript: "
                      << describeBox(kind, text, buttons);
        return ui::MessageService::negativeAnswer(buttons);
    });
}

} // namespace skmtest
