#include "shell/registry.h"

namespace nvx {

QString CRegistry::MachineSetting(const QString &, const QString &) { return {}; }
QString CRegistry::Werte(const QString &, const QString &) { return {}; }

} // namespace nvx
