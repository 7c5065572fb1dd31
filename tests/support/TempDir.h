#pragma once

#include <string>

// A private folder under the system's temporary folder, removed with
// everything in it when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }

    // Writes `bytes` to a file of that name in the folder; returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const;

  private:
    std::string m_path;
};

std::string ReadWholeFile(const std::string& path);
