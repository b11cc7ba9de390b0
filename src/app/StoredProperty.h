#pragma once

#include <QString>
#include <QVariant>
#include <functional>

// One control property kept in the settings file: its element name, its type and how to reach it.
struct StoredProperty {
    enum class Kind { Text, YesNo, Integer };

    QString element;
    Kind kind = Kind::Text;
    int minimum = 0; // bounds of an Integer property; restored values are brought inside them
    int maximum = 0;
    std::function<QVariant()> read;
    std::function<void(const QVariant&)> write;
};
