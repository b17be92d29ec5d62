#include "platform/ui/MdiFrame.h"
#include "platform/ui/KeyboardStatePanel.h"
#include "platform/ui/WindowBar.h"
#include "support/ScreenDriver.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace skmtest;

namespace {

QWidget* makeChild(const QString& title) {
    auto* w = new QWidget;
    w->setWindowTitle(title);
    w->setAttribute(Qt::WA_DeleteOnClose);
    return w;
}

} // namespace

TEST(MdiFrame, StatusPanelsWithWidthsAndKeyboardState) {
    ui::MdiFrame frame;
    frame.setStatusPanels({150, 150, 200, 150, 137, 150}, 4);
    frame.resize(1200, 600);
    ScreenDriver drv(&frame);
    drv.show();
    ASSERT_EQ(frame.panelCount(), 6);
    frame.setPanelText(0, "Proyek :");
    frame.setPanelText(2, "LOGIN FIRST");
    EXPECT_EQ(frame.panelText(0), "Proyek :");
    EXPECT_EQ(frame.panelText(2), "LOGIN FIRST");
    EXPECT_EQ(frame.panelText(5), "");
    EXPECT_EQ(frame.panelText(9), "");
    EXPECT_EQ(frame.panel(2)->width(), 200);
    EXPECT_GT(frame.panel(0)->width(), 150) << "the first panel takes the width left over";
    ASSERT_NE(frame.keyboardPanel(), nullptr);
    EXPECT_EQ(frame.panelText(4), "INS");

    auto* edit = new QLineEdit(&frame);
    edit->setObjectName("txtAny");
    edit->show();
    struct Step {
        Qt::Key key;
        QString expected;
    };
    const std::vector<Step> steps = {
        {Qt::Key_CapsLock, "CAPS INS"},
        {Qt::Key_NumLock, "CAPS NUM INS"},
        {Qt::Key_ScrollLock, "CAPS NUM SCRL INS"},
        {Qt::Key_Insert, "CAPS NUM SCRL OVR"},
        {Qt::Key_CapsLock, "NUM SCRL OVR"},
        {Qt::Key_A, "NUM SCRL OVR"},
        {Qt::Key_Insert, "NUM SCRL INS"},
    };
    for (const Step& s : steps) {
        drv.key("txtAny", s.key);
        EXPECT_EQ(frame.panelText(4), s.expected);
    }
    frame.setPanelText(4, "overwritten");
    EXPECT_EQ(frame.panelText(4), "NUM SCRL INS") << "the keyboard panel is not a text panel";
}

TEST(MdiFrame, WindowBarFollowsChildren) {
    ui::MdiFrame frame;
    frame.resize(1000, 700);
    ScreenDriver drv(&frame);
    drv.show();
    QWidget* a = makeChild("SPK Mandor");
    QWidget* b = makeChild("Pembayaran");
    QWidget* c = makeChild("LPP");
    frame.addChild(a);
    frame.addChild(b);
    frame.addChild(c);
    ui::WindowBar* bar = frame.windowBar();
    EXPECT_EQ(frame.childWindows(), (QList<QWidget*>{a, b, c}));
    EXPECT_EQ(bar->captions(), (QStringList{"SPK Mandor", "Pembayaran", "LPP"}));
    EXPECT_EQ(frame.activeChild(), c);
    EXPECT_TRUE(bar->buttonFor(frame.subWindowOf(c))->isChecked());

    // A click on a button brings that window to the front.
    QToolButton* first = bar->buttonFor(frame.subWindowOf(a));
    QTest::mouseClick(first, Qt::LeftButton);
    EXPECT_EQ(frame.activeChild(), a);
    EXPECT_TRUE(first->isChecked());
    EXPECT_FALSE(bar->buttonFor(frame.subWindowOf(c))->isChecked());

    // Renames and activation through the frame.
    b->setWindowTitle("Pembayaran SPK");
    EXPECT_EQ(bar->captions(), (QStringList{"SPK Mandor", "Pembayaran SPK", "LPP"}));
    EXPECT_TRUE(frame.activate(b));
    EXPECT_EQ(frame.activeChild(), b);
    QWidget stranger;
    EXPECT_FALSE(frame.activate(&stranger));

    // Adding a child twice just activates it.
    EXPECT_EQ(frame.addChild(a), frame.subWindowOf(a));
    EXPECT_EQ(frame.childWindows().size(), 3);

    // Closing a child removes it and its button; the widget frees itself.
    QPointer<QWidget> gone = b;
    frame.subWindowOf(b)->close();
    ScreenDriver::settle();
    EXPECT_TRUE(gone.isNull());
    EXPECT_EQ(frame.childWindows(), (QList<QWidget*>{a, c}));
    EXPECT_EQ(bar->captions(), (QStringList{"SPK Mandor", "LPP"}));

    EXPECT_TRUE(frame.closeAllChildren());
    ScreenDriver::settle();
    EXPECT_TRUE(frame.childWindows().isEmpty());
    EXPECT_EQ(bar->buttonCount(), 0);
}
