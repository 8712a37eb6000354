#include "base/Catalog.h"

QUrl officialUpdateChannel()
{
    return QUrl(QStringLiteral(TARNHOLD_UPDATE_CHANNEL));
}
