#include "catalogue/ElementCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/BcdType.h"
#include "common/TextCompare.h"
#include "tests/native/NoticeRecorder.h"
#include "tests/native/TestFiles.h"

namespace {

struct Fields {
    std::string name = "description";
    std::string multi = "false";
    std::string type = "BCD_TYPE_STRING";
    std::string manager = "true";
    std::string loader = "true";
    std::string debugger = "false";
    std::string modifiable = "true";
    std::string skip;  // a field left out
};

std::string Definition(const Fields& f)
{
    auto field = [&](const char* tag, const std::string& value) {
        return f.skip == tag ? std::string()
                             : "<" + std::string(tag) + ">" + value + "</" + tag + ">";
    };
    return "<Element>" + field("IdentifierName", f.name) + field("MultiValues", f.multi) +
           field("Type", f.type) + field("Manager", f.manager) + field("Loader", f.loader) +
           field("Debugger", f.debugger) + field("Modifiable", f.modifiable) + "</Element>\n";
}

std::string Fixed()
{
    Fields value;
    value.name = "unknownvalue";
    value.type = "BCD_TYPE_UNKNOWN_VALUE";
    Fields list;
    list.name = "unknownenum";
    list.multi = "true";
    list.type = "BCD_TYPE_UNKNOWN_ENUM";
    return Definition(value) + Definition(list);
}

std::string Document(const std::string& definitions)
{
    return "<?xml version=\"1.0\"?>\n<KeystaveData>\n" + definitions + "</KeystaveData>\n";
}

// Loads a document and returns the one message it showed, or "" on success.
std::string LoadMessage(const std::string& text, bool* loaded = nullptr)
{
    TempFile file(text, "keystavedata.xml");
    NoticeRecorder recorder;
    bool ok = LoadElementCatalogue(file.Path());
    if (loaded)
        *loaded = ok;
    EXPECT_LE(recorder.notices.size(), 1u);
    EXPECT_EQ(ok, recorder.notices.empty());
    if (recorder.notices.empty())
        return "";
    EXPECT_EQ(recorder.kinds[0], NoticeKind::Error);
    std::string message = recorder.notices[0];
    size_t at = message.find(file.Path());
    if (at != std::string::npos)
        message.replace(at, std::string(file.Path()).size(), "%s");
    return message;
}

std::string WithField(Fields f) { return LoadMessage(Document(Fixed() + Definition(f))); }

}  // namespace

TEST(ElementCatalogue, EveryLoaderMessageFromACraftedFile)
{
    EXPECT_EQ(LoadMessage("not xml at all <<<"), "Error: %s file is corrupt (or not an xml file).");
    EXPECT_EQ(LoadMessage("<?xml version=\"1.0\"?><a><b></a>"),
              "Error: %s file is corrupt (or not an xml file).");
    EXPECT_EQ(LoadMessage("<?xml version=\"1.0\"?><!-- nothing -->"),
              "Error: %s file is corrupt (or not an xml file).");
    EXPECT_EQ(LoadMessage("<?xml version=\"1.0\"?><KeystaveData></KeystaveData>"),
              "Error: %s file does not have any children.");

    Fields f;
    f.skip = "IdentifierName";
    EXPECT_EQ(WithField(f), "Error: %s file is corrupt (No IdentifierName).");
    Fields wrongFirst;
    EXPECT_EQ(LoadMessage(Document(Definition(wrongFirst))),
              "Error: %s file is corrupt (unknownvalue not first).");
    Fields value;
    value.name = "UnknownValue";
    value.type = "BCD_TYPE_UNKNOWN_VALUE";
    EXPECT_EQ(LoadMessage(Document(Definition(value) + Definition(Fields()))),
              "Error: %s file is corrupt (unknownenum not first).");
    for (const char* skip : {"MultiValues", "Type", "Manager", "Loader", "Debugger", "Modifiable"}) {
        Fields missing;
        missing.skip = skip;
        EXPECT_EQ(WithField(missing), "Error: %s file is corrupt (No " + std::string(skip) + ").");
    }
    Fields badType;
    badType.type = "BCD_TYPE_STRINGS";
    EXPECT_EQ(WithField(badType), "Error: %s file is corrupt (Invalid Type).");

    // The fields are checked in reading order: Type before Manager.
    std::string both = Document(Fixed() + "<Element><IdentifierName>x</IdentifierName>"
                                          "<MultiValues>false</MultiValues><Loader>true</Loader>"
                                          "<Debugger>false</Debugger><Modifiable>true</Modifiable>"
                                          "</Element>");
    EXPECT_EQ(LoadMessage(both), "Error: %s file is corrupt (No Type).");
}

TEST(ElementCatalogue, MissingFileAndTooManyDefinitions)
{
    NoticeRecorder recorder;
    EXPECT_FALSE(LoadElementCatalogue("/nonexistent/keystavedata.xml"));
    ASSERT_EQ(recorder.notices.size(), 1u);
    EXPECT_EQ(recorder.notices[0],
              "Error: /nonexistent/keystavedata.xml file could not be opened.");
    EXPECT_EQ(ElementCatalogue::Instance().Count(), 0);

    // Looked up in the current directory first, then beside the program.
    std::vector<std::string> present;
    auto exists = [&](const std::string& path) {
        return std::find(present.begin(), present.end(), path) != present.end();
    };
    EXPECT_EQ(ChooseDefinitionsPath("keystavedata.xml", "C:\\Tools\\Keystave", exists),
              "keystavedata.xml") << "neither has it: the bare name, for the message";
    present = {"C:\\Tools\\Keystave\\keystavedata.xml"};
    EXPECT_EQ(ChooseDefinitionsPath("keystavedata.xml", "C:\\Tools\\Keystave", exists),
              "C:\\Tools\\Keystave\\keystavedata.xml");
    EXPECT_EQ(ChooseDefinitionsPath("keystavedata.xml", "C:\\Tools\\Keystave\\", exists),
              "C:\\Tools\\Keystave\\keystavedata.xml");
    present.push_back("keystavedata.xml");
    EXPECT_EQ(ChooseDefinitionsPath("keystavedata.xml", "C:\\Tools\\Keystave", exists),
              "keystavedata.xml") << "the current directory wins";
    EXPECT_EQ(ChooseDefinitionsPath("keystavedata.xml", "", exists), "keystavedata.xml");

    std::string definitions = Fixed();
    for (int i = 2; i < ElementCatalogue::kMaxDefinitions; ++i) {
        Fields f;
        f.name = "element" + std::to_string(i);
        definitions += Definition(f);
    }
    bool loaded = false;
    EXPECT_EQ(LoadMessage(Document(definitions), &loaded), "");
    EXPECT_TRUE(loaded);
    EXPECT_EQ(ElementCatalogue::Instance().Count(), 127);
    Fields oneTooMany;
    oneTooMany.name = "element127";
    EXPECT_EQ(LoadMessage(Document(definitions + Definition(oneTooMany))),
              "Error: %s file is corrupt (more than 127 definitions).");
}

TEST(ElementCatalogue, FlagsTypesAndLookups)
{
    Fields upper;
    upper.name = "Upper";
    upper.multi = "TRUE";
    upper.type = "bcd_type_string";
    upper.manager = "yes";
    upper.loader = "1";
    upper.debugger = "True";
    upper.modifiable = "false";
    // Fields in another order load the same; unknown child elements are ignored.
    std::string reordered = "<Element><Type>BCD_TYPE_NX</Type><Extra>x</Extra><Modifiable>true"
                            "</Modifiable><Loader>true</Loader><Debugger/><Manager>false</Manager>"
                            "<MultiValues/><IdentifierName>nx</IdentifierName></Element>";
    Fields again;
    again.name = "unknownvalue";
    ASSERT_EQ(LoadMessage(Document(Fixed() + Definition(upper) + reordered + Definition(again))), "");

    ElementCatalogue& catalogue = ElementCatalogue::Instance();
    EXPECT_EQ(catalogue.Count(), 5);
    int index = catalogue.Identify("UPPER");
    ASSERT_EQ(index, 2);
    const ElementDefinition* record = catalogue.Record(index);
    EXPECT_EQ(record->name, "Upper");
    EXPECT_EQ(record->multiValues, 1);
    EXPECT_EQ(record->type, BCD_TYPE_STRING);
    EXPECT_EQ(record->contexts, kContextDebugger);
    EXPECT_EQ(record->modifiable, 0);

    const ElementDefinition* nx = catalogue.Record(catalogue.Identify("nx"));
    EXPECT_EQ(nx->type, BCD_TYPE_NX);
    EXPECT_EQ(nx->contexts, kContextLoader);
    EXPECT_EQ(nx->multiValues, 0);
    EXPECT_EQ(nx->modifiable, 1);

    // A repeated name is found at its first record.
    EXPECT_EQ(catalogue.Identify("unknownvalue"), 0);
    EXPECT_EQ(catalogue.Identify("unknownenum"), 1);
    EXPECT_FALSE(catalogue.IsKnownName("custom:250000c2"));
    EXPECT_EQ(catalogue.Record(ElementCatalogue::kSize), nullptr);
    EXPECT_EQ(catalogue.Record(-1), nullptr);

    FreeElementCatalogue();
    EXPECT_EQ(catalogue.Count(), 0);
    EXPECT_FALSE(catalogue.IsKnownName("nx"));
    FreeElementCatalogue();  // a second release finds nothing
}

TEST(ElementCatalogue, NamesOfEveryLengthAndByteAreFoundWithoutRegardToCase)
{
    // Names around the lookup's word bounds (8, 16 and 24 bytes), past them,
    // and with bytes that case folding must leave alone.
    std::vector<std::string> names = {"a",
                                      "abcdefg",
                                      "abcdefgh",
                                      "abcdefghi",
                                      "abcdefghijklmnop",
                                      "abcdefghijklmnopq",
                                      "abcdefghijklmnopqrstuvwx",
                                      "abcdefghijklmnopqrstuvwxy",
                                      "abcdefghijklmnopqrstuvwxyz0123456789",
                                      "abcdefghijklmnopqrstuvwxyz0123456788",
                                      "custom:250000c2 : CUSTOM IDENTIFIER",
                                      "x@[`{y",
                                      "caf\xc3\xa9-\xc3\x89t\xc3\xa9"};
    std::string definitions = Fixed();
    for (size_t i = 0; i < names.size(); ++i) {
        Fields f;
        f.name = names[i];
        f.multi = i % 2 ? "true" : "false";
        definitions += Definition(f);
    }
    ASSERT_EQ(LoadMessage(Document(definitions)), "");
    ElementCatalogue& catalogue = ElementCatalogue::Instance();
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        int record = static_cast<int>(i) + 2;
        EXPECT_EQ(catalogue.Identify(name), record) << name;
        EXPECT_EQ(catalogue.Identify(ToUpperAscii(name)), record) << name;
        ElementCatalogue::Match match = catalogue.Find(name);
        EXPECT_EQ(match.record, record) << name;
        EXPECT_EQ(match.multiValued, i % 2 == 1) << name;
        // One byte changed anywhere, one more or one fewer: not found.
        for (size_t at = 0; at < name.size(); ++at) {
            std::string changed = name;
            changed[at] = static_cast<char>(changed[at] ^ 0x01);
            int found = catalogue.Identify(changed);
            EXPECT_TRUE(found < 0 || EqualsNoCase(catalogue.Record(found)->name, changed)) << changed;
        }
        EXPECT_EQ(catalogue.Identify(name + "z"), -1) << name;
        std::string prefix = name.substr(0, name.size() - 1);
        auto listed = std::find(names.begin(), names.end(), prefix);
        int expected = listed == names.end() ? -1 : static_cast<int>(listed - names.begin()) + 2;
        EXPECT_EQ(catalogue.Identify(prefix), expected) << prefix;
    }
    // Folding is ASCII only: '@' is not '`', '[' is not '{', and a byte
    // above 127 matches only itself.
    EXPECT_EQ(catalogue.Identify("X`{@[Y"), -1);
    EXPECT_EQ(catalogue.Identify("CAF\xc3\xa9-\xc3\x89T\xc3\xa9"), 14);
    EXPECT_EQ(catalogue.Identify("caf\xc3\x89-\xc3\x89t\xc3\xa9"), -1);
    EXPECT_EQ(catalogue.Identify(""), -1);
    FreeElementCatalogue();
}

TEST(ElementCatalogue, BcdTypeNamesMatchWithoutCase)
{
    EXPECT_EQ(BcdTypeFromName("BCD_TYPE_NULL"), 0);
    EXPECT_EQ(BcdTypeFromName("bcd_type_unknown_enum"), 27);
    EXPECT_EQ(BcdTypeFromName("BCD_TYPE_NXX"), -1);
    EXPECT_EQ(BcdTypeFromName(""), -1);
    EXPECT_EQ(BcdTypeFromName(nullptr), -1);
    for (int type = 0; type < kBcdTypeCount; ++type)
        EXPECT_EQ(BcdTypeFromName(BcdTypeName(type)), type);
    EXPECT_EQ(BcdTypeName(28), nullptr);
}

TEST(ElementCatalogue, ShippedDefinitionsHoldEveryNameTheProgramReliesOn)
{
    std::string path = std::string(KEYSTAVE_SOURCE_DIR) + "/data/keystavedata.xml";
    NoticeRecorder recorder;
    ASSERT_TRUE(LoadElementCatalogue(path.c_str()));
    EXPECT_TRUE(recorder.notices.empty());
    ElementCatalogue& catalogue = ElementCatalogue::Instance();
    EXPECT_LE(catalogue.Count(), ElementCatalogue::kMaxDefinitions);
    for (const char* name :
         {"identifier", "description", "default", "displayorder", "debug", "debugtype",
          "debugport", "baudrate", "channel", "targetname", "badmemorylist", "device", "path",
          "locale", "inherit", "recoverysequence", "displaymessageoverride", "nx", "pae",
          "bootmenupolicy", "hypervisorlaunchtype", "isolatedcontext", "allowedinmemorysettings",
          "osdevice", "systemroot", "resumeobject", "bootstatuspolicy", "quietboot",
          "toolsdisplayorder", "timeout", "debugstart", "noumex"})
        EXPECT_TRUE(catalogue.IsKnownName(name)) << name;
    auto record = [&](const char* name) { return catalogue.Record(catalogue.Identify(name)); };
    EXPECT_EQ(record("displayorder")->multiValues, 1);
    EXPECT_EQ(record("displayorder")->type, BCD_TYPE_GUID);
    EXPECT_EQ(record("default")->type, BCD_TYPE_DEFAULTGUID);
    EXPECT_EQ(record("badmemorylist")->type, BCD_TYPE_INTEGERLIST);
    EXPECT_EQ(record("badmemorylist")->multiValues, 1);
    EXPECT_EQ(record("identifier")->modifiable, 0);
    EXPECT_EQ(record("debugtype")->contexts & kContextDebugger, kContextDebugger);
    EXPECT_EQ(record("unknownvalue")->type, BCD_TYPE_UNKNOWN_VALUE);
    EXPECT_EQ(record("unknownenum")->type, BCD_TYPE_UNKNOWN_ENUM);
    EXPECT_EQ(record("unknownenum")->multiValues, 1);

    // The index answers as a scan from record 0 would, in any case, and
    // finds nothing for a name that is only a prefix or an extension of one.
    for (int i = 0; i < catalogue.Count(); ++i) {
        const std::string& name = catalogue.Record(i)->name;
        int first = 0;
        while (!EqualsNoCase(catalogue.Record(first)->name, name))
            ++first;
        EXPECT_EQ(catalogue.Identify(ToUpperAscii(name)), first) << name;
        EXPECT_EQ(catalogue.Identify(name + "x"), -1) << name;
        EXPECT_EQ(catalogue.Identify(name.substr(0, name.size() - 1)), -1) << name;
    }
    FreeElementCatalogue();
}
