// Temporary directories and environment variables for tests, and whole-file reading and writing of bytes.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// A fresh temporary directory, removed with everything in it when the test ends.
class TempDir
{
public:
    TempDir()
    {
        std::string tmpl = (std::filesystem::temp_directory_path() / "korhtmlXXXXXX").string();
        if (mkdtemp(tmpl.data()))
            m_path = tmpl;
    }
    ~TempDir()
    {
        std::error_code ec;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The directory, without a trailing separator; empty when it could not be made.
    const std::string& Path() const { return m_path; }
    // A name inside the directory.
    std::string File(const char* name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// Sets an environment variable for the scope and puts the old value back.
class ScopedEnv
{
public:
    ScopedEnv(const char* name, const std::string& value) : m_name(name)
    {
        const char* old = std::getenv(name);
        m_bHad = old != nullptr;
        if (old)
            m_old = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv()
    {
        if (m_bHad)
            ::setenv(m_name, m_old.c_str(), 1);
        else
            ::unsetenv(m_name);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    bool m_bHad;
    std::string m_old;
};

// Writes the bytes as the whole file; false when it cannot be created.
inline bool WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream f(path, std::ios::binary);
    return f.write(bytes.data(), std::streamsize(bytes.size())).flush().good();
}

// The whole file; "<missing>" when it cannot be opened.
inline std::string ReadFileBytes(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return f ? std::string(std::istreambuf_iterator<char>(f), {}) : "<missing>";
}
