#pragma once
#include <string>
#include <string_view>

#include "exec/SplitToolOutput.h"

// What an object of a listing is, as the boot menus and the entry list
// tell them apart.
enum class ObjectKind {
    BootManager,
    Loader,        // Windows
    LegacyLoader,  // an earlier Windows, through NTLDR
    BootSector,    // a real-mode boot sector: GRUB, another system
    MemoryTester,
    Resume,
    BootApplication,
    FirmwareManager,
    FirmwareApp,
    Other,  // settings objects, setup, templates
};

// The kind a section announces by its heading (lines[heading], underlined),
// in any language of the table; under a heading in none, what it holds says.
ObjectKind KindOfSection(const OutputLines& lines, size_t heading);
// The first value of a section's first line: its identifier, under any label.
std::string SectionIdentifier(const OutputLines& lines, size_t heading);
// The word keystave-dump prints for it ("bootmanager", "loader", ...).
const char* ObjectKindWord(ObjectKind kind);
// The entry list's "Kind" column ("Windows", "Boot sector", ...).
const char* ObjectKindLabel(ObjectKind kind);
// Whether it is a Windows loader, of this Windows or an earlier one: what
// the store model keeps as its loaders.
inline bool IsLoaderKind(ObjectKind kind) { return kind == ObjectKind::Loader || kind == ObjectKind::LegacyLoader; }
// Whether an entry of this kind starts something of its own from a boot
// menu: it can be the default, or started once.
bool StartsFromMenu(ObjectKind kind);
// Whether the tool can copy an object of this kind into a new entry.
bool CanBeCloned(ObjectKind kind);

// Well-known identifiers in either spelling: "{bootmgr}" and its GUID
// name the same object, as verbose listings print the GUID.
bool SameIdentifier(std::string_view a, std::string_view b);
// The GUID behind a well-known alias, or the identifier as it is.
std::string_view CanonicalIdentifier(std::string_view identifier);
bool IsBootManagerId(std::string_view identifier);
bool IsFirmwareManagerId(std::string_view identifier);
