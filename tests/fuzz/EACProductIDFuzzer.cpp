#include "FuzzRequire.h"
#include "client/EACLaunchConfiguration.h"
#include "content/TransferErrors.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

// The product id goes on the installer's command line: only the settings'
// own 32 hexadecimal digits may come out.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        const QString id = EACLaunchConfiguration::productID(bytes);
        FUZZ_REQUIRE(id.toUtf8().size() == 32);
        FUZZ_REQUIRE(std::all_of(id.cbegin(), id.cend(), [](QChar character) {
            return QStringLiteral("0123456789abcdefABCDEF").contains(character);
        }));
        FUZZ_REQUIRE(QJsonDocument::fromJson(bytes).object().value(QStringLiteral("productid")) == id);
    } catch (const EACSettingsSyntaxError &) {
    } catch (const CorruptFileError &) {
    }
    return 0;
}
