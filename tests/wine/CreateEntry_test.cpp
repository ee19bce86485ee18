#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "framework/CPropertySheet.h"
#include "tests/wine/ProgramFixture.h"

// The create-entry wizard driven as a user would: its pages, what they
// refuse, the commands it shows and sends, and a store left as it was when
// one of them fails.
namespace {

class CreateEntry : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        // The simulator's PC has C: and D:, as the Wine prefix of these tests.
        AddStoreSetting("@volumes = C: D:");
    }
    // Opens the wizard with its button and chooses the kind.
    void OpenWizard(int kindButton, const char* pageCaption)
    {
        Press(main, IDC_CREATE_ENTRY);
        sheet = Window("Choose Application Type");
        ASSERT_NE(sheet, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return PageIndex() == 0; }));
        EXPECT_FALSE(Usable(ID_WIZNEXT)) << "no kind chosen: no way on";
        ClickAt(WindowCentre(::GetDlgItem(Page(), kindButton)));
        ASSERT_TRUE(WaitUntil([&] { return Usable(ID_WIZNEXT); }));
        Press(sheet, ID_WIZNEXT);
        ASSERT_TRUE(WaitUntil([&] { return WindowText(sheet) == pageCaption; })) << WindowText(sheet);
    }
    HWND Page() { return reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }
    int PageIndex()
    {
        return static_cast<int>(::SendMessageA(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(Page()), 0));
    }
    bool Usable(int id)
    {
        HWND button = ::GetDlgItem(sheet, id);
        return ::IsWindowVisible(button) && ::IsWindowEnabled(button);
    }
    std::string Field(int id) { return WindowText(::GetDlgItem(Page(), id)); }
    // Replaces an edit field's text by typing.
    void TypeInto(int id, const std::string& text)
    {
        HWND edit = ::GetDlgItem(Page(), id);
        ClickAt(WindowCentre(edit));
        PressKey(VK_END);
        for (size_t i = WindowText(edit).size(); i > 0; --i)
            PressKey(VK_BACK);
        // Letters as typed, capitals and quotes too.
        TypeUnicode(std::wstring(text.begin(), text.end()));
        EXPECT_TRUE(WaitUntil([&] { return WindowText(edit) == text; })) << WindowText(edit);
    }
    std::string Reason() { return Field(IDC_NEW_REASON); }
    // Goes on to the preview and reads its commands.
    std::vector<std::string> Preview()
    {
        EXPECT_TRUE(WaitUntil([&] { return Usable(ID_WIZNEXT); })) << Reason();
        Press(sheet, ID_WIZNEXT);
        EXPECT_TRUE(WaitUntil([&] { return WindowText(sheet) == "Create Entry: Commands"; }));
        EXPECT_TRUE(Usable(ID_WIZBACK));
        EXPECT_TRUE(Usable(ID_WIZFINISH));
        return ListEntries(::GetDlgItem(Page(), IDC_NEW_PREVIEW));
    }
    // The preview's commands with the identifier the tool gave.
    static std::vector<std::string> WithIdentifier(std::vector<std::string> lines, const std::string& id)
    {
        for (std::string& line : lines)
            for (size_t at; (at = line.find("{new entry}")) != std::string::npos;)
                line.replace(at, 11, id);
        return lines;
    }
    // What was sent but the reads that refresh the window.
    std::vector<std::string> Changes()
    {
        std::vector<std::string> changes;
        for (const std::string& command : Sent())
            if (command.rfind("/ENUM", 0) != 0 && command.rfind("/enum", 0) != 0 && command != "/DBGSETTINGS")
                changes.push_back(command);
        return changes;
    }
    // The identifier the tool gave, from the first command after the creation.
    std::string CreatedIdentifier()
    {
        std::vector<std::string> sent = Sent();
        for (const std::string& command : sent)
            if (command.rfind("/set {", 0) == 0)
                return command.substr(5, 38);
        return {};
    }

    HWND sheet = nullptr;
};

}  // namespace

TEST_F(CreateEntry, AWindowsOnDIsMadeAndReadsBackAsSentAndBackKeepsWhatWasTyped)
{
    Start(kSampleRows);
    OpenWizard(IDC_KIND_OS_LOADER, "Create OsLoader Application");
    EXPECT_TRUE(Usable(ID_WIZBACK));
    EXPECT_TRUE(WaitUntil([&] { return Usable(ID_WIZNEXT); })) << Reason();
    EXPECT_EQ(Field(IDC_NEW_WINDOWS_FOLDER), "\\Windows");
    EXPECT_EQ(Field(IDC_NEW_LOCALE), "en-US") << "the running Windows's";

    // A description with a quote is refused on the page, and says why.
    TypeInto(IDC_NEW_DESCRIPTION, "Second \"Windows\"");
    EXPECT_TRUE(WaitUntil([&] { return Reason() == "The description cannot hold a double quote."; })) << Reason();
    EXPECT_FALSE(Usable(ID_WIZNEXT));
    TypeInto(IDC_NEW_DESCRIPTION, "Second Windows");
    EXPECT_TRUE(WaitUntil([&] { return Reason().empty(); })) << Reason();
    ChooseInCombo(Page(), IDC_NEW_DRIVE, 1);
    ASSERT_EQ(Selected(Page(), IDC_NEW_DRIVE), 1);
    EXPECT_EQ(WindowText(::GetDlgItem(Page(), IDC_NEW_DRIVE)), "D:");

    // Back and Next again: what was typed is still there.
    Press(sheet, ID_WIZBACK);
    ASSERT_TRUE(WaitUntil([&] { return PageIndex() == 0; }));
    Press(sheet, ID_WIZNEXT);
    ASSERT_TRUE(WaitUntil([&] { return WindowText(sheet) == "Create OsLoader Application"; }));
    EXPECT_EQ(Field(IDC_NEW_DESCRIPTION), "Second Windows");
    EXPECT_EQ(WindowText(::GetDlgItem(Page(), IDC_NEW_DRIVE)), "D:");

    std::vector<std::string> preview = Preview();
    EXPECT_EQ(preview, (std::vector<std::string>{
                           "/create /d \"Second Windows\" /application osloader",
                           "/set {new entry} device partition=D:", "/set {new entry} osdevice partition=D:",
                           "/set {new entry} path \\Windows\\system32\\winload.efi",
                           "/set {new entry} systemroot \\Windows", "/set {new entry} locale en-US",
                           "/set {new entry} inherit {bootloadersettings}", "/displayorder {new entry} /addlast"}));
    EXPECT_TRUE(Sent().empty()) << "nothing sent before Finish";
    Press(sheet, ID_WIZFINISH);
    ASSERT_TRUE(Gone(sheet));
    ASSERT_TRUE(WaitForRows(kSampleRows + 1));

    // Exactly the preview's commands, and the store holds what they said.
    std::string id = CreatedIdentifier();
    ASSERT_FALSE(id.empty());
    EXPECT_EQ(Changes(), WithIdentifier(preview, id));
    EXPECT_EQ(Stored(id, "description"), std::vector<std::string>{"Second Windows"});
    EXPECT_EQ(Stored(id, "device"), std::vector<std::string>{"partition=D:"});
    EXPECT_EQ(Stored(id, "osdevice"), std::vector<std::string>{"partition=D:"});
    EXPECT_EQ(Stored(id, "path"), std::vector<std::string>{"\\Windows\\system32\\winload.efi"});
    EXPECT_EQ(Stored(id, "systemroot"), std::vector<std::string>{"\\Windows"});
    std::vector<std::string> order = Stored("{9dea862c-5cdd-4e70-acc1-f32b344d4795}", "displayorder");
    ASSERT_FALSE(order.empty());
    EXPECT_EQ(order.back(), id) << "last in the boot menu";

    // In the list: its description, kind and place.
    RemoteListView list(loaders);
    EXPECT_EQ(list.Text(5, 0), id);
    EXPECT_EQ(list.Text(5, 1), "Second Windows");
    EXPECT_EQ(list.Text(5, 3), "6");
    EXPECT_EQ(list.Text(5, 6), "Windows");
    EXPECT_NE(StatusLine().find("Created " + id), std::string::npos) << StatusLine();
    EXPECT_EQ(FindProcessWindow(program->Id(), "#32770", "Keystave"), nullptr)
        << "the store shows every change the tool confirmed";
}

TEST_F(CreateEntry, ABootSectorIsMadeFromAFileThatExistsOnItsPartition)
{
    ASSERT_TRUE(WriteStoreAtomically("D:\\grub.bin", "boot sector"));
    Start(kSampleRows);
    OpenWizard(IDC_KIND_BOOT_SECTOR, "Create Boot Sector Application");
    // The file is not on C:, the first drive: refused with the reason.
    EXPECT_TRUE(WaitUntil([&] { return Reason() == "There is no file \\grub.bin on C:."; })) << Reason();
    EXPECT_FALSE(Usable(ID_WIZNEXT));
    ChooseInCombo(Page(), IDC_NEW_DRIVE, 1);
    EXPECT_TRUE(WaitUntil([&] { return Reason().empty(); })) << Reason();
    TypeInto(IDC_NEW_DESCRIPTION, "Debian");
    std::vector<std::string> preview = Preview();
    EXPECT_EQ(preview, (std::vector<std::string>{"/create /d \"Debian\" /application bootsector",
                                                 "/set {new entry} device partition=D:",
                                                 "/set {new entry} path \\grub.bin",
                                                 "/displayorder {new entry} /addlast"}));
    Press(sheet, ID_WIZFINISH);
    ASSERT_TRUE(Gone(sheet));
    ASSERT_TRUE(WaitForRows(kSampleRows + 1));
    std::string id = CreatedIdentifier();
    EXPECT_EQ(Changes(), WithIdentifier(preview, id)) << "the commands the preview listed, and no more";
    RemoteListView list(loaders);
    EXPECT_EQ(list.Text(5, 1), "Debian");
    EXPECT_EQ(list.Text(5, 6), "Boot sector");
    EXPECT_EQ(list.Text(5, 3), "6");
    EXPECT_EQ(Stored(id, "path"), std::vector<std::string>{"\\grub.bin"});
}

TEST_F(CreateEntry, AFailureAtTheFourthCommandLeavesTheStoreExactlyAsItWas)
{
    AddStoreSetting("@refuseset = path");
    Start(kSampleRows);
    std::string before = ReadFile(storePath);
    OpenWizard(IDC_KIND_OS_LOADER, "Create OsLoader Application");
    ChooseInCombo(Page(), IDC_NEW_DRIVE, 1);
    Preview();
    Press(sheet, ID_WIZFINISH);
    std::string told = AnswerBox();
    EXPECT_EQ(told.rfind("The entry was not made.", 0), 0u) << told;
    EXPECT_NE(told.find("Access is denied."), std::string::npos) << told;
    EXPECT_NE(told.find("was deleted again: the store is as it was."), std::string::npos) << told;
    ASSERT_TRUE(::IsWindow(sheet)) << "the wizard stays open";

    std::vector<std::string> sent = Changes();
    ASSERT_EQ(sent.size(), 5u);
    std::string id = CreatedIdentifier();
    EXPECT_EQ(sent[3].rfind("/set " + id + " path ", 0), 0u) << sent[3];
    EXPECT_EQ(sent[4], "/DELETE " + id + " /cleanup");
    EXPECT_EQ(ReadFile(storePath), Rewritten(before)) << "nothing half-made stays";
    EXPECT_EQ(BackupFiles().size(), 1u) << "backed up before the first command";

    Press(sheet, IDCANCEL);
    ASSERT_TRUE(Gone(sheet));
    EXPECT_TRUE(WaitForRows(kSampleRows)) << "no new row";
}
