#include <gtest/gtest.h>

#include "model/CBcdBootLoader.h"
#include "model/CBcdBootManager.h"
#include "model/CBcdDbgSettings.h"
#include "model/CollectUnknownElement.h"
#include "tests/native/CatalogueFixture.h"

namespace {

CBcdItem Item(const std::string& name, std::vector<std::string> values)
{
    CBcdItem item;
    EXPECT_TRUE(item.Identify(name)) << name;
    for (const std::string& value : values)
        item.AddValue(value);
    return item;
}

class BcdObject : public WithShippedCatalogue {};

}  // namespace

TEST_F(BcdObject, ItemsKeepTheirPrintedNameAndRefuseExtraValues)
{
    CBcdItem item;
    EXPECT_FALSE(item.AddValue("x")) << "no definition attached";
    EXPECT_EQ(item.GetType(), -1);
    EXPECT_FALSE(item.Identify("nosuchelement"));
    ASSERT_TRUE(item.Identify("DESCRIPTION"));
    EXPECT_EQ(item.GetName(), "DESCRIPTION");
    EXPECT_TRUE(item.AddValue(""));
    EXPECT_FALSE(item.AddValue("second"));
    EXPECT_EQ(item.GetValueCount(), 1);
    EXPECT_EQ(item.GetValue(0), "");
    EXPECT_EQ(item.GetValue(5), "") << "out of range gives empty text";

    CBcdItem list;
    ASSERT_TRUE(list.Identify("displayorder"));
    EXPECT_TRUE(list.IsMultiValued());
    EXPECT_TRUE(list.AddValue("{a}"));
    EXPECT_TRUE(list.AddValue("{b}"));
    EXPECT_EQ(list.GetValueCount(), 2);

    CBcdItem unknown;
    EXPECT_FALSE(unknown.SetUnknownValue("description"));
    EXPECT_TRUE(unknown.SetUnknownValue("zzz : UNKNOWN IDENTIFIER"));
    EXPECT_EQ(unknown.GetDefinitionIndex(), 0);
    EXPECT_TRUE(unknown.SetUnknownEnum("zzz : UNKNOWN IDENTIFIER"));
    EXPECT_EQ(unknown.GetDefinitionIndex(), 1);
}

TEST_F(BcdObject, IdentifierDescriptionAndDebugType)
{
    CBcdBootLoader loader;
    loader.AddItem(Item("identifier", {"{first}"}));
    loader.AddItem(Item("description", {"Windows 11  "}));
    loader.AddItem(Item("Identifier", {"{second}"}));
    EXPECT_EQ(loader.GetIdentifier(), "{second}");
    EXPECT_EQ(loader.GetDescription(), "Windows 11  ");
    EXPECT_EQ(loader.GetItems().size(), 3u);

    loader.AddItem(Item("debugtype", {"serial"}));
    loader.AddItem(Item("debugport", {"2"}));
    loader.AddItem(Item("baudrate", {"57600"}));
    loader.AddItem(Item("channel", {"12"}));
    loader.AddItem(Item("targetname", {"t"}));
    EXPECT_EQ(loader.GetDebugType(), DebugTypeSerial);
    EXPECT_EQ(loader.GetDebugPort(), "2");
    EXPECT_EQ(loader.GetBaudRate(), "57600");
    EXPECT_EQ(loader.GetChannel(), "");
    EXPECT_EQ(loader.GetTargetName(), "");

    CBcdDbgSettings usb;
    usb.AddItem(Item("debugtype", {"USB"}));
    usb.AddItem(Item("targetname", {"kd"}));
    EXPECT_EQ(usb.GetDebugType(), DebugTypeUsb);
    EXPECT_EQ(usb.GetTargetName(), "kd");
    CBcdDbgSettings net;
    net.AddItem(Item("key", {"a.b.c.d"}));
    net.AddItem(Item("debugtype", {"NET"}));
    net.AddItem(Item("hostip", {"192.168.1.2"}));
    net.AddItem(Item("port", {"50000"}));
    EXPECT_EQ(net.GetDebugType(), DebugTypeNet);
    EXPECT_EQ(net.GetHostIp(), "192.168.1.2");
    EXPECT_EQ(net.GetNetPort(), "50000");
    EXPECT_EQ(net.GetKey(), "a.b.c.d") << "a key printed before the type still counts";
    EXPECT_EQ(net.GetDebugPort(), "") << "not a serial connection";
    CBcdDbgSettings local;
    local.AddItem(Item("debugtype", {"Local"}));
    EXPECT_EQ(local.GetDebugType(), DebugTypeLocal) << "not 'unknown': most PCs store this";
    EXPECT_EQ(local.GetHostIp(), "");
    CBcdDbgSettings odd;
    odd.AddItem(Item("debugtype", {"Pigeon"}));
    EXPECT_EQ(odd.GetDebugType(), DebugTypeNone);
    CBcdDbgSettings firewire;
    firewire.AddItem(Item("debugtype", {"1394"}));
    firewire.AddItem(Item("channel", {"3"}));
    EXPECT_EQ(firewire.GetChannel(), "3");

    // The boot manager never takes a debug type.
    CBcdBootManager manager;
    manager.AddItem(Item("debugtype", {"Serial"}));
    manager.AddItem(Item("debugport", {"1"}));
    EXPECT_EQ(manager.GetDebugType(), DebugTypeNone);
    EXPECT_EQ(manager.GetDebugPort(), "");

    // RemoveAllItems keeps identifier, description and debug type.
    loader.RemoveAllItems();
    EXPECT_TRUE(loader.GetItems().empty());
    EXPECT_EQ(loader.GetIdentifier(), "{second}");
    EXPECT_EQ(loader.GetDebugType(), DebugTypeSerial);
}

TEST_F(BcdObject, DebugFlagDefaultAndDisplayOrderPosition)
{
    CBcdBootLoader loader;
    EXPECT_FALSE(loader.IsDebugEnabled());
    loader.AddItem(Item("identifier", {"{B}"}));
    loader.AddItem(Item("debug", {"yES"}));
    EXPECT_TRUE(loader.IsDebugEnabled());
    CBcdBootLoader off;
    off.AddItem(Item("debug", {"No"}));
    EXPECT_FALSE(off.IsDebugEnabled());

    CBcdBootManager manager;
    EXPECT_EQ(loader.GetDisplayOrderPosition(&manager), -1);
    EXPECT_EQ(loader.GetDisplayOrderPosition(nullptr), -1);
    manager.AddItem(Item("default", {"{b}"}));
    manager.AddItem(Item("displayorder", {"{a}", "{b}", "{c}", "{b}"}));
    EXPECT_EQ(manager.GetDefault(), "{b}");
    EXPECT_EQ(loader.GetDisplayOrderPosition(&manager), 2);
    CBcdBootLoader absent;
    absent.AddItem(Item("identifier", {"{z}"}));
    EXPECT_EQ(absent.GetDisplayOrderPosition(&manager), -1);
}

TEST_F(BcdObject, UnknownElementsAreCollectedUnderDecoratedNames)
{
    OutputLines lines = {
        "custom:45000001         1",
        "custom:47000005         301989892",
        "                        3",
        "                        ",
        "                        4",
        "Custom:1                x",
        "custom                  y",
        "weird                   two words",
        "description             known",
        "lastone",
    };
    CBcdBootLoader loader;
    size_t i = 0;
    CollectUnknownElement(lines, i, loader);
    EXPECT_EQ(i, 1u) << "a following element line is not taken";
    CollectUnknownElement(lines, i, loader);
    EXPECT_EQ(i, 5u);
    CollectUnknownElement(lines, i, loader);
    CollectUnknownElement(lines, i, loader);
    CollectUnknownElement(lines, i, loader);
    EXPECT_EQ(i, 8u) << "a known element stops the collector";
    i = 9;
    CollectUnknownElement(lines, i, loader);
    EXPECT_EQ(i, 10u);

    const auto& items = loader.GetItems();
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(items[0].GetName(), "custom:45000001 : CUSTOM IDENTIFIER");
    EXPECT_EQ(items[0].GetDefinitionIndex(), 0);
    EXPECT_EQ(items[0].GetValues(), std::vector<std::string>{"1"});
    EXPECT_EQ(items[1].GetName(), "custom:47000005 : CUSTOM IDENTIFIER");
    EXPECT_EQ(items[1].GetDefinitionIndex(), 1);
    EXPECT_EQ(items[1].GetValues(), (std::vector<std::string>{"301989892", "3", "4"}));
    EXPECT_EQ(items[2].GetName(), "Custom:1 : UNKNOWN IDENTIFIER");
    EXPECT_EQ(items[3].GetName(), "custom : UNKNOWN IDENTIFIER");
    EXPECT_EQ(items[4].GetValues(), std::vector<std::string>{"two words"});
    EXPECT_EQ(items[5].GetName(), "lastone : UNKNOWN IDENTIFIER");
    EXPECT_EQ(items[5].GetValues(), std::vector<std::string>{""});

    // A one-word heading of another section is not taken as a value.
    OutputLines headed = {"custom:1 x", "Windows-Start-Manager", "-----", "a b"};
    CBcdBootLoader other;
    i = 0;
    CollectUnknownElement(headed, i, other);
    EXPECT_EQ(i, 1u);
    EXPECT_EQ(other.GetItems()[0].GetValueCount(), 1);
}

TEST_F(BcdObject, ItemsReadFromAListingPointIntoItOnlyWhileTheirObjectKeepsIt)
{
    auto listing = std::make_shared<const std::string>(
        "nx                      OptIn\r\n"
        "displayorder            {a}\r\n"
        "                        {b}\r\n"
        "                        {c}\r\n");
    auto range = [&](size_t at, size_t size) { return std::string_view(*listing).substr(at, size); };
    const size_t line = 31;  // the second line's start

    // A single value and a list, both read in place.
    CBcdBootLoader loader;
    loader.SetListing(listing);
    CBcdItem nx;
    bool multiValued = true;
    ASSERT_TRUE(nx.IdentifyListed(listing.get(), range(0, 2), range(24, 5), multiValued));
    EXPECT_FALSE(multiValued);
    EXPECT_TRUE(nx.PointsInto(listing.get()));
    loader.AddItem(std::move(nx));
    EXPECT_TRUE(loader.GetItems()[0].PointsInto(listing.get())) << "its object keeps the listing";

    CBcdItem order;
    ASSERT_TRUE(order.IdentifyListed(listing.get(), range(line, 12), range(line + 24, 3), multiValued));
    EXPECT_TRUE(multiValued);
    order.ReserveValues(2);
    EXPECT_TRUE(order.AddValue(range(line + 29 + 24, 3)));
    EXPECT_TRUE(order.AddValue(range(line + 58 + 24, 3)));
    EXPECT_EQ(order.GetValueCount(), 3);
    EXPECT_EQ(order.GetValue(1), "{b}");
    EXPECT_EQ(order.GetValues(), (std::vector<std::string>{"{a}", "{b}", "{c}"}));
    loader.AddItem(std::move(order));
    // The list a grid borrows: all values, made once, where it stays while the
    // item moves with its object's other items.
    const std::vector<std::string>* list = &loader.GetItems()[1].GetValueList();
    EXPECT_EQ(*list, (std::vector<std::string>{"{a}", "{b}", "{c}"}));
    for (int i = 0; i < 40; ++i)
        loader.AddItem(Item("description", {"more"}));
    EXPECT_EQ(&loader.GetItems()[1].GetValueList(), list);
    EXPECT_EQ(loader.GetItems()[1].GetValueCount(), 3);
    EXPECT_EQ(loader.GetItems()[1].GetValue(2), "{c}");

    // A value from elsewhere joins the list; a single-valued item gets none.
    CBcdItem more;
    ASSERT_TRUE(more.IdentifyListed(listing.get(), range(line, 12), range(line + 24, 3), multiValued));
    EXPECT_TRUE(more.AddValue(range(line + 29 + 24, 3)));
    EXPECT_TRUE(more.AddValue("{z}"));
    EXPECT_TRUE(more.AddValue(range(line + 58 + 24, 3)));
    EXPECT_EQ(more.GetValues(), (std::vector<std::string>{"{a}", "{b}", "{z}", "{c}"}));
    EXPECT_EQ(more.GetValueList(), (std::vector<std::string>{"{a}", "{b}", "{z}", "{c}"}));
    CBcdItem single;
    ASSERT_TRUE(single.IdentifyListed(listing.get(), range(0, 2), range(24, 5), multiValued));
    EXPECT_FALSE(single.AddValue(range(line + 24, 3)));
    EXPECT_TRUE(single.GetValueList().empty());

    // Copies, and items handed to an object without the listing, keep their
    // own text: they outlive it (the sanitizer checks every read below).
    CBcdBootLoader elsewhere;
    elsewhere.AddItem(CBcdItem(loader.GetItems()[0]));
    CBcdItem moved;
    ASSERT_TRUE(moved.IdentifyListed(listing.get(), range(line, 12), range(line + 24, 3), multiValued));
    EXPECT_TRUE(moved.AddValue(range(line + 29 + 24, 3)));
    elsewhere.AddItem(std::move(moved));
    EXPECT_EQ(moved.GetName(), "") << "a moved-from item is empty";
    EXPECT_EQ(moved.GetValueCount(), 0);
    EXPECT_EQ(moved.GetDefinitionIndex(), -1);
    CBcdItem copy = loader.GetItems()[1];
    EXPECT_FALSE(copy.PointsInto(listing.get()));
    EXPECT_FALSE(elsewhere.GetItems()[0].PointsInto(listing.get()));
    EXPECT_FALSE(elsewhere.GetItems()[1].PointsInto(listing.get()));
    loader = CBcdBootLoader();
    listing.reset();
    EXPECT_EQ(elsewhere.GetItems()[0].GetName(), "nx");
    EXPECT_EQ(elsewhere.GetItems()[0].GetValue(0), "OptIn");
    EXPECT_EQ(elsewhere.GetItems()[1].GetName(), "displayorder");
    EXPECT_EQ(elsewhere.GetItems()[1].GetValues(), (std::vector<std::string>{"{a}", "{b}"}));
    EXPECT_EQ(copy.GetValueList(), (std::vector<std::string>{"{a}", "{b}", "{c}"}));

    // Ranges outside the listing are copied at once.
    auto other = std::make_shared<const std::string>("x");
    CBcdItem outside;
    ASSERT_TRUE(outside.IdentifyListed(other.get(), "description", "Windows", multiValued));
    EXPECT_FALSE(outside.PointsInto(other.get()));
    EXPECT_EQ(outside.GetValue(0), "Windows");
    CBcdItem none;
    ASSERT_TRUE(none.IdentifyListed(nullptr, "nx", "OptOut", multiValued));
    EXPECT_EQ(none.GetValue(0), "OptOut");
    EXPECT_FALSE(none.IdentifyListed(other.get(), "nosuchelement", "1", multiValued));
}
