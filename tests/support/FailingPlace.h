#pragma once
// Places where saving a file must fail for any user, root included (the test machines
// run as root, which permission bits do not stop), each holding an earlier file that
// a failed save must leave byte for byte as it was.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

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

    // Sets up the place for a file called `fileName`, with `earlier` as the earlier
    // file's content where the place can hold one.
    FailingPlace(Kind kind, const QString &fileName, const QByteArray &earlier);
    ~FailingPlace();
    FailingPlace(const FailingPlace &) = delete;
    FailingPlace &operator=(const FailingPlace &) = delete;

    // Empty when the place could be made; otherwise why not, for QSKIP.
    const QString &unavailable() const { return m_unavailable; }
    Kind kind() const { return m_kind; }
    QString path() const { return m_path; }
    QString folder() const;

    // Whether everything is as it was: the earlier file unchanged (or still absent,
    // or the device still a device) and no scratch file left beside it.
    bool intact(QString *what) const;

private:
    void makeFullDisk(const QByteArray &earlier);

    Kind m_kind;
    QTemporaryDir m_dir;
    QString m_path;
    QByteArray m_earlier;
    bool m_hasEarlier = false;
    QString m_mountPoint;
    QString m_immutable;
    QString m_unavailable;
};

} // namespace kelvane::test
