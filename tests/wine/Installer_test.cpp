#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <algorithm>

#include "tests/wine/ProgramFixture.h"
#include "version.h"

// The installers as a deployment tool runs them: silent install to Program
// Files, the installed program against the simulator, silent uninstall (or
// one by hand, with its last message), and what is left after it.
namespace {

const char* const kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Keystave";
const char* const kInstalledFiles[] = {"keystave.exe", "keystavedata.xml", "keystave.chm",
                                       "README.txt",   "LICENSE.txt",      "uninstall.exe"};

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ShellFolder(int csidl)
{
    char path[MAX_PATH] = {};
    return SUCCEEDED(::SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) ? path : "";
}

// A value of the uninstall entry in one registry view, or "<none>".
std::string UninstallValue(REGSAM view, const char* name)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return "<none>";
    char value[MAX_PATH] = {};
    DWORD size = sizeof value - 1;
    LONG result = ::RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS ? value : "<none>";
}

class Installer : public ProgramTest {
protected:
    struct Build {
        std::string folder;        // where the build put the installer and the simulator
        const char* arch;          // "win64", "win32"
        int programFiles;          // CSIDL of the folder it installs under
        REGSAM view;               // registry view of its uninstall entry
    };

    void SetUp() override
    {
        ProgramTest::SetUp();
        shortcut = ShellFolder(CSIDL_COMMON_PROGRAMS) + "\\Keystave.lnk";
        ASSERT_NE(shortcut, "\\Keystave.lnk");
    }

    // Runs a program of the installer's to its end; its exit code.
    static DWORD RunToEnd(const std::string& commandLine)
    {
        ChildProcess run(commandLine);
        EXPECT_TRUE(run.Started()) << commandLine;
        EXPECT_TRUE(run.WaitForExit(120000)) << commandLine << " ends without a window to answer";
        return run.ExitCode();
    }

    static std::string Setup(const Build& build)
    {
        return build.folder + "\\keystave-" KEYSTAVE_VERSION_TEXT "-" + build.arch + "-setup.exe";
    }

    // Installs silently and checks what is where; the install folder.
    std::string InstallSilently(const Build& build)
    {
        std::string setup = Setup(build);
        EXPECT_TRUE(Exists(setup)) << setup;
        EXPECT_EQ(RunToEnd("\"" + setup + "\" /S"), 0u);
        std::string installed = ShellFolder(build.programFiles) + "\\Keystave";
        for (const char* file : kInstalledFiles)
            EXPECT_TRUE(Exists(installed + "\\" + file)) << file;
        EXPECT_EQ(ReadFile(installed + "\\keystave.exe"), ReadFile(build.folder + "\\keystave.exe"))
            << "the program the build made";
        EXPECT_EQ(FileVersionOf(installed + "\\keystave.exe"), KEYSTAVE_FILE_VERSION_TEXT);
        EXPECT_FALSE(Exists(installed + "\\BCDEDIT.EXE")) << "no simulator goes with the program";
        EXPECT_TRUE(Exists(shortcut)) << "a shortcut in every user's Start menu";
        EXPECT_EQ(UninstallValue(build.view, "DisplayVersion"), KEYSTAVE_VERSION_TEXT);
        EXPECT_EQ(UninstallValue(build.view, "QuietUninstallString"), "\"" + installed + "\\uninstall.exe\" /S");
        return installed;
    }

    // Starts the installed program against the simulator put beside it.
    void RunInstalled(const Build& build, const std::string& installed)
    {
        ASSERT_TRUE(::CopyFileA((build.folder + "\\BCDEDIT.EXE").c_str(), (installed + "\\BCDEDIT.EXE").c_str(),
                                FALSE));
        programFolder = installed;
        Start(kSampleRows);
        EXPECT_EQ(RemoteListView(loaders).Text(0, 1), "Windows 11");
        // A change, so that the session leaves a backup behind.
        RightClickRow(1);
        ASSERT_TRUE(WaitUntil([&] { return Menu() != nullptr && InMenuLoop(main); }));
        PressKey('F');
        ASSERT_TRUE(WaitUntil([&] { return Count(std::string("/set {bootmgr} default ") + kWin10) == 1; }));
        EXPECT_EQ(BackupFiles().size(), 1u);

        // While it runs, neither installing again nor removing it goes on
        // (the uninstaller run in place, so that its exit code is its own).
        EXPECT_EQ(RunToEnd("\"" + Setup(build) + "\" /S"), 3u);
        EXPECT_EQ(RunToEnd("\"" + installed + "\\uninstall.exe\" /S _?=" + installed), 3u);
        for (const char* file : kInstalledFiles)
            EXPECT_TRUE(Exists(installed + "\\" + file)) << file << " stays while the program runs";
        EXPECT_TRUE(Exists(shortcut));
        ::PostMessageA(main, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(program->WaitForExit(20000));
    }

    // A backup in the user's own folder, where the program puts it outside the tests.
    std::string PlantUserBackup()
    {
        std::string backups = ShellFolder(CSIDL_LOCAL_APPDATA) + "\\Keystave";
        ::CreateDirectoryA(backups.c_str(), nullptr);
        backups += "\\Backups";
        ::CreateDirectoryA(backups.c_str(), nullptr);
        std::string backup = backups + "\\BCD-20261208-090000.bak";
        EXPECT_TRUE(WriteStoreAtomically(backup, kSampleStoreText));
        return backup;
    }

    void UninstallSilently(const std::string& installed)
    {
        // The uninstaller copies itself away and ends at once: wait for what it does.
        EXPECT_EQ(RunToEnd("\"" + installed + "\\uninstall.exe\" /S"), 0u);
        EXPECT_TRUE(WaitUntil([&] { return !Exists(installed + "\\uninstall.exe") && !Exists(shortcut); }, 60000));
    }

    // Removes it as a user does: the uninstaller's window, its Uninstall
    // button, the message it ends with (returned), its Close button.
    std::string UninstallByHand(const std::string& installed, const char* bits)
    {
        // NSIS ends its window's caption with a space, not its message's.
        std::string caption = std::string("Keystave " KEYSTAVE_VERSION_TEXT " (") + bits + ") Uninstall";
        ChildProcess run("\"" + installed + "\\uninstall.exe\"");
        EXPECT_TRUE(run.Started());
        HWND window = nullptr;
        EXPECT_TRUE(WaitUntil([&] {
            std::vector<HWND> found = WindowsWithCaption(caption + " ");
            window = found.empty() ? nullptr : found.front();
            return window != nullptr;
        }, 30000)) << caption;
        if (!window)
            return "<no uninstaller>";
        ::ClickAt(WindowCentre(::GetDlgItem(window, IDOK)));
        HWND box = nullptr;
        WaitUntil([&] {
            for (HWND candidate : WindowsWithCaption(caption))
                if (::GetDlgItem(candidate, 0xFFFF))
                    box = candidate;
            return box != nullptr;
        }, 60000);
        std::string said = box ? WindowText(::GetDlgItem(box, 0xFFFF)) : "<no message>";
        if (box)
            ::ClickAt(WindowCentre(::GetDlgItem(box, IDOK)));
        // The last page: its Close button ends the uninstaller.
        EXPECT_TRUE(WaitUntil([&] { return box == nullptr || !::IsWindow(box); }));
        EXPECT_TRUE(WaitUntil([&] {
            if (::IsWindow(window) && ::IsWindowEnabled(::GetDlgItem(window, IDOK)))
                ::ClickAt(WindowCentre(::GetDlgItem(window, IDOK)));
            return !::IsWindow(window);
        }, 30000));
        return said;
    }

    std::string shortcut;
};

TEST_F(Installer, The64BitOneInstallsRunsAndUninstallsSilently)
{
    Build build{TestProgramFolder(), "win64", CSIDL_PROGRAM_FILES, KEY_WOW64_64KEY};
    std::string installed = InstallSilently(build);
    EXPECT_EQ(installed.find("(x86)"), std::string::npos) << installed;
    EXPECT_EQ(UninstallValue(KEY_WOW64_32KEY, "DisplayVersion"), "<none>") << "the 64-bit view only";
    RunInstalled(build, installed);
    std::string userBackup = PlantUserBackup();

    // Without anything of ours beside the program, the folder goes too.
    ASSERT_TRUE(::DeleteFileA((installed + "\\BCDEDIT.EXE").c_str()));
    UninstallSilently(installed);
    EXPECT_TRUE(WaitUntil([&] { return !Exists(installed); }));
    EXPECT_EQ(UninstallValue(KEY_WOW64_64KEY, "DisplayVersion"), "<none>");
    EXPECT_TRUE(Exists(userBackup)) << "the user's backups stay";
    EXPECT_EQ(BackupFiles().size(), 1u) << "the session's backup stays";
}

TEST_F(Installer, The32BitOneInstallsSilentlyRunsAndIsRemovedByHandSayingTheBackupsStay)
{
    std::string bits32 = Windows32Folder();
    if (bits32.empty())
        GTEST_SKIP() << "KEYSTAVE_WINDOWS32_BIN names no 32-bit build";
    Build build{bits32, "win32", CSIDL_PROGRAM_FILESX86, KEY_WOW64_32KEY};
    std::string installed = InstallSilently(build);
    EXPECT_NE(installed.find("(x86)"), std::string::npos) << installed;
    RunInstalled(build, installed);
    std::string userBackup = PlantUserBackup();

    // Removed by hand, it says the backups stay; a file someone put beside
    // the program is all that is left.
    std::string said = UninstallByHand(installed, "32-bit");
    EXPECT_NE(said.find("backups of the boot configuration it made are kept"), std::string::npos) << said;
    EXPECT_NE(said.find("\\Keystave\\Backups"), std::string::npos) << said;
    EXPECT_TRUE(WaitUntil([&] { return !Exists(installed + "\\uninstall.exe") && !Exists(shortcut); }));
    EXPECT_EQ(FolderEntries(installed), std::vector<std::string>{"BCDEDIT.EXE"});
    EXPECT_EQ(UninstallValue(KEY_WOW64_32KEY, "DisplayVersion"), "<none>");
    EXPECT_TRUE(Exists(userBackup));
    EXPECT_EQ(BackupFiles().size(), 1u);
}

}  // namespace
