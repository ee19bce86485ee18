#include "common/FileText.h"

bool ReadAndCloseStream(std::FILE* file, std::string& text)
{
    text.clear();
    char buffer[65536];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, count);
    bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

bool ReadWholeFile(const std::string& path, std::string& text)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    return file && ReadAndCloseStream(file, text);
}
