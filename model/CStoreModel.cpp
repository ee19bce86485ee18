#include "model/CStoreModel.h"

#include "common/CDebugTrace.h"
#include "common/TextCompare.h"
#include "common/UserNotice.h"
#include "exec/SplitToolOutput.h"
#include "exec/ToolCommand.h"
#include "model/CLineTokenizer.h"
#include "model/CollectUnknownElement.h"
#include "exec/ToolWords.h"
#include "catalogue/ElementCatalogue.h"


namespace {

enum class SectionKind { BootManager, Loader };

// The value of the section's element `name` (its first line is read as the
// identifier, whatever its label), up to the next section; empty if none.
std::string SectionValue(const OutputLines& lines, size_t heading, std::string_view name)
{
    for (size_t i = heading + 2; i < lines.size(); ++i) {
        if (IsSectionHeading(lines, i))
            break;
        CLineTokenizer tokenizer(lines[i], " ");
        std::string_view label;
        if (!tokenizer.NextToken(label))
            break;
        bool identifier = i == heading + 2 && name == "identifier";
        if (identifier || EqualsNoCase(label, name))
            return TrimBlanks(tokenizer.Rest());
    }
    return {};
}

bool EndsWithNoCase(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && EqualsNoCase(text.substr(text.size() - tail.size()), tail);
}

// A heading in no language the program knows: what the section holds says
// what it is.
SectionType ClassifyByContent(const OutputLines& lines, size_t heading)
{
    std::string identifier = SectionValue(lines, heading, "identifier");
    std::string path = SectionValue(lines, heading, "path");
    if (EqualsNoCase(identifier, "{bootmgr}") ||
        EqualsNoCase(identifier, "{9dea862c-5cdd-4e70-acc1-f32b344d4795}"))
        return SectionType::BootManager;
    if (EqualsNoCase(identifier, "{ntldr}") ||
        EqualsNoCase(identifier, "{466f5a88-0af2-4f76-9038-095b170dc21c}") ||
        EqualsNoCase(path, "\\ntldr"))
        return SectionType::Loader;
    if (EndsWithNoCase(path, "winload.exe") || EndsWithNoCase(path, "winload.efi"))
        return SectionType::Loader;
    return SectionType::Other;
}

// Lines of spaces only end a section; so does the heading of any other
// section, which the tool prints for resume, memory-test, setup, firmware
// and settings objects: without it, such a section's elements would be read
// into the object before it.
bool EndsSection(const OutputLines& lines, size_t i)
{
    return IsSectionHeading(lines, i) || IsLoaderHeading(lines[i]);
}

// Reads the continuation lines of a multi-valued element after lines[i].
void ReadContinuations(CBcdItem& item, const OutputLines& lines, size_t& i)
{
    size_t end = i + 1;
    while (end < lines.size() && lines[end][0] == ' ')
        ++end;
    if (end > i + 1)
        item.ReserveValues(end - i - 1);
    while (i + 1 < end) {
        ++i;
        CLineTokenizer tokenizer(lines[i], " ");
        std::string_view value;
        if (tokenizer.NextToken(value))
            item.AddValue(value);
    }
}

// One element line of a manager or loader section, written to the debug
// output through `trace` when there is one. False when the line has no
// token: the section ends there.
bool ElementStep(CBcdObject& object, const OutputLines& lines, size_t& i,
                 SectionKind kind, CDebugTrace* trace)
{
    CLineTokenizer tokenizer(lines[i], " ");
    std::string_view name;
    if (!tokenizer.NextToken(name))
        return false;
    if (trace && trace->On())
        trace->Add("Identifier: " + std::string(name) + "\n");
    // A section begins with its identifier, under a label in the display
    // language ("Bezeichner", "identificateur", ...).
    if (object.GetItems().empty() && !ElementCatalogue::Instance().IsKnownName(name))
        name = "identifier";
    bool known = object.AddItemFilled([&](CBcdItem& item) {
        bool multiValued = false;
        if (!item.IdentifyListed(object.GetListing(), name, tokenizer.Rest(), multiValued))
            return false;
        if (multiValued)
            ReadContinuations(item, lines, i);
        return true;
    });
    if (known) {
        ++i;
        return true;
    }
    if (name.substr(0, 7) != "custom:") {
        const char* format = kind == SectionKind::BootManager ? "Unsupported Boot Identifier: "
                                                              : "Unsupported Loader Identifier: ";
        ShowNotice(format + std::string(name) + ".\nPlease report unsupported identifiers to Corvane.",
                   NoticeKind::Error);
    }
    CollectUnknownElement(lines, i, object);
    return true;
}

// The element lines (continuation lines, which begin with a blank, are
// values) before the next heading or blank line: room for a section's items,
// so that its list of items is allocated once.
size_t SectionElements(const OutputLines& lines, size_t i)
{
    size_t elements = 0;
    for (; i < lines.size() && !IsSectionHeading(lines, i); ++i) {
        if (lines[i].find_first_not_of(' ') == std::string_view::npos)
            break;
        elements += lines[i][0] != ' ';
    }
    return elements;
}

}  // namespace

SectionType ClassifySection(const OutputLines& lines, size_t i)
{
    if (i >= lines.size())
        return SectionType::Other;
    if (IsManagerHeading(lines[i]))
        return SectionType::BootManager;
    if (IsLoaderHeading(lines[i]))
        return SectionType::Loader;
    if (!IsSectionHeading(lines, i) || IsOtherKnownHeading(lines[i]))
        return SectionType::Other;
    return ClassifyByContent(lines, i);
}

bool ParseSectionElements(CBcdObject& loader, const OutputLines& lines, size_t& i, CDebugTrace* trace)
{
    loader.ReserveItems(SectionElements(lines, i));
    // A section read on its own writes its lines when it ends.
    CDebugTrace own;
    if (!trace)
        trace = &own;
    while (i < lines.size()) {
        if (EndsSection(lines, i)) {
            if (i > 0)
                --i;  // the caller's advance lands on the heading
            return true;
        }
        if (!ElementStep(loader, lines, i, SectionKind::Loader, trace))
            return true;
    }
    return true;
}

bool ParseManagerElements(CBcdObject& manager, const OutputLines& lines, size_t& i)
{
    manager.ReserveItems(SectionElements(lines, i));
    while (i < lines.size()) {
        if (EndsSection(lines, i))
            break;
        if (!ElementStep(manager, lines, i, SectionKind::BootManager, nullptr))
            break;
    }
    return true;
}

bool CStoreModel::ParseBootManagerSection(const OutputLines& lines, size_t& i)
{
    if (m_bootManager && m_beforeManager)
        m_beforeManager();
    m_bootManager.reset();
    auto manager = std::make_unique<CBcdBootManager>();
    manager->SetListing(m_lastOutput);
    i += 2;
    ParseManagerElements(*manager, lines, i);
    m_bootManager = std::move(manager);
    return true;
}

bool CStoreModel::ParseLoaderSection(const OutputLines& lines, size_t& i)
{
    auto loader = std::make_unique<CBcdBootLoader>();
    loader->SetListing(m_lastOutput);
    i += 2;
    ParseSectionElements(*loader, lines, i, m_trace);
    m_loaders.push_back(std::move(loader));
    return true;
}

CStoreModel::CStoreModel(ToolRun run) : m_run(AnsweredAsSucceeded(std::move(run))) {}

bool CStoreModel::IsListingComplete() const { return AnswerSucceeded(m_enumAnswer); }

size_t TrailingToolWords(const OutputLines& lines)
{
    size_t end = lines.size();
    while (end > 0) {
        std::string_view line = lines[end - 1];
        if (line.find_first_not_of(' ') == std::string_view::npos) {
            --end;
            continue;
        }
        if (line[0] == ' ' || line[0] == '-' || IsSectionHeading(lines, end - 1))
            break;
        CLineTokenizer tokenizer(line, " ");
        std::string_view name;
        tokenizer.NextToken(name);
        if (ElementCatalogue::Instance().IsKnownName(name) || name.substr(0, 7) == "custom:")
            break;
        // A section's first line is its identifier under a translated label.
        if (end >= 3 && lines[end - 2].find_first_not_of('-') == std::string_view::npos &&
            IsSectionHeading(lines, end - 3))
            break;
        --end;
    }
    return end;
}

size_t BeforeSuccessLine(const OutputLines& lines)
{
    size_t end = lines.size();
    while (end > 0 && lines[end - 1].find_first_not_of(' ') == std::string_view::npos)
        --end;
    return end > 0 ? end - 1 : 0;
}

void CStoreModel::EnumerateStore()
{
    if (m_beforeLoaders)
        m_beforeLoaders();
    m_managerListed = false;
    m_enumAnswer = m_run(EnumStoreCommand().arguments);
    m_lastOutput = std::make_shared<const std::string>(std::move(m_enumAnswer.text));
    m_enumAnswer.text.clear();
    OutputLines lines = SplitOutputLineViews(*m_lastOutput);
    m_listingWords.clear();
    if (!IsListingComplete()) {
        size_t words = TrailingToolWords(lines);
        for (size_t i = words; i < lines.size(); ++i)
            m_listingWords.push_back(TrimBlanks(lines[i]));
        lines.resize(words);
    }
    // The old objects go only now: the new ones take their freed memory.
    m_loaders.clear();
    if (lines.size() < 2)
        return;
    // One trace for the whole listing: its lines go out in a few blocks.
    CDebugTrace trace;
    m_trace = &trace;
    bool managerRead = false;
    size_t i = 0;
    while (i + 1 < lines.size()) {
        if (!managerRead) {
            if (ClassifySection(lines, i) == SectionType::BootManager) {
                ParseBootManagerSection(lines, i);
                managerRead = true;
                m_managerListed = true;
                continue;  // the line that ended the section may be a loader heading
            }
            ++i;
            continue;
        }
        if (ClassifySection(lines, i) == SectionType::Loader)
            ParseLoaderSection(lines, i);
        ++i;
    }
    m_trace = nullptr;
}

void CStoreModel::RefreshDebugSettings()
{
    if (m_beforeDebug)
        m_beforeDebug();
    m_debugSettings.reset();
    ToolAnswer answer = m_run(DebugSettingsCommand().arguments);
    m_lastOutput = std::make_shared<const std::string>(std::move(answer.text));
    OutputLines lines = SplitOutputLineViews(*m_lastOutput);
    // Its language pack may spell the closing success line in letters the
    // code page lacks: an answer that succeeded ends with it, whatever it says.
    if (AnswerSucceeded(answer))
        lines.resize(BeforeSuccessLine(lines));
    auto settings = std::make_unique<CBcdDbgSettings>();
    size_t i = 0;
    while (i < lines.size()) {
        std::string_view line = lines[i];
        if (IsLoaderHeading(line) || StartsWithAnySuccessLine(line))
            break;
        CLineTokenizer tokenizer(line, " ");
        std::string_view name;
        if (!tokenizer.NextToken(name))
            break;
        CBcdItem item;
        if (!item.Identify(name)) {
            ShowNotice("Unsupported Debug Identifier: " + std::string(name) +
                           ", ignoring\nPlease report unsupported identifiers to Corvane.",
                       NoticeKind::Plain);
            ++i;
            continue;
        }
        item.AddValue(tokenizer.Rest());
        if (item.IsMultiValued())
            ReadContinuations(item, lines, i);
        settings->AddItem(std::move(item));
        ++i;
    }
    m_debugSettings = std::move(settings);
}
