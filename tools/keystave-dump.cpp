// keystave-dump: shows how Keystave reads saved BCDEDIT.EXE output.
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "catalogue/ElementCatalogue.h"
#include "common/UserNotice.h"
#include "sim/SimStoreFile.h"
#include "tools/StoreDump.h"

namespace {

const char kUsage[] =
    "usage: keystave-dump ENUM_FILE [DBGSETTINGS_FILE] [--definitions PATH]\n"
    "\n"
    "Reads saved \"bcdedit /ENUM /V\", \"/enum all /v\" or \"/enum firmware /v\" output (and\n"
    "optionally saved \"bcdedit /DBGSETTINGS\" output), builds the store model exactly as\n"
    "Keystave does and prints it:\n"
    "  object KIND IDENTIFIER [DESCRIPTION]   KIND: bootmanager, loader, debugger\n"
    "    NAME = VALUE | VALUE ...\n"
    "  entry KIND IDENTIFIER [DESCRIPTION]    every object of the listing, in its order; KIND:\n"
    "                                         bootmanager, loader, legacyloader, bootsector,\n"
    "                                         memorytester, resume, firmwaremanager,\n"
    "                                         firmwareapp, other\n"
    "  message TEXT                           what Keystave would show (\\n for newlines)\n"
    "\n"
    "Files saved with bare LF line ends are converted to CR LF before they are cut into\n"
    "lines, as the tool itself writes CR LF. The definitions file defaults to\n"
    "keystavedata.xml in the current directory, then beside this program.\n";

std::string BesideProgram(const char* name)
{
    char path[4096] = {};
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string folder = length > 0 ? std::string(path, static_cast<size_t>(length)) : ".";
    return folder.substr(0, folder.find_last_of('/') + 1) + name;
}

bool Exists(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file)
        std::fclose(file);
    return file != nullptr;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string files[2];
    int fileCount = 0;
    std::string definitions;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--definitions") == 0 && i + 1 < argc) {
            definitions = argv[++i];
        } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (argv[i][0] == '-' || fileCount == 2) {
            std::fputs(kUsage, stderr);
            return 2;
        } else {
            files[fileCount++] = argv[i];
        }
    }
    if (fileCount == 0) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (definitions.empty())
        definitions = Exists("keystavedata.xml") ? "keystavedata.xml" : BesideProgram("keystavedata.xml");

    std::string texts[2];
    for (int i = 0; i < fileCount; ++i) {
        if (!ReadWholeFile(files[i], texts[i])) {
            std::fprintf(stderr, "keystave-dump: cannot read %s\n", files[i].c_str());
            return 1;
        }
    }
    SetNoticeSink([](const std::string& text, NoticeKind) {
        std::fprintf(stderr, "keystave-dump: %s\n", text.c_str());
    });
    if (!LoadElementCatalogue(definitions.c_str()))
        return 1;
    std::string failure;
    std::fputs(DumpSavedOutput(texts[0], fileCount == 2 ? &texts[1] : nullptr, &failure).c_str(),
               stdout);
    FreeElementCatalogue();
    if (!failure.empty()) {
        std::fprintf(stderr, "keystave-dump: no boot manager section. %s\n", failure.c_str());
        return 3;
    }
    return 0;
}
