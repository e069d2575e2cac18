#pragma once

#include "kelvane/model/ClusterModel.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace kelvane {

// Why a cluster cannot be written so that it reads back: a text holding a double
// quote (the format has no escape for it) or a character Windows-1252 lacks. The
// message names the trial (as the researcher numbers them) and the field.
std::optional<QString> findUnwritableText(const ClusterModel &cluster, const QStringList &objectRow);

// The cluster file: the trial count and CR LF, then every value followed by a comma,
// ending with the object row's picture names. Check findUnwritableText first.
QString clusterFileText(const ClusterModel &cluster, const QStringList &objectRow);
QByteArray clusterFileBytes(const ClusterModel &cluster, const QStringList &objectRow);

} // namespace kelvane
