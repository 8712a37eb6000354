#include "base/OrderedJsonObject.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

// QJsonDocument only encodes arrays and objects; wrap the value in an array
// and take the brackets off again.
QByteArray encode(const QJsonValue &value)
{
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

} // namespace

OrderedJsonObject &OrderedJsonObject::insert(const QString &key, const QJsonValue &value)
{
    m_members.append({key, encode(value)});
    return *this;
}

OrderedJsonObject &OrderedJsonObject::insert(const QString &key, const OrderedJsonObject &value)
{
    m_members.append({key, value.toJson()});
    return *this;
}

OrderedJsonObject &OrderedJsonObject::insert(const QString &key, const QList<OrderedJsonObject> &values)
{
    QByteArray array = "[";
    for (qsizetype index = 0; index < values.size(); ++index) {
        if (index > 0)
            array += ',';
        array += values.at(index).toJson();
    }
    m_members.append({key, array + ']'});
    return *this;
}

QByteArray OrderedJsonObject::toJson() const
{
    QByteArray object = "{";
    for (qsizetype index = 0; index < m_members.size(); ++index) {
        if (index > 0)
            object += ',';
        object += encode(m_members.at(index).first) + ':' + m_members.at(index).second;
    }
    return object + '}';
}
