#pragma once

#include <QString>

namespace kelvane::test {

// Makes a folder refuse new files while it lives, also for root (the test machines run
// as root, which ignores permission bits): the folder is marked immutable where the
// file system allows it, and made read-only otherwise.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString &path);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

    // False when neither way works here; the test should then say so and skip.
    bool holds() const { return m_holds; }

private:
    QString m_path;
    bool m_immutable = false;
    bool m_holds = false;
};

} // namespace kelvane::test
