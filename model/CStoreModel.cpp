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
#include "model/ObjectKind.h"


namespace {

// Loaders' unknown elements are told; other objects' are kept without a word,
// as the program edits them only through their property window.
enum class SectionKind { BootManager, Loader, Quiet };

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
    if (name.substr(0, 7) != "custom:" && kind != SectionKind::Quiet) {
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
    if (!IsSectionHeading(lines, i))
        return SectionType::Other;
    switch (KindOfSection(lines, i)) {
    case ObjectKind::BootManager:
        return SectionType::BootManager;
    case ObjectKind::Loader:
    case ObjectKind::LegacyLoader:
        return SectionType::Loader;
    default:
        return SectionType::Other;
    }
}

bool ParseSectionElements(CBcdObject& loader, const OutputLines& lines, size_t& i, CDebugTrace* trace)
{
    loader.ReserveItems(SectionElements(lines, i));
    SectionKind kind = IsLoaderKind(loader.GetKind()) ? SectionKind::Loader : SectionKind::Quiet;
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
        if (!ElementStep(loader, lines, i, kind, trace))
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
    m_listed.push_back(m_bootManager.get());
    return true;
}

bool CStoreModel::ParseLoaderSection(const OutputLines& lines, size_t& i)
{
    AddSection(lines, i, m_lastOutput, m_trace);
    return true;
}

void CStoreModel::AddSection(const OutputLines& lines, size_t& i, std::shared_ptr<const std::string> listing,
                             CDebugTrace* trace)
{
    ObjectKind kind = KindOfSection(lines, i);
    auto entry = std::make_unique<CBcdBootLoader>();
    entry->SetKind(kind);
    entry->SetListing(std::move(listing));
    i += 2;
    ParseSectionElements(*entry, lines, i, trace);
    m_listed.push_back(entry.get());
    if (IsLoaderKind(kind))
        m_loaders.push_back(std::move(entry));
    else
        m_otherEntries.push_back(std::move(entry));
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

namespace {

// The boot manager's section: the one under its heading that names
// {bootmgr}, as a listing may hold copies of it under the same heading
// (firmware entries made by copying it); else the first under that heading.
size_t ManagerSection(const OutputLines& lines)
{
    size_t first = lines.size();
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        if (ClassifySection(lines, i) != SectionType::BootManager)
            continue;
        if (IsBootManagerId(SectionIdentifier(lines, i)))
            return i;
        if (first == lines.size())
            first = i;
    }
    return first;
}

}  // namespace

void CStoreModel::EnumerateStore()
{
    EnumerateListing();
    ReadToolsEntries();
}

void CStoreModel::EnumerateListing()
{
    if (m_beforeLoaders)
        m_beforeLoaders();
    m_managerListed = false;
    m_enumAnswer = m_run(ListingCommand().arguments);
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
    m_otherEntries.clear();
    m_listed.clear();
    if (lines.size() < 2)
        return;
    size_t manager = ManagerSection(lines);
    // The firmware's menu is read whole, with or without the boot manager.
    if (manager == lines.size() && m_scope != Scope::Firmware)
        return;
    // One trace for the whole listing: its lines go out in a few blocks.
    CDebugTrace trace;
    m_trace = &trace;
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        if (!IsSectionHeading(lines, i))
            continue;
        if (i == manager) {
            ParseBootManagerSection(lines, i);
            m_managerListed = true;
            --i;  // the line that ended the section may be the next heading
            continue;
        }
        ParseLoaderSection(lines, i);
    }
    m_trace = nullptr;
}

std::vector<std::string> CStoreModel::MissingToolsEntries() const
{
    // "/ENUM /V" lists the display order's entries, not the tools menu's
    // (the memory tester): each is read on its own, after a whole listing.
    std::vector<std::string> missing;
    const CBcdItem* tools = m_bootManager ? m_bootManager->FindItem("toolsdisplayorder") : nullptr;
    if (m_scope != Scope::Menus || !m_managerListed || !IsListingComplete() || !tools)
        return missing;
    for (const std::string& identifier : tools->GetValues())
        if (EnumObjectCommand(identifier).ok && !FindEntry(identifier))
            missing.push_back(identifier);
    return missing;
}

std::vector<std::string> CStoreModel::ToolsEntryReads() const
{
    std::vector<std::string> reads;
    for (const std::string& identifier : MissingToolsEntries())
        reads.push_back(EnumObjectCommand(identifier).arguments);
    return reads;
}

ToolCommand CStoreModel::ListingCommand() const
{
    switch (m_scope) {
    case Scope::All: return EnumAllCommand();
    case Scope::Firmware: return EnumFirmwareCommand();
    case Scope::Menus: break;
    }
    return EnumStoreCommand();
}

void CStoreModel::ReadToolsEntries()
{
    for (const std::string& identifier : MissingToolsEntries()) {
        ToolAnswer answer = m_run(EnumObjectCommand(identifier).arguments);
        if (!AnswerSucceeded(answer))
            continue;
        auto output = std::make_shared<const std::string>(std::move(answer.text));
        OutputLines lines = SplitOutputLineViews(*output);
        for (size_t i = 0; i + 1 < lines.size(); ++i)
            if (IsSectionHeading(lines, i) && SameIdentifier(SectionIdentifier(lines, i), identifier)) {
                AddSection(lines, i, output, nullptr);
                break;
            }
    }
}

CBcdObject* CStoreModel::FindEntry(const std::string& identifier) const
{
    for (CBcdObject* object : m_listed)
        if (SameIdentifier(object->GetIdentifier(), identifier))
            return object;
    return nullptr;
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
