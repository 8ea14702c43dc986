#include "json_text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace k2tool {

namespace {

QByteArray Compact(const QJsonValue& value) {
    // A document holds only a container; a scalar is written as the one element of an array.
    if (value.isObject()) return QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact);
    if (value.isArray()) return QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact);
    const QByteArray wrapped = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return wrapped.mid(1, wrapped.size() - 2);
}

bool HoldsRecords(const QJsonArray& array) {
    return !array.isEmpty() && (array.first().isObject() || array.first().isArray());
}

// One line per record at `indent` + 2, the closing bracket at `indent`.
QByteArray Lines(const QJsonArray& array, const QByteArray& indent) {
    if (array.isEmpty()) return "[]";
    QByteArray out = "[";
    for (qsizetype i = 0; i < array.size(); ++i)
        out += (i ? ",\n" : "\n") + indent + "  " + Compact(array[i]);
    return out + "\n" + indent + "]";
}

} // namespace

QByteArray JsonText(const QJsonValue& value) {
    if (value.isArray()) return Lines(value.toArray(), "") + "\n";
    if (!value.isObject()) return Compact(value) + "\n";
    const QJsonObject object = value.toObject();
    QByteArray out = "{";
    bool first = true;
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QByteArray key = Compact(it.key());
        const QJsonValue member = it.value();
        out += (first ? "\n  " : ",\n  ") + key + ":" +
               (member.isArray() && HoldsRecords(member.toArray()) ? Lines(member.toArray(), "  ")
                                                                   : Compact(member));
        first = false;
    }
    return out + (first ? "}\n" : "\n}\n");
}

} // namespace k2tool
