#pragma once

#include <QByteArray>
#include <QJsonValue>
#include <QList>
#include <QPair>
#include <QString>

// A JSON object that keeps its keys in the order they were inserted, for
// output people read; QJsonObject always sorts its keys.
class OrderedJsonObject final
{
public:
    OrderedJsonObject &insert(const QString &key, const QJsonValue &value);
    OrderedJsonObject &insert(const QString &key, const OrderedJsonObject &value);
    OrderedJsonObject &insert(const QString &key, const QList<OrderedJsonObject> &values);

    // Compact JSON text.
    QByteArray toJson() const;

private:
    QList<QPair<QString, QByteArray>> m_members; // key and its encoded value
};
