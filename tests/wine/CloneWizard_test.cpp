#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/CPropertySheet.h"
#include "tests/wine/ProgramFixture.h"

namespace {

class CloneWizard : public ProgramTest {
protected:
    HWND OpenClone(int row) { return FromLoaderMenu(row, 'C', "Clone Configuration"); }
    void ClearDescription(HWND window)
    {
        HWND edit = ::GetDlgItem(window, IDC_CLONE_DESCRIPTION);
        ClickAt(WindowCentre(edit));
        PressKey(VK_END);
        for (size_t i = WindowText(edit).size(); i > 0; --i)
            PressKey(VK_BACK);
    }
};

}  // namespace

TEST_F(CloneWizard, ACloneIsANewEntryLastInTheMenuAndInTheList)
{
    Start(kSampleRows);
    HWND window = OpenClone(1);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowText(::GetDlgItem(window, IDC_CLONE_DESCRIPTION)), "Copy of Windows 10 Pro");
    EXPECT_EQ(WindowText(::GetDlgItem(window, IDC_CLONE_SOURCE)), kWin10);

    // Empty: refused, nothing sent.
    ClearDescription(window);
    Press(window, IDOK);
    EXPECT_EQ(AnswerBox(), "Description must be specified");
    EXPECT_TRUE(Sent().empty());

    ClickAt(WindowCentre(::GetDlgItem(window, IDC_CLONE_DESCRIPTION)));
    Type("copy of ten");
    Press(window, IDOK);
    ASSERT_TRUE(Gone(window));
    ASSERT_TRUE(WaitForRows(kSampleRows + 1)) << "in the main list";
    std::vector<std::string> sent = Sent();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent[0], std::string("/Copy ") + kWin10 + " /d \"copy of ten\"");
    std::vector<std::string> order = Stored("{9dea862c-5cdd-4e70-acc1-f32b344d4795}", "displayorder");
    ASSERT_EQ(order.size(), 6u);
    EXPECT_EQ(Stored(order.back(), "description"), std::vector<std::string>{"copy of ten"})
        << "the copy is last in the boot menu";
    RemoteListView list(loaders);
    bool listed = false;
    for (int row = 0; row < list.Count(); ++row)
        listed = listed || (list.Text(row, 0) == order.back() && list.Text(row, 1) == "copy of ten");
    EXPECT_TRUE(listed);
}

TEST_F(CloneWizard, ACopyTheToolRefusesKeepsTheWindowOpen)
{
    Start(kSampleRows);
    HWND window = OpenClone(1);
    ASSERT_NE(window, nullptr);
    // Another program removes the entry behind Keystave's back.
    ASSERT_TRUE(WriteStoreAtomically(storePath, WithoutObject(ReadFile(storePath), kWin10)));
    Press(window, IDOK);
    HWND log = Window("Command Output");
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(WindowText(::GetDlgItem(log, IDC_COMMAND_TEXT)),
              std::string("/Copy ") + kWin10 + " /d \"Copy of Windows 10 Pro\"");
    ::PostMessageA(log, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(Gone(log));
    EXPECT_TRUE(::IsWindow(window)) << "to try again or cancel";
    EXPECT_EQ(WindowText(::GetDlgItem(window, IDC_CLONE_DESCRIPTION)), "Copy of Windows 10 Pro");
    Press(window, IDCANCEL);
    ASSERT_TRUE(Gone(window));
}

TEST_F(CloneWizard, TheWizardOffersTheButtonsOfEachPage)
{
    Start(kSampleRows);
    Press(main, IDC_CREATE_ENTRY);
    // A wizard's title bar shows the caption of its page.
    HWND sheet = Window("Choose Application Type");
    ASSERT_NE(sheet, nullptr);
    // Centred over the main window, as every other window opens.
    auto centred = [&] {
        POINT over = WindowCentre(main), at = WindowCentre(sheet);
        return std::abs(over.x - at.x) <= 2 && std::abs(over.y - at.y) <= 2;
    };
    EXPECT_TRUE(WaitUntil(centred)) << WindowCentre(sheet).x << "," << WindowCentre(sheet).y;
    auto usable = [&](int id) {
        HWND button = ::GetDlgItem(sheet, id);
        return ::IsWindowVisible(button) && ::IsWindowEnabled(button);
    };
    auto page = [&] {
        HWND current = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        return static_cast<int>(::SendMessageA(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(current), 0));
    };
    ASSERT_TRUE(WaitUntil([&] { return page() == 0; }));
    EXPECT_FALSE(usable(ID_WIZBACK));
    EXPECT_FALSE(usable(ID_WIZNEXT)) << "no kind chosen: no way on";

    HWND choice = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    ClickAt(WindowCentre(::GetDlgItem(choice, IDC_KIND_OS_LOADER)));
    EXPECT_TRUE(WaitUntil([&] { return usable(ID_WIZNEXT); })) << "a kind chosen: Next";
    Press(sheet, ID_WIZNEXT);
    ASSERT_TRUE(WaitUntil([&] { return page() == 2; })) << "the OS loader page";
    EXPECT_EQ(WindowText(sheet), "Create OsLoader Application");
    EXPECT_TRUE(usable(ID_WIZBACK));
    EXPECT_TRUE(WaitUntil([&] { return usable(ID_WIZNEXT); })) << "its defaults make an entry: on to the preview";
    EXPECT_FALSE(usable(ID_WIZFINISH)) << "Finish only on the preview";

    Press(sheet, ID_WIZBACK);
    ASSERT_TRUE(WaitUntil([&] { return page() == 0; }));
    EXPECT_EQ(::SendMessageA(::GetDlgItem(choice, IDC_KIND_OS_LOADER), BM_GETCHECK, 0, 0), BST_CHECKED)
        << "the choice is kept";
    EXPECT_TRUE(usable(ID_WIZNEXT));
    ClickAt(WindowCentre(::GetDlgItem(choice, IDC_KIND_RESUME)));
    Press(sheet, ID_WIZNEXT);
    ASSERT_TRUE(WaitUntil([&] { return page() == 3; })) << "the resume page";
    EXPECT_EQ(WindowText(sheet), "Create Resume Application");
    Press(sheet, IDCANCEL);
    EXPECT_TRUE(Gone(sheet));
    // Nothing changed: the resume page only asked whether the Windows
    // entries' resume entries exist.
    for (const std::string& command : Sent())
        EXPECT_EQ(command.rfind("/enum {", 0), 0u) << command;
}
