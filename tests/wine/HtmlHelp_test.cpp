#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/HtmlHelp.h"
#include "tests/wine/WineTestSupport.h"

namespace {

const char kKey[] = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";

// Puts a value of the given type as the control's registration and puts
// the original back afterwards.
class Registration {
public:
    Registration()
    {
        HKEY key;
        if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, kKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
            char value[MAX_PATH] = {};
            DWORD size = sizeof value;
            m_had = ::RegQueryValueExA(key, nullptr, nullptr, &m_type,
                                       reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS;
            m_value = value;
            ::RegCloseKey(key);
        }
    }
    ~Registration()
    {
        if (m_had)
            Set(m_type, m_value);
        else
            Remove();
    }
    static void Set(DWORD type, const std::string& value)
    {
        HKEY key;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CLASSES_ROOT, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                                    nullptr),
                  ERROR_SUCCESS);
        ::RegSetValueExA(key, nullptr, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>(value.size() + 1));
        ::RegCloseKey(key);
    }
    static void Remove() { ::RegDeleteKeyA(HKEY_CLASSES_ROOT, kKey); }

private:
    bool m_had = false;
    DWORD m_type = REG_SZ;
    std::string m_value;
};

}  // namespace

TEST(HtmlHelp, TheRegisteredPathIsReadAndExpanded)
{
    Registration keep;
    Registration::Set(REG_EXPAND_SZ, "%SystemRoot%\\system32\\hhctrl.ocx");
    char expected[MAX_PATH] = {};
    ::ExpandEnvironmentStringsA("%SystemRoot%\\system32\\hhctrl.ocx", expected, MAX_PATH);
    char path[MAX_PATH] = {};
    ASSERT_TRUE(FindHtmlHelpLibrary(path));
    EXPECT_STREQ(path, expected);
    EXPECT_EQ(std::string(path).find('%'), std::string::npos);

    Registration::Set(REG_SZ, "C:\\plain\\hhctrl.ocx");
    ASSERT_TRUE(FindHtmlHelpLibrary(path));
    EXPECT_STREQ(path, "C:\\plain\\hhctrl.ocx");

    Registration::Remove();
    EXPECT_FALSE(FindHtmlHelpLibrary(path));
}

TEST(HtmlHelp, WithoutARegistrationTheControlIsLoadedByName)
{
    Registration keep;
    Registration::Remove();
    ResetHtmlHelpForTesting();
    HWND viewer = CallHtmlHelp(nullptr, (TestProgramFolder() + "\\keystave.chm").c_str(), 0, 0);
    EXPECT_FALSE(HtmlHelpUnavailable());
    ASSERT_NE(viewer, nullptr);
    ::DestroyWindow(viewer);

    // A registration that names a missing file falls back to the bare name too.
    Registration::Set(REG_SZ, "C:\\nowhere\\hhctrl.ocx");
    ResetHtmlHelpForTesting();
    viewer = CallHtmlHelp(nullptr, (TestProgramFolder() + "\\keystave.chm").c_str(), 0, 0);
    EXPECT_NE(viewer, nullptr);
    if (viewer)
        ::DestroyWindow(viewer);
    ResetHtmlHelpForTesting();
}
