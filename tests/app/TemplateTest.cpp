#include "app/SessionContext.h"
#include "app/TFmTemplateDialog.h"
#include "app/TFmTemplateModule.h"
#include "platform/ui/HeaderBand.h"
#include "support/MessageScript.h"
#include "support/ScreenDriver.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using skmtest::MessageScript;
using skmtest::MsgAnswer;
using skmtest::MsgKind;
using skmtest::ScreenDriver;

namespace {

const QString kConfirm = QStringLiteral("Apakah data yang ditulis sudah benar, dan akan diproses?");
const QString kSaved = QStringLiteral("Data telah berhasil diproses");
const QString kFailed = QStringLiteral("Data gagal diproses, hubungi sistem administrator.");

// A dialog that records which hooks ran and answers as told.
class RecordingDialog : public TFmTemplateDialog {
public:
    explicit RecordingDialog(bool valid = true, bool saved = true, bool setFlags = false)
        : TFmTemplateDialog(QStringLiteral("Karyawan - Entry")), m_valid(valid), m_saved(saved),
          m_setFlags(setFlags) {}
    QStringList calls;

protected:
    void DoOpenDataset() override { calls << QStringLiteral("open"); }
    bool DoValidateOK() override {
        calls << QStringLiteral("validate");
        return m_valid;
    }
    bool DoSaveOK() override {
        calls << QStringLiteral("save");
        if (m_saved && m_setFlags) {
            SessionContext.ShowSaveMessage = 1;
            SessionContext.CloseAfterSave = 1;
        }
        return m_saved;
    }

private:
    bool m_valid, m_saved, m_setFlags;
};

class TemplateTest : public ::testing::Test {
protected:
    void SetUp() override { SessionContext.reset(); }
    void TearDown() override { SessionContext.reset(); }
};

} // namespace

TEST_F(TemplateTest, DialogFrame) {
    RecordingDialog dialog;
    ScreenDriver d(&dialog);
    EXPECT_EQ(d.find<ui::HeaderBand>(QStringLiteral("pHeader"))->text(),
              QStringLiteral(" [ Karyawan - Entry ] "));
    EXPECT_EQ(d.find<QPushButton>(QStringLiteral("btnOK"))->text(), QStringLiteral("OK"));
    EXPECT_EQ(d.find<QPushButton>(QStringLiteral("btnClose"))->text(), QStringLiteral("Tutup"));
    EXPECT_EQ(d.widget(QStringLiteral("pMenu"))->height(), 33);
    const QString title = TFmTemplateDialog::applicationTitle();
    EXPECT_EQ(dialog.windowTitle(), title);
    ASSERT_FALSE(title.isEmpty());
    EXPECT_EQ(title.mid(1), title.mid(1).toLower());
    EXPECT_EQ(dialog.font().family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(dialog.font().pointSize(), 8);
    EXPECT_TRUE(dialog.calls.isEmpty());
    dialog.show();
    EXPECT_EQ(dialog.calls, QStringList{QStringLiteral("open")});
    dialog.FormCreate(); // once only
    EXPECT_EQ(dialog.calls, QStringList{QStringLiteral("open")});
}

TEST_F(TemplateTest, SaveProtocol) {
    struct Case {
        const char* name;
        MsgAnswer answer;
        bool valid, saved;
        std::uint8_t showFlag, closeFlag;
        QStringList calls;
        QStringList boxes; // after the confirmation
        bool closes;
    };
    const QString v = QStringLiteral("validate"), s = QStringLiteral("save");
    const Case cases[] = {
        {"No", MsgAnswer::No, true, true, 1, 1, {}, {}, false},
        {"Invalid", MsgAnswer::Yes, false, true, 1, 1, {v}, {}, false},
        {"SaveFails", MsgAnswer::Yes, true, false, 1, 1, {v, s}, {kFailed}, false},
        {"SavedNoFlags", MsgAnswer::Yes, true, true, 0, 0, {v, s}, {}, false},
        {"SavedMessageOnly", MsgAnswer::Yes, true, true, 1, 0, {v, s}, {kSaved}, false},
        {"SavedCloseOnly", MsgAnswer::Yes, true, true, 0, 1, {v, s}, {}, true},
        {"SavedBoth", MsgAnswer::Yes, true, true, 1, 1, {v, s}, {kSaved}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SessionContext.ShowSaveMessage = c.showFlag;
        SessionContext.CloseAfterSave = c.closeFlag;
        RecordingDialog dialog(c.valid, c.saved);
        dialog.show();
        dialog.calls.clear();
        MessageScript ms;
        ms.expect(MsgKind::Confirmation, kConfirm, c.answer);
        for (const QString& box : c.boxes)
            ms.expect(box == kFailed ? MsgKind::Warning : MsgKind::Information, box);
        ScreenDriver(&dialog).click(QStringLiteral("btnOK"));
        EXPECT_EQ(dialog.calls, c.calls);
        EXPECT_EQ(dialog.isVisible(), !c.closes);
        EXPECT_EQ(dialog.result(), c.closes ? QDialog::Accepted : QDialog::Rejected);
    }
}

TEST_F(TemplateTest, FlagsSetByOneDialogStayForTheNext) {
    {
        RecordingDialog first(true, true, true);
        first.show();
        MessageScript ms;
        ms.expect(MsgKind::Confirmation, kConfirm, MsgAnswer::Yes)
            .expect(MsgKind::Information, kSaved);
        ScreenDriver(&first).click(QStringLiteral("btnOK"));
        EXPECT_FALSE(first.isVisible());
    }
    // This one does not set the flags itself.
    RecordingDialog second(true, true, false);
    second.show();
    MessageScript ms;
    ms.expect(MsgKind::Confirmation, kConfirm, MsgAnswer::Yes).expect(MsgKind::Information, kSaved);
    ScreenDriver(&second).click(QStringLiteral("btnOK"));
    EXPECT_FALSE(second.isVisible());
    EXPECT_EQ(SessionContext.ShowSaveMessage, 1);
    EXPECT_EQ(SessionContext.CloseAfterSave, 1);
}

TEST_F(TemplateTest, DialogIgnoresEnterAndEscapeAndTutupCloses) {
    RecordingDialog dialog;
    auto* edit = new QLineEdit(dialog.pClient);
    edit->setObjectName(QStringLiteral("txtName"));
    (new QVBoxLayout(dialog.pClient))->addWidget(edit);
    ScreenDriver d(&dialog);
    d.show();
    d.key(QStringLiteral("txtName"), Qt::Key_Escape);
    d.key(QStringLiteral("txtName"), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.calls, QStringList{QStringLiteral("open")}); // no save started
    d.click(QStringLiteral("btnClose"));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(TemplateTest, ModuleFrameAndKeys) {
    QPointer<TFmTemplateModule> screen = new TFmTemplateModule(QStringLiteral("Data Karyawan"));
    EXPECT_EQ(SessionContext.ModuleCaption, QStringLiteral("Data Karyawan"));
    ScreenDriver d(screen);
    EXPECT_EQ(screen->windowTitle(), QStringLiteral("Data Karyawan"));
    EXPECT_EQ(d.find<ui::HeaderBand>(QStringLiteral("pHeader"))->text(),
              QStringLiteral(" [ Data Karyawan ] "));
    EXPECT_EQ(d.widget(QStringLiteral("pHeader"))->height(), 33);
    EXPECT_EQ(d.widget(QStringLiteral("pFooter"))->height(), 34);
    EXPECT_EQ(screen->font().family(), QStringLiteral("Tahoma"));

    auto* first = new QLineEdit(screen->pClient);
    first->setObjectName(QStringLiteral("txtFirst"));
    auto* second = new QLineEdit(screen->pClient);
    second->setObjectName(QStringLiteral("txtSecond"));
    auto* layout = new QVBoxLayout(screen->pClient);
    layout->addWidget(first);
    layout->addWidget(second);
    d.show();
    d.key(QStringLiteral("txtFirst"), Qt::Key_Return);
    EXPECT_TRUE(second->hasFocus());
    d.key(QStringLiteral("txtSecond"), Qt::Key_Escape);
    ScreenDriver::settle();
    EXPECT_TRUE(screen.isNull()); // closed and freed
}
