#include "FailingPlace.h"

#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace kelvane::test {

namespace {

QString lastError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

// Writes until the file system is full.
void fillFileSystem(const QString &path)
{
    const int fd = ::open(native(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    const QByteArray block(4096, 'f');
    while (::write(fd, block.constData(), size_t(block.size())) > 0) {
    }
    ::close(fd);
}

} // namespace

bool setImmutable(const QString &path, bool on)
{
    const int fd = ::open(native(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

const char *FailingPlace::name(Kind kind)
{
    switch (kind) {
    case FullDisk: return "full disk";
    case ImmutableFile: return "immutable file";
    case ImmutableFolder: return "immutable folder";
    case ThroughFile: return "folder that is a file";
    case MissingFolder: return "missing folder";
    case Device: return "full device";
    }
    return "?";
}

FailingPlace::FailingPlace(Kind kind, const QString &fileName, const QByteArray &earlier, const Files &beside,
                           Fill fill)
    : m_kind(kind), m_earlier(earlier), m_beside(beside)
{
    const QString base = m_dir.path();
    switch (kind) {
    case FullDisk:
        if (!makeFullDisk())
            return;
        m_path = m_mountPoint + u'/' + fileName;
        writeFiles(m_mountPoint, earlier);
        if (fill == Fill::Now)
            fillUp();
        return;
    case ImmutableFile:
    case ImmutableFolder:
        m_path = base + u'/' + fileName;
        writeFiles(base, earlier);
        m_immutable = kind == ImmutableFile ? m_path : base;
        if (!setImmutable(m_immutable, true)) {
            m_unavailable = QStringLiteral("cannot mark %1 immutable here").arg(m_immutable);
            m_immutable.clear();
        }
        return;
    case ThroughFile:
        writeBytes(base + QStringLiteral("/plain.txt"), "a file, not a folder");
        m_path = base + QStringLiteral("/plain.txt/") + fileName;
        return;
    case MissingFolder:
        m_path = base + QStringLiteral("/missing/") + fileName;
        return;
    case Device:
        // A node of its own for the machine's full device, so that a save gone wrong
        // replaces this node and not the machine's /dev/full.
        m_path = base + u'/' + fileName;
        writeFiles(base, QByteArray());
        if (::mknod(native(m_path).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
            m_unavailable = QStringLiteral("cannot make a device node here: ") + lastError();
        return;
    }
}

void FailingPlace::writeFiles(const QString &folder, const QByteArray &earlier)
{
    for (const auto &[name, bytes] : m_beside)
        writeBytes(folder + u'/' + name, bytes);
    if (m_kind != Device) {
        writeBytes(m_path, earlier);
        m_hasEarlier = true;
    }
}

bool FailingPlace::makeFullDisk()
{
    const QString mountPoint = m_dir.path() + QStringLiteral("/disk");
    QDir().mkpath(mountPoint);
    if (::mount("tmpfs", native(mountPoint).constData(), "tmpfs", 0, "size=64k,mode=0755") != 0) {
        m_unavailable = QStringLiteral("cannot mount a small file system here: ") + lastError();
        return false;
    }
    m_mountPoint = mountPoint;
    return true;
}

void FailingPlace::fillUp()
{
    if (!m_mountPoint.isEmpty())
        fillFileSystem(m_mountPoint + QStringLiteral("/filler"));
}

FailingPlace::~FailingPlace()
{
    if (!m_immutable.isEmpty())
        setImmutable(m_immutable, false);
    if (!m_mountPoint.isEmpty())
        ::umount2(native(m_mountPoint).constData(), MNT_DETACH);
}

QString FailingPlace::folder() const
{
    return QFileInfo(m_path).absolutePath();
}

bool FailingPlace::intact(QString *what) const
{
    if (m_kind == Device) {
        struct stat status;
        if (::stat(native(m_path).constData(), &status) != 0 || !S_ISCHR(status.st_mode)) {
            *what = m_path + QStringLiteral(" is no longer a device");
            return false;
        }
    } else if (m_hasEarlier) {
        const QByteArray now = readBytes(m_path);
        if (now != m_earlier) {
            *what = QStringLiteral("%1 holds %2 bytes instead of its earlier %3")
                        .arg(m_path).arg(now.size()).arg(m_earlier.size());
            return false;
        }
    } else if (QFileInfo::exists(m_path)) {
        *what = m_path + QStringLiteral(" was made");
        return false;
    }
    // Nothing half-written may stay behind beside the file.
    QStringList expected{QFileInfo(m_path).fileName(), QStringLiteral("filler"), QStringLiteral("plain.txt"),
                         QStringLiteral("disk")};
    for (const auto &file : m_beside)
        expected.append(file.first);
    const QDir dir(folder());
    for (const QString &entry : dir.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)) {
        if (!expected.contains(entry)) {
            *what = QStringLiteral("%1 was left in %2").arg(entry, folder());
            return false;
        }
    }
    return true;
}

} // namespace kelvane::test
