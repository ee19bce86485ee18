#pragma once
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

// A file with the given bytes in a fresh temporary folder, removed again
// when the object goes.
class TempFile {
public:
    explicit TempFile(const std::string& bytes, const char* name = "file.xml")
    {
        char folder[] = "/tmp/ks-test-XXXXXX";
        if (mkdtemp(folder))
            m_folder = folder;
        m_path = m_folder + "/" + name;
        std::FILE* file = std::fopen(m_path.c_str(), "wb");
        if (file) {
            std::fwrite(bytes.data(), 1, bytes.size(), file);
            std::fclose(file);
        }
    }
    ~TempFile()
    {
        std::remove(m_path.c_str());
        rmdir(m_folder.c_str());
    }
    const char* Path() const { return m_path.c_str(); }

private:
    std::string m_folder;
    std::string m_path;
};
