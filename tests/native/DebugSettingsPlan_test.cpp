#include <gtest/gtest.h>

#include "model/CBcdDbgSettings.h"
#include "model/DebugSettingsPlan.h"
#include "tests/native/CatalogueFixture.h"

namespace {

class DebugSettingsPlan : public WithShippedCatalogue {
protected:
    static std::unique_ptr<CBcdDbgSettings> Stored(
        std::initializer_list<std::pair<const char*, const char*>> elements)
    {
        auto settings = std::make_unique<CBcdDbgSettings>();
        for (const auto& element : elements) {
            CBcdItem item;
            EXPECT_TRUE(item.Identify(element.first)) << element.first;
            item.AddValue(element.second);
            settings->AddItem(std::move(item));
        }
        return settings;
    }
    static DebugChoice Serial(const char* port, const char* rate)
    {
        DebugChoice choice;
        choice.type = DebugTypeSerial;
        choice.port = port;
        choice.baudRate = rate;
        choice.policy = "ACTIVE";
        return choice;
    }
    static DebugChoice Net(const char* hostIp, const char* port, const char* key = "")
    {
        DebugChoice choice;
        choice.type = DebugTypeNet;
        choice.hostIp = hostIp;
        choice.netPort = port;
        choice.key = key;
        return choice;
    }
    // Network debugging to 10.0.0.1:50000 with the key a.b.c.d.
    static std::unique_ptr<CBcdDbgSettings> StoredNet()
    {
        return Stored({{"key", "a.b.c.d"}, {"debugtype", "NET"}, {"hostip", "10.0.0.1"}, {"port", "50000"}});
    }
};

}  // namespace

TEST_F(DebugSettingsPlan, OnlyAChangeSendsTheCommandOfTheChosenConnection)
{
    auto serial = Stored({{"debugtype", "Serial"}, {"debugport", "1"}, {"baudrate", "115200"}});
    EXPECT_EQ(PlanDebugSettings(*serial, Serial("1", "115200")).kind, DebugPlan::Nothing);
    EXPECT_EQ(PlanDebugSettings(*serial, Serial("1", "115200")).command.arguments, "");

    DebugChoice policy = Serial("1", "115200");
    policy.policyChanged = true;
    policy.policy = "DISABLE";
    DebugPlan plan = PlanDebugSettings(*serial, policy);
    ASSERT_EQ(plan.kind, DebugPlan::Send);
    EXPECT_EQ(plan.command.arguments, "/DBGSETTINGS SERIAL DEBUGPORT:1 BAUDRATE:115200 /start DISABLE");

    DebugChoice umex = Serial("1", "115200");
    umex.noUmex = true;
    EXPECT_EQ(PlanDebugSettings(*serial, umex).command.arguments,
              "/DBGSETTINGS SERIAL DEBUGPORT:1 BAUDRATE:115200 /noumex");
    EXPECT_EQ(PlanDebugSettings(*serial, Serial("2", "115200")).command.arguments,
              "/DBGSETTINGS SERIAL DEBUGPORT:2 BAUDRATE:115200");

    DebugChoice firewire;
    firewire.type = DebugType1394;
    firewire.channel = "5";
    EXPECT_EQ(PlanDebugSettings(*serial, firewire).command.arguments, "/DBGSETTINGS 1394 CHANNEL:5");

    // USB: an empty target name is refused, a name differing only in case is no change.
    auto usb = Stored({{"targetname", "MyTarget"}, {"debugtype", "USB"}});
    DebugChoice target;
    target.type = DebugTypeUsb;
    EXPECT_EQ(PlanDebugSettings(*usb, target).kind, DebugPlan::Refuse);
    EXPECT_EQ(PlanDebugSettings(*usb, target).message, "A Target Name must be specified.");
    target.targetName = "mytarget";
    EXPECT_EQ(PlanDebugSettings(*usb, target).kind, DebugPlan::Nothing);
    EXPECT_EQ(PlanDebugSettings(*serial, target).kind, DebugPlan::Send) << "switched to USB";
}

TEST_F(DebugSettingsPlan, NetworkAndLocalDebuggingFollowTheToolsRules)
{
    auto local = Stored({{"debugtype", "Local"}});
    DebugChoice keep;
    keep.type = DebugTypeLocal;
    EXPECT_EQ(PlanDebugSettings(*local, keep).kind, DebugPlan::Nothing) << "stored Local, unchanged";
    keep.noUmex = true;
    EXPECT_EQ(PlanDebugSettings(*local, keep).command.arguments, "/DBGSETTINGS LOCAL /noumex");

    DebugChoice net = Net("192.168.1.2", "50000");
    DebugPlan plan = PlanDebugSettings(*local, net);
    ASSERT_EQ(plan.kind, DebugPlan::Send);
    EXPECT_EQ(plan.command.arguments, "/DBGSETTINGS NET HOSTIP:192.168.1.2 PORT:50000");
    net.key = "1a2b.3c4d.5e6f.7g8h";
    EXPECT_EQ(PlanDebugSettings(*local, net).command.arguments,
              "/DBGSETTINGS NET HOSTIP:192.168.1.2 PORT:50000 KEY:1a2b.3c4d.5e6f.7g8h");
    for (const char* port : {"80", "49151", "65536", "", "5365", "5x"}) {
        net.netPort = port;
        EXPECT_EQ(PlanDebugSettings(*local, net).message,
                  "The port must be 5364 or a number from 49152 to 65535.") << port;
    }
    net.netPort = "5364";
    for (const char* key : {"a.b.c", "a.b.c.d.e", "a..c.d", "a.b.c.d-", "a b.c.d.e"}) {
        net.key = key;
        EXPECT_EQ(PlanDebugSettings(*local, net).kind, DebugPlan::Refuse) << key;
    }
    net.key = "";
    net.hostIp = "";
    EXPECT_EQ(PlanDebugSettings(*local, net).message, "A Host IP address must be specified.");

    EXPECT_EQ(PlanDebugSettings(*StoredNet(), Net("10.0.0.1", "50000", "A.B.C.D")).kind, DebugPlan::Nothing)
        << "stored NET, unchanged";

    // No connection type: nothing to build a command on.
    DebugChoice none;
    none.policyChanged = true;
    none.policy = "DISABLE";
    EXPECT_EQ(PlanDebugSettings(*local, none).kind, DebugPlan::Refuse);
    EXPECT_EQ(GeneratedKey({"Key=3u8smyv9k8dhc.1n6xeo1grsn3w.2w5ryb1kiyz7q.3ydd0p7xmwkjv",
                            "The operation completed successfully."}),
              "3u8smyv9k8dhc.1n6xeo1grsn3w.2w5ryb1kiyz7q.3ydd0p7xmwkjv");
    EXPECT_EQ(GeneratedKey({"KEY=abc"}), "abc") << "compared without regard to case";
    EXPECT_EQ(GeneratedKey({"The operation completed successfully."}), "");
}

TEST_F(DebugSettingsPlan, HostAddressesPortEdgesKeysAndTheStoredPortAndPolicy)
{
    auto local = Stored({{"debugtype", "Local"}});
    DebugChoice net = Net("", "50000");
    for (const char* bad : {"999.999.1.1", "256.1.1.1", "1.2.3", "1.2.3.4.5", "1..3.4", "a.b.c.d",
                            " 1.2.3.4", "1.2.3.4 ", "1.2.3.-4", "1.2.3.1000", "host"}) {
        net.hostIp = bad;
        EXPECT_EQ(PlanDebugSettings(*local, net).message, kHostIpInvalid) << bad;
    }
    for (const char* good : {"0.0.0.0", "255.255.255.255", "10.0.0.1", "192.168.001.002"}) {
        net.hostIp = good;
        EXPECT_EQ(PlanDebugSettings(*local, net).kind, DebugPlan::Send) << good;
    }
    // The port's edges are taken.
    net.hostIp = "10.0.0.1";
    for (const char* port : {"5364", "49152", "65535"}) {
        net.netPort = port;
        EXPECT_EQ(PlanDebugSettings(*local, net).kind, DebugPlan::Send) << port;
        EXPECT_TRUE(IsValidNetPort(port)) << port;
    }

    // A new key alone is a change.
    DebugPlan plan = PlanDebugSettings(*StoredNet(), Net("10.0.0.1", "50000", "e.f.g.h"));
    ASSERT_EQ(plan.kind, DebugPlan::Send);
    EXPECT_EQ(plan.command.arguments, "/DBGSETTINGS NET HOSTIP:10.0.0.1 PORT:50000 KEY:e.f.g.h");

    // A stored port beyond COM9 is offered, so the window can show it.
    EXPECT_EQ(SerialPortChoices("12"),
              (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9", "12"}));
    EXPECT_EQ(SerialPortChoices("3").size(), 9u);
    EXPECT_EQ(SerialPortChoices("").size(), 9u);
    EXPECT_EQ(SerialPortChoices("x1").size(), 9u);
    auto com12 = Stored({{"debugtype", "Serial"}, {"debugport", "12"}, {"baudrate", "115200"}});
    EXPECT_EQ(PlanDebugSettings(*com12, Serial("12", "115200")).kind, DebugPlan::Nothing)
        << "the stored port, shown and kept, is no change";

    // The stored start policy, in the window's words.
    EXPECT_EQ(StoredStartPolicy(*local), "ACTIVE") << "the tool's default";
    EXPECT_EQ(StoredStartPolicy(*Stored({{"debugstart", "Disable"}})), "DISABLE");
    EXPECT_EQ(StoredStartPolicy(*Stored({{"debugstart", "AutoEnable"}})), "AUTOENABLE");
}
