#pragma once
// Places where saving a file must fail for any user, root included (the test machines
// run as root, which permission bits do not stop), each holding an earlier file that
// a failed save must leave byte for byte as it was.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <utility>

namespace kelvane::test {

// Marks a file or folder immutable (or clears the mark). False where the file system
// or the user cannot.
bool setImmutable(const QString &path, bool on);

class FailingPlace
{
public:
    enum Kind {
        FullDisk,        // a small file system mounted for the test and filled up
        ImmutableFile,   // the earlier file refuses to be changed or replaced
        ImmutableFolder, // the folder refuses new files
        ThroughFile,     // a "folder" on the way is a regular file
        MissingFolder,   // the folder does not exist
        Device,          // the path is a device that is always full, like /dev/full
    };
    static constexpr Kind AllKinds[] = {FullDisk, ImmutableFile, ImmutableFolder, ThroughFile,
                                        MissingFolder, Device};
    static const char *name(Kind kind);

    using Files = QList<std::pair<QString, QByteArray>>;
    enum class Fill { Now, Later };

    // Sets up the place for a file called `fileName`, with `earlier` as the earlier
    // file's content where the place can hold one, and `beside` written next to it
    // first. A full disk is filled at once, or with Fill::Later when fillUp() is called.
    FailingPlace(Kind kind, const QString &fileName, const QByteArray &earlier, const Files &beside = {},
                 Fill fill = Fill::Now);
    ~FailingPlace();
    FailingPlace(const FailingPlace &) = delete;
    FailingPlace &operator=(const FailingPlace &) = delete;

    // Takes up all the space left on the full disk.
    void fillUp();

    // Empty when the place could be made; otherwise why not, for QSKIP.
    const QString &unavailable() const { return m_unavailable; }
    Kind kind() const { return m_kind; }
    QString path() const { return m_path; }
    QString folder() const;

    // Whether everything is as it was: the earlier file unchanged (or still absent,
    // or the device still a device) and no scratch file left beside it.
    bool intact(QString *what) const;

private:
    bool makeFullDisk();
    void writeFiles(const QString &folder, const QByteArray &earlier);

    Kind m_kind;
    QTemporaryDir m_dir;
    QString m_path;
    QByteArray m_earlier;
    Files m_beside;
    bool m_hasEarlier = false;
    QString m_mountPoint;
    QString m_immutable;
    QString m_unavailable;
};

} // namespace kelvane::test
