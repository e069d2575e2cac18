#include "ReadOnlyFolder.h"

#include "FailingPlace.h"

#include <QFile>

#include <unistd.h>

namespace kelvane::test {

namespace {

bool canCreateIn(const QString &path)
{
    QFile probe(path + QStringLiteral("/.probe"));
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.remove();
    return true;
}

} // namespace

ReadOnlyFolder::ReadOnlyFolder(const QString &path)
    : m_path(path)
{
    if (::geteuid() == 0)
        m_immutable = setImmutable(path, true);
    else
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    m_holds = !canCreateIn(path);
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (m_immutable)
        setImmutable(m_path, false);
    else
        QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                          | QFileDevice::ExeOwner);
}

} // namespace kelvane::test
